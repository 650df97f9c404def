#include "model/layout/SourceLines.h"

#include <cmath>

#include "model/document/CharKinds.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/PageView.h"
#include "model/document/mGeneral.h"

namespace notaline {
namespace {

const StoredWord& W(const EditorData& data, int32_t i) {
    return data.WordInfo[static_cast<size_t>(i)];
}

int32_t& LineOf(EditorData& data, SourceKind kind) {
    return kind == SourceKind::CpDq ? data.CPdqLine : data.XjdqLine;
}
std::vector<float>& PositionsOf(EditorData& data, SourceKind kind) {
    return kind == SourceKind::CpDq ? data.CpDqPositions : data.XjDqPositions;
}
SourceLineAnchor& AnchorOf(EditorData& data, SourceKind kind) {
    return kind == SourceKind::CpDq ? data.CPdqAnchor : data.XjdqAnchor;
}

bool IsLine(const EditorData& data, int32_t line) {
    return line >= 0 && line < data.LineCount();
}

void Drop(EditorData& data, SourceKind kind) {
    LineOf(data, kind) = -1;
    PositionsOf(data, kind).assign(1, 0.0f);
    AnchorOf(data, kind) = {};
}

void Anchor(EditorData& data, SourceKind kind, int32_t line) {
    const auto& l = data.LineInfo[static_cast<size_t>(line)];
    AnchorOf(data, kind) = {line, l.Start, l.Length, data.WordCount()};
}

bool InRange(int16_t code, int16_t first, int16_t last) {
    return code >= first && code <= last;
}

bool IsLyricAlignNote(const EditorData& data, int32_t i) {
    const auto& w = W(data, i);
    if (w.IsJpGcCtl != kCharNote || !(InRange(w.WdAsc, '1', '7') || w.WdAsc == 'X')) return false;
    return !HasExtralType(data, i, kMarkGraceNote) && !HasExtralType(data, i, kMarkArcEnd);
}

bool IsBarAlignChar(const EditorData& data, int32_t i) {
    const auto& w = W(data, i);
    const int16_t c = w.WdAsc;
    if (w.IsJpGcCtl == kCharSymbol)
        return InRange(c, 42, 48) || InRange(c, 65, 69) || InRange(c, 71, 72) || InRange(c, 89, 95) ||
               InRange(c, 97, 102);
    return w.IsJpGcCtl == kCharNote && (InRange(c, '1', '7') || c == 'X' || c == '-');
}

// Positions of the line's characters that pass the test, each followed by one spare element.
template <class Takes>
bool Collect(EditorData& data, SourceKind kind, int32_t line, Takes&& takes) {
    auto& p = PositionsOf(data, kind);
    p.assign(1, 0.0f);
    if (!IsLine(data, line)) {
        AnchorOf(data, kind) = {};
        return false;
    }
    const auto& l = data.LineInfo[static_cast<size_t>(line)];
    const int32_t end = std::min(l.Start + l.Length, data.WordCount());
    for (int32_t i = std::max(l.Start, 0); i < end; ++i) {
        if (!takes(i)) continue;
        p.back() = GetWordCenterX(data, i);
        p.push_back(0.0f);
    }
    Anchor(data, kind, line);
    return p.size() > 1;
}

void Keep(EditorData& data, SourceKind kind) {
    const int32_t line = LineOf(data, kind);
    if (line == -1) return;
    if (!IsLine(data, line)) return Drop(data, kind);
    SourceLineAnchor& a = AnchorOf(data, kind);
    if (a.Line != line) return Anchor(data, kind, line);  // set without its positions: take it as it is
    const auto same = [&](int32_t at, int32_t start) {
        const auto& l = data.LineInfo[static_cast<size_t>(at)];
        return l.Start == start && l.Length == a.Length;
    };
    if (a.WordCount == data.WordCount() && same(line, a.Start)) return;
    // An edit before the line moves its characters by the change in the count.
    const int32_t start = a.Start + data.WordCount() - a.WordCount;
    if (data.IsWord(start)) {
        const int32_t moved = GetLineOfWord(data, start);
        if (IsLine(data, moved) && same(moved, start)) {
            LineOf(data, kind) = moved;
            Anchor(data, kind, moved);
            return;
        }
    }
    if (a.WordCount != data.WordCount() && same(line, a.Start)) {  // the edit came after the line
        a.WordCount = data.WordCount();
        return;
    }
    Drop(data, kind);
}

}  // namespace

float GetWordCenterX(const EditorData& data, int32_t word) {
    if (!data.IsWord(word)) return 0;
    const auto& w = W(data, word);
    return w.Left + w.WdSize.cx / 2;
}

bool ApplyCPdqLine(EditorData& data, int32_t line) {
    const bool found = Collect(data, SourceKind::CpDq, line, [&](int32_t i) { return IsLyricAlignNote(data, i); });
    // The spare element closes the list with the writing area's right edge.
    data.CpDqPositions.back() = static_cast<float>(data.WriteRight);
    return found;
}

bool ApplyXjdqLine(EditorData& data, int32_t line) {
    return Collect(data, SourceKind::XjDq, line, [&](int32_t i) { return IsBarAlignChar(data, i); });
}

bool CheckSourceLine(EditorData& data, SourceKind kind) {
    KeepSourceLines(data);
    const int32_t line = LineOf(data, kind);
    if (line == -1 || !IsLine(data, data.CurLine)) return false;
    const auto& s = data.LineInfo[static_cast<size_t>(line)];
    const auto& c = data.LineInfo[static_cast<size_t>(data.CurLine)];
    const bool overlap = c.Start < s.Start + s.Length && s.Start < c.Start + c.Length;
    if (!overlap) return false;
    Drop(data, kind);
    return true;
}

void CheckSourceLineAndShow(EditorData& data, PageView& page, SourceKind kind) {
    if (CheckSourceLine(data, kind)) page.RefreshView(data.SelStart, data.SelLength, tessaly::MainRefresh);
}

void KeepSourceLines(EditorData& data) {
    Keep(data, SourceKind::CpDq);
    Keep(data, SourceKind::XjDq);
}

}  // namespace notaline
