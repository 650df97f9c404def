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
constexpr int32_t kAhead = 32;  // records read ahead while breaking

StoredWord& Word(EditorData& data, int32_t i) {
    return data.WordInfo[static_cast<size_t>(i)];
}

// The characters a loop walks through, taken a run of memory at a time: breaking and placing read
// every character of a paragraph, which a look-up each would cost more than the work.
class Words {
public:
    explicit Words(EditorData& data) : all_(data.WordInfo) {}
    StoredWord& operator[](int32_t i) {
        const auto u = static_cast<size_t>(i);
        if (u - from_ >= end_ - from_) {
            run_ = all_.Run(u, end_);
            from_ = u;
        }
        return run_[u - from_];
    }
    // Asks for record i ahead of its reading when it lies in the current run: breaking is held
    // up by memory far more than by its work.
    void Ahead(int32_t i) const {
        const auto u = static_cast<size_t>(i);
        if (u - from_ < end_ - from_) __builtin_prefetch(run_ + (u - from_));
    }

private:
    PieceArray<StoredWord>& all_;
    StoredWord* run_ = nullptr;
    size_t from_ = 0;
    size_t end_ = 0;
};

// A character stacked over or under the nearest base before it; it takes no room of its own.
bool IsStacked(const StoredWord& w) {
    return w.ShuPai.Number != 0 && w.ShuPai.Number != 1 && w.ShuPai.Number != -1;
}

bool IsStackBase(const StoredWord& w) {
    return w.ShuPai.Number == 1 || w.ShuPai.Number == -1;
}

// A stacked character centred on m, the middle of its base.
void PlaceStacked(StoredWord& w, float m) {
    w.Left = m - w.WdSize.cx / 2;
    w.Right = m + w.WdSize.cx / 2;
}

// The tests of the next few characters on records at hand (null: no such character).
bool IsDash(const StoredWord* w) {
    return w && w->WdAsc == kDash;
}
bool IsParaEndRecord(const StoredWord* w) {
    return w && w->IsJpGcCtl == kCharParaEnd;
}
const StoredWord* WordAt(const EditorData& data, int32_t i) {
    return data.IsWord(i) ? &data.WordInfo.Stored(static_cast<size_t>(i)) : nullptr;
}

tessaly::aPartInfo PartOf(const EditorData& data, int32_t part) {
    if (part < 0 || part >= data.PartCount()) return {};
    return data.PartInfo[static_cast<size_t>(part)];
}

int16_t Add16(int16_t a, int b) {
    return static_cast<int16_t>(a + b);
}

// Breaking reads every character of a paragraph, and nearly none carries a mark: those without
// any are answered from the record alone, the others by the mark slots.
bool MayHaveGraceNote(const StoredWord& w) {
    return w.ExtralWordInfo.Id != 0;
}

// Whether character i (w) is joined to the next one (next, null when there is none).
bool GraceNoteJoined(const EditorData& data, const StoredWord& w, const StoredWord* next, int32_t i) {
    if (MayHaveGraceNote(w)) return IsGraceNoteJoined(data, i);
    // Only a group value on the next character could join this one to it.
    return next && w.IsJpGcCtl != kCharParaEnd && MayHaveGraceNote(*next) && IsGraceNoteJoined(data, i);
}

// The height of characters' fonts, the last one remembered: a paragraph keeps to a few fonts.
class FontHeights {
public:
    int32_t Of(const StoredWord& w) {
        if (w.FontId != id_) {
            id_ = w.FontId;
            height_ = std::abs(w.nLogFont().lfHeight);
        }
        return height_;
    }

private:
    uint32_t id_ = UINT32_MAX;
    int32_t height_ = 0;
};

// Places characters s to last from x0: each takes its width and spacing, the last one no spacing;
// stacked characters centre on their base. With a gap, every spacing character but the last also
// gets the gap, and a stack base never reaches past the line's right end.
void Walk(EditorData& data, const tessaly::aLineInfo& line, float x0, int32_t last, bool justify, float gap) {
    const int32_t s = line.Start;
    last = std::min(last, data.WordCount() - 1);
    if (!data.IsWord(s) || last < s) return;
    Words words(data);
    words[s].Left = x0;
    float p = x0;
    float m = x0;  // a stack whose base is missing still starts on the line
    // p is where the next character starts, as it was just stored in its Left: reading it back
    // instead would hold every character up behind the store of the one before.
    for (int32_t i = s; i < last; ++i) {
        auto& w = words[i];
        auto& next = words[i + 1];
        const bool stacked = IsStacked(w);
        if (stacked) {
            PlaceStacked(w, m);
        } else if (GraceNoteJoined(data, w, &next, i)) {
            w.Right = p + w.WdSize.cx;
        } else {
            w.Right = p + w.WdSize.cx + w.WdSpace;
            if (IsStackBase(w)) m = p + w.WdSize.cx / 2;
            if (justify) {
                w.Right += gap;
                if (IsStackBase(w)) w.Right = std::min(w.Right, line.Right);
            }
        }
        if (!stacked) p = w.Right;
        next.Left = p;
    }
    auto& e = words[last];
    if (IsStacked(e)) {
        // A line may now end with a stack; its last character still sits on the base.
        PlaceStacked(e, m);
    } else {
        e.Right = p + e.WdSize.cx;
    }
}

int32_t LastOf(const tessaly::aLineInfo& line) {
    return line.Start + line.Length - 1;
}

}  // namespace

bool IsLastBeforeParaEnd(const EditorData& data, int32_t Index) {
    if (Index + 1 >= data.WordCount()) return true;
    return !IsParaEnd(data, Index) && IsParaEndRecord(WordAt(data, Index + 1));
}

bool NoDashAround(const EditorData& data, int32_t Index) {
    return !IsDash(WordAt(data, Index)) && !IsDash(WordAt(data, Index + 1));
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

namespace {

// One breaking of FormatLines: the paragraph at hand and the line being filled. The line counts in
// members, written to its entry when it ends: kept in the entry, every character would wait for
// the one before to be stored.
struct LineFill {
    LineFill(EditorData& data, int32_t StartWord, int32_t EndWord, int32_t& Count, int32_t FirstPartIndex,
             const LineResume* Resume)
        : data(data),
          lines(data.LineScratch),
          k(data.PxPerTenthMm),
          EndWord(std::min(EndWord, data.WordCount() - 1)),
          count(data.WordCount()),
          stored(static_cast<int32_t>(std::min<int64_t>(count, static_cast<int64_t>(data.WordInfo.size())))),
          Count(Count),
          Resume(Resume),
          ps(std::max(StartWord, 0)),
          part(FirstPartIndex >= 0 ? FirstPartIndex : GetPartIndexOfWord(data, ps)),
          resumed(Resume && Resume->Word > ps),
          words(data) {
        lines.assign(1, tessaly::aLineInfo{});
    }

    void BeginLine(int32_t start, float left, float upSpace) {
        auto& line = lines[static_cast<size_t>(n)];
        line.Start = start;
        line.Left = line.Right = left;
        line.LineUpSpace = upSpace;
        length = line.Length;
        right = m = left;
        spaces = line.NormalSpaceNum;
        height = line.WordHeight;
        placing = p.AlignmentMethod == tessaly::AlignmentNear || p.AlignmentMethod == tessaly::AlignmentCpDq ||
                  p.AlignmentMethod == tessaly::AlignmentxjDq;
    }
    // Each line is placed as soon as it ends, while its characters are still at hand.
    void EndLine() {
        auto& line = lines[static_cast<size_t>(n)];
        line.Length = length;
        line.Right = right;
        line.NormalSpaceNum = spaces;
        line.WordHeight = height;
        if (!placing) return AlignLines(data, part, n, n);
        // The last character takes no spacing.
        auto& e = words[std::min(LastOf(line), count - 1)];
        if (!IsStacked(e)) e.Right = e.Left + e.WdSize.cx;
    }
    void NewLine() {
        EndLine();
        ++n;
        lines.emplace_back();
    }
    // The line being filled is the last.
    void Stop() {
        EndLine();
        Count = n + 1;
        lines.resize(static_cast<size_t>(n) + 1);
    }
    void EndParagraph(int32_t next) {
        NewLine();
        resumed = false;
        ps = next;
        ++part;
    }

    void Run() {
        // A line after the paragraph's first: the paragraph's limits as they were, a line's spacing above.
        if (resumed) {
            p = PartOf(data, part);
            GetLineIndent(data, part, ps, data.FirstLineLeft, data.OtherLinesLeft, data.LineRightLimit);
            BeginLine(Resume->Word, data.OtherLinesLeft, static_cast<float>(p.LineSpace) * k);
        }
        for (int32_t c = resumed ? Resume->Word : ps; c <= EndWord; ++c) {
            words.Ahead(c + kAhead);
            StoredWord& w = words[c];
            const StoredWord* next = c + 1 < stored ? &words[c + 1] : nullptr;
            const bool paraEnd = w.IsJpGcCtl == kCharParaEnd;
            if (c == ps) {
                p = PartOf(data, part);
                GetLineIndent(data, part, ps, data.FirstLineLeft, data.OtherLinesLeft, data.LineRightLimit);
                BeginLine(c, data.FirstLineLeft, FirstLineUpSpace(data, part));
                firstLine = n;
            }
            length += 1;
            if (!IsStacked(w)) {
                const float left = right;
                right += w.WdSize.cx;
                const bool joined = GraceNoteJoined(data, w, next, c);
                if (!joined) {
                    spaces = Add16(spaces, 1);
                    right += w.WdSpace;
                }
                height = std::max(height, heights.Of(w));
                if (placing) {
                    w.Left = left;
                    w.Right = right;
                    if (!joined && IsStackBase(w)) m = left + w.WdSize.cx / 2;
                }
            } else if (placing) {
                PlaceStacked(w, m);
            }

            auto& line = lines[static_cast<size_t>(n)];
            if (right >= static_cast<float>(data.LineRightLimit) &&
                !(MayHaveGraceNote(w) && HasExtralType(data, c, kMarkGraceNote))) {
                if (paraEnd) {
                    line.IsAllLine = tessaly::kTrue;
                    line.LineIsCtl = tessaly::kTrue;
                    spaces = Add16(spaces, -1);
                    right -= w.WdSize.cx;
                    EndParagraph(c + 1);
                } else if ((c + 1 >= count || IsParaEndRecord(next)) && c + 1 <= EndWord) {
                    // A paragraph end never starts a line.
                    line.IsAllLine = tessaly::kTrue;
                    line.LineIsCtl = tessaly::kTrue;
                    length += 1;
                    if (placing && next) {
                        auto& end = words[c + 1];
                        if (IsStacked(end)) {
                            PlaceStacked(end, m);
                        } else {
                            end.Left = right;
                        }
                    }
                    EndParagraph(c + 2);
                    ++c;
                } else if (!IsDash(&w) && !IsDash(next) && !(next && IsStacked(*next))) {
                    // Dashes stay with their note, stacked characters with their base.
                    line.IsAllLine = tessaly::kTrue;
                    line.LineIsCtl = tessaly::kFalse;
                    if (c == cutAt) return Stop();
                    if (cutAt < 0 && Resume && Resume->StopAt && Resume->StopAt(c + 1)) {
                        cutAt = Resume->CutAt;
                        if (cutAt < 0) return Stop();
                    }
                    NewLine();
                    BeginLine(c + 1, data.OtherLinesLeft, static_cast<float>(p.LineSpace) * k);
                }
            } else if (c == cutAt && !paraEnd) {
                line.IsAllLine = tessaly::kFalse;
                line.LineIsCtl = tessaly::kFalse;
                return Stop();
            } else if (paraEnd) {
                line.Left = n == firstLine && !resumed ? data.FirstLineLeft : data.OtherLinesLeft;
                line.IsAllLine = tessaly::kFalse;
                line.LineIsCtl = tessaly::kTrue;
                spaces = Add16(spaces, -1);
                right -= w.WdSize.cx;
                EndParagraph(c + 1);
            }
        }
        Count = n;
        lines.resize(static_cast<size_t>(n));
    }

    EditorData& data;
    std::vector<tessaly::aLineInfo>& lines;
    const float k;
    const int32_t EndWord;
    const int32_t count;
    // Characters that are words: counted and stored (the array holds a spare record past the last).
    const int32_t stored;
    int32_t& Count;
    const LineResume* Resume;
    int32_t n = 0;
    int32_t ps;
    int32_t part;
    int32_t firstLine = 0;
    tessaly::aPartInfo p;
    bool resumed;
    Words words;
    FontHeights heights;

    int32_t length = 0;
    float right = 0;
    int16_t spaces = 0;
    int32_t height = 0;
    // A line placed from its left end has its characters placed as they are read, which places
    // them as PlaceLineNear does: the running right end is where the next character starts.
    bool placing = false;
    float m = 0;         // where stacked characters centre: the middle of the last stack base
    int32_t cutAt = -1;  // where the last line ends, once the caller has set it
};

}  // namespace

void FormatLines(EditorData& data, int32_t StartWord, int32_t EndWord, int32_t& Count, int32_t FirstPartIndex,
                 const LineResume* Resume) {
    LineFill(data, StartWord, EndWord, Count, FirstPartIndex, Resume).Run();
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
