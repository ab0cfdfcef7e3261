// The font of the host's own windows: one that has Japanese glyphs, since titles and captions may be
// Japanese. The first installed face of the list is taken; the system's dialog font when none is.
#include "HostUi.h"

namespace {

const wchar_t* const kFaces[] = {
    L"MS UI Gothic", L"Yu Gothic UI", L"Meiryo UI", L"Noto Sans CJK JP", L"IPAPGothic", L"IPAGothic",
};
const wchar_t kFallbackFace[] = L"MS Shell Dlg";
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

const wchar_t* HostUi::UiFontFace() {
    static const wchar_t* face = [] {
        HDC dc = GetDC(nullptr);
        const wchar_t* chosen = kFallbackFace;
        for (const wchar_t* f : kFaces)
            if (Installed(dc, f)) {
                chosen = f;
                break;
            }
        ReleaseDC(nullptr, dc);
        return chosen;
    }();
    return face;
}

HFONT HostUi::UiFont() {
    static HFONT font = [] {
        LOGFONTW lf = {};
        lf.lfHeight = kHeight;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(lf.lfFaceName, UiFontFace(), LF_FACESIZE);
        HFONT made = CreateFontIndirectW(&lf);
        return made ? made : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}
