#pragma once

#include "resource.h"
#include "strclass.h"

// The line converter panel's settings, kept while the host runs and restored whenever the panel opens.
// They know nothing of windows: the panel binds them to its controls.
struct LinePanelOptions {
    // A checkbox of the panel and whether it is checked.
    struct Check {
        int control;
        bool checked;
    };
    // The panel stores and restores its checkboxes by walking this table, in this order.
    Check checks[2] = {
        {IDC_DELETE_SOURCES, true},  // delete the converted Tavelin 2 line effects
        {IDC_APPEND_SUFFIX, false},  // append the text below to the new effects' names
    };
    MSTR suffix = _M("_TVL3");  // the text to append (edit IDC_SUFFIX)
};
