#pragma once

// The host's custom controls and drag and drop. Dialog templates name the controls by their window
// classes; a plug-in reaches one through its interface, taken with Get... and always given back with
// Release... The window side is present in the Windows build only.
#include "WindowsDefines.h"
#include "coreexp.h"
#include "maxtypes.h"
#include "plugapi.h"

class ReferenceTarget;

#define CUSTBUTTONWINDOWCLASS _M("CustButton")
#define CUSTEDITWINDOWCLASS _M("CustEdit")

// What a control can be dragged from and dropped onto. The host asks the manager of the control under the
// cursor; a plug-in derives from it and answers for its own controls.
class CoreExport DADMgr {
public:
    virtual ~DADMgr();
    // The super class of what can be dragged from hwnd at p, 0 when nothing.
    virtual SClass_ID GetDragType(HWND hwnd, POINT p) = 0;
    virtual BOOL IsNew(HWND hwnd, POINT p, SClass_ID type) {
        (void)hwnd;
        (void)p;
        (void)type;
        return FALSE;
    }
    virtual BOOL OkToDrop(ReferenceTarget* dropThis, HWND hfrom, HWND hto, POINT p, SClass_ID type,
                          BOOL isNew = FALSE) = 0;
    // What a drag from hwnd at p carries.
    virtual ReferenceTarget* GetInstance(HWND hwnd, POINT p, SClass_ID type) = 0;
    virtual void Drop(ReferenceTarget* dropThis, HWND hwnd, POINT p, SClass_ID type, DADMgr* srcMgr = nullptr,
                      BOOL bSrcClone = FALSE) = 0;
    virtual BOOL CopyOnly(HWND hwnd, POINT p, SClass_ID type) {
        (void)hwnd;
        (void)p;
        (void)type;
        return FALSE;
    }
    virtual BOOL AutoTooltip() { return FALSE; }
};

class CoreExport ICustomControl {
public:
    virtual ~ICustomControl();
    virtual HWND GetHwnd() = 0;
    virtual void Enable(BOOL onOff = TRUE) = 0;
    virtual void Disable() = 0;
    virtual BOOL IsEnabled() = 0;
};

class CoreExport ICustEdit : public ICustomControl {
public:
    ~ICustEdit() override;
    // Copies at most ct characters, the terminating null included.
    virtual void GetText(MCHAR* text, int ct) = 0;
    virtual void SetText(const MCHAR* text) = 0;
};

class CoreExport ICustButton : public ICustomControl {
public:
    ~ICustButton() override;
    virtual void GetText(MCHAR* text, int ct) = 0;
    virtual void SetText(const MCHAR* text) = 0;
    virtual void SetDADMgr(DADMgr* dad) = 0;
    virtual DADMgr* GetDADMgr() = 0;
};

// Null when hCtrl is not a control of that class.
CoreExport ICustButton* GetICustButton(HWND hCtrl);
CoreExport void ReleaseICustButton(ICustButton* icb);
CoreExport ICustEdit* GetICustEdit(HWND hCtrl);
CoreExport void ReleaseICustEdit(ICustEdit* ice);
