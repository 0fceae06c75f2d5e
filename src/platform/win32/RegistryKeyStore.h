// The keyed store on the system registry: LocalMachine is HKEY_LOCAL_MACHINE,
// CurrentUser HKEY_CURRENT_USER. Defensive about what it reads: types and
// sizes are checked, a missing terminating zero is supplied, and every key
// is closed on every path.
#pragma once
#include <windows.h>

#include "app/win32/Owned.h"
#include "platform/KeyStore.h"

namespace orvik {

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
