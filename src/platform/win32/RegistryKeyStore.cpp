#include "platform/win32/RegistryKeyStore.h"

#include <vector>

namespace orvik {

namespace {
// Read-only access, as a restore opens the store: KEY_READ (0x20019).
constexpr REGSAM kReadAccess = KEY_READ;
constexpr REGSAM kFullAccess = KEY_ALL_ACCESS;
// A registry tree deeper than this is not one the program made.
constexpr int kMaxDeleteDepth = 64;

HKEY RootKey(KeyRoot root) { return root == KeyRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

RegKey Open(HKEY parent, const std::string& name, REGSAM access) {
    RegKey key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, access, key.Out()) != ERROR_SUCCESS) key.Reset();
    return key;
}

RegKey Create(HKEY parent, const std::string& name) {
    RegKey key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kFullAccess, nullptr, key.Out(),
                        &disposition) != ERROR_SUCCESS)
        key.Reset();
    return key;
}

// Deletes the key that a handle refers to: with a handle opened with
// REG_OPTION_OPEN_LINK, a registry link itself and never what it points to.
// RegDeleteKeyA would open the key by name again, and so follow the link.
bool DeleteOpenKey(HKEY key) {
    using DeleteKeyCall = LONG(WINAPI*)(HANDLE);
    static const DeleteKeyCall deleteKey = reinterpret_cast<DeleteKeyCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    return deleteKey && deleteKey(key) >= 0;  // a success status
}

// Renames subkey `from` of `parent` to `to` in one call. The key is opened
// as a link where it is one, so a link is renamed itself and never the key
// it points to. NtRenameKey where ntdll has it (Windows XP and later, Wine),
// else RegRenameKey on the open key; false when neither is there.
bool RenameKey(HKEY parent, const std::string& from, const std::string& to) {
    if (to.empty() || to.find('\\') != std::string::npos) return false;
    const int length = MultiByteToWideChar(CP_ACP, 0, to.c_str(), -1, nullptr, 0);
    if (length <= 1 || length > 256) return false;  // a key name has at most 255 characters
    std::vector<wchar_t> name(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, to.c_str(), -1, name.data(), length);

    struct CountedName {  // the system's counted wide string
        USHORT length, maximumLength;
        wchar_t* buffer;
    };
    using NtRenameKeyCall = LONG(WINAPI*)(HANDLE, CountedName*);
    using RegRenameKeyCall = LONG(WINAPI*)(HKEY, const wchar_t*, const wchar_t*);
    static const NtRenameKeyCall ntRename = reinterpret_cast<NtRenameKeyCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtRenameKey")));
    static const RegRenameKeyCall regRename = reinterpret_cast<RegRenameKeyCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegRenameKey")));
    if (!ntRename && !regRename) return false;

    RegKey key;
    if (RegOpenKeyExA(parent, from.c_str(), REG_OPTION_OPEN_LINK, KEY_WRITE, key.Out()) != ERROR_SUCCESS)
        return false;
    if (ntRename) {
        const USHORT bytes = static_cast<USHORT>((length - 1) * sizeof(wchar_t));
        CountedName counted{bytes, bytes, name.data()};
        return ntRename(key.Get(), &counted) >= 0;  // a success status
    }
    return regRename(key.Get(), nullptr, name.data()) == ERROR_SUCCESS;
}

bool DeleteTree(HKEY parent, const std::string& name, int depth) {
    if (depth > kMaxDeleteDepth) return false;
    // Opened as a link where it is one: a link has no subkeys of its own, so
    // the walk never enters the key it points to.
    RegKey key;
    LONG rc = RegOpenKeyExA(parent, name.c_str(), REG_OPTION_OPEN_LINK, kFullAccess, key.Out());
    if (rc == ERROR_FILE_NOT_FOUND) return true;
    if (rc != ERROR_SUCCESS) {
        // Not ours to list: without subkeys it may still be ours to delete.
        rc = RegOpenKeyExA(parent, name.c_str(), REG_OPTION_OPEN_LINK, DELETE, key.Out());
        if (rc == ERROR_FILE_NOT_FOUND) return true;
        return rc == ERROR_SUCCESS && DeleteOpenKey(key.Get());
    }
    DWORD subkeys = 0, longest = 0;
    if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, &longest, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    // Always the first child: each pass removes one, so the walk ends after
    // as many passes as there were children, or at the first that cannot go.
    std::vector<char> child(static_cast<size_t>(longest) + 2);
    for (DWORD pass = 0; pass < subkeys; ++pass) {
        DWORD size = static_cast<DWORD>(child.size());
        rc = RegEnumKeyExA(key.Get(), 0, child.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) {  // a child appeared meanwhile with a longer name
            child.resize(256);
            size = static_cast<DWORD>(child.size());
            rc = RegEnumKeyExA(key.Get(), 0, child.data(), &size, nullptr, nullptr, nullptr, nullptr);
        }
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS) return false;
        if (!DeleteTree(key.Get(), std::string(child.data(), size), depth + 1)) return false;
    }
    return DeleteOpenKey(key.Get());
}

class RegistryKey : public StoreKey {
public:
    RegistryKey(RegKey key, REGSAM access) : key_(std::move(key)), access_(access) {}

    std::unique_ptr<StoreKey> OpenSubKey(const std::string& name) override {
        RegKey sub = Open(key_.Get(), name, access_);
        if (!sub) return nullptr;
        return std::make_unique<RegistryKey>(std::move(sub), access_);
    }

    std::unique_ptr<StoreKey> CreateSubKey(const std::string& name) override {
        RegKey sub = Create(key_.Get(), name);
        if (!sub) return nullptr;
        return std::make_unique<RegistryKey>(std::move(sub), kFullAccess);
    }

    bool DeleteSubKey(const std::string& name) override { return DeleteKeyTree(key_.Get(), name); }

    bool RenameSubKey(const std::string& from, const std::string& to) override {
        return RenameKey(key_.Get(), from, to);
    }

    bool ValueExists(const std::string& name) override {
        return RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    ReadStatus ReadText(const std::string& name, std::string& text, std::size_t maxLength) override {
        // The size the ANSI call reports can be that of the stored wide text,
        // or of the text in UTF-8, up to three bytes a character: allow for
        // it, and check the real length, in characters, once read.
        const DWORD limit = static_cast<DWORD>(3 * (maxLength + 2));
        std::vector<char> buffer(64);
        // The value can change between calls; a few rounds settle it.
        for (int round = 0; round < 4; ++round) {
            DWORD type = 0, size = static_cast<DWORD>(buffer.size());
            const LONG rc = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
            if (rc == ERROR_FILE_NOT_FOUND) return ReadStatus::Missing;
            if (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
                if (type != REG_SZ && type != REG_EXPAND_SZ) return ReadStatus::WrongType;
            }
            if (rc == ERROR_MORE_DATA) {
                if (size > limit) return ReadStatus::TooLong;
                buffer.resize(size);
                continue;
            }
            if (rc != ERROR_SUCCESS) return ReadStatus::Failed;
            // The data may lack its terminating zero, or hold text after an
            // embedded one: the text ends at the first zero or at the end.
            const std::size_t stored = size <= buffer.size() ? size : buffer.size();
            std::size_t length = 0;
            while (length < stored && buffer[length] != '\0') ++length;
            if (length > maxLength &&
                static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, buffer.data(), static_cast<int>(length),
                                                             nullptr, 0)) > maxLength)
                return ReadStatus::TooLong;
            text.assign(buffer.data(), length);
            return ReadStatus::Ok;
        }
        return ReadStatus::Failed;
    }

    bool WriteText(const std::string& name, const std::string& text) override {
        return RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    }

private:
    RegKey key_;
    REGSAM access_;
};
}  // namespace

bool DeleteKeyTree(HKEY parent, const std::string& name) { return DeleteTree(parent, name, 0); }

std::unique_ptr<StoreKey> RegistryKeyStore::OpenForReading(KeyRoot root, const std::string& path) {
    RegKey key = Open(RootKey(root), path, kReadAccess);
    if (!key) return nullptr;
    return std::make_unique<RegistryKey>(std::move(key), kReadAccess);
}

std::unique_ptr<StoreKey> RegistryKeyStore::OpenForWriting(KeyRoot root, const std::string& path) {
    RegKey key = Create(RootKey(root), path);
    if (!key) return nullptr;
    return std::make_unique<RegistryKey>(std::move(key), kFullAccess);
}

}  // namespace orvik
