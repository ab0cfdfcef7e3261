#include "ResString.h"

const MCHAR* LoadResString(int id) {
    static MCHAR buffer[512];
    if (!hInstance) return nullptr;
    return LoadStringW(hInstance, static_cast<UINT>(id), buffer, sizeof(buffer) / sizeof(buffer[0])) > 0
               ? buffer
               : nullptr;
}
