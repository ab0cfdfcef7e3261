#pragma once

#include "WindowsDefines.h"
#include "imtl.h"
#include "inode.h"
#include "plugapi.h"
#include "render.h"

#define ROLLUP_CAT_STANDARD 4000

// Material browser flags.
#define BROWSE_MATSONLY (1 << 0)
#define BROWSE_MAPSONLY (1 << 1)
#define BROWSE_INCNONE (1 << 2)
#define BROWSE_INSTANCEONLY (1 << 3)

// The host as plug-ins see it.
class CoreExport Interface {
public:
    virtual ~Interface();

    // Makes an object of a registered class; null when no loaded class answers to the identifiers.
    virtual void* CreateInstance(SClass_ID superID, Class_ID classID) = 0;

    virtual TimeValue GetTime() = 0;
    virtual void SetTime(TimeValue t, BOOL redraw = TRUE) = 0;
    virtual void SetAnimateButtonState(BOOL onOff) = 0;
    virtual INode* GetRootNode() = 0;

    // The material of an editor slot (0 to Interface7::NumMtlSlots() - 1), null for an empty slot.
    virtual MtlBase* GetMtlSlot(int slot) = 0;

    // The render-effect list.
    virtual int NumEffects() = 0;
    virtual Effect* GetEffect(int i) = 0;
    virtual void AddEffect(Effect* eff) = 0;
    virtual void DeleteEffect(int i) = 0;

    // The progress bar. GetCancel answers whether the user asked to cancel.
    virtual BOOL ProgressStart(MCHAR* title, BOOL dispBar, LPTHREAD_START_ROUTINE fn, LPVOID arg) = 0;
    virtual void ProgressUpdate(int pct, BOOL showPct = TRUE, const MCHAR* title = nullptr) = 0;
    virtual void ProgressEnd() = 0;
    virtual BOOL GetCancel() = 0;
    virtual void SetCancel(BOOL sw) = 0;

    virtual void ForceCompleteRedraw(BOOL doDisabled = TRUE) = 0;
    virtual HWND GetMAXHWnd() = 0;

    // Which map the viewports show for a material.
    void ActivateTexture(MtlBase* tx, Mtl* mtl, int subNum = -1);
    void DeActivateTexture(MtlBase* tx, Mtl* mtl, int subNum = -1);

    virtual MtlBase* DoMaterialBrowseDlg(HWND hParent, DWORD flags, BOOL& newMat, BOOL& cancel) = 0;

    // A page of the command panel: the dialog of template dlgTemplate (a resource of hInst, or one built in
    // memory) below a title bar. Answers the dialog's window, null when it could not be made.
    virtual HWND AddRollupPage(HINSTANCE hInst, const MCHAR* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                               LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) = 0;
    virtual HWND AddRollupPage(HINSTANCE hInst, DLGTEMPLATE* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                               LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) = 0;
    // Destroys the page whose dialog is hRollup (the dialog gets WM_DESTROY); any other handle is ignored.
    virtual void DeleteRollupPage(HWND hRollup) = 0;
};

class CoreExport Interface7 : public Interface {
public:
    ~Interface7() override;
    // Puts a material into an editor slot. The change is not recorded for undo.
    virtual void SetMtlSlot(int i, MtlBase* m) = 0;
    // The number of material editor slots.
    virtual int NumMtlSlots() = 0;
};

CoreExport Interface* GetCOREInterface();
CoreExport Interface7* GetCOREInterface7();
