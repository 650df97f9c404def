#include "model/edit/HostMembers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/document/CharKinds.h"
#include "model/document/GraceNotes.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/WordRange.h"
#include "model/document/mGeneral.h"
#include "model/layout/PageSetupRules.h"

namespace notaline {
namespace {

constexpr size_t kMaxNameChars = 32;

const StoredWord& Word(const EditorData& data, int32_t i) {
    return data.WordInfo[static_cast<size_t>(i)];
}

bool HasCode(const StoredWord& w, std::initializer_list<int32_t> codes) {
    for (const auto& slot : w.ExtralWordInfo)
        if (std::find(codes.begin(), codes.end(), slot.IndexType) != codes.end()) return true;
    return false;
}

// The characters a selection covers, forwards; false when it leaves the document.
bool ForwardRange(const EditorData& data, int32_t start, int32_t length, int32_t& first, int32_t& last) {
    const int64_t a = start;
    const int64_t b = static_cast<int64_t>(start) + length;
    first = static_cast<int32_t>(std::min(a, b));
    last = static_cast<int32_t>(std::max(a, b) - 1);
    return data.IsWord(first) && data.IsWord(last);
}

// A selection made backward asks the same characters as the one made forward.
template <class Test>
bool AnyOfSelection(const EditorData& data, int32_t start, int32_t length, Test&& test) {
    if (length == 0) return data.IsWord(start) && test(start);
    const int64_t first = std::min<int64_t>(start, static_cast<int64_t>(start) + length);
    const int64_t end =
        std::min<int64_t>(std::max<int64_t>(start, static_cast<int64_t>(start) + length), data.WordCount());
    for (int64_t i = std::max<int64_t>(first, 0); i < end; ++i)
        if (test(static_cast<int32_t>(i))) return true;
    return false;
}

// Characters a file name on Windows cannot hold.
bool Forbidden(uint8_t c) {
    return c < 32 || std::strchr("\\/:*?\"<>|", c) != nullptr;
}

}  // namespace

ZoomStep ClampZoom(float value) {
    ZoomStep step;
    // Cut down to two decimals.
    step.Scale = static_cast<float>(std::floor(static_cast<double>(value) * 100.0) / 100.0);
    if (step.Scale > kMaxZoom) {
        step.Scale = kMaxZoom;
        step.Beep = true;
    }
    if (step.Scale < kMinZoom) {
        step.Scale = kMinZoom;
        step.Beep = true;
    }
    return step;
}

std::string DefaultFileName(const EditorData& data) {
    std::string out;
    if (data.LineInfo.empty()) return out;
    const auto& line = data.LineInfo[0];
    size_t chars = 0;
    for (int32_t i = line.Start; i < line.Start + line.Length && chars < kMaxNameChars; ++i) {
        if (!data.IsWord(i)) break;
        const auto& w = Word(data, i);
        // Notation-font symbols have codes that mean other characters in any text font.
        if (w.IsJpGcCtl == kCharParaEnd || w.IsJpGcCtl == kCharSymbol) continue;
        const auto code = static_cast<uint16_t>(w.WdAsc);
        if (code > 0xFF) {
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        } else if (code == ' ' || code == 0) {
            continue;
        } else {
            out += Forbidden(static_cast<uint8_t>(code)) ? '_' : static_cast<char>(code);
        }
        ++chars;
    }
    return out;
}

bool CanSetWordYg(const EditorData& data, int32_t start, int32_t length) {
    return AnyOfSelection(data, start, length, [&](int32_t i) {
        const auto& w = Word(data, i);
        return w.IsJpGcCtl == kCharNote && w.WdAsc >= '1' && w.WdAsc <= '7';
    });
}

bool CanSetWordYc(const EditorData& data, int32_t start, int32_t length) {
    return AnyOfSelection(data, start, length, [&](int32_t i) { return CanSetYcOnWord(data, i); });
}

bool CanShuPaiWord(const EditorData& data, int32_t start, int32_t length) {
    int32_t first = 0, last = 0;
    if (!ForwardRange(data, start, length, first, last) || last - first + 1 < 2) return false;
    for (int32_t i = first; i <= last; ++i) {
        const auto& w = Word(data, i);
        if (w.IsJpGcCtl == kCharParaEnd || IsGraceNoteJoined(data, i)) return false;
        for (const auto& slot : w.ExtralWordInfo) {
            const int32_t c = slot.IndexType;
            if (IsArcStartCode(c) || IsArcEndCode(c) || c == kMarkTupletStart || c == kMarkTupletEnd) return false;
        }
    }
    return true;
}

bool PairEndRight(const EditorData& data, int32_t caret, PairKind kind) {
    auto isEnd = [kind](int32_t code) {
        switch (kind) {
            case PairKind::OpenVolta: return code == kMarkOpenVoltaEnd;
            case PairKind::Arc: return IsArcEndCode(code);
            case PairKind::Tuplet: return code == kMarkTupletEnd;
            case PairKind::Volta: return code == kMarkVoltaEnd;
        }
        return false;
    };
    if (!data.IsWord(caret)) return false;
    for (const auto& end : Word(data, caret).ExtralWordInfo) {
        if (!isEnd(end.IndexType)) continue;
        for (int32_t j = caret; j >= 0; --j) {
            const auto& w = Word(data, j);
            if (w.IsJpGcCtl == kCharParaEnd) return true;
            for (const auto& s : w.ExtralWordInfo)
                if (s.IndexType == end.IndexType - 1 && s.ExtralWordVal2 == end.ExtralWordVal2) return false;
        }
    }
    return false;
}

int16_t RoundToInteger(double value) {
    if (!std::isfinite(value)) return 0;
    const double r = std::nearbyint(value);  // the default rounding mode: halves to even
    return static_cast<int16_t>(std::clamp(r, -32768.0, 32767.0));
}

int16_t WordShuPaiSpace(const EditorData& data, int32_t caret) {
    if (!data.IsWord(caret)) return -1000;
    const auto& w = Word(data, caret);
    return w.ShuPai.Number >= 1 ? RoundToInteger(w.ShuPai.Space) : -1000;
}

float ArcHeight(const EditorData& data, int32_t start, int32_t length) {
    int32_t first = 0, last = 0;
    if (!ForwardRange(data, start, length, first, last)) return 0;
    const auto& s = Word(data, first);
    const auto& e = Word(data, last);
    const double d = (e.Left + e.Right) / 2.0 - (s.Left + s.Right) / 2.0;
    const double h = s.nLogFont().lfHeight;
    if (h == 0 || d < 0 || d > 3.5 * s.WdSize.cx) return 0;
    return static_cast<float>(20.4 * (h - 1.25 * d / (1 + 2.0 / 28)) / h);
}

void SelectAll(EditorData& data) {
    const int32_t count = data.WordCount();
    data.SelStart = 0;
    data.SelLength = std::max(0, count - 1);
    data.CurLine = GetLineOfWord(data, count - 1);
    data.CaretColumnX = data.IsWord(0) ? RoundToInteger(Word(data, 0).Left) : 0;
}

// A backward selection is read forward and kept as the user made it.
bool TurnToYFWord(EditorData& data, UndoRedo& undo) {
    const WordRange sel = NormalRange(data.SelStart, data.SelLength);
    const int32_t first = std::max(sel.Start, 0);
    const int32_t last = std::min(sel.Start + sel.Length, data.WordCount()) - 1;
    auto turns = [&](int32_t i) {
        const auto& w = Word(data, i);
        return w.IsJpGcCtl == kCharText && ((w.WdAsc >= '0' && w.WdAsc <= '7') || w.WdAsc == '-');
    };
    bool any = false;
    for (int32_t i = first; i <= last && !any; ++i) any = turns(i);
    if (!any || !undo.BeginInPlace(kStepWords, first, last)) return false;
    for (int32_t i = first; i <= last; ++i)
        if (turns(i)) data.WordInfo[static_cast<size_t>(i)].IsJpGcCtl = kCharNote;
    return undo.EndInPlace(kStepWords);
}

bool SetExtralType(EditorData& data, UndoRedo& undo, int32_t word, int32_t slot, int32_t code) {
    if (!data.IsWord(word) || slot < 0 || slot >= kSlotCount) return false;
    auto& s = data.WordInfo[static_cast<size_t>(word)].ExtralWordInfo[slot];
    if (s.IndexType == code || !undo.BeginInPlace(kStepWords, word, word)) return false;
    data.WordInfo[static_cast<size_t>(word)].EditMark(static_cast<size_t>(slot),
                                                      [&](tessaly::aExtralWordInfo& m) { m.IndexType = code; });
    return undo.EndInPlace(kStepWords);
}

bool ApplyPlayTimeSignature(EditorData& data, UndoRedo& undo) {
    struct Metre {
        int32_t Beats, Value;
    };
    static constexpr Metre kMetres[] = {{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4},
                                        {3, 8}, {6, 8}, {7, 8}, {9, 8}, {12, 8}};
    const int32_t metre = data.PlayInfo.JiePai;
    if (metre < 0 || metre >= static_cast<int32_t>(std::size(kMetres))) return false;
    for (int32_t i = 0; i < data.WordCount(); ++i) {
        const tessaly::aExtralWordInfo* slots = data.WordInfo[static_cast<size_t>(i)].ExtralWordInfo;
        for (int32_t s = 0; s < kSlotCount; ++s) {
            if (slots[s].IndexType != kMarkTimeSignature) continue;
            const Metre m = kMetres[metre];
            if (slots[s].ExtralWordVal1 == m.Beats && slots[s].ExtralWordVal2 == m.Value) return false;
            if (!undo.BeginInPlace(kStepWords, i, i)) return false;
            data.WordInfo[static_cast<size_t>(i)].EditMark(static_cast<size_t>(s), [&](tessaly::aExtralWordInfo& mark) {
                mark.ExtralWordVal1 = m.Beats;
                mark.ExtralWordVal2 = m.Value;
            });
            return undo.EndInPlace(kStepWords);
        }
    }
    return false;
}

namespace {

template <class Test>
bool LineHolds(const EditorData& data, int32_t line, Test&& test) {
    if (line < 0 || line >= data.LineCount()) return false;
    const auto& l = data.LineInfo[static_cast<size_t>(line)];
    for (int32_t i = l.Start; i < l.Start + l.Length; ++i)
        if (data.IsWord(i) && test(Word(data, i))) return true;
    return false;
}

}  // namespace

bool IsLyricSourceLine(const EditorData& data, int32_t line) {
    return LineHolds(data, line, [](const StoredWord& w) {
        return w.IsJpGcCtl == kCharNote && ((w.WdAsc >= '1' && w.WdAsc <= '7') || w.WdAsc == 'X') &&
               !HasCode(w, {kMarkGraceNote, kMarkArcEnd});
    });
}

bool IsBarSourceLine(const EditorData& data, int32_t line) {
    // The notation font's bar lines and repeat signs.
    return LineHolds(data, line,
                     [](const StoredWord& w) { return w.IsJpGcCtl == kCharSymbol && w.WdAsc >= 87 && w.WdAsc <= 95; });
}

}  // namespace notaline
