// RAII for what the system hands over, beside the GDI owners of Gdi.h: one
// owner for a handle of any kind, told how to give it back. Move-only; what
// it holds is given back once, on every path.
#pragma once
#include <windows.h>

#include <utility>

namespace orvik {

template <typename H, typename GiveBack>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : h_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    void Reset(H h = nullptr) {
        if (h_) GiveBack{}(h_);
        h_ = h;
    }
    H Get() const { return h_; }
    H* Out() {  // for a call that returns a new one through a pointer
        Reset();
        return &h_;
    }
    H Release() { return std::exchange(h_, nullptr); }
    explicit operator bool() const { return h_ != nullptr; }

private:
    H h_ = nullptr;
};

struct CloseKernelHandle {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct FreeLocalMemory {
    void operator()(void* p) const { LocalFree(p); }
};
struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};

// A kernel object's handle (a process, a mutex), closed with CloseHandle.
using KernelHandle = Owned<HANDLE, CloseKernelHandle>;
// A block the system allocated for the caller (CommandLineToArgvW's), given
// back with LocalFree.
template <typename T>
using LocalMemory = Owned<T*, FreeLocalMemory>;
// An open registry key, closed with RegCloseKey.
using RegKey = Owned<HKEY, CloseRegistryKey>;

}  // namespace orvik
