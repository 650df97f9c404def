#include "paint/GraceCells.h"

#include <algorithm>

#include "model/document/Measure.h"

namespace notaline {

namespace {

constexpr uint32_t kCellText = kDtCenter | kDtBottom | kDtSingleLine;  // clipped to the box
constexpr int32_t kLiftUnits = 32;
constexpr int32_t kLowDotUnits = 12;

IntRect Lifted(const tessaly::aWordInfo& c, double dy, double right) {
    return {Px(c.Left), Px(c.Top + dy), Px(right), Px(c.Bottom + dy)};
}

}  // namespace

bool GraceStrokeLevelsFor(int32_t largestYg, GraceStrokeLevels& levels) {
    if (largestYg < 0 || largestYg > 6) return false;
    if (largestYg <= 3) {
        levels = {12, 14};
    } else if (largestYg == 4) {
        levels = {15, 17};
    } else if (largestYg == 5) {
        levels = {18, 20};
    } else {
        levels = {22, 24};
    }
    return true;
}

void DrawExtralGraceNotes(PaintContext& ctx, int32_t word, int32_t form, int32_t position) {
    const EditorData& data = ctx.Data;
    if (!data.IsWord(word)) return;
    const bool before = form >= 1 && form <= 3;
    const bool after = form >= 4 && form <= 6;
    if (position == 1 && (before || after)) {
        const int32_t main = before ? word + form : word - 1;
        // A group of form 4 on the first character has no main note: the colour stays.
        if (data.IsWord(main)) SetWordTextColor(ctx, main);
    }
    const auto c = Word(ctx, word);
    const size_t fontIndex = static_cast<size_t>(c.nLogFont.FontTblIndex);
    if (c.nLogFont.FontTblIndex < 0 || fontIndex >= data.FontTbl.size()) return;
    const double hYg = data.FontTbl[fontIndex].hYg;
    const double hYc = data.FontTbl[fontIndex].hYc;
    const double h = c.nLogFont.lfHeight;
    const double s = static_cast<double>(int64_t{c.nLogFont.lfHeight} * kLiftUnits) / 20.4 - c.UpSpace;
    const double right = c.Left + c.WdSize.cx;

    SelectWordFont(ctx, c.nLogFont);
    ctx.Dc.DrawTextInRect(CodeText(c.WdAsc), Lifted(c, s, right), kCellText);
    SelectNotationFont(ctx, c.nLogFont.lfHeight);
    if (c.YG >= 1 && c.YG <= 6) {
        const double dy = c.YG <= 3 ? s + hYg * h / 20.4 : s - (hYc + kLowDotUnits) * h / 20.4;
        ctx.Dc.DrawTextInRect(Glyph(static_cast<uint16_t>(35 + c.YG)), Lifted(c, dy, right), kCellText);
    }
    if (position != 1 || !(before || after)) return;

    const int32_t last = word + (before ? form : form - 3) - 1;
    if (!data.IsWord(last)) return;
    int32_t largest = 0;
    for (int32_t j = word; j <= last; ++j)
        largest = std::max<int32_t>(largest, data.WordInfo[static_cast<size_t>(j)].YG);
    GraceStrokeLevels k;
    if (!GraceStrokeLevelsFor(largest, k)) return;
    const double groupRight = Word(ctx, last).Right;
    const double dy1 = s - (hYc + k.First) * h / 20.4;
    ctx.Dc.DrawTextInRect(GlyphRun('S', 4), Lifted(c, dy1, groupRight), kCellText);
    const double dy2 = s - (hYc + k.Second) * h / 20.4;
    ctx.Dc.DrawTextInRect(Glyph(before ? 'U' : 'T'), Lifted(c, dy2, groupRight), kCellText);
}

}  // namespace notaline
