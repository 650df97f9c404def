#include "model/edit/TypedText.h"

#include "model/document/MarkCodes.h"
#include "model/document/Measure.h"
#include "model/document/Tables.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

// Full-width round brackets in code page 936.
constexpr int16_t kFullOpen = static_cast<int16_t>(0xA3A8);
constexpr int16_t kFullClose = static_cast<int16_t>(0xA3A9);

// The input font's size and style; notation never carries underline or strike-out.
void TakeInputFont(const EditorData& data, tessaly::aWordInfo& w, const InputAttributes& in, bool lines) {
    w.cb = in.cb;
    w.cf = in.cf;
    // The height a loaded character of this size gets, so that typing, loading and the size
    // commands agree and a saved song reads back unchanged.
    w.nLogFont.lfHeight = PointToLogHeight(data, in.Size);
    w.SelSize = in.Size;
    w.nLogFont.lfItalic = in.Italic ? 1 : 0;
    w.nLogFont.lfUnderline = lines && in.Underline ? 1 : 0;
    w.nLogFont.lfStrikeOut = lines && in.StrikeOut ? 1 : 0;
    w.nLogFont.lfWeight = in.Weight;
    w.WdSpace = in.SelWordSpace;
}

tessaly::aWordInfo InputWord(EditorData& data, const InputAttributes& in, int16_t code, bool notation) {
    tessaly::aWordInfo w;
    TakeInputFont(data, w, in, !notation);
    w.nLogFont.FontTblIndex = GetFontTblIndex(data, in.FontName);
    w.IsJpGcCtl = notation ? 1 : 0;
    w.WdAsc = code;
    w.WdSize = MeasureWordGdip(data, w.nLogFont, CodeText(code));
    return w;
}

std::vector<tessaly::aWordInfo> MakeWords(EditorData& data, const InputAttributes& in, std::string_view gbk,
                                          bool notation) {
    std::vector<tessaly::aWordInfo> out;
    for (int16_t code : CharCodes(gbk)) out.push_back(InputWord(data, in, code, notation));
    return out;
}

}  // namespace

std::vector<int16_t> CharCodes(std::string_view gbk) {
    std::vector<int16_t> codes;
    for (size_t i = 0; i < gbk.size(); ++i) {
        const auto b = static_cast<uint8_t>(gbk[i]);
        if (tessaly::IsGbkLeadByte(b)) {
            if (i + 1 >= gbk.size()) break;
            const auto t = static_cast<uint8_t>(gbk[++i]);
            codes.push_back(static_cast<int16_t>(static_cast<uint16_t>(b << 8 | t)));
        } else if (b != 0) {
            codes.push_back(b);
        }
    }
    return codes;
}

bool IsJpText(std::string_view gbk) {
    static constexpr std::string_view kSingle = "01234567+.|- =CDEFGA()#";
    for (int16_t c : CharCodes(gbk)) {
        if (c == kFullOpen || c == kFullClose) continue;
        if (c <= 0 || c > 127 || kSingle.find(static_cast<char>(c)) == std::string_view::npos) return false;
    }
    return true;
}

std::vector<tessaly::aWordInfo> MakeLyricWords(EditorData& data, const InputAttributes& in, std::string_view gbk) {
    return MakeWords(data, in, gbk, false);
}

std::vector<tessaly::aWordInfo> MakeNotationWords(EditorData& data, const InputAttributes& in, std::string_view gbk) {
    return MakeWords(data, in, gbk, true);
}

bool TextToWords(EditorData& data, const InputAttributes& in, std::string_view gbk,
                 std::vector<tessaly::aWordInfo>& out) {
    out.clear();
    if (gbk.empty()) return false;
    switch (data.InputState) {
        case tessaly::GcState: out = MakeLyricWords(data, in, gbk); return false;
        case tessaly::JpState:
            if (IsJpText(gbk)) {
                out = MakeNotationWords(data, in, gbk);
                return false;
            }
            data.InputState = tessaly::GcState;
            out = MakeLyricWords(data, in, gbk);
            return true;
        default: return false;
    }
}

std::vector<tessaly::aWordInfo> MakeInputWordInfo(EditorData& data, int32_t selStart, int32_t selLength,
                                                  std::string_view gbk) {
    int32_t caret = selLength < 0 ? selStart + selLength : selStart;
    std::vector<tessaly::aWordInfo> out;
    if (data.WordCount() <= 0) return out;
    const int32_t s = caret > 0 ? std::min(caret - 1, data.WordCount() - 1) : 0;
    const StoredWord source = data.WordInfo[static_cast<size_t>(s)];
    tessaly::aWordInfo w;
    w.cb = GetColorTblIndex(data, 0);
    w.cf = source.cf;
    w.nLogFont.FontTblIndex = data.AboutFileInfo.BaseFontTblIndex;
    w.IsJpGcCtl = 3;
    w.nLogFont.lfHeight = source.nLogFont().lfHeight;
    w.SelSize = source.SelSize;
    w.nLogFont.lfWeight = 400;
    w.WdAsc = 45;
    w.WdSize = MeasureWordGdip(data, w.nLogFont, "-");
    for (int32_t i = std::max(data.SelStart, 0); i < data.WordCount(); ++i) {
        const StoredWord& end = data.WordInfo[static_cast<size_t>(i)];
        if (end.IsJpGcCtl != 3) continue;
        for (int k = 0; k < 8; ++k) {
            w.ExtralWordInfo[k].IndexType = end.ExtralWordInfo[k].IndexType;
            w.ExtralWordInfo[k].ExtralWordVal1 = end.ExtralWordInfo[k].ExtralWordVal1;
            w.ExtralWordInfo[k].ExtralWordVal2 = end.ExtralWordInfo[k].ExtralWordVal2;
        }
        break;
    }
    out.assign(CharCodes(gbk).size(), w);
    return out;
}

// The character each host symbol stands as, and whether it is drawn in the notation font. 180
// gives the closing bracket as 179 gives the opening one, though its listed code is no character.
struct MarkSymbol {
    int32_t Code;
    uint16_t Char;
    bool NotationFont;
};
constexpr MarkSymbol kMarkSymbols[] = {
    {kMarkBarRest, '`', true},
    {kMarkReturnSlideUp, 'G', true},
    {kMarkReturnSlideDown, 'E', true},
    {kMarkTimeSignature, ' ', false},
    {kMarkBarLine, '[', true},
    {kMarkDashedBarLine, 'Z', true},
    {kMarkFinalBarLine, '^', true},
    {kMarkSectionLine, 'Y', true},
    {kMarkRepeatStartLine, '\\', true},
    {kMarkRepeatEndLine, ']', true},
    {kMarkRepeatBothLine, '_', true},
    {kMarkRepeatOneBar, '.', true},
    {kMarkRepeatTwoBars, '/', true},
    {kMarkSharp, 'a', true},
    {kMarkFlat, 'b', true},
    {kMarkDoubleSharp, 'c', true},
    {kMarkDoubleFlat, 'd', true},
    {kMarkNatural, 'e', true},
    {kMarkKeySetting, '1', false},
    {kMarkKeyC, 'C', false},
    {kMarkKeyD, 'D', false},
    {kMarkKeyE, 'E', false},
    {kMarkKeyF, 'F', false},
    {kMarkKeyG, 'G', false},
    {kMarkKeyA, 'A', false},
    {kMarkKeyB, 'B', false},
    {kMarkFreeMetre, 'E', true},
    {kMarkSlideUp, 'G', true},
    {kMarkSlideDown, 'H', true},
    {kMarkRhythmX, 'X', false},
    {kMarkDot, 'D', true},
    {kMarkPlus, '+', false},
    {kMarkBreath, 'f', true},
    {kMarkFreeRest, 'C', true},
    {kMarkTremolo4, '*', true},
    {kMarkExtensionLine, '-', false},
    {kMarkTempoJ, 'A', true},
    {kMarkBigSlideUp, 0xF0AF, true},
    {kMarkBigSlideDown, 0xF0AE, true},
    {kMarkArpeggioUp, ' ', true},
    {kMarkArpeggioDown, ' ', true},
    {kMarkTremoloBow, '*', true},
    {kMarkDoubleBow, '+', true},
    {kMarkFigureRepeat, '0', true},
    {kMarkRepeatPoint, 'z', true},
    {kMarkTremolo8, '+', true},
    {kMarkTremolo16, ',', true},
    {kMarkLoneBreath, 'f', true},
    {kMarkEquals, '=', false},
    {kMarkStartPosition, 'X', true},
    {kMarkFeatureBarLine, 'W', true},
    {kMarkOpenBracket, '(', false},
    {kMarkCloseBracket, ')', false},
};

SymbolChar SymbolForMark(int32_t c) {
    for (const MarkSymbol& s : kMarkSymbols)
        if (s.Code == c) return {static_cast<int16_t>(s.Char), s.NotationFont, true};
    return {};
}

bool BuildSymbolWord(EditorData& data, const InputAttributes& in, int32_t markCode, int32_t value,
                     tessaly::aWordInfo& out) {
    const SymbolChar sym = SymbolForMark(markCode);
    if (!sym.Known) return false;
    data.InputState = tessaly::JpState;
    tessaly::aWordInfo w;
    TakeInputFont(data, w, in, true);
    w.ExtralWordInfo[0].IndexType = markCode;
    w.ExtralWordInfo[0].ExtralWordVal1 = static_cast<int16_t>(static_cast<uint32_t>(value) & 0xFFFF);
    w.ExtralWordInfo[0].ExtralWordVal2 = static_cast<int16_t>(static_cast<uint32_t>(value) >> 16);
    if (sym.NotationFont) {
        w.nLogFont.FontTblIndex = data.AboutFileInfo.BaseFontTblIndex;
        w.IsJpGcCtl = 2;
    } else {
        w.nLogFont.FontTblIndex = GetFontTblIndex(data, in.FontName);
        w.IsJpGcCtl = 1;
    }
    w.WdAsc = sym.Code;
    w.WdSize = MeasureWordGdip(data, w.nLogFont, CodeText(sym.Code));
    out = w;
    return true;
}

}  // namespace notaline
