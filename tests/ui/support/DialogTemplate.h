#pragma once

// Reads an extended dialog template (DIALOGEX) from a module's resources, so that tests can compare a
// dialog with what it must be (IDs, classes, styles, texts, positions in dialog units, font) without
// creating it.

#include <string>
#include <vector>

#include <windows.h>

struct DialogItem {
    int id;
    std::wstring className;  // "Button", "Edit", "Static", "ListBox", ... or the registered class's name
    DWORD style;
    std::wstring text;
    short x, y, cx, cy;
};

struct DialogTemplate {
    DWORD style;
    short cx, cy;
    std::wstring caption;
    WORD pointSize;
    BYTE charset;
    std::wstring font;
    std::vector<DialogItem> items;
};

// False when the module has no such dialog or it is not an extended template.
bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate& out);
