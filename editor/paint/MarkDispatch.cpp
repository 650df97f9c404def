#include "paint/MarkDispatch.h"

#include <algorithm>
#include <string>

#include "model/MarkCodes.h"
#include "model/MarkSlots.h"
#include "paint/GlyphMarks.h"
#include "paint/GlyphSymbols.h"
#include "paint/LineSpans.h"
#include "paint/PageServices.h"
#include "paint/SpanMarks.h"
#include "paint/TextMarks.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

// Glyphs of the simple marks, by code: centred over the character or shifted by both values.
struct SimpleGlyph {
    int32_t Code;
    uint16_t Glyph;
    bool Shifted;
};

constexpr SimpleGlyph kSimpleGlyphs[] = {
    {1, ';', false},      {2, 'Q', false},      {3, 'R', false},      {4, 0x40, false},     {5, 'I', false},
    {6, 'J', false},      {7, 'K', false},      {9, 0xF088, true},    {10, 0xF089, true},   {11, 0xF086, true},
    {12, 0xF08E, true},   {13, 0xF08D, true},   {14, 0xF087, true},   {15, 0xF085, true},   {17, 'L', false},
    {123, 'L', false},    {18, 'N', false},     {19, 'O', false},     {20, 'P', false},     {126, 'P', false},
    {21, 'M', false},     {22, 0xF0AD, false},  {23, 0xF0AC, false},  {24, 'g', true},      {25, 'h', true},
    {26, 'i', true},      {27, 'j', true},      {28, 'k', true},      {29, 'l', true},      {30, 'm', true},
    {31, 'n', true},      {32, 'o', true},      {36, 'r', false},     {68, 'f', true},      {94, 0xF0B0, false},
    {95, 0xF0B1, false},  {96, 0xF0B2, false},  {97, 0xF0B3, false},  {98, 0xF0B4, false},  {99, 0xF0B5, false},
    {100, 0xF0B6, false}, {101, 0xF0B7, false}, {102, 0xF0B8, false}, {103, 0xF0B9, false}, {104, 0xF0BA, false},
    {107, 'F', true},     {108, 0xF0BD, true},  {110, 0xF0BF, false}, {111, 0xF0BB, false}, {112, 0xF0BC, false},
    {113, 0xF0E1, false}, {114, 0xF0E2, false}, {115, 0xF0DD, false}, {116, 0xF0DE, false},
};

const SimpleGlyph* FindSimpleGlyph(int32_t code) {
    for (const auto& g : kSimpleGlyphs)
        if (g.Code == code) return &g;
    return nullptr;
}

void DrawSlot(PaintContext& ctx, int32_t word, int32_t slot) {
    const tessaly::aExtralWordInfo mark = SlotOf(ctx, word, slot);
    const int32_t code = mark.IndexType;
    if (const SimpleGlyph* g = FindSimpleGlyph(code)) {
        if (g->Shifted) {
            DrawExtralGlyph(ctx, word, Glyph(g->Glyph), mark.ExtralWordVal2, mark.ExtralWordVal1);
        } else {
            DrawExtralGlyphCentered(ctx, word, Glyph(g->Glyph), mark.ExtralWordVal1);
        }
        return;
    }
    switch (code) {
        case kMarkTrill: DrawExtralTrill(ctx, word, slot); break;
        case 16: DrawExtralNumber(ctx, word, slot); break;
        case kMarkTimeSignature: DrawExtralFraction(ctx, word, mark.ExtralWordVal1, mark.ExtralWordVal2); break;
        case kMarkRitardando:
        case kMarkAccelerando: DrawExtralTempoSpan(ctx, word, slot); break;
        case kMarkTempoChange:
            DrawExtralTempoChange(ctx, word, GetExtralWordVal3(ctx.Data, word, slot),
                                  tessaly::CInt(mark.ExtralWordVal2), tessaly::CInt(mark.ExtralWordVal1));
            break;
        case kMarkGraceNote: ctx.Page().DrawGraceCells(ctx, word, mark.ExtralWordVal1, mark.ExtralWordVal2); break;
        case 70:
        case 71: DrawExtralRepeatSign(ctx, word, slot); break;
        case 72:
        case 121:
        case 146:
        case 148:
        case 150:
        case 152: DrawExtralSpanStart(ctx, word, slot, code); break;
        case 73:
        case 122:
        case 147:
        case 149:
        case 151:
        case 153: DrawExtralSpanEnd(ctx, word, slot); break;
        case kMarkTupletStart: DrawExtralTupletStart(ctx, word, slot); break;
        case 75: DrawExtralTupletEnd(ctx, word, slot); break;
        case kMarkOctaveLineFirst:
        case 77:
        case 78:
        case kMarkOctaveLineLast: DrawExtralOctaveLine(ctx, word, slot); break;
        case kMarkCrescendo: DrawExtralHairpin(ctx, word, slot); break;
        case 82:
        case 83:
        case 84: DrawExtralLengthHairpin(ctx, word, slot); break;
        case 85: DrawExtralKeyChange(ctx, word, slot); break;
        case kMarkDoubleSlide: DrawExtralCountedGlyph(ctx, word, slot); break;
        case kMarkVoltaStart:
        case kMarkOpenVoltaStart: DrawExtralVoltaStart(ctx, word, slot); break;
        case 90: DrawExtralVoltaEnd(ctx, word, slot, false); break;
        case 92: DrawExtralVoltaEnd(ctx, word, slot, true); break;
        case 109: DrawExtralNoVibrato(ctx, word, slot); break;
        case 117:
        case 118: DrawExtralArpeggio(ctx, word, slot); break;
        case kMarkCustomSymbol:
            DrawExtralText(ctx, word, GetExtralWordVal3(ctx.Data, word, slot), mark.ExtralWordVal2,
                           mark.ExtralWordVal1);
            break;
        case kMarkTestSymbol: {
            std::string text = GetExtralWordVal3(ctx.Data, word, slot);
            DrawExtralTestSymbol(ctx, word, text);
            break;
        }
        case kMarkBarNumber:
            DrawExtralBoxedText(ctx, word, GetExtralWordVal3(ctx.Data, word, slot), mark.ExtralWordVal2,
                                mark.ExtralWordVal1);
            break;
        case kMarkSyllableDo:
        case 134:
        case 135:
        case 136:
        case 137:
        case 138:
        case kMarkSyllableXi:
            DrawExtralAlphaDigit(ctx, word, std::string(1, static_cast<char>('1' + code - kMarkSyllableDo)),
                                 mark.ExtralWordVal1);
            break;
        case 142: DrawExtralPressVibrato(ctx, code, word, mark.ExtralWordVal2, mark.ExtralWordVal1); break;
        case kMarkBigGlissandoStart: ctx.Page().DrawBigHuaYing(ctx, word, slot); break;
        default:
            if (code >= 163 && code <= 176) DrawExtralTempo(ctx, word, slot);
            break;  // the rest are characters, paragraph attributes or drawn from their partner
    }
}

}  // namespace

void DrawExtralWord(PaintContext& ctx, int32_t word) {
    if (!ctx.Data.IsWord(word)) return;
    for (int32_t slot = 0; slot < kSlotCount; ++slot)
        if (SlotOf(ctx, word, slot).IndexType != 0) DrawSlot(ctx, word, slot);
}

}  // namespace notaline
