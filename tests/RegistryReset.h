// Shared by the Win32 and end-to-end tests: takes write rights away from a
// store key, and removes a store key under both roots, first giving back
// write rights that a test may have taken away.
#pragma once
#include <windows.h>
#include <sddl.h>
#include <shlwapi.h>

inline void ResetStoreKey(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KA;;;WD)", SDDL_REVISION_1, &sd, nullptr)) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
            LocalFree(sd);
        }
        RegCloseKey(key);
    }
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, path);
    SHDeleteKeyA(HKEY_CURRENT_USER, path);
}

// Leaves the key readable but not writable (no values, no subkeys, no
// deleting) for everyone; false when its rights could not be changed.
inline bool DenyStoreWrites(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
    PSECURITY_DESCRIPTOR sd = nullptr;
    bool done = false;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;0x10006;;;WD)(A;;KR;;;WD)", SDDL_REVISION_1, &sd,
                                                             nullptr)) {
        done = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
        LocalFree(sd);
    }
    RegCloseKey(key);
    return done;
}
