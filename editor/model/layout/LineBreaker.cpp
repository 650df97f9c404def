#include "model/layout/LineBreaker.h"

#include <algorithm>
#include <cstdlib>

#include "model/document/CharKinds.h"
#include "model/document/GraceNotes.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr int16_t kDash = 45;

StoredWord& Word(EditorData& data, int32_t i) {
    return data.WordInfo[static_cast<size_t>(i)];
}

// A character stacked over or under the nearest base before it; it takes no room of its own.
bool IsStacked(const StoredWord& w) {
    return w.ShuPai.Number != 0 && w.ShuPai.Number != 1 && w.ShuPai.Number != -1;
}

bool IsStackBase(const StoredWord& w) {
    return w.ShuPai.Number == 1 || w.ShuPai.Number == -1;
}

bool StackedFollows(const EditorData& data, int32_t i) {
    return data.IsWord(i + 1) && IsStacked(data.WordInfo[static_cast<size_t>(i + 1)]);
}

tessaly::aPartInfo PartOf(const EditorData& data, int32_t part) {
    if (part < 0 || part >= data.PartCount()) return {};
    return data.PartInfo[static_cast<size_t>(part)];
}

int16_t Add16(int16_t a, int b) {
    return static_cast<int16_t>(a + b);
}

// Places characters s to last from x0: each takes its width and spacing, the last one no spacing;
// stacked characters centre on their base. With a gap, every spacing character but the last also
// gets the gap, and a stack base never reaches past the line's right end.
void Walk(EditorData& data, const tessaly::aLineInfo& line, float x0, int32_t last, bool justify, float gap) {
    const int32_t s = line.Start;
    last = std::min(last, data.WordCount() - 1);
    if (!data.IsWord(s) || last < s) return;
    Word(data, s).Left = x0;
    float p = x0;
    float m = x0;  // a stack whose base is missing still starts on the line
    for (int32_t i = s; i < last; ++i) {
        auto& w = Word(data, i);
        const bool stacked = IsStacked(w);
        if (stacked) {
            w.Left = m - w.WdSize.cx / 2;
            w.Right = m + w.WdSize.cx / 2;
        } else if (IsGraceNoteJoined(data, i)) {
            w.Right = w.Left + w.WdSize.cx;
        } else {
            w.Right = w.Left + w.WdSize.cx + w.WdSpace;
            if (IsStackBase(w)) m = w.Left + w.WdSize.cx / 2;
            if (justify) {
                w.Right += gap;
                if (IsStackBase(w)) w.Right = std::min(w.Right, line.Right);
            }
        }
        if (!stacked) p = w.Right;
        Word(data, i + 1).Left = p;
    }
    auto& e = Word(data, last);
    if (IsStacked(e)) {
        // A line may now end with a stack; its last character still sits on the base.
        e.Left = m - e.WdSize.cx / 2;
        e.Right = m + e.WdSize.cx / 2;
    } else {
        e.Right = e.Left + e.WdSize.cx;
    }
}

int32_t LastOf(const tessaly::aLineInfo& line) {
    return line.Start + line.Length - 1;
}

}  // namespace

bool IsLastBeforeParaEnd(const EditorData& data, int32_t Index) {
    if (Index + 1 >= data.WordCount()) return true;
    return !IsParaEnd(data, Index) && IsParaEnd(data, Index + 1);
}

bool NoDashAround(const EditorData& data, int32_t Index) {
    const auto dash = [&](int32_t i) { return data.IsWord(i) && data.WordInfo[static_cast<size_t>(i)].WdAsc == kDash; };
    return !dash(Index) && !dash(Index + 1);
}

int32_t GetPartIndexOfWord(const EditorData& data, int32_t Index) {
    int32_t before = 0;
    for (int32_t i = 0; i < data.WordCount(); ++i) {
        if (!IsParaEnd(data, i)) continue;
        if (i >= Index) return before;
        ++before;
    }
    return 0;
}

void GetLineIndent(const EditorData& data, int32_t PartIndex, int32_t ParaStart, int16_t& FirstLineLeft,
                   int16_t& OtherLinesLeft, int16_t& LineRightLimit) {
    const tessaly::aPartInfo p = PartOf(data, PartIndex);
    const double k = data.PxPerTenthMm;
    // The reference width comes from the paragraph itself, so laying out one paragraph or the
    // whole document indents it alike.
    int32_t ref = ParaStart;
    if (!IsParaEnd(data, ParaStart) && data.IsWord(ParaStart + 1)) ref = ParaStart + 1;
    const double u = data.IsWord(ref) ? data.WordInfo[static_cast<size_t>(ref)].WdSize.cx : 0.0;
    const double left = p.LeftIndentation * k + data.WriteLeft;
    const double indent = p.FirstLineIndentation / 10.0 * u;
    if (p.FirstLineIndentation < 0) {
        FirstLineLeft = tessaly::CInt(left);
        OtherLinesLeft = tessaly::CInt(left - indent);
    } else {
        FirstLineLeft = tessaly::CInt(indent + left);
        OtherLinesLeft = tessaly::CInt(left);
    }
    LineRightLimit = tessaly::CInt(data.WriteWidth + data.WriteLeft - p.RightIndentation * k);
}

float FirstLineUpSpace(const EditorData& data, int32_t PartIndex) {
    int32_t spacing = PartOf(data, PartIndex).SpacingBefore;
    if (PartIndex > 0) spacing += PartOf(data, PartIndex - 1).SpacingAfter;
    return static_cast<float>(spacing) * data.PxPerTenthMm;
}

void FormatLines(EditorData& data, int32_t StartWord, int32_t EndWord, int32_t& Count, int32_t FirstPartIndex,
                 const LineResume* Resume) {
    auto& lines = data.LineScratch;
    lines.assign(1, tessaly::aLineInfo{});
    const float k = data.PxPerTenthMm;
    EndWord = std::min(EndWord, data.WordCount() - 1);
    int32_t n = 0;
    int32_t ps = std::max(StartWord, 0);
    int32_t part = FirstPartIndex >= 0 ? FirstPartIndex : GetPartIndexOfWord(data, ps);
    int32_t firstLine = 0;
    tessaly::aPartInfo p;

    bool resumed = Resume && Resume->Word > ps;
    const auto newLine = [&] {
        ++n;
        lines.emplace_back();
    };
    const auto endParagraph = [&](int32_t next) {
        AlignLines(data, part, firstLine, n);
        resumed = false;
        ps = next;
        ++part;
        newLine();
    };

    // A line after the paragraph's first: the paragraph's limits as they were, a line's spacing above.
    if (resumed) {
        p = PartOf(data, part);
        GetLineIndent(data, part, ps, data.FirstLineLeft, data.OtherLinesLeft, data.LineRightLimit);
        auto& first = lines[0];
        first.Start = Resume->Word;
        first.Left = first.Right = data.OtherLinesLeft;
        first.LineUpSpace = static_cast<float>(p.LineSpace) * k;
    }
    for (int32_t c = resumed ? Resume->Word : ps; c <= EndWord; ++c) {
        const auto& w = data.WordInfo[static_cast<size_t>(c)];
        if (c == ps) {
            p = PartOf(data, part);
            GetLineIndent(data, part, ps, data.FirstLineLeft, data.OtherLinesLeft, data.LineRightLimit);
            auto& first = lines[static_cast<size_t>(n)];
            first.Start = c;
            first.Left = first.Right = data.FirstLineLeft;
            first.LineUpSpace = FirstLineUpSpace(data, part);
            firstLine = n;
        }
        auto& line = lines[static_cast<size_t>(n)];
        line.Length += 1;
        if (!IsStacked(w)) {
            line.Right += w.WdSize.cx;
            if (!IsGraceNoteJoined(data, c)) {
                line.NormalSpaceNum = Add16(line.NormalSpaceNum, 1);
                line.Right += w.WdSpace;
            }
            line.WordHeight = std::max(line.WordHeight, std::abs(w.nLogFont().lfHeight));
        }

        if (line.Right >= static_cast<float>(data.LineRightLimit) && !HasExtralType(data, c, kMarkGraceNote)) {
            if (IsParaEnd(data, c)) {
                line.IsAllLine = tessaly::kTrue;
                line.LineIsCtl = tessaly::kTrue;
                line.NormalSpaceNum = Add16(line.NormalSpaceNum, -1);
                line.Right -= w.WdSize.cx;
                endParagraph(c + 1);
            } else if (IsLastBeforeParaEnd(data, c) && c + 1 <= EndWord) {
                // A paragraph end never starts a line.
                line.IsAllLine = tessaly::kTrue;
                line.LineIsCtl = tessaly::kTrue;
                line.Length += 1;
                endParagraph(c + 2);
                ++c;
            } else if (NoDashAround(data, c) && !StackedFollows(data, c)) {
                // Dashes stay with their note, stacked characters with their base.
                line.IsAllLine = tessaly::kTrue;
                line.LineIsCtl = tessaly::kFalse;
                if (Resume && Resume->StopAt && Resume->StopAt(c + 1)) {
                    AlignLines(data, part, firstLine, n);
                    Count = n + 1;
                    lines.resize(static_cast<size_t>(n) + 1);
                    return;
                }
                newLine();
                auto& next = lines[static_cast<size_t>(n)];
                next.Start = c + 1;
                next.LineUpSpace = static_cast<float>(p.LineSpace) * k;
                next.Left = next.Right = data.OtherLinesLeft;
            }
        } else if (IsParaEnd(data, c)) {
            line.Left = n == firstLine && !resumed ? data.FirstLineLeft : data.OtherLinesLeft;
            line.IsAllLine = tessaly::kFalse;
            line.LineIsCtl = tessaly::kTrue;
            line.NormalSpaceNum = Add16(line.NormalSpaceNum, -1);
            line.Right -= w.WdSize.cx;
            endParagraph(c + 1);
        }
    }
    Count = n;
    lines.resize(static_cast<size_t>(n));
}

void AlignLines(EditorData& data, int32_t PartIndex, int32_t FirstLine, int32_t LastLine) {
    const tessaly::Alignment how = PartOf(data, PartIndex).AlignmentMethod;
    for (int32_t line = FirstLine; line <= LastLine; ++line) {
        switch (how) {
            case tessaly::AlignmentNear: PlaceLineNear(data, line); break;
            case tessaly::AlignmentCenter: PlaceLineCenter(data, line); break;
            case tessaly::AlignmentDisperse: PlaceLineDisperse(data, line); break;
            case tessaly::AlignmentFar: PlaceLineFar(data, line); break;
            case tessaly::AlignmentCpDq:
            case tessaly::AlignmentxjDq: PlaceLineSource(data, line); break;
            default: break;  // positions stay as they were
        }
    }
}

void PlaceLineNear(EditorData& data, int32_t Line) {
    const auto& l = data.LineScratch[static_cast<size_t>(Line)];
    Walk(data, l, l.Left, LastOf(l), false, 0);
}

void PlaceLineSource(EditorData& data, int32_t Line) {
    PlaceLineNear(data, Line);
}

void PlaceLineCenter(EditorData& data, int32_t Line) {
    const auto& l = data.LineScratch[static_cast<size_t>(Line)];
    const float x0 = (static_cast<float>(data.LineRightLimit) + l.Left) / 2 - (l.Right - l.Left) / 2;
    Walk(data, l, x0, LastOf(l), false, 0);
}

void PlaceLineFar(EditorData& data, int32_t Line) {
    const auto& l = data.LineScratch[static_cast<size_t>(Line)];
    Walk(data, l, static_cast<float>(data.LineRightLimit) - (l.Right - l.Left), LastOf(l), false, 0);
}

void PlaceLineDisperse(EditorData& data, int32_t Line) {
    const auto l = data.LineScratch[static_cast<size_t>(Line)];
    const int32_t s = l.Start;
    const int32_t e = std::min(LastOf(l), data.WordCount() - 1);
    const int16_t n = l.NormalSpaceNum;
    if (!data.IsWord(s) || e < s) return;
    if (n < 0) {  // nothing to spread over: placed as a near line, not left where it was
        Walk(data, l, l.Left, e, false, 0);
        return;
    }
    const auto firstLeft = static_cast<float>(data.FirstLineLeft);
    auto& first = Word(data, s);
    // The characters between the first and the last (stacked or grace notes) follow on from the
    // first, rather than keeping whatever an earlier layout gave them.
    if (n <= 1) Walk(data, l, firstLeft, e, false, 0);
    if (n == 0) {
        first.Left = firstLeft;
        first.Right = firstLeft + first.WdSize.cx;
    } else if (n == 1) {
        first.Left = firstLeft;
        first.Right = firstLeft + first.WdSize.cx + first.WdSpace;
        auto& last = Word(data, e);
        last.Left = first.Right;
        last.Right = last.Left + last.WdSize.cx;
    } else {
        const auto limit = static_cast<float>(data.LineRightLimit);
        const float gap = (limit - l.Left - (l.Right - l.Left)) / static_cast<float>(n - 1);
        const bool ctl = tessaly::IsTrue(l.LineIsCtl);
        Walk(data, l, l.Left, ctl ? e - 1 : e, true, gap);
        if (ctl) {
            auto& end = Word(data, e);
            end.Left = limit;
            end.Right = limit + end.WdSize.cx;
        }
    }
}

}  // namespace notaline
