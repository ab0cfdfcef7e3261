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

void RegisterMtlConverterNotifications() {
    // The host calls every registration, so a second call must not register again.
    static bool registered = false;
    if (registered) return;
    registered = true;
    for (int code : {NOTIFY_SYSTEM_PRE_RESET, NOTIFY_FILE_PRE_OPEN, NOTIFY_SYSTEM_PRE_NEW})
        RegisterNotification(MtlConverterState::OnSceneReset, nullptr, code);
}
