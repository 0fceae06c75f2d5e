#include "shell/win32/RegistryStorage.h"

#include "app/win32/Application.h"
#include "platform/win32/RegistryKeyStore.h"

namespace orvik {

namespace {
KeyStore& Registry() {
    static RegistryKeyStore registry;
    return registry;
}
}  // namespace

TFormStorage::TFormStorage(MediaList& list)
    : FormStorage(Registry(), list, StoreKeyPath(Application::Instance().ExePath())) {
    OnError = [](const std::exception& e) { Application::Instance().ShowException(e); };
}

TFormStorage::~TFormStorage() { FormDestroy(); }

}  // namespace orvik
