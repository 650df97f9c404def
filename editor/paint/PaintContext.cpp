#include "paint/PaintContext.h"

#include <algorithm>
#include <cmath>

#include "model/document/Tables.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace notaline {

std::string Glyph(uint16_t code) {
    if (code > 0xFF) return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    return std::string(1, static_cast<char>(code));
}

std::string GlyphRun(uint16_t code, int32_t count) {
    const std::string one = Glyph(code);
    std::string run;
    for (int32_t i = 0; i < std::min(count, kMaxGlyphRun); ++i) run += one;
    return run;
}

std::string Gbk(std::string_view utf8) {
    const auto wide = tessaly::Utf8ToUtf16(utf8);
    if (!wide) return {};
    return tessaly::Utf16ToCp936(*wide).value_or(std::string());
}

tessaly::aWordInfo ScaledWord(const StoredWord& w, double scale) {
    tessaly::aWordInfo s = w.Expand();
    if (scale == 1) return s;
    const auto f = static_cast<float>(scale);
    s.nLogFont.lfHeight = tessaly::CLng(s.nLogFont.lfHeight * scale);
    s.Left *= f;
    s.Top *= f;
    s.Right *= f;
    s.Bottom *= f;
    s.WdSpace *= f;
    s.UpSpace *= f;
    s.WdSize.cx *= f;
    s.WdSize.cy *= f;
    return s;
}

tessaly::aWordInfo Word(const PaintContext& ctx, int32_t index) {
    return ScaledWord(ctx.Data.WordInfo[static_cast<size_t>(index)], ctx.Scale);
}

tessaly::aHwWordInfo HwWord(const PaintContext& ctx, int32_t index) {
    tessaly::aHwWordInfo item = ctx.Data.HwWordInfo[static_cast<size_t>(index)];
    const auto f = static_cast<float>(ctx.Scale);
    item.X *= f;
    item.Y *= f;
    item.Height *= f;
    item.Width *= f;
    return item;
}

const tessaly::aExtralWordInfo& SlotOf(const PaintContext& ctx, int32_t word, int32_t slot) {
    return ctx.Data.WordInfo[static_cast<size_t>(word)].ExtralWordInfo[slot];
}

double OffsetPx(const tessaly::aWordInfo& w, int64_t v) {
    return static_cast<double>(v) * w.nLogFont.lfHeight / 20.4;
}

int32_t Px(double x) {
    constexpr double kLimit = 1 << 30;
    if (std::isnan(x)) return 0;  // a box read from a damaged file
    return static_cast<int32_t>(tessaly::RoundHalfEven(std::clamp(x, -kLimit, kLimit)));
}

IntRect BandRect(const tessaly::aWordInfo& w, int64_t v, double left, double right) {
    const double off = OffsetPx(w, v);
    return {Px(left), Px(w.Top - w.UpSpace + off), Px(right), Px(w.Bottom - w.UpSpace + off)};
}

int32_t PenWidth(const PaintContext& ctx) {
    return ctx.Data.IsPrinting ? 6 : 2;
}

uint32_t WordColour(const PaintContext& ctx, int32_t word) {
    const int16_t cf = Word(ctx, word).cf;
    if (cf < 0 || static_cast<size_t>(cf) >= ctx.Data.ColorTbl.size()) return 0;
    return ctx.Data.ColorTbl[static_cast<size_t>(cf)];
}

// The table holds colour references, red in the low byte, blue in the third; the reader puts a
// file's alpha in the top byte, and none means opaque. Every drawing of a character's colour
// goes through here, so that text, lines and digits agree.
uint32_t GetWordArgb(const PaintContext& ctx, int32_t word) {
    const uint32_t c = WordColour(ctx, word);
    const uint32_t alpha = (c >> 24) != 0 ? c >> 24 : 0xFFu;
    return alpha << 24 | (tessaly::SwapRedBlue(c) & 0xFFFFFFu);
}

void SetWordTextColor(PaintContext& ctx, int32_t word) {
    // Text has no alpha: the colour reference of the same red, green and blue.
    const uint32_t argb = GetWordArgb(ctx, word);
    ctx.Dc.SetTextColor(tessaly::SwapRedBlue(argb) & 0xFFFFFFu);
}

tessaly::mLogFont SetMarkGlyphFont(PaintContext& ctx, std::string_view face, int32_t height, int32_t width,
                                   int32_t escapement) {
    tessaly::mLogFont f;
    f.FontTblIndex = FindFontTblIndex(ctx.Data, face);
    f.lfHeight = height;
    f.lfWidth = width;
    f.lfEscapement = escapement;
    f.lfWeight = 400;
    f.lfQuality = 2;
    ctx.mLogFont = f;
    return f;
}

void SelectWordFont(PaintContext& ctx, const tessaly::mLogFont& font) {
    ctx.Dc.SelectFont(MakeWordLogFont(ctx.Data, font));
}

void SelectNotationFont(PaintContext& ctx, int32_t height, int32_t width, int32_t escapement) {
    SelectWordFont(ctx, SetMarkGlyphFont(ctx, ctx.Data.NotationFontName, height, width, escapement));
}

tessaly::mLogFont MakeMarkTextFont(PaintContext& ctx, int32_t word, double factor) {
    const int16_t base = ctx.Data.AboutFileInfo.BaseFontTblIndex;
    tessaly::mLogFont f = Word(ctx, word).nLogFont;
    bool found = false;
    for (int32_t j = word; j >= 0 && !found; --j) {
        // The stored record: the scan may run back through the whole document.
        if (ctx.Data.WordInfo[static_cast<size_t>(j)].nLogFont().FontTblIndex != base) {
            f = Word(ctx, j).nLogFont;
            found = true;
        }
    }
    if (!found) f.FontTblIndex = FindFontTblIndex(ctx.Data, kSongTiFace);
    f.lfHeight = tessaly::CLng(factor * Word(ctx, word).nLogFont.lfHeight);
    return f;
}

void SelectMarkTextFont(PaintContext& ctx, int32_t word, double factor) {
    ctx.mLogFont = MakeMarkTextFont(ctx, word, factor);
    SelectWordFont(ctx, ctx.mLogFont);
}

tessaly::LogFont MakeGdiLogFont(std::string_view face, int32_t height, int32_t width, int32_t escapement) {
    tessaly::LogFont lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfWeight = 400;
    lf.lfCharSet = 1;
    lf.lfQuality = 2;
    CopyLogFontFaceName(lf, face);
    return lf;
}

}  // namespace notaline
