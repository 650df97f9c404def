#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "DocumentCommandFixture.h"
#include "model/layout/LoadJpFile.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

class PageSettingsTest : public test::DocumentCommandTest {
protected:
    // The view's calls since the last look.
    std::vector<std::string> TakeCalls() {
        auto calls = view.Calls;
        view.Calls.clear();
        return calls;
    }
};

TEST_F(PageSettingsTest, EachSetterIsOneStepThatUndoAndRedoShow) {
    Start("abc|de|");
    struct Case {
        const char* name;
        std::function<bool()> set;
        std::function<bool()> holds;
        const char* lastCall;  // what undo asks of the view last
    };
    tessaly::AboutPageInfo whole = data.AboutPageInfo;
    whole.PaperType = pCustom;
    whole.PageSize = {150, 200};
    whole.PageFX = 1;
    whole.nScale = 1.5f;
    whole.BackGroundType = 5;
    const std::vector<Case> cases{
        {"background", [&] { return page->BackGroundType(5); }, [&] { return page->BackGroundType() == 5; },
         "RefreshView 0 0 2"},
        {"paper", [&] { return page->PaperType(pA3); }, [&] { return page->PaperType() == pA3; }, "RefreshView 0 0 1"},
        {"margins",
         [&] {
             return page->SetPageWordRect({200, 150, 200, 150});
         },
         [&] { return data.AboutPageInfo.PageMarginRect.Top == 150; }, "RefreshView 0 0 1"},
        {"page number place", [&] { return page->PagePosIndexType(3); }, [&] { return page->PagePosIndexType() == 3; },
         "RefreshView 0 0 2"},
        {"page number size", [&] { return page->PageNumberSize(1); }, [&] { return page->PageNumberSize() == 1; },
         "RefreshView 0 0 2"},
        {"whole setup", [&] { return page->SetPageSeting(whole); }, [&] { return data.AboutPageInfo.PageFX == 1; },
         "ResetView"},
    };
    for (const auto& c : cases) {
        const auto before = test::StateOf(data);
        TakeCalls();
        ASSERT_TRUE(c.set()) << c.name;
        EXPECT_TRUE(c.holds()) << c.name;
        EXPECT_TRUE(TakeCalls().empty()) << c.name << ": the caller redraws";
        const auto after = test::StateOf(data);
        undo->UserUndo();
        EXPECT_EQ(before, test::StateOf(data)) << c.name;
        const auto calls = TakeCalls();
        ASSERT_FALSE(calls.empty()) << c.name;
        EXPECT_EQ(c.lastCall, calls.back()) << c.name;
        undo->UserRedo();
        EXPECT_EQ(after, test::StateOf(data)) << c.name;
        EXPECT_TRUE(c.holds()) << c.name;
    }
    // The custom landscape paper of the whole setup is laid out.
    EXPECT_EQ(tessaly::CLng(96 / 25.4 * 200), data.PageWidthPx);
}

TEST_F(PageSettingsTest, TheStoredValueAgainRecordsNothing) {
    Start("abc|");
    ASSERT_TRUE(page->PagePosIndexType(4));
    EXPECT_FALSE(page->PaperType(pA4));
    EXPECT_FALSE(page->BackGroundType(0));
    EXPECT_FALSE(page->PageNumberSize(2));
    EXPECT_FALSE(page->SetPageWordRect({120, 85, 120, 85}));
    undo->UserUndo();  // undoes the page-number place
    EXPECT_EQ(1, page->PagePosIndexType());
    EXPECT_FALSE(undo->CanUndo());

    ASSERT_TRUE(page->SetPageWordRect({120, 85, 121, 85}));
    EXPECT_FALSE(page->SetPageSeting(data.AboutPageInfo));
    undo->UserUndo();
    EXPECT_EQ(120, data.AboutPageInfo.PageMarginRect.Right);
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(0, system.Beeps);
}

TEST_F(PageSettingsTest, ValuesTheLayoutCannotUseAreRefusedWithABeep) {
    Start("abc|");
    const auto original = test::StateOf(data);
    int beeps = 0;
    const auto refused = [&](bool result, const char* what) {
        EXPECT_FALSE(result) << what;
        EXPECT_EQ(++beeps, system.Beeps) << what;
    };
    refused(page->BackGroundType(256), "background past a byte");
    refused(page->PagePosIndexType(-1), "negative page-number place");
    refused(page->PagePosIndexType(6), "no such page-number place");
    refused(page->PageNumberSize(3), "no such page-number size");
    refused(page->PaperType(7), "unknown paper");
    refused(page->PaperType(256 + pA3), "paper past a byte");
    data.AboutPageInfo.PageSize = {0, 297};
    refused(page->PaperType(pCustom), "custom paper without a size");
    data.AboutPageInfo.PageSize = {1001, 297};
    refused(page->PaperType(pCustom), "custom paper over a metre");
    data.AboutPageInfo.PageSize = {210, 297};
    refused(page->SetPageWordRect({-1, 85, 120, 85}), "negative margin");
    refused(page->SetPageWordRect({1050, 85, 0, 85}), "no room to write");
    refused(page->SetPageWordRect({100, 85, 2000, 85}), "left and right overlap");
    data.AboutPageInfo.PaperType = pA3;
    data.AboutPageInfo.PageMarginRect = {1200, 85, 120, 85};  // fits A3 only
    refused(page->PaperType(pA4), "margins wider than the paper");
    data.AboutPageInfo.PaperType = pA4;
    data.AboutPageInfo.PageMarginRect = {120, 85, 120, 85};

    auto whole = data.AboutPageInfo;
    whole.nScale = 0;
    refused(page->SetPageSeting(whole), "zero scale");
    whole.nScale = std::numeric_limits<float>::quiet_NaN();
    refused(page->SetPageSeting(whole), "no scale");
    whole.nScale = 2.41f;
    refused(page->SetPageSeting(whole), "zoom past its range");
    whole.nScale = 1;
    whole.PageFX = 2;
    refused(page->SetPageSeting(whole), "unknown orientation");
    whole.PageFX = 1;
    whole.PageMarginRect.Top = 1050;  // the landscape A4 is 2100 tenths high
    refused(page->SetPageSeting(whole), "no room to write on the turned paper");
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(original, test::StateOf(data));
}

TEST(PageSetupRepair, UnusableStoredValuesMoveToTheNearestUsableOnes) {
    tessaly::AboutPageInfo page;
    page.nScale = 1.25f;
    page.PageMarginRect = {120, 85, 120, 85};
    EXPECT_FALSE(RepairPageSetup(page));  // usable: kept
    EXPECT_EQ(1.25f, page.nScale);

    page.PaperType = 7;
    page.PageFX = 3;
    page.nScale = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(RepairPageSetup(page));
    EXPECT_EQ(pA4, page.PaperType);
    EXPECT_EQ(0, page.PageFX);
    EXPECT_EQ(1.0f, page.nScale);

    page.PaperType = pCustom;
    page.PageSize = {-5, 300};
    page.nScale = -2;
    page.PageMarginRect = {-10, 2000, 700, 2000};  // on a 1 mm wide, 300 mm high paper
    EXPECT_TRUE(RepairPageSetup(page));
    EXPECT_EQ(1, page.PageSize.cx);
    EXPECT_EQ(300, page.PageSize.cy);
    EXPECT_EQ(1.0f, page.nScale);
    EXPECT_TRUE(MarginsFit(page, page.PageMarginRect));
    EXPECT_EQ(0, page.PageMarginRect.Left);
    EXPECT_EQ(9, page.PageMarginRect.Right);
    EXPECT_EQ(1499, page.PageMarginRect.Top);  // just under half of 3000 tenths
    EXPECT_EQ(1500, page.PageMarginRect.Bottom);

    page.PaperType = pA4;
    page.PageFX = 1;  // landscape: 2100 tenths high
    page.PageMarginRect = {100, 1200, 100, 100};
    EXPECT_TRUE(RepairPageSetup(page));
    EXPECT_EQ(1049, page.PageMarginRect.Top);
    EXPECT_EQ(100, page.PageMarginRect.Bottom);
    EXPECT_EQ(100, page.PageMarginRect.Left);
    EXPECT_TRUE(IsUsablePaper(page) && MarginsFit(page, page.PageMarginRect) && IsUsableScale(page.nScale));
}

// A document stored with values the page commands refuse can still have its page changed.
TEST_F(PageSettingsTest, AStoredUnusableSetupIsRepairedWhenLoaded) {
    Start("abc|");
    test::FakeDocumentSource source;
    tessaly::JpData doc;
    doc.FontTbl = {{"Tolvane", 2, 15, 3}};
    doc.ColorTbl = {0};
    doc.WordInfo.resize(3);
    doc.WordInfo[2].IsJpGcCtl = 3;
    doc.PageInfo.PaperType = pCustom;
    doc.PageInfo.PageSize = {0, 0};
    doc.PageInfo.PageMarginRect = {5000, -3, 5000, 85};
    doc.PageInfo.nScale = 0;
    source.Files[u"bad.dadur"] = doc;
    LoadJpFile(data, source, view, view, 0, u"bad.dadur");
    undo->ZeroUnDoReDoVal();
    EXPECT_EQ(1.0f, data.AboutPageInfo.nScale);
    EXPECT_GT(data.PageWidthPx, 0);

    EXPECT_TRUE(page->PaperType(pA4));
    EXPECT_TRUE(page->SetPageWordRect({120, 85, 120, 85}));
    EXPECT_TRUE(page->BackGroundType(5));
    EXPECT_EQ(0, system.Beeps);
}

TEST_F(PageSettingsTest, AFailedJournalLeavesThePageAsItWas) {
    Start("abc|");
    const auto original = test::StateOf(data);
    journal->writesLeft = 1;  // the old value goes in, the new one fails
    EXPECT_FALSE(page->PageNumberSize(1));
    EXPECT_FALSE(page->SetPageWordRect({100, 100, 100, 100}));
    journal->writesLeft = 1 << 30;
    EXPECT_EQ(original, test::StateOf(data));
    EXPECT_FALSE(undo->CanUndo());
}

}  // namespace
}  // namespace notaline
