#pragma once

#include "MtlConvList.h"
#include "ReferenceHolder.h"
#include "notify.h"

// What the material converter's panel shows of the state; the panel installs itself while it is open.
class MtlConverterView : public MtlConvListListener {
public:
    // The reference material or the options changed: the panel refreshes its controls.
    virtual void UpdateControls() = 0;

protected:
    ~MtlConverterView() = default;
};

// The material converter's state between user actions: the conversion list and the reference material.
// Both outlive the panel and are forgotten when the host resets, starts a new scene or opens a file.
class MtlConverterState {
public:
    MtlConverterState() = default;
    MtlConverterState(const MtlConverterState&) = delete;
    MtlConverterState& operator=(const MtlConverterState&) = delete;

    MtlConvList& List() { return list_; }
    Mtl* GetReferenceMaterial() { return static_cast<Mtl*>(reference_.GetOnlyRef()); }
    void SetReferenceMaterial(Mtl* m) { reference_.SetOnlyRef(m); }
    ReferenceHolder& ReferenceMaterialHolder() { return reference_; }

    void SetView(MtlConverterView* view) {
        view_ = view;
        list_.SetListener(view);
    }
    MtlConverterView* View() { return view_; }

    // Empties the list and forgets the reference material, refreshing the panel if it is open.
    void Reset();

    // The host's notification procedure for reset, new scene and file open; it resets the one state of
    // the process whatever param is.
    static void OnSceneReset(void* param, NotifyInfo* info);

private:
    MtlConvList list_;
    ReferenceHolder reference_;
    MtlConverterView* view_ = nullptr;
};

// The one material converter state of the process.
MtlConverterState& TheMtlConverterState();

// Has the host call OnSceneReset on reset, file open and new scene; the plug-in does it when it is
// loaded, and so does a host program that runs the converter without loading the plug-in. Only the first
// call of the process registers.
void RegisterMtlConverterNotifications();
