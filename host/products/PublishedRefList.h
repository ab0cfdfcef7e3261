#pragma once

#include "iFnPub.h"

// A published interface over an object's list of references: one function replaces the list (a table
// of reference targets, passed by reference), one answers its length and one an entry (null past the
// end). Each owner names the function IDs it offers; kNone leaves a function out.
class PublishedRefList : public FPInterface {
public:
    static constexpr FunctionID kNone = -1;
    struct Functions {
        FunctionID set;
        FunctionID count;
        FunctionID get;
    };

    PublishedRefList(Interface_ID id, Functions fns) : id_(id), fns_(fns) {}
    Interface_ID GetID() override { return id_; }

protected:
    virtual void SetItems(const Tab<ReferenceTarget*>& items, TimeValue t) = 0;
    virtual int NumItems() { return 0; }
    virtual ReferenceTarget* GetItem(int i) {
        (void)i;
        return nullptr;
    }

    FPStatus _dispatch_fn(FunctionID fid, TimeValue t, FPValue& result, FPParams* p) override;

private:
    Interface_ID id_;
    Functions fns_;
};
