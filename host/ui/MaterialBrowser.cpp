// The material/map browser: a modal list of the scene's materials and maps, from the nodes (with their
// sub-materials and sub-maps, to any depth) and the material editor's slots, each listed once.
#include <set>
#include <vector>

#include "DialogTemplate.h"
#include "HostUi.h"
#include "hostcore.h"
#include "winutil.h"

namespace {

// The dialog, in dialog units.
constexpr short kWidth = 220, kHeight = 200;

struct Browse {
    std::vector<MtlBase*> entries;  // in list order; null is "None"
    MtlBase* chosen = nullptr;
};

class Collector {
public:
    explicit Collector(DWORD flags) : flags_(flags) {}
    void Visit(MtlBase* m) {
        if (!m || !seen_.insert(m).second) return;
        const bool isMtl = m->SuperClassID() == MATERIAL_CLASS_ID;
        if (isMtl ? !(flags_ & BROWSE_MAPSONLY) : !(flags_ & BROWSE_MATSONLY)) found.push_back(m);
        if (isMtl)
            if (Mtl* mtl = dynamic_cast<Mtl*>(m))
                for (int i = 0; i < mtl->NumSubMtls(); ++i) Visit(mtl->GetSubMtl(i));
        for (int i = 0; i < m->NumSubTexmaps(); ++i) Visit(m->GetSubTexmap(i));
    }
    std::vector<MtlBase*> found;

private:
    DWORD flags_;
    std::set<MtlBase*> seen_;
};

std::vector<MtlBase*> SceneEntries(DWORD flags) {
    HostCore& host = HostCore::Get();
    Collector c(flags);
    if (flags & BROWSE_INCNONE) c.found.push_back(nullptr);
    host.ForEachNode([&](INode* n) { c.Visit(n->GetMtl()); });
    for (int i = 0; i < host.NumMtlSlots(); ++i) c.Visit(host.GetMtlSlot(i));
    return c.found;
}

void UpdateOk(HWND dlg) {
    EnableWindow(GetDlgItem(dlg, IDOK),
                 SendDlgItemMessageW(dlg, HostUi::kBrowserList, LB_GETCURSEL, 0, 0) != LB_ERR);
}

INT_PTR CALLBACK BrowseProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* browse = reinterpret_cast<Browse*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            browse = reinterpret_cast<Browse*>(lParam);
            HWND list = GetDlgItem(dlg, HostUi::kBrowserList);
            for (MtlBase* m : browse->entries)
                SendMessageW(list, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(m ? m->GetFullName().data() : HOST_BROWSER_NONE));
            if (!browse->entries.empty()) SendMessageW(list, LB_SETCURSEL, 0, 0);
            UpdateOk(dlg);
            CenterWindow(dlg, GetParent(dlg));
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case HostUi::kBrowserList:
                    if (HIWORD(wParam) == LBN_SELCHANGE) UpdateOk(dlg);
                    if (HIWORD(wParam) != LBN_DBLCLK) return TRUE;
                    [[fallthrough]];
                case IDOK: {
                    const LRESULT sel = SendDlgItemMessageW(dlg, HostUi::kBrowserList, LB_GETCURSEL, 0, 0);
                    if (sel == LB_ERR) return TRUE;
                    browse->chosen = browse->entries[static_cast<size_t>(sel)];
                    EndDialog(dlg, IDOK);
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dlg, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace

MtlBase* HostUi::BrowseMaterial(HWND hParent, DWORD flags, BOOL& cancel) {
    Browse browse;
    // The list keeps the entries' order: scene order, not sorted by name.
    browse.entries = SceneEntries(flags);
    DialogTemplate tmpl(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, kWidth, kHeight,
                        HOST_BROWSER_CAPTION, 9, UiFontFace());
    tmpl.Add(L"LISTBOX", kBrowserList, L"", 7, 7, kWidth - 14, kHeight - 36,
             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT)
        .Add(L"BUTTON", IDOK, L"OK", kWidth - 118, kHeight - 23, 52, 16,
             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON)
        .Add(L"BUTTON", IDCANCEL, L"Cancel", kWidth - 59, kHeight - 23, 52, 16,
             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
    const INT_PTR answer =
        DialogBoxIndirectParamW(Module(), tmpl.Get(), hParent, BrowseProc, reinterpret_cast<LPARAM>(&browse));
    cancel = answer != IDOK;
    return cancel ? nullptr : browse.chosen;
}
