// RAII for kernel objects and for memory the system hands over, beside the
// GDI owners of Gdi.h: move-only, and what they hold is freed on every path.
#pragma once
#include <windows.h>

#include <utility>

namespace orvik {

// A kernel object's handle (a process, a mutex), closed with CloseHandle.
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE h) : h_(h) {}
    ~KernelHandle() { Reset(); }
    KernelHandle(KernelHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    void Reset(HANDLE h = nullptr) {
        if (h_) CloseHandle(h_);
        h_ = h;
    }
    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HANDLE h_ = nullptr;
};

// A block the system allocated for the caller (CommandLineToArgvW's), given
// back with LocalFree.
template <typename T>
class LocalMemory {
public:
    explicit LocalMemory(T* p) : p_(p) {}
    ~LocalMemory() { if (p_) LocalFree(p_); }
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;
    T* Get() const { return p_; }

private:
    T* p_;
};

}  // namespace orvik
