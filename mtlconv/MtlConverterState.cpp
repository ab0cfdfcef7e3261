#include "MtlConverterState.h"

void MtlConverterState::Reset() {
    list_.Clear();
    list_.NotifyChanged();
    reference_.SetOnlyRef(nullptr);
    if (view_) view_->UpdateControls();
}

void MtlConverterState::OnSceneReset(void*, NotifyInfo*) { TheMtlConverterState().Reset(); }

MtlConverterState& TheMtlConverterState() {
    static MtlConverterState state;
    return state;
}
