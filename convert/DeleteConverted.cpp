#include "DeleteConverted.h"

#include <unordered_set>

namespace {

// Whether every maker that refers to x is going.
bool OnlyUsedBy(ReferenceTarget* x, const std::unordered_set<ReferenceTarget*>& going) {
    DependentIterator it(x);
    while (ReferenceMaker* m = it.Next())
        if (!m->IsRefTarget() || !going.count(static_cast<ReferenceTarget*>(m))) return false;
    return true;
}

}  // namespace

void DeleteConverted(const std::vector<ReferenceTarget*>& made, ConversionMap& map) {
    // What goes: the unreferenced objects given, then whatever only going objects refer to. Scene nodes
    // belong to the scene and never go this way.
    std::unordered_set<ReferenceTarget*> going;
    std::vector<ReferenceTarget*> roots;  // each once
    for (ReferenceTarget* m : made)
        if (m && !m->HasDependents() && going.insert(m).second) roots.push_back(m);
    std::vector<ReferenceTarget*> below;
    std::unordered_set<ReferenceTarget*> seen;
    std::vector<ReferenceTarget*> stack = roots;
    while (!stack.empty()) {
        ReferenceTarget* t = stack.back();
        stack.pop_back();
        for (int i = 0, n = t->NumRefs(); i < n; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (!r || going.count(r) || r->SuperClassID() == BASENODE_CLASS_ID || !seen.insert(r).second)
                continue;
            below.push_back(r);
            stack.push_back(r);
        }
    }
    for (bool more = true; more;) {
        more = false;
        for (ReferenceTarget*& r : below)
            if (r && OnlyUsedBy(r, going)) {
                going.insert(r);
                r = nullptr;
                more = true;
            }
    }

    for (int i = 0; i < map.Count(); ++i)
        if (map[i].second && going.count(map[i].second)) map.Remove(map[i].first, map.KindAt(i));

    // Made with recording suspended, they never existed for undo; neither does their deletion.
    SuspendAll suspend(TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
    for (ReferenceTarget* m : roots) m->MaybeAutoDelete();
}
