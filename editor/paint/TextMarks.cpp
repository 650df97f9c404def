#include "paint/TextMarks.h"

#include <array>
#include <string>

#include "model/document/Measure.h"
#include "model/document/Tables.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr uint32_t kTextFlags = kDtSingleLine | kDtBottom | kDtLeft | kDtNoClip;

struct KeyName {
    char Accidental;  // 'a' sharp, 'b' flat, 0 none
    char Letter;
};

// Keys 1 to 17 of a key change.
constexpr std::array<KeyName, 17> kKeys{{{0, 'C'},
                                         {'a', 'C'},
                                         {'b', 'D'},
                                         {0, 'D'},
                                         {'a', 'D'},
                                         {'b', 'E'},
                                         {0, 'E'},
                                         {0, 'F'},
                                         {'a', 'F'},
                                         {'b', 'G'},
                                         {0, 'G'},
                                         {'a', 'G'},
                                         {'b', 'A'},
                                         {0, 'A'},
                                         {'a', 'A'},
                                         {'b', 'B'},
                                         {0, 'B'}}};

}  // namespace

void DrawExtralKeyChange(PaintContext& ctx, int32_t word, int32_t slot) {
    const auto& mark = SlotOf(ctx, word, slot);
    const int32_t key = mark.ExtralWordVal2;
    if (key < 1 || key > static_cast<int32_t>(kKeys.size())) return;
    const KeyName name = kKeys[static_cast<size_t>(key - 1)];
    const auto& w = Word(ctx, word);
    const int32_t v = mark.ExtralWordVal1;
    const std::string prefix = Gbk("转1=");
    SetWordTextColor(ctx, word);
    SelectMarkTextFont(ctx, word, 0.7);
    if (name.Accidental == 0) {
        ctx.Dc.DrawTextInRect(prefix + name.Letter, BandRect(w, v, w.Left, w.Right), kTextFlags);
        return;
    }
    // Text, the accidental in the notation font, and the letter, each after the ones before.
    const double w1 = MeasureWordGdi(ctx.Data, ctx.mLogFont, prefix).cx;
    ctx.Dc.DrawTextInRect(prefix, BandRect(w, v, w.Left, w.Right), kTextFlags);
    SelectNotationFont(ctx, tessaly::CLng(0.7 * w.nLogFont.lfHeight));
    const std::string accidental(1, name.Accidental);
    const double w2 = MeasureWordGdip(ctx.Data, ctx.mLogFont, accidental).cx;
    ctx.Dc.DrawTextInRect(accidental, BandRect(w, v, w.Left + w1, w.Right + w1 + w2), kTextFlags);
    SelectMarkTextFont(ctx, word, 0.7);
    ctx.Dc.DrawTextInRect(std::string(1, name.Letter), BandRect(w, v, w.Left + w1 + w2, w.Right + w1 + w2), kTextFlags);
}

void DrawExtralText(PaintContext& ctx, int32_t word, std::string_view text, int32_t hOffset, int32_t vOffset) {
    const auto& w = Word(ctx, word);
    SetWordTextColor(ctx, word);
    SelectWordFont(ctx, SetMarkGlyphFont(ctx, kSongTiFace, tessaly::CLng(0.7 * w.nLogFont.lfHeight), 0, 0));
    const double dx = OffsetPx(w, hOffset);
    ctx.Dc.DrawTextInRect(text, BandRect(w, vOffset, w.Left - dx, w.Left + w.WdSize.cx - dx), kTextFlags);
}

void DrawExtralBoxedText(PaintContext& ctx, int32_t word, std::string_view text, int32_t hOffset, int32_t vOffset) {
    const auto& w = Word(ctx, word);
    SetWordTextColor(ctx, word);
    SelectMarkTextFont(ctx, word, 0.8);
    const tessaly::SIZEF size = MeasureWordGdi(ctx.Data, ctx.mLogFont, text);
    const double x = w.Left - OffsetPx(w, hOffset);
    // The frame is black whatever the text's colour, 1 pixel wide on screen and paper.
    ctx.Dc.DashedRect(Px(x), Px(w.Bottom - w.UpSpace - size.cy + OffsetPx(w, vOffset)), Px(size.cx), Px(size.cy),
                      0xFF000000u, 5, 1);
    ctx.Dc.DrawTextInRect(text, BandRect(w, vOffset, x, x + size.cx), kTextFlags | kDtCenter);
}

void DrawExtralAlphaDigit(PaintContext& ctx, int32_t word, std::string_view digit, int32_t vOffset) {
    const auto& w = Word(ctx, word);
    const uint32_t argb = 0xBB000000u | (GetWordArgb(ctx, word) & 0xFFFFFFu);
    // The default document and every new one store 0, which would give the digit no height:
    // a size of 0 or less means the full glyph height.
    const int32_t percent = ctx.Data.AboutFileInfo.CMScale > 0 ? ctx.Data.AboutFileInfo.CMScale : 100;
    const int32_t height = tessaly::CLng(w.WdSize.cy * percent / 100.0);
    const tessaly::LogFont font = MakeGdiLogFont(ctx.Data.NotationFontName, height, 0, 0);
    const FloatRect layout{w.Left, static_cast<float>(w.Bottom - w.WdSize.cy + OffsetPx(w, vOffset) - w.UpSpace),
                           w.WdSize.cx, w.WdSize.cy};
    ctx.Dc.TranslucentText(digit, font, kSymbolCharset, layout, argb, kStringFormatNoClip);
}

}  // namespace notaline
