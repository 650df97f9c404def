#include "model/layout/Pagination.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "model/layout/LineBreaker.h"
#include "model/layout/ParagraphEnds.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

// A character's box on its line: a stacked one (ShuPai.Number other than 0) steps up or down by
// its own height and spacing.
template <class Word>
void PlaceWord(Word& w, const tessaly::aLineInfo& line) {
    const int32_t n = w.ShuPai.Number;
    const float u = w.ShuPai.Space + w.WdSize.cy;
    if (n == 0) {
        w.Top = line.Top;
        w.Bottom = line.Bottom;
    } else if (n > 0) {
        w.Top = line.Top - static_cast<float>(n - 1) * u;
        w.Bottom = line.Bottom - static_cast<float>(n - 1) * u;
    } else {
        w.Top = line.Top + static_cast<float>(n - 1) * u;
        w.Bottom = line.Bottom - static_cast<float>(n + 1) * u;
    }
}

void PlaceWordsOfLine(EditorData& data, const tessaly::aLineInfo& line) {
    const int32_t last = std::min(line.Start + line.Length, data.WordCount());
    for (int32_t c = std::max(line.Start, 0); c < last; ++c) PlaceWord(data.WordInfo[static_cast<size_t>(c)], line);
}

// The last line that begins at or before character `word`; 0 when none does.
size_t LineAtOrBefore(const LineArray& lines, int64_t word) {
    size_t lo = 0, hi = lines.size();
    while (hi - lo > 1) {
        const size_t mid = lo + (hi - lo) / 2;
        (lines.StartOf(mid) <= word ? lo : hi) = mid;
    }
    return lo;
}

// Places the deferred characters first to at least upTo on their lines, line by line. The lines
// are those of the last layout, which numbered the characters `moved` lower than they are now.
size_t SettleWords(void* context, size_t first, size_t upTo, size_t end, ptrdiff_t moved) {
    auto& data = *static_cast<EditorData*>(context);
    const LineArray& lines = data.LineInfo;
    end = std::min(end, data.WordInfo.size());
    size_t reached = first;
    for (size_t l = lines.empty() ? 0 : LineAtOrBefore(lines, static_cast<int64_t>(first) - moved);
         l < lines.size() && reached < upTo; ++l) {
        const auto& line = lines[l];
        const int64_t lineFrom = int64_t{line.Start} + moved;
        const int64_t lineEnd = std::min<int64_t>(lineFrom + line.Length, static_cast<int64_t>(end));
        for (int64_t c = std::max<int64_t>(lineFrom, static_cast<int64_t>(reached)); c < lineEnd; ++c)
            PlaceWord(data.WordInfo[static_cast<size_t>(c)], line);
        reached = std::max<size_t>(reached, static_cast<size_t>(std::max<int64_t>(lineEnd, 0)));
    }
    // Characters behind the last line belong to none: nothing places them.
    return reached < upTo ? end : reached;
}

// The characters of a deferred run on one line, numbered as they are now.
struct LineToPlace {
    size_t From = 0;
    size_t End = 0;
    tessaly::aLineInfo Line;
};

// The lines SettleWords would place the run on, in order.
std::vector<LineToPlace> LinesToPlace(const EditorData& data, size_t first, size_t end, ptrdiff_t moved) {
    std::vector<LineToPlace> out;
    const LineArray& lines = data.LineInfo;
    end = std::min(end, data.WordInfo.size());
    for (size_t l = lines.empty() ? 0 : LineAtOrBefore(lines, static_cast<int64_t>(first) - moved); l < lines.size();
         ++l) {
        const auto& line = lines[l];
        const int64_t lineFrom = std::max<int64_t>(int64_t{line.Start} + moved, static_cast<int64_t>(first));
        const int64_t lineEnd = std::min<int64_t>(int64_t{line.Start} + moved + line.Length, static_cast<int64_t>(end));
        if (lineFrom >= static_cast<int64_t>(end)) break;
        if (lineFrom < lineEnd) out.push_back({static_cast<size_t>(lineFrom), static_cast<size_t>(lineEnd), line});
    }
    return out;
}

// The snapshot as stored, the characters of moved lines placed by the writer.
DocumentSnapshot AsStored(const EditorData& data) {
    std::vector<LineToPlace> lines;
    DocumentSnapshot s = SnapshotOf(data, [&](size_t first, size_t end, ptrdiff_t moved) {
        const auto run = LinesToPlace(data, first, end, moved);
        lines.insert(lines.end(), run.begin(), run.end());  // runs come in order, apart
    });
    if (lines.empty()) return s;
    s.Settle = [lines = std::move(lines)](size_t first, tessaly::aWordInfo* words, size_t n) {
        auto at =
            std::partition_point(lines.begin(), lines.end(), [&](const LineToPlace& l) { return l.End <= first; });
        for (; at != lines.end() && at->From < first + n; ++at)
            for (size_t c = std::max(at->From, first); c < std::min(at->End, first + n); ++c)
                PlaceWord(words[c - first], at->Line);
    };
    return s;
}

}  // namespace

DocumentSnapshot SnapshotAsStored(const EditorData& data, WholeLayout) {
    return AsStored(data);
}

DocumentSnapshot DaDurSnapshotAsStored(const EditorData& data) {
    return AsStored(data);
}

namespace {

// Characters from..end are placed on their lines when something reads them.
void DeferPlacing(EditorData& data, int32_t from, int32_t end) {
    if (from < end)
        data.WordInfo.Defer(static_cast<size_t>(std::max(from, 0)), static_cast<size_t>(end), &SettleWords, &data);
}
// Runs taken before a re-layout wait again, now for the new lines.
void DeferPlacing(EditorData& data, const PieceArray<StoredWord>::Runs& runs) {
    for (const auto& [from, end] : runs) data.WordInfo.Defer(from, end, &SettleWords, &data);
}

// The first and last line whose box moved; their characters, and those of the lines between, are
// placed when read.
struct MovedLines {
    int32_t First = INT32_MAX;
    int32_t Last = -1;

    void Defer(EditorData& data) const {
        if (Last < First) return;
        const auto& lines = data.LineInfo;
        const int32_t end = lines.StartOf(static_cast<size_t>(Last)) + lines.Unmoved(static_cast<size_t>(Last)).Length;
        DeferPlacing(data, lines.StartOf(static_cast<size_t>(First)), std::min(end, data.WordCount()));
    }
};

// Line j's box from its top; a box that moved is noted. Returns its bottom. Inline: pagination
// runs it for every line behind an edit.
[[gnu::always_inline]] inline float SetLineBox(EditorData& data, int32_t j, float top, MovedLines& moved) {
    auto& line = data.LineInfo.Unmoved(static_cast<size_t>(j));
    const float bottom = top + static_cast<float>(line.WordHeight) + line.LineUpSpace;
    if (line.Top != top || line.Bottom != bottom) {
        moved.First = std::min(moved.First, j);
        moved.Last = j;
    }
    line.Top = top;
    line.Bottom = bottom;
    return bottom;
}

// Where an incremental pagination may stop: from line Line on (new numbering) the lines are the
// old ones, moved by LineDelta lines and WordDelta characters, so a page that begins at such a
// line paginates as it did and the old pages from there on can be taken over.
struct Resync {
    int32_t Line = 0;
    int32_t LineDelta = 0;
    int32_t WordDelta = 0;
    size_t FirstPage = 0;  // the first old page paginated again; the old pages stay in PageInfo
    size_t Seen = 0;       // no old page before this one begins at or after a line paginated again
    size_t SpareSeen = 0;  // the same of the pages kept aside
    MovedLines Moved;      // of the lines paginated again, which get their boxes as they go
    // The lines of pages taken whole from their known lengths or from the pages kept aside, whose
    // boxes are settled when read.
    int32_t JumpedFirst = INT32_MAX;
    int32_t JumpedEnd = -1;

    PageArray::Moved LinesMoved() const { return {LineDelta, WordDelta, Line}; }
};

// A new page of `lines` lines and `words` characters after the last of `pages`.
void AppendPage(PageArray::Vector& pages, int32_t lines, int32_t words) {
    const tessaly::aPageInfo prev = pages.back();
    tessaly::aPageInfo page;
    page.StartLine = prev.StartLine + prev.LengthLine;
    page.StartWord = prev.StartWord + prev.LengthWord;
    page.LengthLine = lines;
    page.LengthWord = words;
    pages.push_back(page);
}

// Takes over the old pages from the one that began at `line` (new numbering), the new `pages`
// taking the place of those before it; false when none did. The pages taken over move when read.
bool TakeOverPages(EditorData& data, Resync& r, const PageArray::Vector& pages, int32_t line) {
    const int32_t oldLine = line - r.LineDelta;
    auto& all = data.PageInfo;
    // The lines asked about only grow, and mostly by a page: the search goes on from the last one.
    size_t lo = std::max(r.Seen, r.FirstPage);
    for (int step = 0; lo < all.size() && all.StartLineOf(lo) < oldLine; ++lo)
        if (++step == 4) {
            lo = all.FirstAfter(oldLine - 1, lo);
            break;
        }
    r.Seen = lo;
    if (lo < all.size() && all.StartLineOf(lo) == oldLine) {
        all.Replace(r.FirstPage, lo - r.FirstPage, pages, r.LinesMoved());
        return true;
    }
    // The pages of the layout before the last edit, where this edit brings its lines back: their
    // lines sit elsewhere on their pages than now, so their boxes are settled when read.
    const size_t spare = all.SpareBeginningAt(oldLine, r.SpareSeen);
    if (spare == PageArray::kNoPage) return false;
    all.ReplaceTailFromSpare(r.FirstPage, pages, spare, r.LinesMoved());
    r.JumpedFirst = std::min(r.JumpedFirst, line);
    r.JumpedEnd = data.LineCount();
    return true;
}

// Lines from `from` on into `pages`, the last page already filled h pixels high. A line needs one
// more of its own heights free below it. With a resync, stops where the old pages can be taken
// over, places the lines it paginates, and takes a page whose length is known whole. Returns
// whether the old pages were taken over (else `pages` are the last ones). Learns the length of
// every page it ends that began with its first line alone (every page but a first begun with
// nothing on it).
bool PaginateLines(EditorData& data, PageArray::Vector& pages, int32_t from, int32_t h, Resync* resync = nullptr) {
    // The last page's counts are kept here and written back when it ends: this loop runs over
    // every line behind an edit.
    int32_t lines = pages.back().LengthLine;
    int32_t words = pages.back().LengthWord;
    const auto endPage = [&] {
        pages.back().LengthLine = lines;
        pages.back().LengthWord = words;
    };
    auto& all = data.LineInfo;
    const int32_t count = data.LineCount();
    const float writeHeight = data.WriteHeight;
    const auto writeTop = static_cast<float>(data.WriteTop);
    int32_t pageStart = from > 0 ? pages.back().StartLine : -1;
    // With a resync, the bottom of the line before, placed already when it is on the same page.
    float bottom = resync && from > 0 ? all.Unmoved(static_cast<size_t>(from - 1)).Bottom : 0;
    for (int32_t i = from; i < count; ++i) {
        const auto* line = &all.Unmoved(static_cast<size_t>(i));
        if (line->LineUpSpace + static_cast<float>(2 * int64_t{line->WordHeight} + h) > writeHeight) {
            endPage();
            if (pageStart >= 0) all.SetJump(static_cast<size_t>(pageStart), i - pageStart, words, writeHeight);
            for (;;) {
                if (resync && i >= resync->Line && TakeOverPages(data, *resync, pages, i)) return true;
                const int32_t jump = resync ? all.Jump(static_cast<size_t>(i), writeHeight) : 0;
                if (jump <= 0 || i + jump >= count) break;
                AppendPage(pages, jump, all.JumpWords(static_cast<size_t>(i)));
                resync->JumpedFirst = std::min(resync->JumpedFirst, i);
                i += jump;
                resync->JumpedEnd = i;
            }
            line = &all.Unmoved(static_cast<size_t>(i));
            AppendPage(pages, 1, line->Length);
            pageStart = i;
            if (resync) bottom = SetLineBox(data, i, line->LineUpSpace + writeTop, resync->Moved);
            lines = 1;
            words = line->Length;
            h = RoundPixels(line->LineUpSpace + static_cast<float>(line->WordHeight));
        } else {
            if (resync) bottom = SetLineBox(data, i, lines == 0 ? line->LineUpSpace + writeTop : bottom, resync->Moved);
            lines += 1;
            words += line->Length;
            h = RoundPixels(line->LineUpSpace + static_cast<float>(int64_t{line->WordHeight} + h));
        }
    }
    endPage();
    return false;
}

// Lines into pages, without placing anything; the page lengths learnt anew.
void Paginate(EditorData& data) {
    data.LineInfo.ForgetAllJumps();
    PageArray::Vector pages(1);
    PaginateLines(data, pages, 0, 0);
    data.PageInfo.clear();
    data.PageInfo.Replace(0, 0, pages);
}

// The page that holds the line, from the page table as it stands; the last when none does.
int32_t PageOfLine(const EditorData& data, int32_t line) {
    return std::max<int32_t>(0, static_cast<int32_t>(data.PageInfo.FirstAfter(line)) - 1);
}

// Boxes of lines from..upTo from the pages as they stand; the line before `from` is placed.
void SettleBoxes(void* context, size_t from, size_t upTo) {
    auto& data = *static_cast<EditorData*>(context);
    auto& lines = data.LineInfo;
    const auto& pages = data.PageInfo;
    const auto writeTop = static_cast<float>(data.WriteTop);
    auto p = static_cast<size_t>(PageOfLine(data, static_cast<int32_t>(from)));
    float bottom = from > 0 ? lines.Unmoved(from - 1).Bottom : 0;
    for (size_t j = from; j < upTo && j < lines.size(); ++j) {
        while (p + 1 < pages.size() && pages[p + 1].StartLine <= static_cast<int32_t>(j)) ++p;
        auto& line = lines.Unmoved(j);
        line.Top = static_cast<int32_t>(j) == pages[p].StartLine ? line.LineUpSpace + writeTop : bottom;
        line.Bottom = bottom = line.Top + static_cast<float>(line.WordHeight) + line.LineUpSpace;
    }
}

// Pagination again from the page of line `from` - 1: the pages before it hold only lines the
// edit left alone, and the page that ends just before `from` may now take its first line. With a
// resync the old pages are taken over where they begin to agree. Places the lines of the pages
// paginated again, and returns those pages.
void PaginateFrom(EditorData& data, int32_t from, Resync& resync) {
    int32_t q = data.PageCount() > 0 ? PageOfLine(data, std::max(from - 1, 0)) : 0;
    // An empty page before (a first line too tall for the first page) depends on that line.
    while (q > 0 && data.PageInfo[static_cast<size_t>(q - 1)].LengthLine == 0) --q;
    resync.FirstPage = static_cast<size_t>(q);
    PageArray::Vector pages(1);
    bool tookOver = false;
    if (q == 0) {
        tookOver = PaginateLines(data, pages, 0, 0, &resync);
    } else {
        // A page after the first was begun by its first line not fitting on the page before.
        const tessaly::aPageInfo kept = data.PageInfo[static_cast<size_t>(q)];
        auto& first = pages.back();
        first.StartLine = kept.StartLine;
        first.StartWord = kept.StartWord;
        first.LengthLine = 1;
        const auto& head = data.LineInfo.Unmoved(static_cast<size_t>(kept.StartLine));
        first.LengthWord = head.Length;
        SetLineBox(data, kept.StartLine, head.LineUpSpace + static_cast<float>(data.WriteTop), resync.Moved);
        tookOver = PaginateLines(data, pages, kept.StartLine + 1,
                                 RoundPixels(head.LineUpSpace + static_cast<float>(head.WordHeight)), &resync);
    }
    if (!tookOver) data.PageInfo.ReplaceTail(resync.FirstPage, pages, resync.LinesMoved());
}

// Vertical boxes of the lines, and the characters placed on them: all of them when everything is
// true, else those of lines whose box moved when first read.
void PlaceLines(EditorData& data, bool everything) {
    const auto earlier = data.WordInfo.TakeDeferred();
    data.LineInfo.ForgetBoxes();
    MovedLines moved;
    const auto writeTop = static_cast<float>(data.WriteTop);
    for (const auto& page : data.PageInfo) {
        if (page.LengthLine <= 0) continue;
        const int32_t end = std::min(page.StartLine + page.LengthLine, data.LineCount());
        float top = 0;
        for (int32_t j = std::max(page.StartLine, 0); j < end; ++j) {
            const float up = data.LineInfo.Unmoved(static_cast<size_t>(j)).LineUpSpace;
            top = SetLineBox(data, j, j == page.StartLine ? up + writeTop : top, moved);
            if (everything) PlaceWordsOfLine(data, data.LineInfo[static_cast<size_t>(j)]);
        }
    }
    if (everything) return;
    DeferPlacing(data, earlier);
    moved.Defer(data);
}

int32_t CountParaEndLines(const EditorData& data, int32_t from, int32_t to) {
    int32_t n = 0;
    for (int32_t i = from; i < to; ++i)
        n += tessaly::IsTrue(data.LineInfo.Unmoved(static_cast<size_t>(i)).LineIsCtl) ? 1 : 0;
    return n;
}

// Whether the record names whole paragraphs of the current lines, and the edited range still
// ends with a paragraph end, so that only those paragraphs need breaking again.
bool MatchesLayout(const EditorData& data, const tessaly::aInputDat& d, int32_t delta) {
    if (d.iLine1 < 0 || d.iLine1 > d.iLine2 || d.iLine2 >= data.LineCount()) return false;
    const auto& first = data.LineInfo[static_cast<size_t>(d.iLine1)];
    const auto& last = data.LineInfo[static_cast<size_t>(d.iLine2)];
    if (first.Start != d.iWord1 || last.Start + last.Length - 1 != d.iWord2) return false;
    if (!tessaly::IsTrue(last.LineIsCtl)) return false;
    if (d.iLine1 > 0 && !tessaly::IsTrue(data.LineInfo[static_cast<size_t>(d.iLine1 - 1)].LineIsCtl)) return false;
    const int64_t newEnd = int64_t{d.iWord2} + delta;
    return newEnd >= d.iWord1 && newEnd < data.WordCount() && IsParaEnd(data, static_cast<int32_t>(newEnd));
}

// `count` entries at `at` give way to `with`; the entries behind move only when the counts differ.
template <class T>
void Splice(std::vector<T>& all, int32_t at, int32_t count, const std::vector<T>& with) {
    const auto first = std::min(static_cast<size_t>(std::max(at, 0)), all.size());
    const auto n = std::min(static_cast<size_t>(std::max(count, 0)), all.size() - first);
    const auto begin = all.begin() + static_cast<ptrdiff_t>(first);
    if (n == with.size()) {
        std::copy(with.begin(), with.end(), begin);
        return;
    }
    const auto pos = all.erase(begin, begin + static_cast<ptrdiff_t>(n));
    all.insert(pos, with.begin(), with.end());
}

// PartInfo entries of the touched paragraphs again: the old ones out, the new paragraph ends in.
void SplicePartInfo(EditorData& data, int32_t firstPart, int32_t oldParts, int32_t fromWord, int32_t toWord) {
    std::vector<tessaly::aPartInfo> parts;
    for (int32_t i = fromWord; i <= toWord; ++i)
        if (IsParaEnd(data, i)) parts.push_back(GetPartInfoFromCtlWord(data, i).value_or(tessaly::aPartInfo{}));
    Splice(data.PartInfo, firstPart, oldParts, parts);
}

// The paragraph's first two characters set the indents of all its lines: after an edit there its
// old lines hold only while the indents they were placed with stay.
bool IndentsHold(EditorData& data, const tessaly::aInputDat& d, int32_t part) {
    int16_t firstLeft = 0, otherLeft = 0, right = 0;
    GetLineIndent(data, part, d.iWord1, firstLeft, otherLeft, right);
    const auto& lines = data.LineInfo;
    const auto first = static_cast<size_t>(d.iLine1);
    if (lines.Unmoved(first).Left != firstLeft) return false;
    return d.iLine2 == d.iLine1 || lines.Unmoved(first + 1).Left == otherLeft;
}

// The old lines of a paragraph, up to its last line, searched for where new lines begin: the
// characters asked about only move on, mostly by a line, so a search goes on from the last.
class OldLines {
public:
    OldLines(const LineArray& lines, size_t from, size_t last) : lines_(lines), seen_(from), last_(last) {}
    // The line that holds old character `old`; the paragraph's next line past its last.
    size_t Holding(int64_t old) {
        const size_t end = std::min(last_ + 1, lines_.size() - 1);
        for (int step = 0; seen_ < end && lines_.StartOf(seen_ + 1) <= old; ++seen_)
            if (++step == 8) {
                seen_ = std::max(seen_, LineAtOrBefore(lines_, old));
                break;
            }
        return seen_;
    }

private:
    const LineArray& lines_;
    size_t seen_;
    size_t last_;
};

// Where a key's breaking may end with a cut line: from the start of the page after the one that
// holds `line`, or after the next one when the screen shows it too. None past the last page.
int64_t CutFrom(const EditorData& data, size_t line) {
    const int32_t page = PageOfLine(data, static_cast<int32_t>(line));
    const int32_t shown = std::max(page, std::min(data.LastPageShown, page + 1));
    if (shown + 1 >= data.PageCount()) return INT64_MAX;
    return data.PageInfo[static_cast<size_t>(shown + 1)].StartWord;
}

// What BreakWithinParagraph did: the old lines from..from + OldLines - 1 give way to Count new
// ones, the last of them cut short when Cut.
struct Rebreak {
    int32_t From = 0;
    int32_t OldLines = 0;
    int32_t Count = 0;
    bool Cut = false;
};

// Whether the breaking asked to cut its last new line and that line ends where asked: a line
// that could not end there was broken on to the paragraph's end.
bool EndsAtCut(const EditorData& data, const Rebreak& r, const LineResume& resume) {
    if (resume.CutAt < 0 || r.Count < 1) return false;
    const auto& e = data.LineScratch[static_cast<size_t>(r.Count) - 1];
    return e.Start + e.Length - 1 == resume.CutAt;
}

// An edit inside one paragraph that neither adds nor removes a paragraph end: the paragraph is
// broken again from the line before the edit's, up to the first line behind the edit from which
// its old lines hold (a line's breaks look only ahead of its first character). Past the pages in
// view, the last new line may instead be cut where an old one ends, so that the old lines behind
// hold. False, with nothing done, for any other edit.
bool BreakWithinParagraph(EditorData& data, const tessaly::aInputDat& d, int32_t delta, int32_t part, Rebreak& r) {
    const int32_t start = data.InputStart;
    if (start < d.iWord1 || start > d.iWord2 || d.iDelLength < 0 || d.iAddLength < 0) return false;
    if (start < d.iWord1 + 2 && !IndentsHold(data, d, part)) return false;
    const auto& lines = data.LineInfo;
    const size_t first = LineAtOrBefore(lines, start);
    const size_t last = d.iDelLength > 0 ? LineAtOrBefore(lines, int64_t{start} + d.iDelLength - 1) : first;
    for (size_t l = first; l <= last; ++l)
        if (static_cast<int32_t>(l) != d.iLine2 && tessaly::IsTrue(lines.Unmoved(l).LineIsCtl)) return false;
    for (int32_t i = start; i < start + d.iAddLength; ++i)
        if (IsParaEnd(data, i)) return false;
    // A line's breaks look up to two characters past its end: the lines before `from` end earlier.
    int32_t from = static_cast<int32_t>(first);
    while (from > d.iLine1 && lines.StartOf(static_cast<size_t>(from)) + 1 >= start) --from;
    const int32_t editEnd = start + d.iAddLength;
    int32_t stop = d.iLine2 + 1;
    LineResume resume;
    resume.Word = from > d.iLine1 ? lines.StartOf(static_cast<size_t>(from)) : -1;
    // One line is cut at a time: a cut line elsewhere leaves this paragraph broken to its end, one
    // behind the edit is taken into the new lines.
    const size_t oldCut = lines.CutLine();
    const bool mayCut =
        !lines.HasCutLine() || (oldCut >= static_cast<size_t>(from) && oldCut <= static_cast<size_t>(d.iLine2));
    const int64_t cutFrom = mayCut ? CutFrom(data, first) : INT64_MAX;
    OldLines old(lines, static_cast<size_t>(from), static_cast<size_t>(d.iLine2));
    resume.StopAt = [&](int32_t lineStart) {
        if (lineStart < editEnd) return false;
        const int64_t word = int64_t{lineStart} - delta;
        const auto l = static_cast<int32_t>(old.Holding(word));
        if (l <= from || l > d.iLine2) return false;
        if (lines.StartOf(static_cast<size_t>(l)) == word) {
            stop = l;
            return true;
        }
        // Before the line an earlier key cut short the new lines run on to its end and are cut
        // there: cut at the next old line's end instead, the cut would move down a line with
        // every key that reaches it, and each such key break one line more.
        const auto cut = lines.HasCutLine() ? std::max(static_cast<size_t>(l), oldCut) : static_cast<size_t>(l);
        // The paragraph's last line ends any breaking where it ended.
        if (word < cutFrom || cut >= static_cast<size_t>(d.iLine2)) return false;
        resume.CutAt = lines.StartOf(cut) + lines.Unmoved(cut).Length - 1 + delta;
        stop = static_cast<int32_t>(cut) + 1;
        return true;
    };
    FormatLines(data, d.iWord1, d.iWord2 + delta, r.Count, part, &resume);
    r.From = from;
    r.Cut = false;
    r.Cut = EndsAtCut(data, r, resume);
    if (resume.CutAt >= 0 && !r.Cut) stop = d.iLine2 + 1;  // it could not end there: broken to the end
    r.OldLines = stop - from;
    return true;
}

// The old lines r.From..r.From + r.OldLines - 1 give way to the r.Count new ones of the scratch,
// the lines behind moved by `delta` characters; the pages from there paginated again. With
// `paragraphs`, whole paragraphs were broken again, and the space above the next one may change.
void SpliceLines(EditorData& data, const Rebreak& r, int32_t delta, bool paragraphs,
                 const PieceArray<StoredWord>::Runs& earlier, int32_t oldCount) {
    const int32_t from = r.From, oldLines = r.OldLines, n = r.Count;
    // The lines behind move by the edit's length as they are read; the touched ones are replaced,
    // in place while their count stays.
    auto& lines = data.LineInfo;
    lines.ShiftStarts(static_cast<size_t>(from + oldLines), delta);
    data.LineScratch.resize(static_cast<size_t>(n));
    if (n == oldLines) {
        for (int32_t k = 0; k < n; ++k) lines[static_cast<size_t>(from + k)] = data.LineScratch[static_cast<size_t>(k)];
        if (lines.CutLine() - static_cast<size_t>(from) < static_cast<size_t>(n)) lines.ForgetCutLine();
    } else {
        lines.Replace(static_cast<size_t>(from), static_cast<size_t>(oldLines), data.LineScratch);
    }
    if (r.Cut && n > 0) lines.SetCutLine(static_cast<size_t>(from + n - 1));
    data.LineScratch.assign(1, tessaly::aLineInfo{});
    for (int32_t m = from; m < from + n; ++m) {
        auto& line = lines[static_cast<size_t>(m)];
        line.Start = m == 0 ? 0 : lines[static_cast<size_t>(m - 1)].Start + lines[static_cast<size_t>(m - 1)].Length;
    }
    // The next paragraph's space above takes in the space after of the range's last paragraph,
    // which a join or a moved paragraph end may have changed.
    const int32_t next = from + n;
    if (paragraphs && next < data.LineCount())
        lines[static_cast<size_t>(next)].LineUpSpace =
            FirstLineUpSpace(data, lines.ParaEndsBefore(static_cast<size_t>(next)));
    lines.ForgetJumps(static_cast<size_t>(from), static_cast<size_t>(next));

    data.LineCountChanged = data.LineCount() != oldCount;
    // The lines after the re-laid-out ones are the old ones, moved: their pages are too. The first
    // of them is left out, as its space above follows the paragraph before it.
    Resync resync;
    resync.Line = from + n + 1;
    resync.LineDelta = data.LineCount() - oldCount;
    resync.WordDelta = delta;
    PaginateFrom(data, from, resync);
    // The characters of the new lines and of lines that only moved are placed when first read, as
    // are the boxes of lines on pages taken whole: a long paragraph broken again costs its breaking.
    DeferPlacing(data, earlier);
    if (n > 0) {
        const auto& last = lines.Unmoved(static_cast<size_t>(from + n - 1));
        DeferPlacing(data, lines.StartOf(static_cast<size_t>(from)),
                     std::min(last.Start + last.Length, data.WordCount()));
    }
    resync.Moved.Defer(data);
    if (resync.JumpedFirst < resync.JumpedEnd) {
        const auto first = static_cast<size_t>(resync.JumpedFirst), end = static_cast<size_t>(resync.JumpedEnd);
        lines.DeferBoxes(first, end, &SettleBoxes, &data);
        const int32_t endWord = end < lines.size() ? lines.StartOf(end) : data.WordCount();
        DeferPlacing(data, lines.StartOf(first), std::min(endWord, data.WordCount()));
    }
}

void FullRelayout(EditorData& data, int32_t oldCount) {
    GetAllPartInfo(data);
    FormatAllLines(data);
    data.LineCountChanged = data.LineCount() != oldCount;
    FormatPages(data);
}

}  // namespace

void GetAllPartInfo(EditorData& data) {
    data.PartInfo.clear();
    for (int32_t i = 0; i < data.WordCount(); ++i)
        if (IsParaEnd(data, i)) data.PartInfo.push_back(GetPartInfoFromCtlWord(data, i).value_or(tessaly::aPartInfo{}));
}

void StartNewPage(EditorData& data, int32_t Line) {
    PageArray::Vector pages{data.PageInfo.back()};
    AppendPage(pages, 1, data.LineInfo.Unmoved(static_cast<size_t>(Line)).Length);
    data.PageInfo.push_back(pages.back());
}

void PlaceLinesVertically(EditorData& data) {
    PlaceLines(data, false);
}

void PlaceWordsVertically(EditorData& data) {
    data.WordInfo.TakeDeferred();
    for (const auto& line : data.LineInfo) PlaceWordsOfLine(data, line);
}

void FormatPages(EditorData& data) {
    Paginate(data);
    PlaceLines(data, true);
}

void FormatAllLines(EditorData& data) {
    data.LaidOutParaStart = data.LaidOutParaEnd = -1;
    // The lines are replaced: what waits for the old ones is placed on them first.
    data.WordInfo.SettleAll();
    int32_t count = 0;
    FormatLines(data, 0, data.WordCount() - 1, count, 0);
    // A copy, not the scratch itself: the scratch keeps its memory, written once already, for the
    // next long re-break, which would otherwise wait for the system to hand over each of its pages.
    data.LineInfo = LineArray::Vector(data.LineScratch.begin(), data.LineScratch.end());
    data.LineScratch.assign(1, tessaly::aLineInfo{});
}

void FormatFromLine(EditorData& data, const tessaly::aInputDat& InputDat) {
    data.LaidOutParaStart = data.LaidOutParaEnd = -1;
    data.WordInfo.SettleAll();
    GetAllPartInfo(data);
    int32_t count = 0;
    FormatLines(data, InputDat.iWord1, data.WordCount() - 1, count);
    const auto keep = static_cast<size_t>(std::clamp(InputDat.iLine1, 0, data.LineCount()));
    const size_t cut = data.LineInfo.CutLine();
    auto& lines = data.LineInfo.All();
    lines.resize(keep);
    lines.insert(lines.end(), data.LineScratch.begin(), data.LineScratch.end());
    if (cut < keep) data.LineInfo.SetCutLine(cut);  // the lines before stay as they were
    data.LineScratch.assign(1, tessaly::aLineInfo{});
    data.LineCountChanged = data.LineCount() != 0;
    FormatPages(data);
}

bool FormatInputLines(EditorData& data, const tessaly::aInputDat& InputDat) {
    // The record describes the document before its edit: applied twice, it would splice lines
    // that are already right into the wrong places.
    const bool own = &InputDat == &data.InputDat;
    if (own && data.InputDatLaidOut) return true;
    if (own) data.InputDatLaidOut = true;
    // Characters still waiting for their old lines are placed on the new ones when read; meanwhile
    // the re-layout reads them freely (it never reads a vertical box).
    const auto earlier = data.WordInfo.TakeDeferred();
    const tessaly::aInputDat& d = InputDat;
    const int32_t oldCount = data.LineCount();
    data.LaidOutParaStart = data.LaidOutParaEnd = -1;
    const int64_t delta64 = int64_t{d.iAddLength} - d.iDelLength;
    const auto delta = static_cast<int32_t>(delta64);
    if (delta64 != delta || !MatchesLayout(data, d, delta)) {
        FullRelayout(data, oldCount);
        return false;
    }

    // The paragraph number of the range's start, from the lines before it, which the edit left alone:
    // every line holds at most one paragraph end.
    const int32_t firstPart = data.LineInfo.ParaEndsBefore(static_cast<size_t>(d.iLine1));
    Rebreak r{d.iLine1, d.iLine2 - d.iLine1 + 1};
    const bool within = own && BreakWithinParagraph(data, d, delta, firstPart, r);
    if (own) data.InputStart = -1;
    if (!within) {
        SplicePartInfo(data, firstPart, CountParaEndLines(data, d.iLine1, d.iLine2 + 1), d.iWord1, d.iWord2 + delta);
        FormatLines(data, d.iWord1, d.iWord2 + delta, r.Count, firstPart);
    }
    SpliceLines(data, r, delta, !within, earlier, oldCount);
    if (within) {
        data.LaidOutParaStart = d.iWord1;
        data.LaidOutParaEnd = d.iWord2 + delta;
    }
    return true;
}

bool RebreakFromCutLine(EditorData& data, int32_t Lines) {
    auto& lines = data.LineInfo;
    if (!lines.HasCutLine()) return false;
    const size_t cut = lines.CutLine();
    lines.ForgetCutLine();
    size_t first = cut, last = cut;
    while (first > 0 && !tessaly::IsTrue(lines.Unmoved(first - 1).LineIsCtl)) --first;
    while (last + 1 < lines.size() && !tessaly::IsTrue(lines.Unmoved(last).LineIsCtl)) ++last;
    const auto earlier = data.WordInfo.TakeDeferred();
    const int32_t oldCount = data.LineCount();
    // From the cut line on, up to the first old line that begins where a new one does, or past
    // `Lines` new lines to the end of the old line that holds the next break, cut there again.
    Rebreak r{static_cast<int32_t>(cut), static_cast<int32_t>(last + 1 - cut)};
    LineResume resume;
    resume.Word = cut > first ? lines.StartOf(cut) : -1;
    OldLines old(lines, cut, last);
    int32_t broken = 0;
    resume.StopAt = [&](int32_t lineStart) {
        size_t l = old.Holding(lineStart);
        if (l <= cut || l > last) return false;
        if (lines.StartOf(l) != lineStart) {
            if (++broken < Lines || l >= last) return false;
            resume.CutAt = lines.StartOf(l) + lines.Unmoved(l).Length - 1;
            ++l;
        }
        r.OldLines = static_cast<int32_t>(l - cut);
        return true;
    };
    FormatLines(data, lines.StartOf(first), lines.StartOf(last) + lines.Unmoved(last).Length - 1, r.Count,
                lines.ParaEndsBefore(first), &resume);
    r.Cut = EndsAtCut(data, r, resume);
    if (resume.CutAt >= 0 && !r.Cut) r.OldLines = static_cast<int32_t>(last + 1 - cut);
    SpliceLines(data, r, 0, false, earlier, oldCount);
    return true;
}

}  // namespace notaline
