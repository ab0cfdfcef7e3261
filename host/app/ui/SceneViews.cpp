#include "SceneViews.h"

#include <commctrl.h>

#include <map>

#include "hostcore.h"

namespace {

std::wstring ClassOf(Animatable* a) {
    MSTR cls;
    a->GetClassName(cls);
    return cls.data();
}

// Walks the materials and maps below m, each once, noting where each was met first.
class MaterialWalk {
public:
    void Visit(MtlBase* m, const std::wstring& where) {
        if (!m || seen_.count(m)) return;
        seen_[m] = rows.size();
        rows.push_back({{m->GetName().data(), ClassOf(m), where}});
        const std::wstring inside = L"in " + std::wstring(m->GetName().data());
        if (auto* mtl = dynamic_cast<Mtl*>(m))
            for (int i = 0; i < mtl->NumSubMtls(); ++i) Visit(mtl->GetSubMtl(i), inside);
        for (int i = 0; i < m->NumSubTexmaps(); ++i) Visit(m->GetSubTexmap(i), inside);
    }
    // A further use of a material already listed at the top.
    void AlsoUsed(MtlBase* m, const std::wstring& where) {
        auto it = seen_.find(m);
        if (it != seen_.end()) rows[it->second].cells[2] += L", " + where;
    }
    std::vector<SceneRow> rows;

private:
    std::map<MtlBase*, size_t> seen_;
};

}  // namespace

std::vector<SceneRow> EffectRows() {
    HostCore& host = HostCore::Get();
    std::vector<SceneRow> rows;
    for (int i = 0; i < host.NumEffects(); ++i) {
        Effect* e = host.GetEffect(i);
        if (!e) continue;
        rows.push_back({{e->name.data(), ClassOf(e), e->Active(host.GetTime()) ? L"on" : L"off"}});
    }
    return rows;
}

std::vector<SceneRow> MaterialRows() {
    HostCore& host = HostCore::Get();
    MaterialWalk walk;
    auto use = [&](MtlBase* m, const std::wstring& where) {
        const size_t before = walk.rows.size();
        walk.Visit(m, where);
        if (m && walk.rows.size() == before) walk.AlsoUsed(m, where);
    };
    host.ForEachNode([&](INode* n) { use(n->GetMtl(), n->GetName()); });
    for (int i = 0; i < host.NumMtlSlots(); ++i) use(host.GetMtlSlot(i), L"slot " + std::to_wstring(i + 1));
    return walk.rows;
}

HWND CreateSceneList(HWND parent, int id, const std::vector<std::pair<const wchar_t*, int>>& columns) {
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                    LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                0, 0, 100, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<wchar_t*>(columns[i].first);
        col.cx = columns[i].second;
        ListView_InsertColumn(list, static_cast<int>(i), &col);
    }
    return list;
}

void FillSceneList(HWND list, const std::vector<SceneRow>& rows) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].cells.size(); ++c) {
            LVITEMW item = {};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.iSubItem = static_cast<int>(c);
            item.pszText = const_cast<wchar_t*>(rows[r].cells[c].c_str());
            if (c == 0)
                ListView_InsertItem(list, &item);
            else
                ListView_SetItem(list, &item);
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}
