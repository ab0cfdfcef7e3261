// The font of the host's own windows: one that has Japanese glyphs, since titles and captions may be
// Japanese. The first installed face of the list is taken; the system's GUI font when none is.
#include "HostUi.h"

namespace {

const wchar_t* const kFaces[] = {
    L"MS UI Gothic", L"Yu Gothic UI", L"Meiryo UI", L"Noto Sans CJK JP", L"IPAPGothic", L"IPAGothic",
};
constexpr int kHeight = -12;  // pixels, character height

int CALLBACK Found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool Installed(HDC dc, const wchar_t* face) {
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, Found, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

HFONT HostUi::UiFont() {
    static HFONT font = [] {
        HDC dc = GetDC(nullptr);
        HFONT made = nullptr;
        for (const wchar_t* face : kFaces) {
            if (!Installed(dc, face)) continue;
            LOGFONTW lf = {};
            lf.lfHeight = kHeight;
            lf.lfCharSet = DEFAULT_CHARSET;
            lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
            made = CreateFontIndirectW(&lf);
            break;
        }
        ReleaseDC(nullptr, dc);
        return made ? made : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}
