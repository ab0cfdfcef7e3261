// The Utilities page of the command panel: the public utility classes by name. Choosing one opens it
// (BeginEditParams, where it adds its own rollup pages); the page's Close button, choosing another one,
// closing the command panel or the utility's own call of IUtil::CloseUtility closes it (EndEditParams).
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "HostUi.h"
#include "hostcore.h"
#include "utilapi.h"

namespace {

// The page, in dialog units.
constexpr short kWidth = 108, kHeight = 92;

class UtilitiesPage : public IUtil {
public:
    static UtilitiesPage& Get() {
        static UtilitiesPage page;
        return page;
    }

    HWND Show() {
        if (page_ && IsWindow(page_)) return page_;
        DialogTemplate tmpl(WS_CHILD | WS_VISIBLE, kWidth, kHeight, L"", 9, HostUi::UiFontFace());
        tmpl.Add(L"LISTBOX", HostUi::kUtilityList, L"", 4, 4, kWidth - 8, kHeight - 26,
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY |
                     LBS_NOINTEGRALHEIGHT)
            .Add(L"BUTTON", HostUi::kUtilityClose, L"Close", kWidth / 2 - 25, kHeight - 18, 50, 14);
        page_ = GetCOREInterface()->AddRollupPage(HostUi::Module(), tmpl.Get(), Proc, HOST_UTILITIES_TITLE,
                                                  reinterpret_cast<LPARAM>(this));
        return page_;
    }

    // Lists the public utility classes registered now; their names are copied at once, since a
    // descriptor may answer its name in a buffer it shares with others.
    void Refresh() {
        Close();
        utilities_.clear();
        HostCore& host = HostCore::Get();
        for (int i = 0; i < host.NumClasses(); ++i) {
            ClassDesc* d = host.GetClassDesc(i);
            if (d->SuperClassID() == UTILITY_CLASS_ID && d->IsPublic()) {
                const MCHAR* name = d->ClassName();
                utilities_.push_back({d, name ? name : L""});
            }
        }
        if (!page_) return;
        HWND list = GetDlgItem(page_, HostUi::kUtilityList);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const Entry& u : utilities_)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u.name.c_str()));
        UpdateControls();
    }

    bool Open(int i) {
        Close();
        if (i < 0 || i >= static_cast<int>(utilities_.size())) return false;
        auto* util = static_cast<UtilityObj*>(utilities_[static_cast<size_t>(i)].desc->Create(FALSE));
        if (!util) return false;
        open_ = util;
        openIndex_ = i;
        UpdateControls();
        util->BeginEditParams(GetCOREInterface(), this);
        return true;
    }

    void Close() {
        if (!open_) return;
        UtilityObj* util = open_;
        open_ = nullptr;  // a utility that calls CloseUtility from its EndEditParams closes nothing twice
        openIndex_ = -1;
        util->EndEditParams(GetCOREInterface(), this);
        util->DeleteThis();
        UpdateControls();
    }

    int OpenIndex() const { return openIndex_; }
    int Count() const { return static_cast<int>(utilities_.size()); }
    ClassDesc* Class(int i) const {
        return i >= 0 && i < Count() ? utilities_[static_cast<size_t>(i)].desc : nullptr;
    }

    // IUtil
    void CloseUtility() override { Close(); }

private:
    struct Entry {
        ClassDesc* desc;
        std::wstring name;
    };

    void UpdateControls() {
        if (!page_ || !IsWindow(page_)) return;
        SendDlgItemMessageW(page_, HostUi::kUtilityList, LB_SETCURSEL, static_cast<WPARAM>(openIndex_), 0);
        EnableWindow(GetDlgItem(page_, HostUi::kUtilityClose), open_ != nullptr);
    }

    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
        UtilitiesPage& self = Get();
        switch (msg) {
            case WM_INITDIALOG:
                self.page_ = dlg;
                for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(HostUi::UiFont()), FALSE);
                self.Refresh();
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) == HostUi::kUtilityList && HIWORD(wParam) == LBN_SELCHANGE) {
                    const int sel =
                        static_cast<int>(SendDlgItemMessageW(dlg, HostUi::kUtilityList, LB_GETCURSEL, 0, 0));
                    if (sel != self.openIndex_) self.Open(sel);
                } else if (LOWORD(wParam) == HostUi::kUtilityClose && HIWORD(wParam) == BN_CLICKED) {
                    self.Close();
                }
                return TRUE;
            case WM_DESTROY:
                self.Close();
                self.page_ = nullptr;
                return TRUE;
            default:
                return FALSE;
        }
    }

    std::vector<Entry> utilities_;
    HWND page_ = nullptr;
    UtilityObj* open_ = nullptr;
    int openIndex_ = -1;
};

}  // namespace

HWND HostUi::ShowUtilitiesPage() { return UtilitiesPage::Get().Show(); }

void HostUi::RefreshUtilities() { UtilitiesPage::Get().Refresh(); }

bool HostUi::OpenUtility(int i) { return UtilitiesPage::Get().Open(i); }

void HostUi::CloseUtility() { UtilitiesPage::Get().Close(); }

int HostUi::OpenUtilityIndex() { return UtilitiesPage::Get().OpenIndex(); }

int HostUi::NumUtilities() { return UtilitiesPage::Get().Count(); }

ClassDesc* HostUi::UtilityClass(int i) { return UtilitiesPage::Get().Class(i); }
