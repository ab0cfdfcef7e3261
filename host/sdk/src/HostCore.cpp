#include "hostcore.h"

#include <map>
#include <utility>

#include "ObjectPool.h"
#include "hold.h"
#include "notify.h"

#ifdef _WIN32
#include "HostUi.h"
#endif

namespace {

// The material editor: its slots are references of the host.
class MtlEditorSlots : public ReferenceMaker {
public:
    SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }
    int NumRefs() override { return HostCore::kNumMtlSlots; }
    RefTargetHandle GetReference(int i) override {
        return i >= 0 && i < HostCore::kNumMtlSlots ? slots_[i] : nullptr;
    }
    MtlBase* Get(int i) { return i >= 0 && i < HostCore::kNumMtlSlots ? mtls_[i] : nullptr; }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i < 0 || i >= HostCore::kNumMtlSlots) return;
        slots_[i] = rtarg;
        mtls_[i] = dynamic_cast<MtlBase*>(rtarg);
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&, RefMessage message,
                               BOOL) override {
        if (message == REFMSG_TARGET_DELETED)
            for (int i = 0; i < HostCore::kNumMtlSlots; ++i)
                if (slots_[i] == hTarget) SetReference(i, nullptr);
        return REF_SUCCEED;
    }

private:
    RefTargetHandle slots_[HostCore::kNumMtlSlots] = {};
    MtlBase* mtls_[HostCore::kNumMtlSlots] = {};  // each slot as a material or map, found when it is set
};

// The render-effect list: one reference per effect, in list order.
class EffectList : public ReferenceMaker {
public:
    SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }
    int NumRefs() override { return static_cast<int>(effects_.size()); }
    RefTargetHandle GetReference(int i) override {
        return i >= 0 && i < NumRefs() ? effects_[static_cast<size_t>(i)].ref : nullptr;
    }
    Effect* Get(int i) { return i >= 0 && i < NumRefs() ? effects_[static_cast<size_t>(i)].effect : nullptr; }

    // Neither keeps undo data: whether the host does for its effect list is not documented, so a plug-in
    // that needs to undo a change of the list records it itself.
    // The entries after the one inserted or removed keep their references: only their indices move.
    void Insert(int at, Effect* eff) {
        SuspendAll suspend(TRUE);
        effects_.insert(effects_.begin() + at, Entry{});
        ReplaceReference(at, eff);
    }
    void Remove(int at) {
        SuspendAll suspend(TRUE);
        ReplaceReference(at, nullptr);
        effects_.erase(effects_.begin() + at);
    }
    void Clear() {
        DeleteAllRefs();
        effects_.clear();
    }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i >= 0 && i < NumRefs()) effects_[static_cast<size_t>(i)] = {rtarg, dynamic_cast<Effect*>(rtarg)};
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&, RefMessage message,
                               BOOL) override {
        if (message == REFMSG_TARGET_DELETED)
            for (Entry& e : effects_)
                if (e.ref == hTarget) e = Entry{};
        return REF_SUCCEED;
    }

private:
    // The reference, and the same object as an effect (or null), found when the reference is set.
    struct Entry {
        RefTargetHandle ref = nullptr;
        Effect* effect = nullptr;
    };
    std::vector<Entry> effects_;
};

struct Registered {
    ClassDesc* desc;
    MSTR product;
    bool loaded;
};

}  // namespace

struct HostCore::Impl {
    std::vector<Registered> classes;
    std::map<std::pair<SClass_ID, std::pair<ULONG, ULONG>>, size_t> byId;
    INode* root = nullptr;
    MtlEditorSlots medit;
    EffectList effects;

    Registered* Find(SClass_ID sid, Class_ID cid) {
        auto it = byId.find({sid, {cid.PartA(), cid.PartB()}});
        return it == byId.end() ? nullptr : &classes[it->second];
    }
};

HostCore& HostCore::Get() {
    static HostCore host;
    return host;
}

Interface* GetCOREInterface() { return &HostCore::Get(); }
Interface7* GetCOREInterface7() { return &HostCore::Get(); }

HostCore::HostCore() : impl_(new Impl) {}

HostCore::~HostCore() {
    theHold.ClearUndoStacks();
    HostObjectPool::FreeAll();
    delete impl_;
}

// ---- class registry ----

void HostCore::AddClass(ClassDesc* cd, const MCHAR* product) {
    if (!cd) return;
    auto key =
        std::make_pair(cd->SuperClassID(), std::make_pair(cd->ClassID().PartA(), cd->ClassID().PartB()));
    auto it = impl_->byId.find(key);
    if (it != impl_->byId.end()) {
        impl_->classes[it->second] = {cd, MSTR(product), true};
        return;
    }
    impl_->byId[key] = impl_->classes.size();
    impl_->classes.push_back({cd, MSTR(product), true});
}

ClassDesc* HostCore::FindClass(SClass_ID superID, Class_ID classID) {
    Registered* r = impl_->Find(superID, classID);
    return r ? r->desc : nullptr;
}

ClassDesc* HostCore::FindClassByName(const MCHAR* internalName) {
    if (!internalName) return nullptr;
    for (Registered& r : impl_->classes) {
        const MCHAR* n = r.desc->InternalName();
        if (n && MSTR(n) == internalName) return r.desc;
    }
    return nullptr;
}

int HostCore::NumClasses() const { return static_cast<int>(impl_->classes.size()); }

ClassDesc* HostCore::GetClassDesc(int i) const {
    return i >= 0 && i < NumClasses() ? impl_->classes[static_cast<size_t>(i)].desc : nullptr;
}

MSTR HostCore::GetClassProduct(int i) const {
    return i >= 0 && i < NumClasses() ? impl_->classes[static_cast<size_t>(i)].product : MSTR();
}

void HostCore::SetClassLoaded(SClass_ID superID, Class_ID classID, bool loaded) {
    if (Registered* r = impl_->Find(superID, classID)) r->loaded = loaded;
}

void HostCore::SetProductLoaded(const MCHAR* product, bool loaded) {
    for (Registered& r : impl_->classes)
        if (r.product == product) r.loaded = loaded;
}

bool HostCore::IsClassLoaded(SClass_ID superID, Class_ID classID) {
    Registered* r = impl_->Find(superID, classID);
    return r && r->loaded;
}

void* HostCore::CreateInstance(SClass_ID superID, Class_ID classID) {
    Registered* r = impl_->Find(superID, classID);
    if (!r || !r->loaded) return nullptr;
    return r->desc->Create(FALSE);
}

// ---- scene ----

void HostCore::SetTime(TimeValue t, BOOL) { time_ = t; }

void HostCore::SetAnimateButtonState(BOOL onOff) { onOff ? AnimateOn() : AnimateOff(); }

INode* HostCore::GetRootNode() {
    if (!impl_->root) {
        impl_->root = new INode;
        impl_->root->SetName(_M("Scene Root"));
    }
    return impl_->root;
}

INode* HostCore::CreateNode(const MCHAR* name, INode* parent) {
    INode* n = new INode;
    n->SetName(name ? name : _M(""));
    (parent ? parent : GetRootNode())->AttachChild(n);
    return n;
}

void HostCore::ResetScene(int code) {
    BroadcastNotification(code);
    theHold.ClearUndoStacks();
    impl_->effects.Clear();
    for (int i = 0; i < HostCore::kNumMtlSlots; ++i) {
        SuspendAll suspend(TRUE);
        impl_->medit.ReplaceReference(i, nullptr);
    }
    HostObjectPool::FreeAll();
    impl_->root = nullptr;
    time_ = 0;
    AnimateOff();
    cancel_ = FALSE;
    progressActive_ = false;
#ifdef _WIN32
    HostUi::EndProgress();
#endif
}

int HostCore::NumLiveObjects() const { return HostObjectPool::Count(); }

MtlBase* HostCore::GetMtlSlot(int slot) { return impl_->medit.Get(slot); }

void HostCore::SetMtlSlot(int i, MtlBase* m) {
    if (i < 0 || i >= HostCore::kNumMtlSlots) return;
    SuspendAll suspend(TRUE);
    impl_->medit.ReplaceReference(i, m);
}

// ---- render effects ----

int HostCore::NumEffects() { return impl_->effects.NumRefs(); }

Effect* HostCore::GetEffect(int i) { return impl_->effects.Get(i); }

void HostCore::AddEffect(Effect* eff) {
    if (eff) impl_->effects.Insert(NumEffects(), eff);
}

void HostCore::DeleteEffect(int i) {
    if (i >= 0 && i < NumEffects()) impl_->effects.Remove(i);
}

// ---- undo ----

BOOL HostCore::Undo() {
    BOOL done = theHold.Undo();
    if (done) ForceCompleteRedraw();
    return done;
}

BOOL HostCore::Redo() {
    BOOL done = theHold.Redo();
    if (done) ForceCompleteRedraw();
    return done;
}

// ---- progress, redraws, window services ----

// Where the window system is present the progress bar is also a window (host/ui) whose Cancel button
// sets the cancel flag; the sink, if any, sees the same calls.
BOOL HostCore::ProgressStart(MCHAR* title, BOOL, LPTHREAD_START_ROUTINE fn, LPVOID arg) {
    cancel_ = FALSE;
    progressActive_ = true;
    if (progressSink_) progressSink_->OnStart(title);
#ifdef _WIN32
    HostUi::ShowProgress(title);
#endif
    if (fn) fn(arg);
    return TRUE;
}

void HostCore::ProgressUpdate(int pct, BOOL showPct, const MCHAR* title) {
#ifdef _WIN32
    HostUi::MoveProgress(pct, showPct, title);
#else
    (void)showPct;
#endif
    if (progressSink_) progressSink_->OnUpdate(pct, title);
}

void HostCore::ProgressEnd() {
    progressActive_ = false;
#ifdef _WIN32
    HostUi::EndProgress();
#endif
    if (progressSink_) progressSink_->OnEnd();
}

void HostCore::ForceCompleteRedraw(BOOL) {
    ++redraws_;
#ifdef _WIN32
    if (mainWindow_) InvalidateRect(mainWindow_, nullptr, TRUE);
#endif
}

MtlBase* HostCore::DoMaterialBrowseDlg(HWND hParent, DWORD flags, BOOL& newMat, BOOL& cancel) {
    newMat = FALSE;
#ifdef _WIN32
    return HostUi::BrowseMaterial(hParent, flags, cancel);
#else
    (void)hParent;
    (void)flags;
    cancel = TRUE;
    return nullptr;
#endif
}

// The command panel is a window (host/ui): there is none in the native build.
#ifdef _WIN32
HWND HostCore::AddRollupPage(HINSTANCE hInst, const MCHAR* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                             LPARAM param, DWORD, int) {
    return HostUi::AddRollupPage(hInst, dlgTemplate, nullptr, dlgProc, title, param);
}

HWND HostCore::AddRollupPage(HINSTANCE hInst, DLGTEMPLATE* dlgTemplate, DLGPROC dlgProc, const MCHAR* title,
                             LPARAM param, DWORD, int) {
    return HostUi::AddRollupPage(hInst, nullptr, dlgTemplate, dlgProc, title, param);
}

void HostCore::DeleteRollupPage(HWND hRollup) { HostUi::DeleteRollupPage(hRollup); }
#else
HWND HostCore::AddRollupPage(HINSTANCE, const MCHAR*, DLGPROC, const MCHAR*, LPARAM, DWORD, int) {
    return nullptr;
}

HWND HostCore::AddRollupPage(HINSTANCE, DLGTEMPLATE*, DLGPROC, const MCHAR*, LPARAM, DWORD, int) {
    return nullptr;
}

void HostCore::DeleteRollupPage(HWND) {}
#endif

// ---- Interface ----

// What the viewports show is the host's choice; callers give a map and its material, never null.
void Interface::ActivateTexture(MtlBase* tx, Mtl* mtl, int) {
    tx->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED, TRUE);
    mtl->SetActiveTexmap(tx);
}

void Interface::DeActivateTexture(MtlBase* tx, Mtl* mtl, int) {
    tx->ClearMtlFlag(MTL_TEX_DISPLAY_ENABLED);
    if (mtl->GetActiveTexmap() == tx) mtl->SetActiveTexmap(nullptr);
}
