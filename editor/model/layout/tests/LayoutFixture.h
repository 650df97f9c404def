#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>

#include "DocumentBuilder.h"
#include "model/document/EditorData.h"
#include "model/document/MarkCodes.h"
#include "model/layout/LineBreaker.h"
#include "model/layout/Pagination.h"

namespace notaline::test {

// The whole layout of the same document, from scratch.
inline EditorData FullLayoutOf(const EditorData& data) {
    EditorData full = data;
    GetAllPartInfo(full);
    FormatAllLines(full);
    FormatPages(full);
    return full;
}

// Empty when both layouts agree exactly; else the first difference.
inline std::string LayoutDifference(const EditorData& a, const EditorData& b) {
    std::ostringstream out;
    if (a.LineCount() != b.LineCount()) out << "lines " << a.LineCount() << " vs " << b.LineCount();
    for (int32_t i = 0; out.tellp() == 0 && i < std::min(a.LineCount(), b.LineCount()); ++i) {
        const auto& x = a.LineInfo[static_cast<size_t>(i)];
        const auto& y = b.LineInfo[static_cast<size_t>(i)];
        if (x.Start != y.Start || x.Length != y.Length || x.NormalSpaceNum != y.NormalSpaceNum || x.Left != y.Left ||
            x.Right != y.Right || x.Top != y.Top || x.Bottom != y.Bottom || x.LineIsCtl != y.LineIsCtl ||
            x.LineUpSpace != y.LineUpSpace || x.IsAllLine != y.IsAllLine || x.WordHeight != y.WordHeight)
            out << "line " << i;
    }
    if (out.tellp() == 0 && a.PageCount() != b.PageCount()) out << "pages " << a.PageCount() << " vs " << b.PageCount();
    for (int32_t i = 0; out.tellp() == 0 && i < std::min(a.PageCount(), b.PageCount()); ++i) {
        const auto& x = a.PageInfo[static_cast<size_t>(i)];
        const auto& y = b.PageInfo[static_cast<size_t>(i)];
        if (x.StartLine != y.StartLine || x.LengthLine != y.LengthLine || x.StartWord != y.StartWord ||
            x.LengthWord != y.LengthWord)
            out << "page " << i;
    }
    if (out.tellp() == 0 && a.PartCount() != b.PartCount()) out << "paragraphs";
    for (int32_t i = 0; out.tellp() == 0 && i < std::min(a.PartCount(), b.PartCount()); ++i) {
        const auto& x = a.PartInfo[static_cast<size_t>(i)];
        const auto& y = b.PartInfo[static_cast<size_t>(i)];
        if (x.AlignmentMethod != y.AlignmentMethod || x.FirstLineIndentation != y.FirstLineIndentation ||
            x.LeftIndentation != y.LeftIndentation || x.RightIndentation != y.RightIndentation ||
            x.LineSpace != y.LineSpace || x.SpacingBefore != y.SpacingBefore || x.SpacingAfter != y.SpacingAfter)
            out << "paragraph " << i;
    }
    for (int32_t i = 0; out.tellp() == 0 && i < a.WordCount(); ++i) {
        const auto& x = a.WordInfo[static_cast<size_t>(i)];
        const auto& y = b.WordInfo[static_cast<size_t>(i)];
        if (x.Left != y.Left || x.Right != y.Right || x.Top != y.Top || x.Bottom != y.Bottom) out << "character " << i;
    }
    return out.str();
}

// After an edit that may have left a line cut short: the lines before the cut line are those of a
// full layout, and every line and page follows on from the one before, up to the document's end.
// With `settle`, or with no line cut, the cut is broken again first and the layout is a full one.
inline std::string SettledLayoutDifference(EditorData& data, bool settle) {
    if (settle || !data.LineInfo.HasCutLine()) {
        RebreakFromCutLine(data);
        return LayoutDifference(data, FullLayoutOf(data));
    }
    const EditorData full = FullLayoutOf(data);
    const size_t cut = data.LineInfo.CutLine();
    std::ostringstream out;
    int32_t next = 0;
    for (size_t i = 0; out.tellp() == 0 && i < data.LineInfo.size(); ++i) {
        const auto& x = data.LineInfo[i];
        if (x.Start != next || x.Length < 1) out << "line " << i << " does not follow on";
        if (i <= cut && (i >= full.LineInfo.size() || x.Start != full.LineInfo[i].Start ||
                         (i < cut && x.Length != full.LineInfo[i].Length)))
            out << "line " << i << " before the cut";
        next = x.Start + x.Length;
    }
    if (out.tellp() == 0 && next != data.WordCount()) out << "lines end at " << next;
    int32_t line = 0;
    for (int32_t p = 0; out.tellp() == 0 && p < data.PageCount(); ++p) {
        const auto& page = data.PageInfo[static_cast<size_t>(p)];
        if (page.StartLine != line || page.StartWord != data.LineInfo.StartOf(static_cast<size_t>(line)))
            out << "page " << p << " does not follow on";
        line += page.LengthLine;
    }
    if (out.tellp() == 0 && line != data.LineCount()) out << "pages end at line " << line;
    return out.str();
}

// As LayoutDifference, the measured sizes of the characters compared to the bit first.
inline std::string MeasuredLayoutDifference(const EditorData& a, const EditorData& b) {
    for (int32_t i = 0; i < std::min(a.WordCount(), b.WordCount()); ++i) {
        const auto& x = a.WordInfo[static_cast<size_t>(i)].WdSize;
        const auto& y = b.WordInfo[static_cast<size_t>(i)].WdSize;
        if (std::memcmp(&x, &y, sizeof x) != 0) return "size of character " + std::to_string(i);
    }
    return LayoutDifference(a, b);
}

// A page 100 pixels wide from x 0, 1 pixel per 0.1 mm, and documents of characters 10 wide.
class LayoutTest : public ::testing::Test {
protected:
    EditorData data;

    void SetUp() override {
        data.WriteLeft = 0;
        data.WriteWidth = 100;
        data.WriteTop = 10;
        data.WriteHeight = 1000;
        data.PxPerTenthMm = 1;
    }

    void Doc(std::string_view pattern, float width = 10) {
        SetWords(data, pattern);
        for (int32_t i = 0; i < data.WordCount(); ++i) {
            auto& w = W(i);
            w.WdSize = {width, 20};
            w.EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -16; });
        }
    }

    // Paragraph attributes into the slots of the paragraph end at `end`.
    void Para(int32_t end, tessaly::Alignment how, int32_t firstLine = 0, int32_t left = 0, int32_t right = 0,
              int32_t lineSpace = 0, int32_t before = 0, int32_t after = 0) {
        SetMark(data, end, 0, kMarkAlignment, how);
        SetMark(data, end, 1, kMarkFirstLineIndent, firstLine);
        SetMark(data, end, 2, kMarkLeftIndent, left);
        SetMark(data, end, 3, kMarkRightIndent, right);
        SetMark(data, end, 4, kMarkLineSpace, lineSpace);
        SetMark(data, end, 5, kMarkSpacingBefore, before);
        SetMark(data, end, 6, kMarkSpacingAfter, after);
    }

    void Layout() {
        GetAllPartInfo(data);
        FormatAllLines(data);
        FormatPages(data);
    }

    // What the control does after every editing member.
    void Relayout() { FormatInputLines(data, data.InputDat); }

    // Empty when the layout kept up by the edits is the one a full layout gives.
    std::string DifferenceFromFullLayout() const { return LayoutDifference(data, FullLayoutOf(data)); }

    void Select(int32_t start, int32_t length) {
        data.SelStart = start;
        data.SelLength = length;
    }

    StoredWord& W(int32_t i) { return data.WordInfo[static_cast<size_t>(i)]; }
    const tessaly::aExtralWordInfo& Slot(int32_t word, int32_t slot) { return W(word).ExtralWordInfo[slot]; }
    const tessaly::aLineInfo& L(int32_t i) const { return data.LineInfo[static_cast<size_t>(i)]; }
};

}  // namespace notaline::test
