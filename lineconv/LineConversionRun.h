#pragma once

#include <vector>

#include "max.h"

// The line converter's options, as its panel keeps them between openings.
struct LinePanelOptions {
    bool deleteSources = true;  // delete the converted Tavelin 2 line effects
    bool appendSuffix = false;  // append a text to the effect name
    MSTR suffix = _M("_TVL3");  // the text to append
};

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
// end of the list towards its start, all in one undo step. An empty or null suffix names the new effects
// by changing "Tavelin 2" into "Tavelin 3".
void RunLineConversion(const MCHAR* suffix, bool deleteSources, LineRunResult* result = nullptr,
                       const MCHAR* undoName = _M("Tavelin 3 コンバート"));
