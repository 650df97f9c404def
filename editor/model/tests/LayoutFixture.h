#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "DocumentBuilder.h"
#include "model/EditorData.h"
#include "model/LineBreaker.h"
#include "model/MarkCodes.h"
#include "model/Pagination.h"

namespace notaline::test {

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
            w.nLogFont.lfHeight = -16;
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

    void Select(int32_t start, int32_t length) {
        data.SelStart = start;
        data.SelLength = length;
    }

    tessaly::aWordInfo& W(int32_t i) { return data.WordInfo[static_cast<size_t>(i)]; }
    const tessaly::aExtralWordInfo& Slot(int32_t word, int32_t slot) { return W(word).ExtralWordInfo[slot]; }
    const tessaly::aLineInfo& L(int32_t i) const { return data.LineInfo[static_cast<size_t>(i)]; }
};

}  // namespace notaline::test
