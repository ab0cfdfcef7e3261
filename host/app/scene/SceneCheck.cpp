#include "SceneCheck.h"

#include <vector>

#include "JsonFields.h"

namespace {

// A reference or pointer from one vertex to another.
struct Link {
    int from;
    int to;
};

// The targets of each vertex's links, all in one array, in the order of the links.
class Adjacency {
public:
    void Fill(int vertices, const std::vector<Link>& links) {
        start_.assign(static_cast<size_t>(vertices) + 1, 0);
        for (const Link& l : links) ++start_[static_cast<size_t>(l.from) + 1];
        for (size_t v = 1; v < start_.size(); ++v) start_[v] += start_[v - 1];
        targets_.resize(links.size());
        std::vector<size_t> next(start_.begin(), start_.end() - 1);
        for (const Link& l : links) targets_[next[static_cast<size_t>(l.from)]++] = l.to;
    }
    const int* begin(int v) const { return targets_.data() + start_[static_cast<size_t>(v)]; }
    const int* end(int v) const { return targets_.data() + start_[static_cast<size_t>(v) + 1]; }
    size_t size(int v) const { return start_[static_cast<size_t>(v) + 1] - start_[static_cast<size_t>(v)]; }

private:
    std::vector<size_t> start_;
    std::vector<int> targets_;
};

class Checker {
public:
    explicit Checker(SceneModel& m) : m_(m), numNodes_(static_cast<int>(m.nodes.size())) {}

    void Run() {
        IndexIds();
        ResolveUses();
        FindLoopsAndOrder();
        FindUnused();
    }

private:
    int NumVertices() const { return numNodes_ + static_cast<int>(m_.objects.size()); }
    bool IsNode(int v) const { return v < numNodes_; }
    const ObjectModel& Object(int v) const { return m_.objects[static_cast<size_t>(v - numNodes_)]; }
    const std::string& PathOf(int v) const {
        return IsNode(v) ? m_.nodes[static_cast<size_t>(v)].path : Object(v).path;
    }
    std::string PathOf(const IdUse& use) const {
        return use.place.Text(use.from >= 0 ? PathOf(use.from) : std::string());
    }
    FileId IdOf(int v) const { return IsNode(v) ? m_.nodes[static_cast<size_t>(v)].id : Object(v).id; }

    void IndexIds() {
        m_.vertexOf.Reserve(static_cast<size_t>(NumVertices()));
        for (int v = 0; v < NumVertices(); ++v)
            if (int before = m_.vertexOf.Add(IdOf(v), v); before >= 0)
                Fail(PathOf(v) + ".id",
                     "id " + std::to_string(IdOf(v)) + " is used twice (also by " + PathOf(before) + ")");
    }

    bool Satisfies(int v, TargetKind kind) const {
        if (kind == TargetKind::Any) return true;
        if (kind == TargetKind::Node) return IsNode(v);
        if (IsNode(v)) return false;
        const ObjectModel& o = Object(v);
        const ClassFacts* f = o.facts;
        switch (kind) {
            case TargetKind::Material:
                return f && f->isMtl;
            case TargetKind::MaterialOrMap:
                return f && f->isMtlBase;
            case TargetKind::Map:
                return f && f->isTexmap;
            case TargetKind::Effect:
                return f && f->isEffect;
            case TargetKind::FloatController:
                return o.kind == ObjectKind::FloatController || (f && f->controller == ControllerKind::Float);
            case TargetKind::Point3Controller:
                return o.kind == ObjectKind::Point3Controller ||
                       (f && f->controller == ControllerKind::Point3);
            default:
                return true;
        }
    }

    static const char* KindName(TargetKind kind) {
        switch (kind) {
            case TargetKind::Material:
                return "a material";
            case TargetKind::MaterialOrMap:
                return "a material or map";
            case TargetKind::Map:
                return "a map";
            case TargetKind::Effect:
                return "a render effect";
            case TargetKind::Node:
                return "a node";
            case TargetKind::FloatController:
                return "a float controller";
            case TargetKind::Point3Controller:
                return "a point3 controller";
            default:
                return "an object";
        }
    }

    // Each use's target must exist and be of the kind the use needs; the edges and pointers of each
    // vertex are then kept in one array, in the order of the uses.
    void ResolveUses() {
        std::vector<Link> references, pointers;
        references.reserve(m_.uses.size());
        for (const IdUse& use : m_.uses) {
            const int v = m_.vertexOf.Find(use.id);
            if (v < 0)
                Fail(PathOf(use), std::string("no ") + (use.kind == TargetKind::Node ? "node" : "object") +
                                      " with id " + std::to_string(use.id));
            if (!Satisfies(v, use.kind)) {
                std::string what = IsNode(v) ? "a node" : "of class \"" + Object(v).className + "\"";
                Fail(PathOf(use), "id " + std::to_string(use.id) + " (" + PathOf(v) + ") is " + what +
                                      ", not " + KindName(use.kind));
            }
            switch (use.role) {
                case IdUse::Reference:
                    references.push_back({use.from, v});
                    break;
                case IdUse::Pointer:
                    pointers.push_back({use.from, v});
                    break;
                case IdUse::Root:
                    roots_.push_back(v);
                    break;
            }
        }
        edges_.Fill(NumVertices(), references);
        pointers_.Fill(NumVertices(), pointers);
    }

    // Depth first over the references; a vertex met again while it is still open closes a loop. Objects
    // are built in the order they are finished, so each after everything it refers to.
    void FindLoopsAndOrder() {
        enum { kNew, kOpen, kDone };
        std::vector<int> state(static_cast<size_t>(NumVertices()), kNew);
        struct Frame {
            int v;
            size_t next;
        };
        for (int start = 0; start < NumVertices(); ++start) {
            if (state[static_cast<size_t>(start)] != kNew) continue;
            std::vector<Frame> stack{{start, 0}};
            state[static_cast<size_t>(start)] = kOpen;
            while (!stack.empty()) {
                Frame& top = stack.back();
                if (top.next == edges_.size(top.v)) {
                    state[static_cast<size_t>(top.v)] = kDone;
                    if (!IsNode(top.v)) m_.buildOrder.push_back(top.v - numNodes_);
                    stack.pop_back();
                    continue;
                }
                int w = edges_.begin(top.v)[top.next++];
                if (state[static_cast<size_t>(w)] == kOpen) {
                    std::string loop;
                    size_t from = 0;
                    while (stack[from].v != w) ++from;
                    for (size_t k = from; k < stack.size(); ++k) loop += PathOf(stack[k].v) + " -> ";
                    throw SceneError("reference loop: " + loop + PathOf(w));
                }
                if (state[static_cast<size_t>(w)] == kNew) {
                    state[static_cast<size_t>(w)] = kOpen;
                    stack.push_back({w, 0});
                }
            }
        }
    }

    void FindUnused() {
        std::vector<bool> used(static_cast<size_t>(NumVertices()), false);
        std::vector<int> stack = roots_;
        for (int v = 0; v < numNodes_; ++v) stack.push_back(v);
        while (!stack.empty()) {
            int v = stack.back();
            stack.pop_back();
            if (used[static_cast<size_t>(v)]) continue;
            used[static_cast<size_t>(v)] = true;
            stack.insert(stack.end(), edges_.begin(v), edges_.end(v));
            stack.insert(stack.end(), pointers_.begin(v), pointers_.end(v));
        }
        for (int v = numNodes_; v < NumVertices(); ++v)
            if (!used[static_cast<size_t>(v)])
                Fail(PathOf(v),
                     "object " + std::to_string(IdOf(v)) +
                         " is not used: no node, editor slot, effect or other object refers to it");
    }

    SceneModel& m_;
    int numNodes_;
    Adjacency edges_;
    Adjacency pointers_;
    std::vector<int> roots_;
};

}  // namespace

void CheckScene(SceneModel& model) { Checker(model).Run(); }
