#pragma once

#include <memory>
#include <string>
#include <vector>

#include "maxapi.h"
#include "notify.h"

// Receives what the host's progress bar shows; the host tool draws it on a terminal.
class CoreExport ProgressSink {
public:
    virtual ~ProgressSink();
    virtual void OnStart(const MCHAR* title) { (void)title; }
    virtual void OnUpdate(int pct, const MCHAR* title) {
        (void)pct;
        (void)title;
    }
    virtual void OnEnd() {}
};

// Offered by objects whose references from some index on form a list of any length (a material's zones,
// a zone's strokes, a line effect's line sets), so that the host can restore such lists from a scene file.
#define HOST_REF_LIST_INTERFACE_ID Interface_ID(0x7E570100, 0x00000001)
class CoreExport IRefList : public BaseInterface {
public:
    ~IRefList() override;
    Interface_ID GetID() override { return HOST_REF_LIST_INTERFACE_ID; }
    virtual int RefListStart() = 0;
    // The object then holds exactly these entries, in order, from RefListStart on.
    virtual void SetRefList(const Tab<ReferenceTarget*>& items) = 0;
};

// The stand-in host itself: what the host application does beyond the plug-in interface. It keeps
// the class registry, the scene (node tree, material editor, render effects, time) and the progress bar,
// and it resets the scene.
class CoreExport HostCore : public Interface7 {
public:
    static HostCore& Get();

    // The material editor's slots (NumMtlSlots).
    static constexpr int kNumMtlSlots = 24;

    // ---- class registry ----
    // Registers a class under the name of the product that offers it. A class can be unloaded one by
    // one or with its whole product; CreateInstance answers null for an unloaded class.
    void AddClass(ClassDesc* cd, const MCHAR* product);
    ClassDesc* FindClass(SClass_ID superID, Class_ID classID);
    ClassDesc* FindClassByName(const MCHAR* internalName);
    int NumClasses() const;
    ClassDesc* GetClassDesc(int i) const;
    MSTR GetClassProduct(int i) const;
    void SetClassLoaded(SClass_ID superID, Class_ID classID, bool loaded);
    void SetProductLoaded(const MCHAR* product, bool loaded);
    bool IsClassLoaded(SClass_ID superID, Class_ID classID);

    // ---- scene ----
    INode* CreateNode(const MCHAR* name, INode* parent = nullptr);
    // Visits every node below the root, depth first, each node before its children.
    template <class F>
    void ForEachNode(F f) {
        Walk(GetRootNode(), f);
    }
    // Clears the scene and the undo stacks and frees every object, as the host's Reset does; code is
    // one of NOTIFY_SYSTEM_PRE_RESET, NOTIFY_SYSTEM_PRE_NEW or NOTIFY_FILE_PRE_OPEN, broadcast first.
    void ResetScene(int code = NOTIFY_SYSTEM_PRE_RESET);
    int NumLiveObjects() const;

    // ---- undo ----
    BOOL Undo();
    BOOL Redo();

    // ---- progress and redraws ----
    void SetProgressSink(ProgressSink* sink) { progressSink_ = sink; }
    int NumRedraws() const { return redraws_; }
    bool ProgressActive() const { return progressActive_; }

    // ---- Interface ----
    void* CreateInstance(SClass_ID superID, Class_ID classID) override;
    TimeValue GetTime() override { return time_; }
    void SetTime(TimeValue t, BOOL redraw = TRUE) override;
    void SetAnimateButtonState(BOOL onOff) override;
    INode* GetRootNode() override;
    MtlBase* GetMtlSlot(int slot) override;
    int NumEffects() override;
    Effect* GetEffect(int i) override;
    void AddEffect(Effect* eff) override;
    void DeleteEffect(int i) override;
    BOOL ProgressStart(MCHAR* title, BOOL dispBar, LPTHREAD_START_ROUTINE fn, LPVOID arg) override;
    void ProgressUpdate(int pct, BOOL showPct = TRUE, const MCHAR* title = nullptr) override;
    void ProgressEnd() override;
    BOOL GetCancel() override { return cancel_; }
    void SetCancel(BOOL sw) override { cancel_ = sw; }
    void ForceCompleteRedraw(BOOL doDisabled = TRUE) override;
    HWND GetMAXHWnd() override { return mainWindow_; }
    MtlBase* DoMaterialBrowseDlg(HWND hParent, DWORD flags, BOOL& newMat, BOOL& cancel) override;
    HWND AddRollupPage(HINSTANCE hInst, const MCHAR* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                       LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) override;
    HWND AddRollupPage(HINSTANCE hInst, DLGTEMPLATE* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                       LPARAM param = 0, DWORD flags = 0, int category = ROLLUP_CAT_STANDARD) override;
    void DeleteRollupPage(HWND hRollup) override;

    // ---- Interface7 ----
    void SetMtlSlot(int i, MtlBase* m) override;
    int NumMtlSlots() override { return kNumMtlSlots; }

    // The window services, where the window system is present, install themselves here.
    void SetMainWindow(HWND hwnd) { mainWindow_ = hwnd; }

private:
    HostCore();
    ~HostCore() override;
    template <class F>
    static void Walk(INode* n, F& f) {
        for (int i = 0; i < n->NumberOfChildren(); ++i) {
            INode* c = n->GetChildNode(i);
            f(c);
            Walk(c, f);
        }
    }

    struct Impl;
    Impl* impl_;
    TimeValue time_ = 0;
    BOOL cancel_ = FALSE;
    bool progressActive_ = false;
    int redraws_ = 0;
    ProgressSink* progressSink_ = nullptr;
    HWND mainWindow_ = nullptr;
};
