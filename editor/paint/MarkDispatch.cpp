#include "paint/MarkDispatch.h"

#include <algorithm>
#include <string>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "paint/GlyphMarks.h"
#include "paint/GlyphSymbols.h"
#include "paint/LineSpans.h"
#include "paint/PageServices.h"
#include "paint/SpanMarks.h"
#include "paint/TextMarks.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

void DrawSlot(PaintContext& ctx, int32_t word, int32_t slot) {
    const tessaly::aExtralWordInfo mark = SlotOf(ctx, word, slot);
    const int32_t code = mark.IndexType;
    const MarkRow& row = MarkOf(code);
    using P = MarkPainter;
    switch (row.Painter) {
        case P::Glyph: DrawExtralGlyphCentered(ctx, word, Glyph(row.Glyph), mark.ExtralWordVal1); break;
        case P::ShiftedGlyph:
            DrawExtralGlyph(ctx, word, Glyph(row.Glyph), mark.ExtralWordVal2, mark.ExtralWordVal1);
            break;
        case P::Trill: DrawExtralTrill(ctx, word, slot); break;
        case P::BarRest: DrawExtralNumber(ctx, word, slot); break;
        case P::Fraction: DrawExtralFraction(ctx, word, mark.ExtralWordVal1, mark.ExtralWordVal2); break;
        case P::TempoSpan: DrawExtralTempoSpan(ctx, word, slot); break;
        case P::TempoChange:
            DrawExtralTempoChange(ctx, word, GetExtralWordVal3(ctx.Data, word, slot),
                                  tessaly::CInt(mark.ExtralWordVal2), tessaly::CInt(mark.ExtralWordVal1));
            break;
        case P::GraceCells: ctx.Page().DrawGraceCells(ctx, word, mark.ExtralWordVal1, mark.ExtralWordVal2); break;
        case P::RepeatSign: DrawExtralRepeatSign(ctx, word, slot); break;
        case P::ArcStart: DrawExtralSpanStart(ctx, word, slot, code); break;
        case P::ArcEnd: DrawExtralSpanEnd(ctx, word, slot); break;
        case P::TupletStart: DrawExtralTupletStart(ctx, word, slot); break;
        case P::TupletEnd: DrawExtralTupletEnd(ctx, word, slot); break;
        case P::OctaveLine: DrawExtralOctaveLine(ctx, word, slot); break;
        case P::Hairpin: DrawExtralHairpin(ctx, word, slot); break;
        case P::LengthHairpin: DrawExtralLengthHairpin(ctx, word, slot); break;
        case P::KeyChange: DrawExtralKeyChange(ctx, word, slot); break;
        case P::CountedGlyph: DrawExtralCountedGlyph(ctx, word, slot); break;
        case P::VoltaStart: DrawExtralVoltaStart(ctx, word, slot); break;
        case P::VoltaEnd: DrawExtralVoltaEnd(ctx, word, slot, false); break;
        case P::OpenVoltaEnd: DrawExtralVoltaEnd(ctx, word, slot, true); break;
        case P::LateVibrato: DrawExtralNoVibrato(ctx, word, slot); break;
        case P::Arpeggio: DrawExtralArpeggio(ctx, word, slot); break;
        case P::CustomText:
            DrawExtralText(ctx, word, GetExtralWordVal3(ctx.Data, word, slot), mark.ExtralWordVal2,
                           mark.ExtralWordVal1);
            break;
        case P::TestSymbol: {
            std::string text = GetExtralWordVal3(ctx.Data, word, slot);
            DrawExtralTestSymbol(ctx, word, text);
            break;
        }
        case P::BoxedText:
            DrawExtralBoxedText(ctx, word, GetExtralWordVal3(ctx.Data, word, slot), mark.ExtralWordVal2,
                                mark.ExtralWordVal1);
            break;
        case P::Syllable:
            DrawExtralAlphaDigit(ctx, word, std::string(1, static_cast<char>('1' + code - kMarkSyllableDo)),
                                 mark.ExtralWordVal1);
            break;
        case P::PressVibrato: DrawExtralPressVibrato(ctx, code, word, mark.ExtralWordVal2, mark.ExtralWordVal1); break;
        case P::BigGlissando: ctx.Page().DrawBigHuaYing(ctx, word, slot); break;
        case P::Tempo: DrawExtralTempo(ctx, word, slot); break;
        case P::None: break;  // characters, paragraph attributes, or drawn from their partner
    }
}

}  // namespace

void DrawExtralWord(PaintContext& ctx, int32_t word) {
    if (!ctx.Data.IsWord(word)) return;
    for (int32_t slot = 0; slot < kSlotCount; ++slot)
        if (SlotOf(ctx, word, slot).IndexType != 0) DrawSlot(ctx, word, slot);
}

}  // namespace notaline
