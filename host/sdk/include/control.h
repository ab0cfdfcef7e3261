#pragma once

#include <algorithm>
#include <vector>

#include "hold.h"

#include "interval.h"
#include "point3.h"
#include "ref.h"

enum GetSetMethod { CTRL_RELATIVE, CTRL_ABSOLUTE };

#define LININTERP_FLOAT_CLASS_ID 0x2001
#define LININTERP_POSITION_CLASS_ID 0x2002
// The stand-in host's linear Point3 controller (colours and points of parameter blocks).
#define LININTERP_POINT3_CLASS_ID 0x7E570200

// Drives one animated value.
class CoreExport Control : public ReferenceTarget {
public:
    ~Control() override;
    virtual void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) = 0;
    virtual void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) = 0;

protected:
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage, BOOL) override {
        return REF_SUCCEED;
    }
};

class IKey {
public:
    TimeValue time = 0;
    DWORD flags = 0;
};

class ILinFloatKey : public IKey {
public:
    float val = 0.0f;
};

class ILinPoint3Key : public IKey {
public:
    Point3 val;
};

class CoreExport IKeyControl {
public:
    virtual ~IKeyControl();
    virtual int GetNumKeys() = 0;
    virtual void SetNumKeys(int n) = 0;
    // Writes a key of the controller's own key class, GetKeySize() bytes.
    virtual void GetKey(int i, IKey* key) = 0;
    virtual void SetKey(int i, IKey* key) = 0;
    virtual int AppendKey(IKey* key) = 0;
    virtual void SortKeys() = 0;
    virtual int GetKeySize() = 0;
};

// Keyframe controllers with linear interpolation, for float and for point values. Before the first key
// and after the last the value holds; with no keys the controller keeps one constant value. Setting a
// value works as in the host: in animate mode it sets the key at that time, making one if there is none
// (the first keys, away from frame 0, come as a pair: the old value at 0 and the new one); outside
// animate mode it moves the whole track, so that the value at that time becomes the one given. Key
// changes are recorded for undo while the hold is holding.
template <class Value, class Key>
class LinearKeyController : public Control, public IKeyControl {
public:
    LinearKeyController() = default;

    // Animatable
    void* GetInterface(ULONG id) override;
    BaseInterface* GetInterface(Interface_ID id) override { return Control::GetInterface(id); }

    // ReferenceTarget
    RefTargetHandle Clone(RemapDir& remap) override;

    // Control
    void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) override;
    void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) override;

    // IKeyControl
    int GetNumKeys() override { return static_cast<int>(keys_.size()); }
    void SetNumKeys(int n) override;
    void GetKey(int i, IKey* key) override;
    void SetKey(int i, IKey* key) override;
    int AppendKey(IKey* key) override;
    void SortKeys() override;
    int GetKeySize() override { return sizeof(Key); }

    Value Evaluate(TimeValue t) const;
    Value ConstantValue() const { return constant_; }

protected:
    virtual LinearKeyController* MakeEmpty() = 0;

private:
    void Change(const std::vector<Key>& keys, const Value& constant);

    std::vector<Key> keys_;
    Value constant_{};
};

class LinearFloatController : public LinearKeyController<float, ILinFloatKey> {
public:
    SClass_ID SuperClassID() override { return CTRL_FLOAT_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(LININTERP_FLOAT_CLASS_ID, 0); }
    void GetClassName(MSTR& s) override { s = _M("Linear Float"); }

protected:
    LinearKeyController* MakeEmpty() override { return new LinearFloatController; }
};

class LinearPoint3Controller : public LinearKeyController<Point3, ILinPoint3Key> {
public:
    SClass_ID SuperClassID() override { return CTRL_POINT3_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(LININTERP_POINT3_CLASS_ID, 0); }
    void GetClassName(MSTR& s) override { s = _M("Linear Point3"); }

protected:
    LinearKeyController* MakeEmpty() override { return new LinearPoint3Controller; }
};

// ---- LinearKeyController ----

template <class Value, class Key>
void* LinearKeyController<Value, Key>::GetInterface(ULONG id) {
    if (id == I_KEYCONTROL) return static_cast<IKeyControl*>(this);
    return Control::GetInterface(id);
}

template <class Value, class Key>
Value LinearKeyController<Value, Key>::Evaluate(TimeValue t) const {
    if (keys_.empty()) return constant_;
    if (t <= keys_.front().time) return keys_.front().val;
    if (t >= keys_.back().time) return keys_.back().val;
    auto next = std::upper_bound(keys_.begin(), keys_.end(), t,
                                 [](TimeValue tv, const Key& k) { return tv < k.time; });
    const Key& b = *next;
    const Key& a = *(next - 1);
    float u = static_cast<float>(t - a.time) / static_cast<float>(b.time - a.time);
    return a.val + (b.val - a.val) * u;
}

template <class Value, class Key>
void LinearKeyController<Value, Key>::GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod) {
    *static_cast<Value*>(val) = Evaluate(t);
    if (keys_.size() > 1) valid &= Interval(t, t);
}

template <class Value, class Key>
void LinearKeyController<Value, Key>::SetValue(TimeValue t, void* val, int, GetSetMethod method) {
    Value v = *static_cast<Value*>(val);
    if (method == CTRL_RELATIVE) v = Evaluate(t) + v;
    std::vector<Key> keys = keys_;
    Value constant = constant_;
    if (Animating() && (!keys.empty() || t != 0)) {
        if (keys.empty()) {
            Key first;
            first.val = constant_;
            keys.push_back(first);
        }
        auto at = std::lower_bound(keys.begin(), keys.end(), t,
                                   [](const Key& k, TimeValue tv) { return k.time < tv; });
        if (at == keys.end() || at->time != t) {
            Key made;
            made.time = t;
            at = keys.insert(at, made);
        }
        at->val = v;
    } else if (keys.empty()) {
        constant = v;
    } else {
        Value delta = v - Evaluate(t);
        for (Key& k : keys) k.val = k.val + delta;
    }
    Change(keys, constant);
}

template <class Value, class Key>
void LinearKeyController<Value, Key>::SetNumKeys(int n) {
    std::vector<Key> keys = keys_;
    keys.resize(n > 0 ? static_cast<size_t>(n) : 0);
    Change(keys, constant_);
}

template <class Value, class Key>
void LinearKeyController<Value, Key>::GetKey(int i, IKey* key) {
    if (i >= 0 && i < GetNumKeys()) *static_cast<Key*>(key) = keys_[static_cast<size_t>(i)];
}

template <class Value, class Key>
void LinearKeyController<Value, Key>::SetKey(int i, IKey* key) {
    if (i < 0 || i >= GetNumKeys()) return;
    std::vector<Key> keys = keys_;
    keys[static_cast<size_t>(i)] = *static_cast<Key*>(key);
    Change(keys, constant_);
}

// A key added at the end is recorded as itself, not as the whole track before and after, so that
// appending n keys costs time and undo memory in proportion to n.
template <class Value, class Key>
int LinearKeyController<Value, Key>::AppendKey(IKey* key) {
    class AppendRestore : public RestoreObj {
    public:
        AppendRestore(LinearKeyController* c, const Key& key) : c_(c), key_(key) { PinForUndo(c_); }
        ~AppendRestore() override { UnpinForUndo(c_); }
        void Restore(int) override { c_->keys_.pop_back(); }
        void Redo() override { c_->keys_.push_back(key_); }
        MSTR Description() override { return MSTR(_M("Keys")); }

    private:
        LinearKeyController* c_;
        Key key_;
    };
    const Key& k = *static_cast<Key*>(key);
    if (theHold.Holding()) theHold.Put(new AppendRestore(this, k));
    keys_.push_back(k);
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    return GetNumKeys() - 1;
}

template <class Value, class Key>
void LinearKeyController<Value, Key>::SortKeys() {
    std::vector<Key> keys = keys_;
    std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.time < b.time; });
    Change(keys, constant_);
}

template <class Value, class Key>
RefTargetHandle LinearKeyController<Value, Key>::Clone(RemapDir& remap) {
    LinearKeyController* copy = MakeEmpty();
    copy->keys_ = keys_;
    copy->constant_ = constant_;
    BaseClone(this, copy, remap);
    return copy;
}

template <class Value, class Key>
void LinearKeyController<Value, Key>::Change(const std::vector<Key>& keys, const Value& constant) {
    // The undo record keeps both states whole; controllers have few keys.
    class KeyRestore : public RestoreObj {
    public:
        KeyRestore(LinearKeyController* c, std::vector<Key> before, Value beforeConst, std::vector<Key> after,
                   Value afterConst)
            : c_(c),
              before_(std::move(before)),
              after_(std::move(after)),
              beforeConst_(beforeConst),
              afterConst_(afterConst) {
            PinForUndo(c_);
        }
        ~KeyRestore() override { UnpinForUndo(c_); }
        void Restore(int) override { Set(before_, beforeConst_); }
        void Redo() override { Set(after_, afterConst_); }
        MSTR Description() override { return MSTR(_M("Keys")); }

    private:
        void Set(const std::vector<Key>& k, const Value& v) {
            c_->keys_ = k;
            c_->constant_ = v;
        }
        LinearKeyController* c_;
        std::vector<Key> before_, after_;
        Value beforeConst_, afterConst_;
    };
    if (theHold.Holding()) theHold.Put(new KeyRestore(this, keys_, constant_, keys, constant));
    keys_ = keys;
    constant_ = constant;
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}
