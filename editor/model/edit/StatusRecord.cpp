#include "model/edit/StatusRecord.h"

#include <algorithm>
#include <cmath>

#include "model/document/CharKinds.h"
#include "model/document/Tables.h"
#include "model/edit/ParagraphCommands.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

int Kind(const EditorData& data, int32_t i) {
    return data.WordInfo[static_cast<size_t>(i)].IsJpGcCtl;
}

// The nearest character of the kind at or before `from`; -1 when none.
int32_t FindBack(const EditorData& data, int32_t from, int kind) {
    for (int32_t i = std::min(from, data.WordCount() - 1); i >= 0; --i)
        if (Kind(data, i) == kind) return i;
    return -1;
}

StatusSource From(tessaly::InputState state, int32_t c) {
    return {state, c, c, c};
}

StatusSource Default(tessaly::InputState state, int32_t at) {
    return {state, -1, -1, std::max(at, 0)};
}

// A symbol at c: the nearest note before it lends its font, the symbol its colours.
StatusSource AfterSymbol(const EditorData& data, int32_t c) {
    const int32_t note = FindBack(data, c, kCharNote);
    if (note < 0) return Default(tessaly::JpState, c);
    return {tessaly::JpState, note, c, c};
}

// The caret after a paragraph end, or a selection of paragraph ends: the nearest character
// before `a` that is not one decides.
StatusSource BeforeParagraphEnd(const EditorData& data, int32_t a) {
    int32_t q = std::min(a - 1, data.WordCount() - 1);
    while (q >= 0 && Kind(data, q) == kCharParaEnd) --q;
    if (q < 0) return From(tessaly::GcState, a);
    switch (Kind(data, q)) {
        case kCharNote: return From(tessaly::JpState, q);
        case kCharSymbol: return AfterSymbol(data, q);
        default: return From(tessaly::GcState, q);
    }
}

StatusSource AtCharacter(const EditorData& data, int32_t a) {
    switch (Kind(data, a)) {
        case kCharNote: return From(tessaly::JpState, a);
        case kCharSymbol: return Default(tessaly::JpState, a);
        case kCharParaEnd: return a == 0 ? Default(tessaly::GcState, 0) : BeforeParagraphEnd(data, a);
        default: return From(tessaly::GcState, a);
    }
}

}  // namespace

StatusSource DecideStatus(const EditorData& data, int32_t a, int32_t b) {
    if (b < 0) {
        a += b;
        b = -b;
    }
    if (data.WordCount() <= 0) return Default(tessaly::GcState, 0);
    a = std::clamp(a, 0, data.WordCount() - 1);
    if (b > 0) {
        const int32_t end = std::min(a + b, data.WordCount());
        int32_t f = a;
        while (f < end && Kind(data, f) == kCharParaEnd) ++f;
        if (f == end) return a == 0 ? AtCharacter(data, 0) : BeforeParagraphEnd(data, a);
        switch (Kind(data, f)) {
            case kCharNote: return From(tessaly::JpState, f);
            case kCharSymbol: {
                const int32_t note = a > 0 ? FindBack(data, a - 1, kCharNote) : [&] {
                    for (int32_t i = a; i < end; ++i)
                        if (Kind(data, i) == kCharNote) return i;
                    return int32_t{-1};
                }();
                return note < 0 ? Default(tessaly::JpState, f) : StatusSource{tessaly::JpState, note, note, note};
            }
            default: return From(tessaly::GcState, f);
        }
    }
    if (a == 0) return AtCharacter(data, 0);
    switch (Kind(data, a - 1)) {
        case kCharNote: return From(tessaly::JpState, a - 1);
        case kCharSymbol: return AfterSymbol(data, a - 1);
        case kCharParaEnd: return AtCharacter(data, a);
        default: return From(tessaly::GcState, a - 1);
    }
}

StatusSource DecideStatusByState(const EditorData& data, int32_t a, int32_t b, tessaly::InputState state) {
    if (b < 0) {
        a += b;
        b = -b;
    }
    const int kind = state == tessaly::GcState ? kCharText : kCharNote;
    const int32_t count = data.WordCount();
    int32_t c = -1;
    for (int32_t i = std::max(a, 0); b > 0 && i < std::min(a + b, count); ++i) {
        if (Kind(data, i) == kind) {
            c = i;
            break;
        }
    }
    const int32_t before = std::min(a, count) - 1;
    if (c < 0) c = FindBack(data, before, kind);
    // A symbol nearer the caret than the note lends its colours.
    int32_t symbol = -1;
    if (state == tessaly::JpState) {
        for (int32_t i = before; i >= 0 && i > c; --i) {
            if (Kind(data, i) == kCharSymbol) {
                symbol = i;
                break;
            }
        }
    }
    if (c < 0) return {state, -1, symbol, std::max(before, 0)};
    return {state, c, symbol >= 0 ? symbol : c, c};
}

void FillStatusCommon(EditorData& data, const ParagraphCommands& paragraphs, int32_t start, int32_t length,
                      tessaly::aSendMsg& msg) {
    if (length < 0) {
        start += length;
        length = -length;
    }
    msg.CurrentLine = data.CurLine;
    const int16_t page = data.AboutFileInfo.m_cb;
    msg.PageColor = page >= 0 && static_cast<size_t>(page) < data.ColorTbl.size()
                        ? static_cast<int32_t>(data.ColorTbl[static_cast<size_t>(page)])
                        : 0;
    msg.PageCount = data.PageCount();
    msg.PaperType = data.AboutPageInfo.PaperType;
    msg.PartAlignment = static_cast<tessaly::Alignment>(paragraphs.Alignment(start, length));
    const auto part = paragraphs.PartAtt(start, length);
    msg.PartLineSpace = part ? tessaly::CLng(part->LineSpace / 10.0) : 0;
    msg.Pro = static_cast<float>(tessaly::Round(data.AboutPageInfo.nScale, 2));
    for (int k = 0; k < 8; ++k)
        msg.SelIndexType[k] =
            data.IsWord(start) ? data.WordInfo[static_cast<size_t>(start)].ExtralWordInfo[k].IndexType : 0;
    msg.SelLength = length;
    msg.SelStart = start;
}

bool StatusDue(EditorData& data, const tessaly::aSendMsg& msg) {
    const bool marksSame =
        std::equal(std::begin(msg.SelIndexType), std::end(msg.SelIndexType), data.StatusSentMarks.begin());
    if (msg.SelStart == data.StatusSentStart && msg.SelLength == data.StatusSentLength && marksSame &&
        data.Edits == data.StatusSentEdits)
        return false;
    data.StatusSentStart = msg.SelStart;
    data.StatusSentLength = msg.SelLength;
    data.StatusSentEdits = data.Edits;
    std::copy(std::begin(msg.SelIndexType), std::end(msg.SelIndexType), data.StatusSentMarks.begin());
    return true;
}

StdFontInfo DefaultInputFont() {
    return {"\xCB\xCE\xCC\xE5", 16, false, false, false, false, 134};  // 宋体
}

StdFontInfo FillStatusAttributes(EditorData& data, const ParagraphCommands& paragraphs, const StatusSource& source,
                                 tessaly::aSendMsg& msg) {
    msg.cInputState = source.State;
    const auto cf = [&](int32_t i) { return data.IsWord(i) ? data.WordInfo[static_cast<size_t>(i)].cf : int16_t{0}; };
    if (data.IsWord(source.ColoursFrom)) {
        msg.cb = data.WordInfo[static_cast<size_t>(source.ColoursFrom)].cb;
        msg.cf = cf(source.ColoursFrom);
    } else {
        msg.cb = GetColorTblIndex(data, 0);
        msg.cf = cf(source.DefaultAt);
    }
    if (!data.IsWord(source.FontFrom)) {
        msg.SelWordSpace = 0;
        msg.ShowWordSpace = 0;
        msg.SelFontSize = 16;
        return DefaultInputFont();
    }
    const tessaly::aWordInfo c = data.WordInfo[static_cast<size_t>(source.FontFrom)].Expand();
    StdFontInfo font;
    const int16_t index = c.nLogFont.FontTblIndex;
    if (index >= 0 && static_cast<size_t>(index) < data.FontTbl.size())
        font.FaceName = data.FontTbl[static_cast<size_t>(index)].FontName;
    font.Charset = 134;
    font.Size = c.SelSize;
    font.Bold = c.nLogFont.lfWeight == 700;
    font.Italic = c.nLogFont.lfItalic != 0;
    font.Underline = c.nLogFont.lfUnderline != 0;
    font.Strikethrough = c.nLogFont.lfStrikeOut != 0;
    msg.ShowWordSpace = tessaly::CInt(c.WdSpace);
    const bool lyricAligned = paragraphs.Alignment(source.FontFrom, 0) == tessaly::AlignmentCpDq;
    msg.SelWordSpace = lyricAligned ? int16_t{0} : tessaly::CInt(c.WdSpace);
    msg.SelFontSize = tessaly::CInt(c.SelSize);
    return font;
}

}  // namespace notaline
