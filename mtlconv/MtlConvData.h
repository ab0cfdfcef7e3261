#pragma once

#include "max.h"

// One entry of the conversion list. The texts are taken when the entry is made and never refreshed, so
// the list shows what the user chose even after a material is renamed.
struct MtlConvData {
    MtlBase* material = nullptr;
    WStr fullName;  // what the panel's list shows
    WStr className;
    WStr name;

    static MtlConvData Of(MtlBase* m) {
        MtlConvData d;
        d.material = m;
        d.fullName = m->GetFullName();
        m->GetClassName(d.className);
        d.name = m->GetName();
        return d;
    }
};
