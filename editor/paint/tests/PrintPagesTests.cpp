#include <gtest/gtest.h>

#include "PageFixture.h"
#include "model/layout/LayoutSetup.h"
#include "paint/PrintPages.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

using Kind = RecordingCanvas::Kind;

// A printer that records each page and can refuse a step.
class FakePrinter : public PrintDevice {
public:
    std::vector<std::string> Calls;
    std::vector<RecordingCanvas> Pages;
    std::u16string Job;
    std::string RefuseAt;  // the call, with its page, that answers false: "StartPage 1"

    int32_t DotsPerInch() override { return 600; }
    bool StartJob(const std::u16string& job) override {
        Job = job;
        return Step("StartJob");
    }
    bool StartPage() override { return Step("StartPage " + std::to_string(Pages.size())); }
    void DrawPage(const std::function<void(Canvas&)>& draw) override {
        Pages.emplace_back();
        draw(Pages.back());
    }
    bool EndPage() override { return Step("EndPage " + std::to_string(Pages.size() - 1)); }
    bool EndDoc() override { return Step("EndDoc"); }
    void AbortDoc() override { Calls.push_back("AbortDoc"); }

private:
    bool Step(const std::string& call) {
        Calls.push_back(call);
        return call != RefuseAt;
    }
};

struct PrintPagesTest : test::PageTest {
    FakePrinter printer;
    NoPageView view;
    std::vector<int32_t> progress;

    void SetUp() override { Build(4, 3, 10); }
    PrintStatus Print(const EditorData& copy, double scale = 6.25) {
        return PrintPages(copy, printer, scale, u"song", u"", [&](int32_t p) { progress.push_back(p); });
    }
    static std::vector<RecordingCanvas::Op> Texts(const RecordingCanvas& page) {
        std::vector<RecordingCanvas::Op> out;
        for (const auto& op : page.Ops)
            if (op.What == Kind::Text) out.push_back(op);
        return out;
    }
};

TEST(PrintScaleTest, PrinterAgainstScreenToTwoDecimals) {
    EXPECT_DOUBLE_EQ(6.25, PrintScale(600, 96));
    EXPECT_DOUBLE_EQ(2.5, PrintScale(300, 120));
    EXPECT_DOUBLE_EQ(2.11, PrintScale(203, 96));
    EXPECT_DOUBLE_EQ(1, PrintScale(0, 96));  // a device without a resolution prints as the screen
    EXPECT_DOUBLE_EQ(1, PrintScale(600, 0));
}

TEST_F(PrintPagesTest, EveryPageInOrderWithItsProgressNeverAHundred) {
    const auto before = Bytes();
    const EditorData copy = PrintCopy(data, JoinUp(data, view));
    EXPECT_EQ(PrintResult::Printed, Print(copy).Result);
    EXPECT_EQ((std::vector<int32_t>{0, 25, 50, 75}), progress);
    EXPECT_EQ((std::vector<std::string>{"StartJob", "StartPage 0", "EndPage 0", "StartPage 1", "EndPage 1",
                                        "StartPage 2", "EndPage 2", "StartPage 3", "EndPage 3", "EndDoc"}),
              printer.Calls);
    EXPECT_EQ(u"song", printer.Job);
    EXPECT_EQ(Bytes(), before);

    // Page 1's first character at the printer's zoom, where the screen has it at zoom 1.
    RecordingCanvas screen;
    PaintContext ctx(data, screen);
    CellCache cache;
    DrawPageTextLayer(ctx, cache, 1);
    const auto paper = Texts(printer.Pages[1]);
    const auto shown = Texts(screen);
    ASSERT_FALSE(paper.empty());
    ASSERT_EQ(shown.size(), paper.size());
    EXPECT_EQ(shown[0].Text, paper[0].Text);
    EXPECT_EQ(Px(shown[0].Box.Left * 6.25), paper[0].Box.Left);
    EXPECT_EQ(Px(shown[0].Box.Bottom * 6.25), paper[0].Box.Bottom);
    EXPECT_EQ(tessaly::CLng(shown[0].Font.lfHeight * 6.25), paper[0].Font.lfHeight);
}

TEST_F(PrintPagesTest, ParagraphEndsAndSourceLinesNeverReachPaper) {
    data.CPdqLine = 0;
    const EditorData copy = PrintCopy(data, JoinUp(data, view));
    EXPECT_TRUE(copy.IsPrinting);
    EXPECT_FALSE(data.IsPrinting);
    EXPECT_EQ('|', data.WordInfo[9].WdAsc);  // the editor's document keeps its marks
    Print(copy);
    for (const auto& page : printer.Pages)
        for (const auto& op : page.Ops) {
            EXPECT_NE(Kind::Focus, op.What);
            if (op.What == Kind::Text) {
                EXPECT_EQ(std::string::npos, op.Text.find('|'));
            }
        }
    // The blank cell is still there, a space where the mark stood.
    const auto texts = Texts(printer.Pages[0]);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const auto& op) { return op.Text == " "; }));
}

TEST_F(PrintPagesTest, ARefusedStepEndsTheJobAndNamesThePage) {
    printer.RefuseAt = "StartPage 2";
    auto status = Print(PrintCopy(data, JoinUp(data, view)));
    EXPECT_EQ(PrintResult::PageFailed, status.Result);
    EXPECT_EQ(2, status.Page);
    EXPECT_EQ("AbortDoc", printer.Calls.back());
    EXPECT_EQ(2u, printer.Pages.size());

    printer = FakePrinter{};
    printer.RefuseAt = "EndPage 0";
    status = Print(PrintCopy(data, JoinUp(data, view)));
    EXPECT_EQ(PrintResult::PageFailed, status.Result);
    EXPECT_EQ(0, status.Page);
    EXPECT_EQ("AbortDoc", printer.Calls.back());

    printer = FakePrinter{};
    printer.RefuseAt = "StartJob";
    EXPECT_EQ(PrintResult::StartDocFailed, Print(PrintCopy(data, JoinUp(data, view))).Result);
    EXPECT_EQ(1u, printer.Calls.size());

    printer = FakePrinter{};
    printer.RefuseAt = "EndDoc";
    EXPECT_EQ(PrintResult::EndDocFailed, Print(PrintCopy(data, JoinUp(data, view))).Result);
}

TEST_F(PrintPagesTest, ANamelessDocumentGetsTheDefaultTitle) {
    PrintPages(PrintCopy(data, JoinUp(data, view)), printer, 1, u"", u"", nullptr);
    EXPECT_EQ(kDefaultJobName, printer.Job);
}

}  // namespace
}  // namespace notaline
