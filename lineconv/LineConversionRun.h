#pragma once

#include <vector>

#include "max.h"

// What became of each line effect of the list in a run.
struct LineRunResult {
    struct Entry {
        Effect* source;
        Effect* converted;  // null when the effect is not a Tavelin 2 line effect or could not be converted
        MSTR sourceName;
        MSTR convertedName;
        int lineSets;  // line sets the new effect holds
        bool active;   // whether the new effect is active
        bool deleted;  // the source was deleted from the list
    };
    std::vector<Entry> entries;
};

// The line run after the user confirmed: converts every Tavelin 2 line effect of the render-effect list
// first, then appends the new effects and, with deleteSources, deletes the converted sources from the
// end of the list towards its start, all in one undo step named undoName (string 2 of the caller's string
// table). An empty or null suffix names the new effects by changing "Tavelin 2" into "Tavelin 3".
void RunLineConversion(const MCHAR* suffix, bool deleteSources, const MCHAR* undoName,
                       LineRunResult* result = nullptr);
