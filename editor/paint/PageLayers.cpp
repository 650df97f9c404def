#include "paint/PageLayers.h"

#include <algorithm>

#include "paint/BigGlissando.h"
#include "paint/MarkDispatch.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr uint32_t kWhite = 0xFFFFFFu;

// A background colour of the table for GDI+: the table keeps red in the low byte and the file's
// alpha on top; no alpha leaves the page as it is.
uint32_t BackgroundArgb(uint32_t c) {
    return tessaly::SwapRedBlue(c);
}

// Nothing to fill: a printer's GDI+ draws a fill of alpha 0 as solid black.
bool Invisible(uint32_t c) {
    return (c >> 24) == 0;
}

bool IsPage(const EditorData& data, int32_t page) {
    return page >= 0 && page < data.PageCount();
}

struct LineRange {
    int32_t First = 0;
    int32_t End = 0;  // past the last
    bool Holds(int32_t line) const { return line >= First && line < End; }
};

// The page's lines, kept inside the line table.
LineRange PageLines(const EditorData& data, int32_t page) {
    const auto& p = data.PageInfo[static_cast<size_t>(page)];
    return {std::max(p.StartLine, 0), std::min(p.StartLine + p.LengthLine, data.LineCount())};
}

void DrawSourceLineMarker(PaintContext& ctx, int32_t line) {
    const auto& l = ctx.Data.LineInfo[static_cast<size_t>(line)];
    const int32_t last = std::min(l.Start + l.Length, ctx.Data.WordCount()) - 1;
    if (l.Start < 0 || last < l.Start) return;
    const tessaly::aWordInfo first = Word(ctx, l.Start);
    const tessaly::aWordInfo end = Word(ctx, last);
    ctx.Dc.FocusRect({Px(first.Left), Px(l.Top * ctx.Scale), Px(end.Left + end.WdSize.cx), Px(l.Bottom * ctx.Scale)});
}

}  // namespace

PixelSize PageSizeAt(const EditorData& data, double scale) {
    return {Px(data.PageWidthPx * scale), Px(data.PageHeightPx * scale)};
}

void ClearPageLayer(PaintContext& ctx) {
    const PixelSize size = PageSizeAt(ctx.Data, ctx.Scale);
    ctx.Dc.FillColour({0, 0, size.Width, size.Height}, kWhite);
}

void DrawPageBackground(PaintContext& ctx, std::u16string_view textureFile) {
    const PixelSize size = PageSizeAt(ctx.Data, ctx.Scale);
    const uint8_t type = ctx.Data.AboutPageInfo.BackGroundType;
    if (type < std::size(kBackgroundArgb)) {
        ctx.Dc.FillArgb(0, 0, size.Width, size.Height, kBackgroundArgb[type]);
        return;
    }
    // Whatever shows through a texture that is missing or a translucent colour is white, not the
    // page drawn before.
    ClearPageLayer(ctx);
    if (type == kTextureBackground) {
        ctx.Dc.FillTexture(textureFile, {0, 0, static_cast<float>(size.Width), static_cast<float>(size.Height)});
    } else if (!ctx.Data.ColorTbl.empty() && !Invisible(ctx.Data.ColorTbl[0])) {
        ctx.Dc.FillArgb(0, 0, size.Width, size.Height, BackgroundArgb(ctx.Data.ColorTbl[0]));
    }
}

void DrawPageTextLayer(PaintContext& ctx, CellCache& cache, int32_t page, const IntRect* band) {
    if (!IsPage(ctx.Data, page)) return;
    const LineRange lines = PageLines(ctx.Data, page);
    if (lines.Holds(ctx.Data.CPdqLine)) {
        DrawSourceLineMarker(ctx, ctx.Data.CPdqLine);
    } else if (lines.Holds(ctx.Data.XjdqLine)) {
        DrawSourceLineMarker(ctx, ctx.Data.XjdqLine);
    }
    for (int32_t line = lines.First; line < lines.End; ++line) {
        const auto& l = ctx.Data.LineInfo[static_cast<size_t>(line)];
        const int32_t last = std::min(l.Start + l.Length, ctx.Data.WordCount());
        for (int32_t i = std::max(l.Start, 0); i < last; ++i) {
            if (band) {
                // A character's marks may stand up to its own height above or below it.
                const auto& w = ctx.Data.WordInfo[static_cast<size_t>(i)];
                const double h = w.Bottom - w.Top;
                if ((w.Bottom + h) * ctx.Scale < band->Top || (w.Top - h) * ctx.Scale > band->Bottom) continue;
            }
            DrawWordCell(ctx, cache, i, line);
        }
    }
    DrawPageNumber(ctx, page + 1, 0, 0, ctx.Scale);
}

void DrawPageMarkLayer(PaintContext& ctx, int32_t page) {
    ClearPageLayer(ctx);
    if (!IsPage(ctx.Data, page)) return;
    DrawPageWordBkColor(ctx, page);
    DrawCornerMarks(ctx, 0, 0);
    const auto& p = ctx.Data.PageInfo[static_cast<size_t>(page)];
    const int32_t end = std::min(p.StartWord + p.LengthWord, ctx.Data.WordCount());
    for (int32_t i = std::max(p.StartWord, 0); i < end; ++i) DrawExtralWord(ctx, i);
    DrawBigHuaYingsFromEarlierPages(ctx, page);
}

void DrawPageItemLayer(PaintContext& ctx, int32_t page) {
    ClearPageLayer(ctx);
    for (size_t k = 0; k < ctx.Data.HwWordInfo.size(); ++k)
        if (ctx.Data.HwWordInfo[k].iPage == page) DrawHwWord(ctx, static_cast<int32_t>(k));
}

bool PageHasItems(const EditorData& data, int32_t page) {
    return std::any_of(data.HwWordInfo.begin(), data.HwWordInfo.end(),
                       [&](const tessaly::aHwWordInfo& item) { return item.iPage == page; });
}

void DrawCornerMarks(PaintContext& ctx, double ox, double oy) {
    const double z = ctx.Scale;
    const double l = ctx.Data.WriteLeft, t = ctx.Data.WriteTop, r = ctx.Data.WriteRight, b = ctx.Data.WriteBottom;
    constexpr double n = 30;
    const double lines[8][4] = {{l - n, t, l, t}, {l, t - n, l, t}, {r, t - n, r, t}, {r, t, r + n, t},
                                {l - n, b, l, b}, {l, b, l, b + n}, {r, b, r, b + n}, {r, b, r + n, b}};
    for (const auto& p : lines)
        ctx.Dc.PenLine(Px(z * p[0] - ox), Px(z * p[1] - oy), Px(z * p[2] - ox), Px(z * p[3] - oy), kCornerMarkArgb, 1);
}

void DrawPageWordBkColor(PaintContext& ctx, int32_t page) {
    if (!IsPage(ctx.Data, page)) return;
    const LineRange lines = PageLines(ctx.Data, page);
    const auto& table = ctx.Data.ColorTbl;
    for (int32_t line = lines.First; line < lines.End; ++line) {
        const auto& l = ctx.Data.LineInfo[static_cast<size_t>(line)];
        const int32_t end = std::min(l.Start + l.Length, ctx.Data.WordCount());
        for (int32_t runStart = std::max(l.Start, 0); runStart < end;) {
            const int16_t cb = ctx.Data.WordInfo[static_cast<size_t>(runStart)].cb;
            int32_t runEnd = runStart + 1;
            while (runEnd < end && ctx.Data.WordInfo[static_cast<size_t>(runEnd)].cb == cb) ++runEnd;
            if (cb >= 0 && static_cast<size_t>(cb) < table.size() && !Invisible(table[static_cast<size_t>(cb)])) {
                const uint32_t c = table[static_cast<size_t>(cb)];
                const int e = (c >> 24) == 0xFF ? 1 : 0;
                const tessaly::aWordInfo first = Word(ctx, runStart);
                const tessaly::aWordInfo last = Word(ctx, runEnd - 1);
                const int32_t x = Px(first.Left);
                ctx.Dc.FillArgb(x, Px(last.Top), Px(last.Right - x), Px(last.Bottom - last.Top + e), BackgroundArgb(c));
            }
            runStart = runEnd;
        }
    }
}

}  // namespace notaline
