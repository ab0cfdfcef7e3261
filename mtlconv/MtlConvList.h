#pragma once

#include <list>
#include <unordered_map>
#include <vector>

#include "MtlConvData.h"

// Told when the list's content was replaced, so a panel can refill its list box.
class MtlConvListListener {
public:
    virtual void MtlListChanged() = 0;

protected:
    ~MtlConvListListener() = default;
};

// The conversion list: the materials to convert, in the order they were added, each once.
//
// Entries keep plain material pointers, but the list also holds a host reference to every listed
// material, so that none of them is freed while listed; should the host free one anyway (a reset frees
// everything), its entry leaves the list when the host says so, and no entry ever points at freed memory.
// Those references are bookkeeping, never undo steps.
class MtlConvList {
public:
    MtlConvList();
    ~MtlConvList();
    MtlConvList(const MtlConvList&) = delete;
    MtlConvList& operator=(const MtlConvList&) = delete;

    // Appends an entry; a material that is already listed is not listed twice.
    void Append(const MtlConvData& entry);
    // Erases the entry of m, if any; the others keep their order.
    void Erase(MtlBase* m);
    void Clear();
    // Replaces the content by a copy of entries.
    void Assign(const std::vector<MtlConvData>& entries);

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    bool Contains(MtlBase* m) const { return index_.count(m) != 0; }
    const std::list<MtlConvData>& Items() const { return items_; }
    std::vector<MtlConvData> Entries() const {
        return std::vector<MtlConvData>(items_.begin(), items_.end());
    }

    void SetListener(MtlConvListListener* listener) { listener_ = listener; }
    void NotifyChanged() {
        if (listener_) listener_->MtlListChanged();
    }

private:
    // One reference per listed material, in slots reused as entries come and go.
    class Watcher : public ReferenceMaker {
    public:
        explicit Watcher(MtlConvList* list) : list_(list) {}
        ~Watcher() override;
        SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }
        int NumRefs() override { return static_cast<int>(refs_.size()); }
        RefTargetHandle GetReference(int i) override;
        void Hold(MtlBase* m);
        void Release(MtlBase* m);
        void ReleaseAll();

    protected:
        void SetReference(int i, RefTargetHandle rtarg) override;
        RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&, RefMessage message,
                                   BOOL) override;

    private:
        MtlConvList* list_;
        std::vector<RefTargetHandle> refs_;
        std::vector<int> free_;
        std::unordered_map<ReferenceTarget*, int> slotOf_;
    };

    void Forget(ReferenceTarget* gone);

    std::list<MtlConvData> items_;
    std::unordered_map<MtlBase*, std::list<MtlConvData>::iterator> index_;
    Watcher watcher_;
    MtlConvListListener* listener_ = nullptr;
};
