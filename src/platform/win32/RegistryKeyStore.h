// The keyed store on the system registry: LocalMachine is HKEY_LOCAL_MACHINE,
// CurrentUser HKEY_CURRENT_USER. Defensive about what it reads: types and
// sizes are checked, a missing terminating zero is supplied, and every key
// is closed on every path.
#pragma once
#include <windows.h>

#include "platform/KeyStore.h"

namespace orvik {

// An open registry key, closed when the object goes.
class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    ~RegKey() { Reset(); }
    RegKey(RegKey&& other) noexcept : key_(other.Release()) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            Reset();
            key_ = other.Release();
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY Get() const { return key_; }
    HKEY* Out() {
        Reset();
        return &key_;
    }
    HKEY Release() {
        HKEY k = key_;
        key_ = nullptr;
        return k;
    }
    void Reset() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

class RegistryKeyStore : public KeyStore {
public:
    std::unique_ptr<StoreKey> OpenForReading(KeyRoot root, const std::string& path) override;
    std::unique_ptr<StoreKey> OpenForWriting(KeyRoot root, const std::string& path) override;
};

// Deletes a key and every key below it (RegDeleteKeyA alone refuses a key
// with subkeys). A registry link is removed itself, never followed. True
// when the key is gone afterwards.
bool DeleteKeyTree(HKEY parent, const std::string& name);

}  // namespace orvik
