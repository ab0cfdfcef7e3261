#pragma once

// A dialog template built in memory, as a resource compiler would lay it out (DLGTEMPLATE, then items
// aligned on DWORDs), naming its controls' window classes by name.
// The host builds its own dialogs (material browser, Utilities page) this way; tests build plug-in-like
// dialogs with it.
#include <cwchar>
#include <vector>

#include "WindowsDefines.h"

class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* caption = L"") {
        Dword(style);
        Dword(0);  // extended style
        Word(0);   // number of items, counted by Add
        for (short v : {short(0), short(0), cx, cy}) Word(static_cast<WORD>(v));
        Word(0);  // no menu
        Word(0);  // the dialog class
        Text(caption);
    }
    // The same with a font (DS_SETFONT is added to the style): point size and face.
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* caption, WORD pointSize,
                   const wchar_t* face)
        : DialogTemplate(style | DS_SETFONT, cx, cy, caption) {
        Word(pointSize);
        Text(face);
    }

    DialogTemplate& Add(const wchar_t* windowClass, WORD id, const wchar_t* text, short x, short y, short cx,
                        short cy, DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP) {
        if (data_.size() % 2) Word(0);
        Dword(style);
        Dword(0);
        for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
        Word(id);
        Text(windowClass);
        Text(text);
        Word(0);  // no creation data
        ++data_[4];
        return *this;
    }

    DLGTEMPLATE* Get() { return reinterpret_cast<DLGTEMPLATE*>(data_.data()); }

private:
    void Word(WORD w) { data_.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* s) { data_.insert(data_.end(), s, s + std::wcslen(s) + 1); }

    std::vector<WORD> data_;
};
