#include <gtest/gtest.h>

#include <cmath>

#include "FontExForm.h"
#include "FormNumbers.h"
#include "PageForm.h"
#include "PartForm.h"
#include "SpeedForm.h"
#include "records/Messages.h"

namespace tavolin {
namespace {

TEST(FormNumbers, TenthsAndShortestText) {
    EXPECT_EQ(u"-2.5", FormatTenths(-25));
    EXPECT_EQ(u"-0.5", FormatTenths(-5));
    EXPECT_EQ(u"20.0", FormatTenths(200));
    EXPECT_EQ(u"1", ShortestText(1.0f));
    EXPECT_EQ(u"1.25", ShortestText(1.25f));
    EXPECT_EQ(u"0.55", ShortestText(0.55f));
}

TEST(SpeedForm, ChoicesCancelAndCustomLimits) {
    SpeedForm form;
    form.Open();
    EXPECT_FALSE(form.CustomEnabled());
    ASSERT_TRUE(form.Confirm());  // untouched: the first tempo
    EXPECT_EQ(40, form.IntPlaySpeed);
    EXPECT_EQ(163, form.PlaySpeedIndexType);

    form.Open();
    form.Selected = SpeedForm::kCustomIndex;
    form.Custom = u"72";
    ASSERT_TRUE(form.Confirm());
    EXPECT_EQ(72, form.IntPlaySpeed);
    EXPECT_EQ(37, form.PlaySpeedIndexType);
    const TempoRequest custom = TempoRequestOf(form);
    EXPECT_EQ(tessaly::EM_Custom_ChangSpeed, custom.Message);
    EXPECT_EQ(0x10012, custom.WParam);
    EXPECT_EQ(72, custom.LParam);

    for (const char16_t* refused : {u"", u"0", u"000"}) {
        form.Custom = refused;
        EXPECT_FALSE(form.Confirm()) << static_cast<const void*>(refused);
        EXPECT_EQ(72, form.IntPlaySpeed);  // the earlier choice stays
    }
    form.Selected = 7;  // a typed custom value is ignored
    ASSERT_TRUE(form.Confirm());
    EXPECT_EQ(88, form.IntPlaySpeed);
    EXPECT_EQ(tessaly::EM_ChangSpeed, TempoRequestOf(form).Message);
    EXPECT_EQ(170, TempoRequestOf(form).LParam);

    EXPECT_EQ('7', SpeedForm::KeepKey('7', L"12"));
    EXPECT_EQ(0, SpeedForm::KeepKey('7', L"123"));
    EXPECT_EQ(8, SpeedForm::KeepKey(8, L"123"));  // Backspace
    EXPECT_EQ(0, SpeedForm::KeepKey('.', L""));
}

tessaly::AboutPageInfo A4Page() {
    tessaly::AboutPageInfo page;
    page.nScale = 1;
    page.PageMarginRect = {200, 245, 200, 245};  // left, top, right, bottom
    page.PageSize = {210, 297};
    return page;
}

TEST(PageForm, LoadShowsTheRecordAndOkUnchangedSendsNothing) {
    PageForm form = PageForm::Load(A4Page());
    EXPECT_EQ((std::array<std::u16string, 4>{u"24.5", u"24.5", u"20.0", u"20.0"}), form.Margins);
    EXPECT_EQ(u"1", form.Scale);
    EXPECT_FALSE(form.Confirm().Send);
    form.Background = 4;
    EXPECT_TRUE(form.Confirm().Send);
    EXPECT_EQ(4, form.Page.BackGroundType);
    // A scale that drifted is shown as the status bar rounds it, and kept unless edited.
    tessaly::AboutPageInfo drifted = A4Page();
    for (const auto& [stored, shown] : {std::pair{0.99999f, u"1"}, {1.2345f, u"1.23"}}) {
        drifted.nScale = stored;
        PageForm f = PageForm::Load(drifted);
        EXPECT_EQ(std::u16string(shown), f.Scale);
        EXPECT_TRUE(!f.Confirm().Send && f.Page.nScale == stored);
    }
}

TEST(PageForm, MarginsRoundHalfToEvenAndUnusableInputIsRefused) {
    struct Row {
        PageForm::Margin Box;
        const char16_t* Text;
        const char16_t* Scale;
        PageForm::Box Refused;
        int32_t TopTenths;
        const char16_t* Reason = u"";
    } rows[] = {
        {PageForm::Top, u"12.25", u"1", PageForm::Box::None, 122},
        {PageForm::Top, u"", u"1", PageForm::Box::None, 0},
        {PageForm::Top, u"148.5", u"1", PageForm::Box::TopMargin, 245, u"上边距应小于纸张高度的一半（148.5毫米）"},
        {PageForm::Bottom, u"275", u"1", PageForm::Box::BottomMargin, 245,
         u"上、下边距之和应小于纸张高度（297.0毫米）"},
        {PageForm::Left, u"105", u"1", PageForm::Box::LeftMargin, 245, u"左边距应小于纸张宽度的一半（105.0毫米）"},
        {PageForm::Right, u"190", u"1", PageForm::Box::RightMargin, 245, u"左、右边距之和应小于纸张宽度（210.0毫米）"},
        {PageForm::Top, u"10", u"abc", PageForm::Box::Scale, 245, u"缩放比例应在0.55-2.40之间"},
        {PageForm::Top, u"10", u"0", PageForm::Box::Scale, 245},
        {PageForm::Top, u"10", u"5", PageForm::Box::Scale, 245},
        {PageForm::Top, u"10", u"0.54", PageForm::Box::Scale, 245},
        {PageForm::Top, u"10", u"2.40", PageForm::Box::None, 100},
        {PageForm::Top, u"10", u"0.55", PageForm::Box::None, 100},
        {PageForm::Top, u"99999999999", u"1", PageForm::Box::TopMargin, 245},
    };
    for (const Row& r : rows) {
        PageForm form = PageForm::Load(A4Page());
        form.EditMargin(r.Box, r.Text);
        form.Scale = r.Scale;
        const PageForm::Result result = form.Confirm();
        EXPECT_EQ(r.Refused, result.Refused) << static_cast<const void*>(r.Text);
        EXPECT_EQ(r.Refused == PageForm::Box::None, result.Send);
        EXPECT_EQ(r.TopTenths, form.Page.PageMarginRect.Top);  // refused: the record as it was
        EXPECT_TRUE((!*r.Reason && r.Refused != PageForm::Box::None) || r.Reason == result.Reason);
    }
    // A custom paper too small for its margins says which margins collide with which side.
    PageForm small = PageForm::Load(A4Page());
    ASSERT_EQ(PageForm::Answer::Taken, small.TakeCustomSize(u"40*300"));
    small.PaperIndex = PageForm::kCustomPaperIndex;
    const PageForm::Result result = small.Confirm();
    EXPECT_EQ(PageForm::Box::LeftMargin, result.Refused);
    EXPECT_EQ(u"左边距应小于纸张宽度的一半（20.0毫米）", result.Reason);
}

TEST(PageForm, CustomPaperAnswers) {
    PageForm form = PageForm::Load(A4Page());
    EXPECT_EQ(PageForm::Answer::Taken, form.TakeCustomSize(u"210*297"));
    EXPECT_FALSE(form.Changed);  // the stored size: no change by itself
    for (const char16_t* refused : {u"185", u"0*260", u"185*1001", u"-5*260", u"185*"})
        EXPECT_EQ(PageForm::Answer::Refused, form.TakeCustomSize(refused)) << static_cast<const void*>(refused);
    EXPECT_EQ(PageForm::Answer::Empty, form.TakeCustomSize(u""));
    EXPECT_EQ(210, form.Page.PageSize.cx);
    EXPECT_EQ(PageForm::Answer::Taken, form.TakeCustomSize(u"185*260"));
    EXPECT_EQ(185, form.Page.PageSize.cx);
    EXPECT_EQ(260, form.Page.PageSize.cy);
    form.PaperIndex = PageForm::kCustomPaperIndex;
    EXPECT_TRUE(form.Confirm().Send);
    EXPECT_EQ(9, form.Page.PaperType);
}

TEST(PartForm, LoadStepsAndConfirm) {
    tessaly::aPartInfo part;
    part.AlignmentMethod = tessaly::AlignmentUnKnow;
    part.FirstLineIndentation = -25;
    part.LeftIndentation = PartForm::kMixed;
    PartForm form = PartForm::Load(part);
    EXPECT_EQ(PartForm::kMixedAlignment, form.Alignment);
    EXPECT_EQ(u"-2.5", form.Texts[PartForm::FirstLine]);
    EXPECT_EQ(u"首行悬进：", form.FirstLineLabel);
    EXPECT_EQ(u"", form.Texts[PartForm::LeftIndent]);
    EXPECT_FALSE(form.Confirm());  // nothing changed: nothing sent
    EXPECT_EQ(PartForm::kMixed, form.Part.AlignmentMethod);
    EXPECT_EQ(PartForm::kMixed, form.Part.LeftIndentation);

    for (int i = 0; i < 5; ++i) form.Step(PartForm::FirstLine, +1);
    EXPECT_EQ(u"0.0", form.Texts[PartForm::FirstLine]);
    EXPECT_EQ(u"首行缩进：", form.FirstLineLabel);
    // Halves to even; beyond the up-down ranges held to them.
    const struct {
        PartForm::Field Field;
        const char16_t* Text;
        int16_t Sent;
    } rows[] = {{PartForm::LineSpace, u"3.25", 32},
                {PartForm::LineSpace, u"3.5", 35},
                {PartForm::FirstLine, u"12", 100},
                {PartForm::RightIndent, u"5000", 10000},
                {PartForm::Before, u"99999999", 10000}};
    for (const auto& r : rows) {
        form.Edit(r.Field, r.Text);
        EXPECT_TRUE(form.Confirm());
        EXPECT_EQ(r.Sent,
                  form.Part.*(std::array{&tessaly::aPartInfo::FirstLineIndentation,
                                         &tessaly::aPartInfo::LeftIndentation, &tessaly::aPartInfo::RightIndentation,
                                         &tessaly::aPartInfo::LineSpace, &tessaly::aPartInfo::SpacingBefore}[r.Field]));
    }
}

// A4 with margins of 20 mm: 170 mm wide and 257 mm high to write in.
TEST(PartForm, ValuesThatLeaveNoRoomOnThePageAreFound) {
    const struct {
        PartForm::Field Field;
        const char16_t* Text;
        std::optional<PartForm::Field> Refused;
    } rows[] = {
        {PartForm::LeftIndent, u"169.5", std::nullopt},
        {PartForm::LeftIndent, u"170", PartForm::LeftIndent},
        {PartForm::LeftIndent, u"1000", PartForm::LeftIndent},
        {PartForm::RightIndent, u"160", PartForm::RightIndent},
        {PartForm::Before, u"256.5", std::nullopt},
        {PartForm::Before, u"257", PartForm::Before},
        {PartForm::After, u"999", PartForm::After},
        {PartForm::Before, u"-1000", std::nullopt},
    };
    tessaly::AboutPageInfo page = A4Page();
    page.PageMarginRect = {200, 200, 200, 200};
    for (const auto& r : rows) {
        tessaly::aPartInfo part{tessaly::AlignmentNear, 0, 100, 0, 0, 0, 0};
        PartForm form = PartForm::Load(part);
        form.Edit(r.Field, r.Text);
        const auto refusal = form.Overflowing(page);
        EXPECT_EQ(r.Refused, refusal ? std::optional(refusal->Box) : std::nullopt)
            << r.Field << " " << static_cast<const void*>(r.Text);
    }
}

// A4 with margins of 24.5 mm: a line of 161 mm. Paragraphs with left indents 0 and 155 mm, the
// left box left empty for them; the first-line indent counts with the side ones.
TEST(PartForm, EachParagraphsOwnValuesAndTheFirstLineIndentLeaveRoom) {
    const std::u16string left = u"左缩进应小于行宽（161.0毫米）", sides = u"左、右缩进之和应小于行宽（161.0毫米）",
                         all = u"首行缩进与左、右缩进之和应小于行宽（161.0毫米）";
    const struct {
        const char16_t *First, *Left, *Right;
        std::u16string Reason;  // empty: accepted
    } rows[] = {{u"", u"", u"5", u""},    {u"", u"", u"6", sides},    {u"5.5", u"", u"", u""},
                {u"6", u"", u"", all},    {u"10", u"155", u"", all},  {u"10", u"150", u"", u""},
                {u"", u"161", u"", left}, {u"", u"100", u"61", sides}};
    tessaly::AboutPageInfo page = A4Page();
    page.PageMarginRect = {245, 245, 245, 245};
    tessaly::aPartInfo near{tessaly::AlignmentNear, 0, 0, 0, 0, 0, 0}, far = near, shown = near;
    far.LeftIndentation = 1550;
    shown.FirstLineIndentation = shown.LeftIndentation = shown.RightIndentation = PartForm::kMixed;
    for (const auto& r : rows) {
        PartForm form = PartForm::Load(shown);
        form.Own = {near, far};
        form.Edit(PartForm::FirstLine, r.First);
        form.Edit(PartForm::LeftIndent, r.Left);
        form.Edit(PartForm::RightIndent, r.Right);
        const auto refusal = form.Overflowing(page);
        EXPECT_EQ(r.Reason, refusal ? refusal->Reason : u"") << static_cast<const void*>(r.First);
        // The box selected is the last typed one of those that take the room.
        const auto box = r.Reason == all ? PartForm::FirstLine
                         : *r.Right      ? PartForm::RightIndent
                                         : PartForm::LeftIndent;
        EXPECT_TRUE(!refusal || refusal->Box == box) << static_cast<const void*>(r.First);
    }
}

TEST(FontExForm, DpiConversionStackingAndNoChange) {
    tessaly::FontExInfo info;
    info.SelWdSpace = 25.4f;
    info.SelWdUpSpace = FontExForm::kMixed;
    info.SelShuPai.Number = -3;
    FontExForm form = FontExForm::Load(info, 96, true);
    EXPECT_EQ(96, form.Steps[FontExForm::Spacing]);
    EXPECT_EQ(u"9.6", form.Texts[FontExForm::Spacing]);
    EXPECT_EQ(u"", form.Texts[FontExForm::Raise]);
    EXPECT_EQ(FontExForm::Downward, form.Option);
    EXPECT_FALSE(form.Confirm());  // the load alone changes nothing
    form.Step(FontExForm::Spacing, +1);
    EXPECT_EQ(u"9.7", form.Texts[FontExForm::Spacing]);
    ASSERT_TRUE(form.Confirm());
    EXPECT_NEAR(25.66, form.Info.SelWdSpace, 0.005);
    EXPECT_EQ(FontExForm::kMixed, form.Info.SelWdUpSpace);
    EXPECT_EQ(2, form.Info.SelShuPai.Number);

    form.Edit(FontExForm::Raise, u"5000");  // held to 1000.0
    form.Confirm();
    EXPECT_EQ(10000, form.StepOf(form.Info.SelWdUpSpace));

    FontExForm flat = FontExForm::Load(info, 96, false);
    EXPECT_EQ(FontExForm::NotStacked, flat.Option);
    EXPECT_FALSE(flat.StackSpaceEnabled());
    flat.ChooseStacking(FontExForm::Upward);
    EXPECT_EQ(0, flat.Info.SelShuPai.Number);
    EXPECT_EQ(u"", flat.Texts[FontExForm::StackSpace]);
}

}  // namespace
}  // namespace tavolin
