// The custom controls CustButton and CustEdit: the window system's push button and edit box under the
// host's class names (superclasses), each with the interface object a plug-in takes with GetICust... and
// gives back with ReleaseICust...
//
// Every control window owns one interface object, made when the window is created. Get counts a taking,
// Release a giving back. A release that matches no taking (given back twice, or never taken) is a fault
// of the caller and stops the program with a message, as memory corruption would in the host. An object
// still taken when its window is destroyed stays alive, detached from the window, until it is released.
#include <cstdio>
#include <cstdlib>
#include <set>

#include "HostUi.h"
#include "custcont.h"

namespace {

const wchar_t kControlProp[] = L"HostCustomControl";

// A custom control's class: the host's name and the system class it extends.
struct ControlClass {
    const wchar_t* name;
    const wchar_t* base;
    WNDPROC baseProc;
};
enum ControlKind { kButton, kEdit };
ControlClass controlClasses[] = {
    {CUSTBUTTONWINDOWCLASS, L"BUTTON", nullptr},
    {CUSTEDITWINDOWCLASS, L"EDIT", nullptr},
};

[[noreturn]] void Misuse(const char* what) {
    std::fprintf(stderr, "host: %s\n", what);
    std::fflush(stderr);
    OutputDebugStringA(what);
    std::abort();
}

// The interface objects alive, attached to a window or still taken after it was destroyed.
std::set<ICustomControl*>& LiveControls() {
    static std::set<ICustomControl*> live;
    return live;
}
int heldControls = 0;

template <class Base>
class ControlImpl : public Base {
public:
    explicit ControlImpl(HWND hwnd) : hwnd_(hwnd) { LiveControls().insert(this); }
    ~ControlImpl() override { LiveControls().erase(this); }

    // ICustomControl
    HWND GetHwnd() override { return hwnd_; }
    void Enable(BOOL onOff = TRUE) override {
        if (hwnd_) EnableWindow(hwnd_, onOff);
    }
    void Disable() override { Enable(FALSE); }
    BOOL IsEnabled() override { return hwnd_ && IsWindowEnabled(hwnd_); }

    // ICustEdit, ICustButton
    void GetText(MCHAR* text, int ct) override {
        if (!text || ct <= 0) return;
        text[0] = L'\0';
        if (hwnd_) GetWindowTextW(hwnd_, text, ct);
    }
    void SetText(const MCHAR* text) override {
        if (hwnd_) SetWindowTextW(hwnd_, text ? text : L"");
    }

    void Take() {
        ++taken_;
        ++heldControls;
    }
    // Answers whether the object is to be deleted now.
    bool Give(const char* misuse) {
        if (taken_ == 0) Misuse(misuse);
        --taken_;
        --heldControls;
        return !hwnd_ && taken_ == 0;
    }
    // The window is gone: answers whether the object is to be deleted now.
    bool Detach() {
        hwnd_ = nullptr;
        return taken_ == 0;
    }

protected:
    HWND hwnd_;
    int taken_ = 0;
};

class CustEditImpl : public ControlImpl<ICustEdit> {
public:
    using ControlImpl::ControlImpl;
};

ICustomControl* ControlOf(HWND hwnd) {
    return hwnd && IsWindow(hwnd) ? static_cast<ICustomControl*>(GetPropW(hwnd, kControlProp)) : nullptr;
}

// A button takes part in drag and drop through its manager: a left-button drag that starts where the
// manager answers a drag type and ends on another button whose manager accepts the dragged object drops
// it there. The button's own behaviour goes on beside it: released away from the button, it sends no click.
class CustButtonImpl : public ControlImpl<ICustButton> {
public:
    using ControlImpl::ControlImpl;
    void SetDADMgr(DADMgr* dad) override { dad_ = dad; }
    DADMgr* GetDADMgr() override { return dad_; }

    void OnMouse(UINT msg, LPARAM lParam) {
        const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        switch (msg) {
            case WM_LBUTTONDOWN:
                dragType_ = dad_ ? dad_->GetDragType(hwnd_, p) : 0;
                dragStart_ = p;
                dragging_ = false;
                break;
            case WM_MOUSEMOVE:
                if (dragType_ && (std::abs(p.x - dragStart_.x) > GetSystemMetrics(SM_CXDRAG) ||
                                  std::abs(p.y - dragStart_.y) > GetSystemMetrics(SM_CYDRAG)))
                    dragging_ = true;
                break;
            case WM_LBUTTONUP:
                if (dragging_) DropAt(p);
                dragType_ = 0;
                dragging_ = false;
                break;
            default:
                break;
        }
    }

private:
    void DropAt(POINT p) {
        POINT screen = p;
        ClientToScreen(hwnd_, &screen);
        HWND to = WindowFromPoint(screen);
        auto* target = dynamic_cast<CustButtonImpl*>(ControlOf(to));
        if (!target || target == this || !target->dad_ || !dad_) return;
        POINT at = screen;
        ScreenToClient(to, &at);
        ReferenceTarget* dropThis = dad_->GetInstance(hwnd_, dragStart_, dragType_);
        const BOOL isNew = dad_->IsNew(hwnd_, dragStart_, dragType_);
        if (target->dad_->OkToDrop(dropThis, hwnd_, to, at, dragType_, isNew))
            target->dad_->Drop(dropThis, to, at, dragType_, dad_, FALSE);
    }

    DADMgr* dad_ = nullptr;
    SClass_ID dragType_ = 0;  // while the left button is down on a draggable point
    POINT dragStart_ = {0, 0};
    bool dragging_ = false;
};

template <ControlKind Kind, class Impl>
LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC base = controlClasses[Kind].baseProc;
    switch (msg) {
        case WM_NCCREATE:
            SetPropW(hwnd, kControlProp, static_cast<ICustomControl*>(new Impl(hwnd)));
            break;
        case WM_NCDESTROY: {
            auto* impl = static_cast<Impl*>(ControlOf(hwnd));
            RemovePropW(hwnd, kControlProp);
            if (impl && impl->Detach()) delete impl;
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            if constexpr (Kind == kButton)
                if (auto* impl = static_cast<Impl*>(ControlOf(hwnd))) impl->OnMouse(msg, lParam);
            break;
        default:
            break;
    }
    return CallWindowProcW(base, hwnd, msg, wParam, lParam);
}

template <class Impl>
Impl* Get(HWND hwnd) {
    auto* impl = dynamic_cast<Impl*>(ControlOf(hwnd));
    if (impl) impl->Take();
    return impl;
}

template <class Impl, class Interface>
void Release(Interface* control, const char* misuse) {
    if (!control || !LiveControls().count(control)) Misuse(misuse);
    auto* impl = static_cast<Impl*>(control);
    if (impl->Give(misuse)) delete impl;
}

}  // namespace

void HostUi::RegisterControlClasses(HINSTANCE module) {
    const WNDPROC procs[] = {ControlProc<kButton, CustButtonImpl>, ControlProc<kEdit, CustEditImpl>};
    for (int i = 0; i < 2; ++i) {
        ControlClass& cls = controlClasses[i];
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        if (!GetClassInfoExW(nullptr, cls.base, &wc)) continue;
        cls.baseProc = wc.lpfnWndProc;
        wc.lpfnWndProc = procs[i];
        wc.hInstance = module;
        wc.lpszClassName = cls.name;
        // Global: dialog templates of every module (the plug-ins' too) find the class.
        wc.style |= CS_GLOBALCLASS;
        RegisterClassExW(&wc);
    }
}

void HostUi::UnregisterControlClasses(HINSTANCE module) {
    for (const ControlClass& cls : controlClasses) UnregisterClassW(cls.name, module);
}

int HostUi::NumHeldControls() { return heldControls; }

ICustButton* GetICustButton(HWND hCtrl) { return Get<CustButtonImpl>(hCtrl); }

void ReleaseICustButton(ICustButton* icb) {
    Release<CustButtonImpl>(icb,
                            "ReleaseICustButton: the control was not taken with GetICustButton, "
                            "or was released already");
}

ICustEdit* GetICustEdit(HWND hCtrl) { return Get<CustEditImpl>(hCtrl); }

void ReleaseICustEdit(ICustEdit* ice) {
    Release<CustEditImpl>(ice,
                          "ReleaseICustEdit: the control was not taken with GetICustEdit, "
                          "or was released already");
}
