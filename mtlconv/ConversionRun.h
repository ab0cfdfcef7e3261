#pragma once

#include "ConversionOptions.h"
#include "MtlConvList.h"

// What became of one entry of the conversion list in a run.
enum class MtlRunOutcome {
    Converted,     // a new material replaced the source wherever it was used
    NotPlaced,     // converted, but the new material had nowhere to go and was discarded
    NotInUse,      // not used by the scene, the material editor or a gathered parent material
    NotConverted,  // the Tavelin 3 material could not be made
    Cancelled,     // the run was cancelled before this entry
};

// Follows a run entry by entry (the host tool reports from it).
class MtlRunObserver {
public:
    virtual void OnEntry(const MtlConvData& entry, MtlRunOutcome outcome, Mtl* result) = 0;

protected:
    ~MtlRunObserver() = default;
};

// Adds to lib every material the scene uses: node materials, the material editor's materials and, below
// each gathered material that is neither a Tavelin 2 nor a Tavelin 3 material, its sub-materials.
void CollectMaterialsInUse(MtlBaseLib& lib);

// The material run after the panel has been read and the user has confirmed: converts every listed
// material in use and puts each new material wherever its source was used, all in one undo step named
// undoName, then empties the list. The host's progress bar shows the progress under title; a cancel
// request stops the run before the next entry, and what was converted stays. The texts come from the
// caller's string table (strings 2 and 100).
void RunMtlConversion(MtlConvList& list, ConversionOptions options, Mtl* reference, const MCHAR* undoName,
                      const MCHAR* title, MtlRunObserver* observer = nullptr);
