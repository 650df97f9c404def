#include "paint/GlyphMarks.h"

#include <algorithm>
#include <array>
#include <string>

#include "model/document/MarkCodes.h"
#include "model/document/Measure.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr uint32_t kStdFlags = kDtSingleLine | kDtBottom | kDtLeft | kDtNoClip;

// Left to Right over the band moved by v units: long runs go on past the right edge.
IntRect StandardRect(const tessaly::aWordInfo& w, int32_t v) {
    return BandRect(w, v, w.Left, w.Right);
}

// Glyph box of the character shifted h units right, over the band moved by v units.
IntRect ShiftedRect(const tessaly::aWordInfo& w, int32_t h, int32_t v) {
    const double dx = OffsetPx(w, h);
    return BandRect(w, v, w.Left - dx, w.Left + w.WdSize.cx - dx);
}

// A run in the notation font at the character's height, over the standard rectangle.
void DrawRun(PaintContext& ctx, int32_t word, const std::string& text, int32_t v) {
    SetWordTextColor(ctx, word);
    SelectNotationFont(ctx, Word(ctx, word).nLogFont.lfHeight);
    ctx.Dc.DrawTextInRect(text, StandardRect(Word(ctx, word), v), kStdFlags);
}

}  // namespace

int32_t ClampedRunCount(const PaintContext& ctx, int32_t word, int32_t slot) {
    return std::clamp(SlotOf(ctx, word, slot).ExtralWordVal2, 1, kMaxGlyphRun);
}

void DrawExtralGlyphCentered(PaintContext& ctx, int32_t word, std::string_view glyph, int32_t vOffset) {
    DrawExtralGlyph(ctx, word, glyph, 0, vOffset);
}

void DrawExtralGlyph(PaintContext& ctx, int32_t word, std::string_view glyph, int32_t hOffset, int32_t vOffset) {
    const auto& w = Word(ctx, word);
    SelectNotationFont(ctx, w.nLogFont.lfHeight);
    SetWordTextColor(ctx, word);
    ctx.Dc.DrawTextInRect(glyph, ShiftedRect(w, hOffset, vOffset), kDtSingleLine | kDtBottom | kDtCenter | kDtNoClip);
}

void DrawExtralTempo(PaintContext& ctx, int32_t word, int32_t slot) {
    static constexpr std::array<std::string_view, 14> kTerms{"庄板",   "广板",   "慢板", "柔板",   "小广板",
                                                             "行板",   "小行板", "中板", "小快板", "快板",
                                                             "小速板", "速板",   "急板", "极急"};
    const auto& mark = SlotOf(ctx, word, slot);
    const int32_t index = mark.IndexType - kMarkTempoFirst;
    if (index < 0 || index >= static_cast<int32_t>(kTerms.size())) return;
    const auto& w = Word(ctx, word);
    SetWordTextColor(ctx, word);
    SelectWordFont(ctx, SetMarkGlyphFont(ctx, kSongTiFace, tessaly::CLng(0.7 * w.nLogFont.lfHeight), 0, 0));
    ctx.Dc.DrawTextInRect(Gbk(kTerms[static_cast<size_t>(index)]),
                          ShiftedRect(w, mark.ExtralWordVal2, mark.ExtralWordVal1), kStdFlags);
}

void DrawExtralTrill(PaintContext& ctx, int32_t word, int32_t slot) {
    const int32_t n = ClampedRunCount(ctx, word, slot);
    DrawRun(ctx, word, Glyph(0x3E) + GlyphRun(0x3F, n - 1), SlotOf(ctx, word, slot).ExtralWordVal1);
}

void DrawExtralTempoSpan(PaintContext& ctx, int32_t word, int32_t slot) {
    const int32_t n = ClampedRunCount(ctx, word, slot);
    const auto& mark = SlotOf(ctx, word, slot);
    DrawRun(ctx, word, std::string(mark.IndexType == kMarkRitardando ? "p" : "q") + GlyphRun('V', n - 1),
            mark.ExtralWordVal1);
}

void DrawExtralOctaveLine(PaintContext& ctx, int32_t word, int32_t slot) {
    const int32_t n = ClampedRunCount(ctx, word, slot);
    const auto& mark = SlotOf(ctx, word, slot);
    const bool up = mark.IndexType == kMarkOctaveUp || mark.IndexType == kMarkOctaveDown;
    const bool plainTail = mark.IndexType == kMarkOctaveUp || mark.IndexType == kMarkOctaveUpRepeat;
    const std::string text = Glyph(up ? 0xF0A4 : 0xF0A3) + GlyphRun(0xF0A6, n - 1) + Glyph(plainTail ? 0xF0A7 : 0xF0A5);
    DrawRun(ctx, word, text, mark.ExtralWordVal1);
}

void DrawExtralRepeatSign(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto& mark = SlotOf(ctx, word, slot);
    const int32_t n = std::clamp(mark.ExtralWordVal2, 1, kMaxGlyphRun);
    const int32_t v = tessaly::CInt(mark.ExtralWordVal1);
    if (mark.IndexType == kMarkRepeatLeft) {
        DrawRun(ctx, word, Glyph(0xF09F) + GlyphRun(0xF0A1, n - 1) + Glyph(0xF0A0), v);
        return;
    }
    // The right sign ends at the character's right edge.
    const std::string text = Glyph(0xF0A0) + GlyphRun(0xF0A1, n - 1) + Glyph(0xF0A2);
    const auto& w = Word(ctx, word);
    SetWordTextColor(ctx, word);
    SelectNotationFont(ctx, w.nLogFont.lfHeight);
    const double width = MeasureWordGdip(ctx.Data, ctx.mLogFont, text).cx;
    IntRect box = StandardRect(w, v);
    box.Left = tessaly::CLng(w.Left + w.WdSize.cx - width);
    ctx.Dc.DrawTextInRect(text, box, kStdFlags);
}

void DrawExtralNumber(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto& mark = SlotOf(ctx, word, slot);
    const auto& w = Word(ctx, word);
    const std::string text = std::to_string(mark.ExtralWordVal1);
    SetWordTextColor(ctx, word);
    SelectMarkTextFont(ctx, word, 0.8);
    const double half = tessaly::CLng(MeasureWordGdi(ctx.Data, ctx.mLogFont, text).cx) / 2.0;
    ctx.Dc.DrawTextInRect(
        text, BandRect(w, mark.ExtralWordVal2, w.Left + w.WdSize.cx / 2 - half, w.Right + w.WdSize.cx / 2 - half),
        kStdFlags);
}

void DrawExtralFraction(PaintContext& ctx, int32_t word, int32_t numerator, int32_t denominator) {
    const auto& w = Word(ctx, word);
    SetWordTextColor(ctx, word);
    SelectWordFont(ctx, w.nLogFont);
    const double up = w.nLogFont.lfHeight * 10.2 / 20.4;
    const double down = -up;
    const auto box = [&](double dy) {
        return IntRect{Px(w.Left), Px(w.Top - w.UpSpace + dy), Px(w.Left + w.WdSize.cx), Px(w.Bottom - w.UpSpace + dy)};
    };
    const uint32_t flags = kDtSingleLine | kDtBottom | kDtCenter | kDtNoClip;
    const TextMetric before = ctx.Dc.GetTextMetric();
    ctx.Dc.DrawTextInRect(std::to_string(numerator), box(up), flags);
    const TextMetric after = ctx.Dc.GetTextMetric();
    ctx.Dc.DrawTextInRect(std::to_string(denominator), box(down), flags);

    const double b1 = w.Bottom + up - before.Descent;
    const double b2 = w.Bottom + down + after.Descent - after.Height;
    const int32_t y = Px((b1 + b2) / 2 - w.UpSpace);
    ctx.Dc.PenLine(Px(w.Left), y, Px(w.Left + w.WdSize.cx), y, GetWordArgb(ctx, word),
                   static_cast<float>(PenWidth(ctx)));
}

void DrawExtralTempoChange(PaintContext& ctx, int32_t word, std::string_view text, int32_t hOffset, int32_t vOffset) {
    const auto& w = Word(ctx, word);
    SetWordTextColor(ctx, word);
    SelectNotationFont(ctx, tessaly::CLng(0.8 * w.nLogFont.lfHeight));
    const double noteWidth = MeasureWordGdip(ctx.Data, ctx.mLogFont, "A").cx;
    const double dx = OffsetPx(w, hOffset);
    ctx.Dc.DrawTextInRect("A", BandRect(w, vOffset, w.Left - dx, w.Left + w.WdSize.cx - dx), kStdFlags);
    SelectMarkTextFont(ctx, word, 0.8);
    ctx.Dc.DrawTextInRect(std::string("=") + std::string(text),
                          BandRect(w, vOffset, w.Left - dx + noteWidth, w.Left + w.WdSize.cx - dx + noteWidth),
                          kStdFlags);
}

}  // namespace notaline
