#include "DialogTemplate.h"

#include <cstring>

namespace {

// Reads the template's fields in order; every field is WORD aligned, items start DWORD aligned.
class Reader {
public:
    Reader(const BYTE* begin, size_t size) : at_(begin), begin_(begin), end_(begin + size) {}
    template <class T>
    T Get() {
        T value{};
        if (at_ + sizeof(T) <= end_) std::memcpy(&value, at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::wstring String() {
        std::wstring s;
        for (WORD c; (c = Get<WORD>()) != 0 && at_ <= end_;) s += static_cast<wchar_t>(c);
        return s;
    }
    // A name or an ordinal (0xFFFF followed by the number); the predefined control classes by name.
    std::wstring NameOrOrdinal() {
        const BYTE* start = at_;
        if (Get<WORD>() != 0xFFFF) {
            at_ = start;
            return String();
        }
        switch (Get<WORD>()) {
            case 0x80:
                return L"Button";
            case 0x81:
                return L"Edit";
            case 0x82:
                return L"Static";
            case 0x83:
                return L"ListBox";
            case 0x84:
                return L"ScrollBar";
            case 0x85:
                return L"ComboBox";
            default:
                return L"#ordinal";
        }
    }
    void AlignDword() { at_ = begin_ + ((at_ - begin_ + 3) & ~static_cast<ptrdiff_t>(3)); }
    void Skip(size_t n) { at_ += n; }
    bool Ok() const { return at_ <= end_; }

private:
    const BYTE* at_;
    const BYTE* begin_;
    const BYTE* end_;
};

}  // namespace

bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate& out) {
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    if (!data) return false;
    Reader r(static_cast<const BYTE*>(LockResource(data)), SizeofResource(module, info));
    if (r.Get<WORD>() != 1 || r.Get<WORD>() != 0xFFFF) return false;
    r.Get<DWORD>();  // help ID
    r.Get<DWORD>();  // extended style
    out.style = r.Get<DWORD>();
    const WORD count = r.Get<WORD>();
    r.Get<short>();
    r.Get<short>();
    out.cx = r.Get<short>();
    out.cy = r.Get<short>();
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // window class
    out.caption = r.String();
    out.pointSize = 0;
    out.charset = 0;
    out.font.clear();
    if (out.style & DS_SETFONT) {
        out.pointSize = r.Get<WORD>();
        r.Get<WORD>();  // weight
        r.Get<BYTE>();  // italic
        out.charset = r.Get<BYTE>();
        out.font = r.String();
    }
    out.items.clear();
    for (WORD i = 0; i < count && r.Ok(); ++i) {
        r.AlignDword();
        DialogItem item{};
        r.Get<DWORD>();  // help ID
        r.Get<DWORD>();  // extended style
        item.style = r.Get<DWORD>();
        item.x = r.Get<short>();
        item.y = r.Get<short>();
        item.cx = r.Get<short>();
        item.cy = r.Get<short>();
        item.id = static_cast<int>(r.Get<DWORD>());
        item.className = r.NameOrOrdinal();
        item.text = r.NameOrOrdinal();
        r.Skip(r.Get<WORD>());  // creation data
        out.items.push_back(item);
    }
    return r.Ok();
}
