#include "render/StdFontObject_win.h"

#include <cmath>
#include <string>

#include "com/Bstr.h"
#include "text/Cp936.h"

namespace notaline {

namespace {

constexpr SHORT kBoldWeight = 700;
constexpr SHORT kNormalWeight = 400;

}  // namespace

com::Ptr<IFontDisp> MakeStdFont(const StdFontInfo& font) {
    const auto face = tessaly::Cp936ToUtf16(font.FaceName);
    if (!face || !std::isfinite(font.Size) || font.Size <= 0 || font.Size > 1e6f) return nullptr;
    std::wstring name(face->begin(), face->end());
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = name.data();
    desc.cySize.int64 = std::llround(static_cast<double>(font.Size) * 10000);  // currency: 4 decimals
    desc.sWeight = font.Bold ? kBoldWeight : kNormalWeight;
    desc.sCharset = font.Charset;
    desc.fItalic = font.Italic;
    desc.fUnderline = font.Underline;
    desc.fStrikethrough = font.Strikethrough;
    com::Ptr<IFontDisp> result;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IFontDisp, result.OutVoid()))) return nullptr;
    return result;
}

std::optional<StdFontInfo> StdFontInfoOf(IFontDisp* font) {
    if (!font) return std::nullopt;
    com::Ptr<IFont> f;
    if (FAILED(font->QueryInterface(IID_IFont, f.OutVoid())) || !f) return std::nullopt;
    com::Bstr name;
    CY size{};
    BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
    SHORT charset = 0;
    if (FAILED(f->get_Name(name.Out())) || FAILED(f->get_Size(&size)) || FAILED(f->get_Bold(&bold)) ||
        FAILED(f->get_Italic(&italic)) || FAILED(f->get_Underline(&underline)) ||
        FAILED(f->get_Strikethrough(&strike)) || FAILED(f->get_Charset(&charset)))
        return std::nullopt;
    const std::wstring wide = name.Str();
    const std::u16string face(wide.begin(), wide.end());
    const auto gbk = tessaly::Utf16ToCp936(face);
    if (!gbk) return std::nullopt;
    StdFontInfo info;
    info.FaceName = *gbk;
    info.Size = static_cast<float>(static_cast<double>(size.int64) / 10000);
    info.Bold = bold != FALSE;
    info.Italic = italic != FALSE;
    info.Underline = underline != FALSE;
    info.Strikethrough = strike != FALSE;
    info.Charset = charset;
    return info;
}

}  // namespace notaline
