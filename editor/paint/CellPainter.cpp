#include "paint/CellPainter.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Measure.h"
#include "model/document/Tables.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr uint32_t kCentred = kDtCenter | kDtBottom | kDtSingleLine | kDtNoClip;
constexpr uint8_t kParagraphEnd = 3;
constexpr double kOffsetUnit = 20.4;  // a character's height in position units

const tessaly::aFontTbl* FontEntry(const EditorData& data, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= data.FontTbl.size()) return nullptr;
    return &data.FontTbl[static_cast<size_t>(index)];
}

float EntryHyc(const EditorData& data, const tessaly::aWordInfo& w) {
    const auto* e = FontEntry(data, w.nLogFont.FontTblIndex);
    return e ? e->hYc : 0;
}

float EntryHyg(const EditorData& data, const tessaly::aWordInfo& w) {
    const auto* e = FontEntry(data, w.nLogFont.FontTblIndex);
    return e ? e->hYg : 0;
}

bool InGraceGroup(const EditorData& data, int32_t word) {
    return GetExtralWordInfo(data, word, kMarkGraceNote).IndexType != 0;
}

int16_t BaseIndex(const PaintContext& ctx) {
    return ctx.Data.AboutFileInfo.BaseFontTblIndex;
}

// A character's font in the notation font, as its lines and dots are drawn.
void SelectBaseFont(PaintContext& ctx, CellCache& cache, tessaly::mLogFont font) {
    font.FontTblIndex = BaseIndex(ctx);
    SelectWordFont(ctx, font);
    cache.FontTblIndex = BaseIndex(ctx);
}

void SelectCellFont(PaintContext& ctx, CellCache& cache, const tessaly::aWordInfo& w) {
    const tessaly::mLogFont& f = w.nLogFont;
    const auto* entry = FontEntry(ctx.Data, f.FontTblIndex);
    const std::string_view face = entry ? std::string_view(entry->FontName) : std::string_view();
    bool changed = false;
    auto update = [&changed](auto& cached, auto value) {
        if (cached != value) {
            cached = value;
            changed = true;
        }
    };
    if (cache.Face != face) {
        cache.Face = std::string(face);
        changed = true;
    }
    update(cache.FontTblIndex, int32_t{f.FontTblIndex});
    update(cache.Weight, f.lfWeight);
    update(cache.Underline, int32_t{f.lfUnderline});
    update(cache.StrikeOut, int32_t{f.lfStrikeOut});
    update(cache.Italic, int32_t{f.lfItalic});
    update(cache.Height, f.lfHeight);
    if (changed || w.IsJpGcCtl == kParagraphEnd) SelectWordFont(ctx, f);
    if (w.IsJpGcCtl == kParagraphEnd) cache.FontTblIndex = BaseIndex(ctx);
}

bool IsLine(const EditorData& data, int32_t line) {
    return line >= 0 && line < data.LineCount();
}

}  // namespace

void DrawWordCell(PaintContext& ctx, CellCache& cache, int32_t i, int32_t line) {
    if (!ctx.Data.IsWord(i)) return;
    const tessaly::aWordInfo w = Word(ctx, i);
    const bool grace = InGraceGroup(ctx.Data, i);
    if (w.cf != cache.Cf) {
        SetWordTextColor(ctx, i);
        cache.Cf = w.cf;
    }
    SelectCellFont(ctx, cache, w);
    if (grace) {
        if (w.Yc > 0) DrawYcLines(ctx, cache, i, line, true);
        return;
    }
    const IntRect cell{Px(w.Left), Px(w.Top - w.UpSpace), Px(w.Left + w.WdSize.cx), Px(w.Bottom - w.UpSpace)};
    if (w.IsJpGcCtl != kParagraphEnd || !ctx.Data.BlankParagraphEnds)
        ctx.Dc.DrawTextInRect(CodeText(w.WdAsc), cell, kCentred);
    if (w.Yc > 0) DrawYcLines(ctx, cache, i, line, false);
    if (w.YG > 0) DrawOctaveDots(ctx, cache, i);
}

void DrawLineWords(PaintContext& ctx, CellCache& cache, int32_t line, int32_t targetId) {
    if (!IsLine(ctx.Data, line)) return;
    const auto& l = ctx.Data.LineInfo[static_cast<size_t>(line)];
    const int32_t end = std::min(l.Start + l.Length, ctx.Data.WordCount());
    for (int32_t i = std::max(l.Start, 0); i < end; ++i) {
        if (cache.TargetId != targetId) {
            SelectWordFont(ctx, Word(ctx, i).nLogFont);
            cache.TargetId = targetId;
        }
        DrawWordCell(ctx, cache, i, line);
    }
}

void DrawYcLines(PaintContext& ctx, CellCache& cache, int32_t i, int32_t line, bool inGraceGroup) {
    const tessaly::aWordInfo w = Word(ctx, i);
    if (w.Yc < 1 || w.Yc > 3) return;  // the font has one to three lines
    int32_t f = i;
    if (inGraceGroup) {
        while (f < ctx.Data.WordCount() - 1 && InGraceGroup(ctx.Data, f)) ++f;
    }
    SelectBaseFont(ctx, cache, Word(ctx, f).nLogFont);
    double dy = 0;
    if (w.IsJpGcCtl == 0 || w.IsJpGcCtl == 1) dy = GetYcLineOffset(ctx, f);
    if (w.IsJpGcCtl == 2) dy = GetSymbolYcLineOffset(ctx, f);
    const IntRect box{Px(w.Left), Px(w.Top + dy), Px(GetYcLineRight(ctx, i, line)), Px(w.Bottom + dy)};
    ctx.Dc.DrawTextInRect(GlyphRun(static_cast<uint16_t>(32 + w.Yc), 10), box, kDtBottom | kDtSingleLine | kDtLeft);
}

void DrawOctaveDots(PaintContext& ctx, CellCache& cache, int32_t i) {
    const tessaly::aWordInfo w = Word(ctx, i);
    if (w.YG < 1 || w.YG > 6) return;  // three high and three low
    const double dy = w.YG <= 3 ? EntryHyg(ctx.Data, w) * w.nLogFont.lfHeight / kOffsetUnit - w.UpSpace
                                : GetLowDotOffset(ctx, i) - w.UpSpace;
    SelectBaseFont(ctx, cache, w.nLogFont);
    const IntRect box{Px(w.Left), Px(w.Top + dy), Px(w.Left + w.WdSize.cx), Px(w.Bottom + dy)};
    ctx.Dc.DrawTextInRect(Glyph(static_cast<uint16_t>(35 + w.YG)), box, kCentred);
}

double GetYcLineOffset(const PaintContext& ctx, int32_t word) {
    const tessaly::aWordInfo w = Word(ctx, word);
    return EntryHyc(ctx.Data, w) * -w.nLogFont.lfHeight / kOffsetUnit - w.UpSpace;
}

double GetSymbolYcLineOffset(const PaintContext& ctx, int32_t word) {
    const tessaly::aWordInfo w = Word(ctx, word);
    const auto c = static_cast<uint16_t>(w.WdAsc);
    const bool before = c < 128 && std::string_view("*+,DGH").find(static_cast<char>(c)) != std::string_view::npos;
    const bool after = c < 128 && std::string_view("abcdef").find(static_cast<char>(c)) != std::string_view::npos;
    if (!before && !after) return 0;
    int32_t found = word;
    if (before) {
        for (int32_t j = word; j >= 0; --j)
            if (ctx.Data.WordInfo[static_cast<size_t>(j)].IsJpGcCtl == 1) {
                found = j;
                break;
            }
    } else {
        for (int32_t j = word + 1; j < ctx.Data.WordCount(); ++j)
            if (ctx.Data.WordInfo[static_cast<size_t>(j)].IsJpGcCtl == 1) {
                found = j;
                break;
            }
    }
    const tessaly::aWordInfo n = Word(ctx, found);
    return EntryHyc(ctx.Data, n) * -n.nLogFont.lfHeight / kOffsetUnit - w.UpSpace;
}

double GetLowDotOffset(const PaintContext& ctx, int32_t word) {
    const tessaly::aWordInfo w = Word(ctx, word);
    if (w.Yc > 3) return 0;
    const int k = 12 + 2 * w.Yc;
    return (EntryHyc(ctx.Data, w) + k) * -w.nLogFont.lfHeight / kOffsetUnit;
}

double GetYcLineRight(const PaintContext& ctx, int32_t i, int32_t line) {
    const tessaly::aWordInfo w = Word(ctx, i);
    const double own = w.Left + w.WdSize.cx;
    if (!IsLine(ctx.Data, line)) return own;
    const auto& l = ctx.Data.LineInfo[static_cast<size_t>(line)];
    const bool last = i >= l.Start + l.Length - 1 || i + 1 >= ctx.Data.WordCount();
    const int16_t n = w.ShuPai.Number;
    if (last || (n != -1 && n != 0 && n != 1)) return own;
    const tessaly::aWordInfo next = Word(ctx, i + 1);
    if (next.Yc > 0 && next.Left != w.Left) return next.Left;
    return own;
}

void DrawPageNumber(PaintContext& ctx, int32_t n, double ox, double oy, double scale) {
    const auto& page = ctx.Data.AboutPageInfo;
    uint32_t align = 0;
    switch (page.PagePosIndexType) {
        case 1: align = kDtCenter; break;
        case 2: align = kDtLeft; break;
        case 3: align = kDtRight; break;
        case 4: align = n % 2 != 0 ? kDtLeft : kDtRight; break;
        case 5: align = n % 2 != 0 ? kDtRight : kDtLeft; break;
        default: return;
    }
    int32_t height = 0;
    if (page.PageNumberSize == 0) height = tessaly::CLng(scale * 20);
    if (page.PageNumberSize == 1) height = tessaly::CLng(scale * 15);
    if (page.PageNumberSize == 2) height = tessaly::CLng(scale * 12);
    tessaly::LogFont lf = MakeGdiLogFont(kSongTiFace, height, 0, 0);
    lf.lfWeight = 900;
    lf.lfQuality = 0;
    lf.lfCharSet = kGb2312Charset;
    ctx.Dc.SelectFont(lf);
    ctx.Dc.SetTextColor(0);
    const double width = ctx.Data.PageWidthPx;
    const double height1 = ctx.Data.PageHeightPx;
    const double margin = ctx.Data.WriteLeft;
    const IntRect band{Px(scale * margin - ox), Px(scale * height1 - 75 * scale - oy),
                       Px(scale * (width - margin) - ox), Px(scale * height1 - oy)};
    std::string text = "-";
    text += std::to_string(n);
    text += '-';
    ctx.Dc.DrawTextInRect(text, band, align);
}

void DrawHwWord(PaintContext& ctx, int32_t k) {
    if (k < 0 || static_cast<size_t>(k) >= ctx.Data.HwWordInfo.size()) return;
    const tessaly::aHwWordInfo item = HwWord(ctx, k);
    static constexpr char kGlyphs[] = {'x', 'w', 'y', 'v', 'u'};
    if (item.HwWordtype < 1 || item.HwWordtype > 5) return;
    if (!(item.Height > 0) || !(item.Width > 0)) return;  // nothing to stretch, or no size to draw at
    const std::string glyph(1, kGlyphs[item.HwWordtype - 1]);
    const std::u16string text = TextForCharset(glyph, kSymbolCharset);
    auto font = [&](int32_t s) {
        tessaly::LogFont lf = MakeGdiLogFont(ctx.Data.NotationFontName, tessaly::CLng(item.Width / 0.4), s, 900);
        lf.lfCharSet = kSymbolCharset;
        return lf;
    };
    // The glyph's length grows with the character width: one measurement at a known width gives
    // the width that reaches the item's height; a second one checks it.
    constexpr int32_t kProbe = 100;
    const tessaly::SIZEF probe = ctx.Data.Measurer.get().MeasureGdi(font(kProbe), text);
    if (!(probe.cx > 0)) return;  // a missing glyph cannot be stretched
    auto widthFor = [&](double perUnit) {
        return static_cast<int32_t>(std::clamp(std::ceil(item.Height / perUnit), 1.0, double{kMaxHwWordStretch}));
    };
    int32_t s = widthFor(probe.cx / kProbe);
    tessaly::SIZEF size = ctx.Data.Measurer.get().MeasureGdi(font(s), text);
    if (size.cx > 0 && size.cx < item.Height && s < kMaxHwWordStretch) {
        s = widthFor(size.cx / s);
        size = ctx.Data.Measurer.get().MeasureGdi(font(s), text);
    }
    ctx.Dc.SelectFont(font(s));
    const int16_t cf = item.cf;
    ctx.Dc.SetTextColor(
        cf >= 0 && static_cast<size_t>(cf) < ctx.Data.ColorTbl.size() ? ctx.Data.ColorTbl[static_cast<size_t>(cf)] : 0);
    ctx.Dc.TextOutAt(Px(item.X - size.cy * 4 / 15), Px(item.Y + size.cx), glyph);
}

}  // namespace notaline
