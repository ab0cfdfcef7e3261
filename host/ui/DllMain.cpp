// The SDK module's entry point: the custom controls' window classes exist from the moment the module is
// loaded, before any plug-in or host program can create a dialog that names them.
#include "HostUi.h"

namespace {
HINSTANCE sdkModule = nullptr;
}

HINSTANCE HostUi::Module() { return sdkModule; }

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            sdkModule = module;
            DisableThreadLibraryCalls(module);
            HostUi::RegisterControlClasses(module);
            break;
        case DLL_PROCESS_DETACH:
            HostUi::UnregisterControlClasses(module);
            break;
        default:
            break;
    }
    return TRUE;
}
