#include "model/Pagination.h"

#include <algorithm>

#include "model/LineBreaker.h"
#include "model/ParagraphEnds.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

void PlaceWordsOfLine(EditorData& data, const tessaly::aLineInfo& line) {
    const int32_t last = std::min(line.Start + line.Length, data.WordCount());
    for (int32_t c = std::max(line.Start, 0); c < last; ++c) {
        auto& w = data.WordInfo[static_cast<size_t>(c)];
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
}

// Lines from `from` on into pages, the last page already filled h pixels high. A line needs one
// more of its own heights free below it.
void PaginateLines(EditorData& data, int32_t from, int32_t h) {
    for (int32_t i = from; i < data.LineCount(); ++i) {
        const auto& line = data.LineInfo[static_cast<size_t>(i)];
        const float up = line.LineUpSpace;
        const int32_t height = line.WordHeight;
        if (up + static_cast<float>(2 * int64_t{height} + h) > data.WriteHeight) {
            StartNewPage(data, i);
            h = tessaly::CLng(up + static_cast<float>(height));
        } else {
            auto& page = data.PageInfo.back();
            page.LengthLine += 1;
            page.LengthWord += line.Length;
            h = tessaly::CLng(up + static_cast<float>(int64_t{height} + h));
        }
    }
}

// Lines into pages, without placing anything.
void Paginate(EditorData& data) {
    data.PageInfo.assign(1, tessaly::aPageInfo{});
    PaginateLines(data, 0, 0);
}

// The page that holds the line, from the page table as it stands; the last when none does.
int32_t PageOfLine(const EditorData& data, int32_t line) {
    const auto& pages = data.PageInfo;
    const auto it = std::upper_bound(pages.begin(), pages.end(), line,
                                     [](int32_t l, const tessaly::aPageInfo& p) { return l < p.StartLine; });
    return std::max<int32_t>(0, static_cast<int32_t>(it - pages.begin()) - 1);
}

// Pagination again from the page of line `from` - 1: the pages before it hold only lines the
// edit left alone, and the page that ends just before `from` may now take its first line.
// Returns the first page paginated again.
int32_t PaginateFrom(EditorData& data, int32_t from) {
    int32_t q = data.PageCount() > 0 ? PageOfLine(data, std::max(from - 1, 0)) : 0;
    // An empty page before (a first line too tall for the first page) depends on that line.
    while (q > 0 && data.PageInfo[static_cast<size_t>(q - 1)].LengthLine == 0) --q;
    if (q == 0) {
        Paginate(data);
        return 0;
    }
    // A page after the first was begun by its first line not fitting on the page before.
    const tessaly::aPageInfo kept = data.PageInfo[static_cast<size_t>(q)];
    data.PageInfo.resize(static_cast<size_t>(q));
    data.PageInfo.push_back({});
    auto& first = data.PageInfo.back();
    first.StartLine = kept.StartLine;
    first.StartWord = kept.StartWord;
    first.LengthLine = 1;
    const auto& head = data.LineInfo[static_cast<size_t>(kept.StartLine)];
    first.LengthWord = head.Length;
    PaginateLines(data, kept.StartLine + 1, tessaly::CLng(head.LineUpSpace + static_cast<float>(head.WordHeight)));
    return q;
}

// Vertical boxes of the lines. Characters are placed on the lines from fresh to freshEnd (new
// lines, whose characters may have changed) and on every line whose box moved; all of them when
// everything is true.
void PlaceLines(EditorData& data, int32_t fresh, int32_t freshEnd, bool everything, int32_t firstPage = 0) {
    for (size_t p = static_cast<size_t>(std::max(firstPage, 0)); p < data.PageInfo.size(); ++p) {
        const auto& page = data.PageInfo[p];
        if (page.LengthLine <= 0) continue;
        const int32_t end = std::min(page.StartLine + page.LengthLine, data.LineCount());
        float top = 0;
        for (int32_t j = std::max(page.StartLine, 0); j < end; ++j) {
            auto& line = data.LineInfo[static_cast<size_t>(j)];
            if (j == page.StartLine) top = line.LineUpSpace + static_cast<float>(data.WriteTop);
            const float bottom = top + static_cast<float>(line.WordHeight) + line.LineUpSpace;
            const bool moved = line.Top != top || line.Bottom != bottom;
            line.Top = top;
            line.Bottom = bottom;
            if (everything || moved || (j >= fresh && j < freshEnd)) PlaceWordsOfLine(data, line);
            top = bottom;
        }
    }
}

int32_t CountParaEndLines(const EditorData& data, int32_t from, int32_t to) {
    int32_t n = 0;
    for (int32_t i = from; i < to; ++i) n += tessaly::IsTrue(data.LineInfo[static_cast<size_t>(i)].LineIsCtl) ? 1 : 0;
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

// PartInfo entries of the touched paragraphs again: the old ones out, the new paragraph ends in.
void SplicePartInfo(EditorData& data, int32_t firstPart, int32_t oldParts, int32_t fromWord, int32_t toWord) {
    std::vector<tessaly::aPartInfo> parts;
    for (int32_t i = fromWord; i <= toWord; ++i)
        if (IsParaEnd(data, i)) parts.push_back(GetPartInfoFromCtlWord(data, i).value_or(tessaly::aPartInfo{}));
    auto& all = data.PartInfo;
    const auto at = all.begin() + std::min<ptrdiff_t>(firstPart, static_cast<ptrdiff_t>(all.size()));
    const auto stop = at + std::min<ptrdiff_t>(oldParts, all.end() - at);
    const auto pos = all.erase(at, stop);
    all.insert(pos, parts.begin(), parts.end());
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
    const tessaly::aPageInfo prev = data.PageInfo.back();
    tessaly::aPageInfo page;
    page.StartLine = prev.StartLine + prev.LengthLine;
    page.StartWord = prev.StartWord + prev.LengthWord;
    page.LengthLine = 1;
    page.LengthWord = data.LineInfo[static_cast<size_t>(Line)].Length;
    data.PageInfo.push_back(page);
}

void PlaceLinesVertically(EditorData& data) {
    PlaceLines(data, 0, 0, false);
}

void PlaceWordsVertically(EditorData& data) {
    for (const auto& line : data.LineInfo) PlaceWordsOfLine(data, line);
}

void FormatPages(EditorData& data) {
    Paginate(data);
    PlaceLines(data, 0, 0, true);
}

void FormatAllLines(EditorData& data) {
    int32_t count = 0;
    FormatLines(data, 0, data.WordCount() - 1, count, 0);
    data.LineInfo = std::move(data.LineScratch);
    data.LineScratch.assign(1, tessaly::aLineInfo{});
}

void FormatFromLine(EditorData& data, const tessaly::aInputDat& InputDat) {
    GetAllPartInfo(data);
    int32_t count = 0;
    FormatLines(data, InputDat.iWord1, data.WordCount() - 1, count);
    const auto keep = static_cast<size_t>(std::clamp(InputDat.iLine1, 0, data.LineCount()));
    data.LineInfo.resize(keep);
    data.LineInfo.insert(data.LineInfo.end(), data.LineScratch.begin(), data.LineScratch.end());
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
    const tessaly::aInputDat& d = InputDat;
    const int32_t oldCount = data.LineCount();
    const int64_t delta64 = int64_t{d.iAddLength} - d.iDelLength;
    const auto delta = static_cast<int32_t>(delta64);
    if (delta64 != delta || !MatchesLayout(data, d, delta)) {
        FullRelayout(data, oldCount);
        return false;
    }

    // The paragraph number of the range's start, from the lines before it, which the edit left alone.
    const int32_t firstPart = CountParaEndLines(data, 0, d.iLine1);
    SplicePartInfo(data, firstPart, CountParaEndLines(data, d.iLine1, d.iLine2 + 1), d.iWord1, d.iWord2 + delta);

    int32_t n = 0;
    FormatLines(data, d.iWord1, d.iWord2 + delta, n, firstPart);

    auto& lines = data.LineInfo;
    for (size_t i = static_cast<size_t>(d.iLine2) + 1; i < lines.size(); ++i) lines[i].Start += delta;
    const auto at = lines.begin() + d.iLine1;
    const auto pos = lines.erase(at, lines.begin() + d.iLine2 + 1);
    lines.insert(pos, data.LineScratch.begin(), data.LineScratch.end());
    data.LineScratch.assign(1, tessaly::aLineInfo{});
    for (int32_t m = d.iLine1; m < d.iLine1 + n; ++m) {
        auto& line = lines[static_cast<size_t>(m)];
        line.Start = m == 0 ? 0 : lines[static_cast<size_t>(m - 1)].Start + lines[static_cast<size_t>(m - 1)].Length;
    }

    data.LineCountChanged = data.LineCount() != oldCount;
    const int32_t firstPage = PaginateFrom(data, d.iLine1);
    PlaceLines(data, d.iLine1, d.iLine1 + n, false, firstPage);
    return true;
}

}  // namespace notaline
