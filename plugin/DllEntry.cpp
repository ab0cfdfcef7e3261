// The module's entry points: DllMain and the six exports the host looks up by their undecorated names.
// Every answer comes from the descriptor list.

#include "ClassDescs.h"
#include "ModuleObjects.h"
#include "resource.h"

#define TVL_EXPORT extern "C" __declspec(dllexport)

// The C runtime calls DllMain by its C name.
extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID) {
    if (fdwReason == DLL_PROCESS_ATTACH) {
        hInstance = hinstDLL;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

TVL_EXPORT const MCHAR* LibDescription() { return LoadResString(IDS_LIB_DESCRIPTION); }

TVL_EXPORT int LibNumberClasses() {
    BuildClassDescList();
    return theClassDescList.Count();
}

TVL_EXPORT ClassDesc* LibClassDesc(int i) {
    BuildClassDescList();
    return i >= 0 && i < theClassDescList.Count() ? theClassDescList[i] : nullptr;
}

TVL_EXPORT ULONG LibVersion() { return VERSION_3DSMAX; }

TVL_EXPORT int LibInitialize() {
    BuildClassDescList();
    return TRUE;
}

// The host may put off loading the module until one of its classes is needed.
TVL_EXPORT int CanAutoDefer() { return TRUE; }
