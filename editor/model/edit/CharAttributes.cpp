#include "model/edit/CharAttributes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "DaDurFormat.h"
#include "model/document/CharKinds.h"
#include "model/document/GraceNotes.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Measure.h"
#include "model/document/Tables.h"
#include "model/document/mGeneral.h"
#include "model/layout/LineBreaker.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr int32_t kBoldWeight = 700;
constexpr int32_t kNormalWeight = 400;
const std::string kSongTi = "\xCB\xCE\xCC\xE5";  // 宋体, the answer when faces differ

// Character kinds as bits, for the setters that touch only some kinds.
constexpr uint8_t kTextKind = 1;
constexpr uint8_t kSymbolKind = 4;
constexpr uint8_t kAllKinds = 0xF;

bool IsTextOrNote(const StoredWord& w) {
    return w.IsJpGcCtl == kCharText || w.IsJpGcCtl == kCharNote;
}

bool KindIn(const StoredWord& w, uint8_t kinds) {
    return w.IsJpGcCtl < 8 && (kinds >> w.IsJpGcCtl & 1) != 0;
}

int32_t GraceHeight(int32_t height) {
    return tessaly::CLng(height * 0.6);
}

}  // namespace

int32_t CaretReference(const EditorData& data, int32_t start) {
    const auto paraEnd = [&](int32_t i) { return !data.IsWord(i) || IsParaEnd(data, i); };
    if (start == 0) return paraEnd(0) ? -1 : 0;
    if (!paraEnd(start - 1)) return start - 1;
    return paraEnd(start) ? -1 : start;
}

uint32_t CharAttributes::ColourOf(int32_t index) const {
    const auto count = std::min<size_t>(data_.ColorTbl.size(),
                                        static_cast<size_t>(std::max<int16_t>(0, data_.AboutFileInfo.ColorTblCount)));
    return index >= 0 && static_cast<size_t>(index) < count ? data_.ColorTbl[static_cast<size_t>(index)] : 0;
}

// An empty range asks the reference character; otherwise every character must pass.
template <class Test>
bool CharAttributes::AllWords(int32_t start, int32_t length, Test&& test) const {
    if (!NormaliseWordRange(data_, start, length)) return false;
    if (length == 0) return data_.IsWord(Reference(start)) && test(Word(Reference(start)));
    for (int32_t i = start; i < start + length; ++i)
        if (!test(Word(i))) return false;
    return true;
}

// One characters step whose images reach one character past the range; `resized` steps tell the
// layout the range was taken out and put in again.
template <class Change>
bool CharAttributes::SetWords(int32_t start, int32_t length, bool resized, Change&& change) {
    if (!NormaliseWordRange(data_, start, length)) return false;
    const auto state = static_cast<int16_t>(data_.InputState);
    const int32_t moved = resized ? length : 0;
    const aUndoRange before{start, start + length, start, length, moved, 0, state};
    const aUndoRange after{start, start + length, start, length, 0, moved, state};
    // The change touches the range's characters alone: their paragraph is broken from their line.
    return RecordWordStep(
        data_, undo_, before, after, start, length,
        [&] {
            for (int32_t i = start; i < start + length; ++i) change(i, data_.WordInfo[static_cast<size_t>(i)]);
        },
        length > 0);
}

uint32_t CharAttributes::SelForeColor(int32_t start, int32_t length) const {
    if (data_.InputState == tessaly::LpxState || !NormaliseWordRange(data_, start, length)) return 0;
    if (length == 0) return data_.IsWord(Reference(start)) ? ColourOf(Word(Reference(start)).cf) : 0;
    // Two indexes may name one colour: the values are compared.
    const uint32_t colour = ColourOf(Word(start).cf);
    for (int32_t i = start + 1; i < start + length; ++i)
        if (ColourOf(Word(i).cf) != colour) return 0;
    return colour;
}

// No background (index -1) answers 0, as colour 0 does.
uint32_t CharAttributes::BackColour(int32_t start, int32_t length) const {
    if (data_.InputState == tessaly::LpxState || !NormaliseWordRange(data_, start, length)) return 0;
    if (length == 0) return data_.IsWord(Reference(start)) ? ColourOf(Word(Reference(start)).cb) : 0;
    const int16_t index = Word(start).cb;
    for (int32_t i = start + 1; i < start + length; ++i)
        if (Word(i).cb != index) return 0;
    return ColourOf(index);
}

uint32_t CharAttributes::SelBackColor(int32_t start, int32_t length) const {
    return BackColour(start, length);
}

uint32_t CharAttributes::SelWordBkColor(int32_t start, int32_t length) const {
    return BackColour(start, length);
}

// A full colour table leaves the characters' colours as they were.
bool CharAttributes::SetColourIndex(int32_t start, int32_t length, uint32_t colour, bool fore) {
    return SetWords(start, length, false, [&](int32_t, StoredWord& w) {
        const int16_t index = GetColorTblIndex(data_, colour);
        if (index >= 0) (fore ? w.cf : w.cb) = index;
    });
}

bool CharAttributes::SelForeColor(int32_t start, int32_t length, uint32_t colour) {
    return SetColourIndex(start, length, colour, true);
}

bool CharAttributes::SelBackColor(int32_t start, int32_t length, uint32_t colour) {
    return SetColourIndex(start, length, colour, false);
}

bool CharAttributes::SelWordBkColor(int32_t start, int32_t length, uint32_t colour) {
    return SetWords(start, length, false, [&](int32_t i, StoredWord& w) {
        const int16_t index = GetColorTblIndex(data_, colour);
        if (index >= 0) w.cb = index;
        if (!IsParaEnd(data_, i)) return;
        const int16_t none = GetColorTblIndex(data_, 0);
        if (none >= 0) w.cb = none;
    });
}

bool CharAttributes::DelBackColor(int32_t start, int32_t length) {
    return SetColourIndex(start, length, 0, false);
}

bool CharAttributes::Bold(int32_t start, int32_t length) const {
    return AllWords(start, length, [](const StoredWord& w) { return w.nLogFont().lfWeight == kBoldWeight; });
}

bool CharAttributes::Bold(int32_t start, int32_t length, bool value) {
    return SetWords(start, length, true, [&](int32_t, StoredWord& w) {
        w.EditFont([&](tessaly::mLogFont& f) { f.lfWeight = value ? kBoldWeight : kNormalWeight; });
    });
}

bool CharAttributes::StyleOf(int32_t start, int32_t length, uint8_t tessaly::mLogFont::*field) const {
    return AllWords(start, length, [&](const StoredWord& w) { return w.nLogFont().*field != 0; });
}

bool CharAttributes::SetStyle(int32_t start, int32_t length, uint8_t tessaly::mLogFont::*field, bool value,
                              uint8_t kinds) {
    return SetWords(start, length, true, [&](int32_t, StoredWord& w) {
        if (KindIn(w, kinds)) w.EditFont([&](tessaly::mLogFont& f) { f.*field = value ? 1 : 0; });
    });
}

bool CharAttributes::Italic(int32_t start, int32_t length) const {
    return StyleOf(start, length, &tessaly::mLogFont::lfItalic);
}

bool CharAttributes::Italic(int32_t start, int32_t length, bool value) {
    return SetStyle(start, length, &tessaly::mLogFont::lfItalic, value, kAllKinds);
}

bool CharAttributes::Underline(int32_t start, int32_t length) const {
    return StyleOf(start, length, &tessaly::mLogFont::lfUnderline);
}

bool CharAttributes::Underline(int32_t start, int32_t length, bool value) {
    return SetStyle(start, length, &tessaly::mLogFont::lfUnderline, value, kTextKind | kSymbolKind);
}

bool CharAttributes::StrikeOut(int32_t start, int32_t length) const {
    return StyleOf(start, length, &tessaly::mLogFont::lfStrikeOut);
}

bool CharAttributes::StrikeOut(int32_t start, int32_t length, bool value) {
    return SetStyle(start, length, &tessaly::mLogFont::lfStrikeOut, value, kTextKind);
}

const std::string& CharAttributes::FaceOf(int32_t fontIndex) const {
    if (fontIndex < 0 || static_cast<size_t>(fontIndex) >= data_.FontTbl.size()) return kSongTi;
    return data_.FontTbl[static_cast<size_t>(fontIndex)].FontName;
}

std::string CharAttributes::SelFontName(int32_t start, int32_t length) const {
    if (!NormaliseWordRange(data_, start, length)) return kSongTi;
    if (length == 0) {
        const int32_t i = CaretReference(data_, start);
        return i < 0 ? kSongTi : FaceOf(Word(i).nLogFont().FontTblIndex);
    }
    int32_t reference = -1;
    for (int32_t i = start; i < start + length; ++i) {
        if (!IsTextOrNote(Word(i))) continue;
        if (reference < 0) {
            reference = i;
        } else if (Word(i).nLogFont().FontTblIndex != Word(reference).nLogFont().FontTblIndex) {
            return kSongTi;
        }
    }
    return FaceOf(reference < 0 ? data_.AboutFileInfo.BaseFontTblIndex : Word(reference).nLogFont().FontTblIndex);
}

bool CharAttributes::SelFontName(int32_t start, int32_t length, std::string_view name) {
    if (name.empty()) return false;
    return SetWords(start, length, true, [&](int32_t, StoredWord& w) {
        const int16_t index = IsTextOrNote(w) ? GetFontTblIndex(data_, name) : data_.AboutFileInfo.BaseFontTblIndex;
        if (index >= 0) w.EditFont([&](tessaly::mLogFont& f) { f.FontTblIndex = index; });
    });
}

float CharAttributes::SelFontSize(int32_t start, int32_t length) const {
    if (data_.InputState == tessaly::LpxState || !NormaliseWordRange(data_, start, length)) return 0;
    const int32_t i = length == 0 ? Reference(start) : start;
    return data_.IsWord(i) ? Word(i).SelSize : 0;
}

// The height, then the size measured again; grace notes are drawn at 0.6 of the height.
void CharAttributes::SetHeight(int32_t i, int32_t height) {
    auto& w = data_.WordInfo[static_cast<size_t>(i)];
    const bool grace = HasExtralType(data_, i, kMarkGraceNote);
    w.EditFont([&](tessaly::mLogFont& f) { f.lfHeight = grace ? GraceHeight(height) : height; });
    w.WdSize = MeasureWordGdip(data_, w.nLogFont(), CodeText(w.WdAsc));
    if (!grace) FitTimeSignatureWidth(data_, i, -1);
}

bool CharAttributes::SelFontSize(int32_t start, int32_t length, float size) {
    const auto milliPoints = tessaly::TryCLng(static_cast<double>(size) * 1000);
    if (!std::isfinite(size) || size <= 0 || !milliPoints) return false;
    // The conversion the document reader uses, so that a saved size reads back as the same height.
    const int32_t height = PointToLogHeight(data_, size);
    if (height > 0) return false;

    undo_.EndPendingStep();
    // A grace-note group takes one size: the editor's selection grows to whole groups.
    int32_t selStart = data_.SelStart, selLength = data_.SelLength;
    if (NormaliseWordRange(data_, start, length) && NormaliseWordRange(data_, selStart, selLength) &&
        start == selStart && length == selLength) {
        const int32_t oldStart = data_.SelStart, oldLength = data_.SelLength;
        FixGraceNoteGroup(data_);
        start = data_.SelStart;
        length = data_.SelLength;
        if (!NormaliseWordRange(data_, start, length)) {
            data_.SelStart = oldStart;
            data_.SelLength = oldLength;
            return false;
        }
    }
    return SetWords(start, length, true, [&](int32_t i, StoredWord& w) {
        w.SelSize = size;
        SetHeight(i, height);
    });
}

StdFontInfo CharAttributes::StdFont(int32_t start, int32_t length, uint32_t& SelColor) const {
    StdFontInfo font;
    font.FaceName = SelFontName(start, length);
    font.Size = SelFontSize(start, length);
    font.Bold = Bold(start, length);
    font.Italic = Italic(start, length);
    font.Underline = Underline(start, length);
    font.Strikethrough = StrikeOut(start, length);
    font.Charset = kGb2312Charset;
    for (const auto& entry : data_.FontTbl)
        if (entry.FontName == font.FaceName) {
            font.Charset = entry.fcharset;
            break;
        }
    SelColor = SelForeColor(start, length);
    return font;
}

bool CharAttributes::StdFont(int32_t start, int32_t length, uint32_t SelColor, const StdFontInfo& font) {
    if (!std::isfinite(font.Size) || font.Size <= 0) return false;
    if (!tessaly::TryCLng(static_cast<double>(font.Size) * 1000)) return false;
    const int32_t height = PointToLogHeight(data_, font.Size);  // as the reader will take SelSize
    if (height > 0) return false;
    const std::string face = tessaly::dadur::LowerGbk(font.FaceName);
    if (!NormaliseWordRange(data_, start, length)) return false;
    const auto state = static_cast<int16_t>(data_.InputState);
    const aUndoRange before{start, start + length, start, length, length, 0, state};
    const aUndoRange after{start, start + length, start, 0, 0, length, state};
    return RecordWordStep(data_, undo_, before, after, start, length, [&] {
        for (int32_t i = start; i < start + length; ++i) {
            auto& w = data_.WordInfo[static_cast<size_t>(i)];
            const int16_t index = IsTextOrNote(w) ? GetFontTblIndex(data_, face) : data_.AboutFileInfo.BaseFontTblIndex;
            w.EditFont([&](tessaly::mLogFont& f) {
                f.lfWeight = font.Bold ? kBoldWeight : kNormalWeight;
                f.lfItalic = font.Italic ? 1 : 0;
                if (index >= 0) f.FontTblIndex = index;
            });
            w.SelSize = font.Size;
            SetHeight(i, height);
            w.EditFont([&](tessaly::mLogFont& f) {
                f.lfStrikeOut = font.Strikethrough ? 1 : 0;
                f.lfUnderline = font.Underline ? 1 : 0;
            });
            const int16_t colour = GetColorTblIndex(data_, SelColor);
            if (colour >= 0) w.cf = colour;
        }
    });
}

uint8_t CharAttributes::CommonByte(int32_t start, int32_t length, uint8_t StoredWord::*field) const {
    if (!NormaliseWordRange(data_, start, length) || !data_.IsWord(start)) return 0;
    const uint8_t value = Word(start).*field;
    for (int32_t i = start + 1; i < start + length; ++i)
        if (Word(i).*field != value) return 0;
    return value;
}

uint8_t CharAttributes::WordYC(int32_t start, int32_t length) const {
    return CommonByte(start, length, &StoredWord::Yc);
}

uint8_t CharAttributes::WordYg(int32_t start, int32_t length) const {
    return CommonByte(start, length, &StoredWord::YG);
}

// An empty range or a value without a glyph (above `most`) is refused; a range where no character
// takes the value, or every one has it already, is left without an undo step.
template <class Applies>
bool CharAttributes::SetByte(int32_t start, int32_t length, int32_t value, int32_t most, uint8_t StoredWord::*field,
                             Applies&& applies) {
    if (!NormaliseWordRange(data_, start, length)) return false;
    if (length == 0 || value < 0 || value > most) {
        BeepOn(data_);
        return false;
    }
    bool changes = false;
    for (int32_t i = start; i < start + length && !changes; ++i)
        changes = Word(i).*field != value && applies(i, Word(i));
    if (!changes) return false;
    return SetWords(start, length, false, [&](int32_t i, StoredWord& w) {
        if (applies(i, w)) w.*field = static_cast<uint8_t>(value);
    });
}

bool CharAttributes::WordYC(int32_t start, int32_t length, int32_t value) {
    return SetByte(start, length, value, 3, &StoredWord::Yc,
                   [&](int32_t i, const StoredWord&) { return CanSetYcOnWord(data_, i); });
}

bool CharAttributes::WordYg(int32_t start, int32_t length, int32_t value) {
    return SetByte(start, length, value, 6, &StoredWord::YG, [](int32_t, const StoredWord& w) {
        return w.IsJpGcCtl == kCharNote && w.WdAsc >= '1' && w.WdAsc <= '7';
    });
}

// Only the two heights are journalled, so only they are taken from the dialog's record.
bool CharAttributes::ChangFontTbl() {
    const int32_t row = data_.EditFontTblIndex;
    if (row < 0 || static_cast<size_t>(row) >= data_.FontTbl.size()) return false;
    undo_.EndPendingStep();
    if (!undo_.SaveUndoData(kStepFontRow)) return false;
    auto& entry = data_.FontTbl[static_cast<size_t>(row)];
    entry.hYg = data_.EditFontTbl.hYg;
    entry.hYc = data_.EditFontTbl.hYc;
    return undo_.SaveRedoData(kStepFontRow);
}

}  // namespace notaline
