// A system function looked up on its first call, for the libraries that
// the start does not use (MCI, the file dialogs): their load is paid by the
// first use instead of by every start. nullptr when the library or the
// function is missing.
#pragma once
#include <windows.h>

namespace orvik {

template <typename Function>
Function* LateBound(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);
    if (!module) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace orvik
