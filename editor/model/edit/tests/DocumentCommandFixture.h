#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

#include "DocumentBuilder.h"
#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "model/document/DoArray.h"
#include "model/document/MarkCodes.h"
#include "model/edit/FreeItems.h"
#include "model/edit/PageSettings.h"
#include "model/edit/ParagraphCommands.h"
#include "model/edit/UndoRedo.h"
#include "model/layout/LayoutSetup.h"

namespace notaline::test {

// Pages of PageCy pixels stacked from the window's y = ScrollY, a gap of SpaceY above each.
class FakeGrid : public PageGridInfo {
public:
    int32_t Pages = 1;
    int32_t PageCy = 1000;
    int32_t SpaceX = 20;
    int32_t SpaceY = 10;
    double ScrollX = 0;
    double ScrollY = 0;

    int32_t MousePageY(int32_t, int32_t y) const override {
        const auto row = static_cast<int32_t>(std::floor((y - ScrollY) / (PageCy + SpaceY)));
        return std::clamp(row, 0, Pages - 1);
    }
    int32_t PageSpaceX() const override { return SpaceX; }
    int32_t PageSpaceY() const override { return SpaceY; }
    double FristVisiblelPageScrollX() const override { return ScrollX; }
    double FristVisiblelPageScrollY() const override { return ScrollY; }
};

// What a command may change: the characters without their laid-out boxes, the free items and
// the page setup field by field.
struct DocumentState {
    std::vector<unsigned char> Words;
    std::vector<unsigned char> Items;
    std::vector<double> Page;
    bool operator==(const DocumentState&) const = default;
};

// Sizes and a checksum, so that a failure shows which part differs.
inline void PrintTo(const DocumentState& s, std::ostream* out) {
    const auto sum = [](const std::vector<unsigned char>& b) {
        uint32_t h = 2166136261u;
        for (unsigned char c : b) h = (h ^ c) * 16777619u;
        return h;
    };
    *out << "words " << s.Words.size() / sizeof(tessaly::aWordInfo) << " #" << sum(s.Words) << ", items "
         << s.Items.size() / sizeof(tessaly::aHwWordInfo) << " #" << sum(s.Items) << ", page";
    for (double v : s.Page) *out << ' ' << v;
}

inline DocumentState StateOf(const EditorData& d) {
    DocumentState s;
    for (int32_t i = 0; i < d.WordCount(); ++i) {
        auto w = d.WordInfo[static_cast<size_t>(i)];
        w.Left = w.Top = w.Right = w.Bottom = 0;
        const auto* bytes = reinterpret_cast<const unsigned char*>(&w);
        s.Words.insert(s.Words.end(), bytes, bytes + sizeof w);
    }
    const auto* items = reinterpret_cast<const unsigned char*>(d.HwWordInfo.data());
    s.Items.assign(items, items + d.HwWordInfo.size() * sizeof(tessaly::aHwWordInfo));
    const auto& p = d.AboutPageInfo;
    s.Page = {double(p.BackGroundType),
              double(p.PagePosIndexType),
              double(p.PageNumberSize),
              double(p.nScale),
              double(p.PageMarginRect.Left),
              double(p.PageMarginRect.Top),
              double(p.PageMarginRect.Right),
              double(p.PageMarginRect.Bottom),
              double(p.PaperType),
              double(p.PageSize.cx),
              double(p.PageSize.cy),
              double(p.PageFX)};
    return s;
}

// A laid-out A4 document whose paragraph ends carry the eight paragraph codes with their
// defaults, two colours, two free items, and the three command classes over one history.
class DocumentCommandTest : public ::testing::Test {
protected:
    EditorData data;
    ClipboardView view;
    DoArray array{data, view};
    FakeTextMeasurer measurer;
    FakeSystem system;
    FakeGrid grid;
    FakeJournal* journal = nullptr;
    std::unique_ptr<UndoRedo> undo;
    std::unique_ptr<ParagraphCommands> paragraphs;
    std::unique_ptr<PageSettings> page;
    std::unique_ptr<FreeItems> items;

    void Start(std::string_view pattern) {
        SetWords(data, pattern);
        for (int32_t i = 0; i < data.WordCount(); ++i) {
            auto& w = W(i);
            w.SelSize = 12;
            if (w.IsJpGcCtl != 3) continue;
            constexpr int32_t kDefaults[8] = {0, 0, 0, 20, 20, 0, 0, 0};
            for (int32_t s = 0; s < 8; ++s) SetMark(data, i, s, kMarkLeftIndent + s, kDefaults[s]);
        }
        data.FontTbl.resize(1);
        data.AboutFileInfo.FontTblCount = 1;
        data.ColorTbl = {0x000000u, 0x0000FFu};
        data.AboutFileInfo.ColorTblCount = 2;
        W(0).cf = 1;
        auto& p = data.AboutPageInfo;
        p.PaperType = pA4;
        p.PageSize = {210, 297};
        p.PageMarginRect = {120, 85, 120, 85};
        p.nScale = 1;
        data.HwWordInfo = {Item(0, 1, 10), Item(0, 2, 50)};
        data.AboutFileInfo.HwWordCount = 2;
        data.Measurer = measurer;
        data.System = system;
        undo = MemoryHistory(data, array, journal, view);
        paragraphs = std::make_unique<ParagraphCommands>(data, array, *undo);
        page = std::make_unique<PageSettings>(data, array, *undo);
        items = std::make_unique<FreeItems>(data, array, *undo, view);
        InitFormat(data, view);
        grid.Pages = data.PageCount();
        grid.PageCy = data.PageHeightPx;
    }

    static tessaly::aHwWordInfo Item(int32_t pageIndex, int16_t kind, float x) {
        tessaly::aHwWordInfo item;
        item.iPage = pageIndex;
        item.HwWordtype = kind;
        item.X = x;
        item.Y = 40;
        item.Height = 120;
        item.Width = 30;
        return item;
    }

    StoredWord& W(int32_t i) { return data.WordInfo[static_cast<size_t>(i)]; }
    int32_t Slot(int32_t word, int32_t code) {
        for (const auto& s : W(word).ExtralWordInfo)
            if (s.IndexType == code) return s.ExtralWordVal1;
        return -99999;
    }
    // Undoes one step and checks the state before it, then redoes it and checks the state after.
    void ExpectUndoRedo(const DocumentState& before, const DocumentState& after) {
        test::ExpectUndoRedo(*undo, before, after, [&] { return StateOf(data); });
    }
};

}  // namespace notaline::test
