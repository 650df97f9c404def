#include <gtest/gtest.h>

#include "AttributeFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"

namespace notaline {
namespace {

using test::kSongTiGbk;
using test::SetMark;

class CharAttributesTest : public test::AttributeTest {};

TEST_F(CharAttributesTest, EverySetterIsOneStepThatUndoesToTheByte) {
    Start("ab12#c|de3|");
    data.EditFontTblIndex = 1;
    data.EditFontTbl = {"tolvane", 2, 20, 7};
    const std::vector<std::pair<const char*, std::function<bool()>>> commands{
        {"SelForeColor", [&] { return chars->SelForeColor(1, 4, 0x0000FF); }},
        {"SelBackColor", [&] { return chars->SelBackColor(5, -3, 0x00FF00); }},
        {"SelWordBkColor", [&] { return chars->SelWordBkColor(0, 8, 0x00FF00); }},
        {"DelBackColor", [&] { return chars->DelBackColor(0, 11); }},
        {"Bold", [&] { return chars->Bold(0, 6, true); }},
        {"Italic", [&] { return chars->Italic(2, 2, true); }},
        {"Underline", [&] { return chars->Underline(0, 11, true); }},
        {"StrikeOut", [&] { return chars->StrikeOut(0, 11, true); }},
        {"SelFontName", [&] { return chars->SelFontName(0, 7, "Arial"); }},
        {"SelFontSize", [&] { return chars->SelFontSize(0, 11, 10.5f); }},
        {"StdFont",
         [&] {
             return chars->StdFont(3, 5, 0x123456, {"Times New Roman", 9, true, true, true, true, 0});
         }},
        {"WordYC", [&] { return chars->WordYC(0, 11, 2); }},
        {"WordYg", [&] { return chars->WordYg(0, 11, 4); }},
    };
    for (const auto& [what, command] : commands) ExpectOneStep(command, what);
    // An empty range, or the values the characters have, change nothing and record no step.
    undo->ZeroUnDoReDoVal();
    EXPECT_FALSE(chars->SelForeColor(11, 0, 0x0000FF));
    EXPECT_FALSE(chars->Bold(0, 6, chars->Bold(0, 6)));
    EXPECT_FALSE(chars->SelFontSize(0, 3, chars->SelFontSize(0, 3)));
    EXPECT_FALSE(undo->CanUndo());

    undo->ZeroUnDoReDoVal();
    ASSERT_TRUE(chars->ChangFontTbl());
    EXPECT_EQ(20, data.FontTbl[1].hYg);
    EXPECT_EQ(7, data.FontTbl[1].hYc);
    EXPECT_EQ("Tolvane", data.FontTbl[1].FontName);  // only the heights are taken
    undo->UserUndo();
    EXPECT_EQ(14, data.FontTbl[1].hYg);
    EXPECT_EQ(4, data.FontTbl[1].hYc);
    undo->UserRedo();
    EXPECT_EQ(20, data.FontTbl[1].hYg);
    data.EditFontTblIndex = 99;
    EXPECT_FALSE(chars->ChangFontTbl());
    EXPECT_FALSE(undo->CanRedo());
}

TEST_F(CharAttributesTest, ColoursCompareValuesForTheForegroundAndIndexesForTheBackground) {
    Start("abc|");
    data.ColorTbl.push_back(0xFFFFFF);  // index 2 names the colour of index 1
    data.AboutFileInfo.ColorTblCount = 3;
    W(0).cf = 1, W(1).cf = 2, W(2).cf = 1;
    EXPECT_EQ(0xFFFFFFu, chars->SelForeColor(0, 3));
    W(0).cb = 1, W(1).cb = 2;
    EXPECT_EQ(0u, chars->SelBackColor(0, 2));
    EXPECT_EQ(0u, chars->SelWordBkColor(0, 2));
    EXPECT_EQ(0u, chars->SelBackColor(2, 1));         // no background
    EXPECT_EQ(0xFFFFFFu, chars->SelBackColor(1, 0));  // the character before the caret
    data.InputState = tessaly::LpxState;
    EXPECT_EQ(0u, chars->SelForeColor(0, 3));
    EXPECT_EQ(0.0f, chars->SelFontSize(0, 3));
    data.InputState = tessaly::JpState;

    ASSERT_TRUE(chars->SelWordBkColor(0, 4, 0x00FFFF));
    EXPECT_EQ(3, W(0).cb);
    EXPECT_EQ(3, W(2).cb);
    EXPECT_EQ(0, W(3).cb);  // a paragraph end takes "no background", colour 0, added to the table
    EXPECT_EQ(0x00FFFFu, data.ColorTbl[3]);
    EXPECT_EQ(0u, data.ColorTbl[0]);
    EXPECT_EQ(0x00FFFFu, chars->SelWordBkColor(0, 3));
    ASSERT_TRUE(chars->SelForeColor(0, 4, 0x00FFFF));
    EXPECT_EQ(3, W(3).cf);
    EXPECT_EQ(4, data.AboutFileInfo.ColorTblCount);
}

TEST_F(CharAttributesTest, StylesGoOnlyWhereTheyBelong) {
    Start("a1#b|");
    W(0).EditFont([&](tessaly::mLogFont& f) { f.lfWeight = 300; });
    W(3).EditFont([&](tessaly::mLogFont& f) { f.lfWeight = 900; });
    ASSERT_TRUE(chars->Bold(0, 5, false));
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(400, W(i).nLogFont().lfWeight);
    EXPECT_FALSE(chars->Bold(0, 5));
    EXPECT_FALSE(chars->Bold(0, -2, true));  // leftward from the first character: nothing there
    ASSERT_TRUE(chars->Bold(2, -2, true));
    EXPECT_TRUE(chars->Bold(1, 0));  // the caret asks the character before it
    EXPECT_FALSE(chars->Bold(3, 0));

    ASSERT_TRUE(chars->Underline(0, 5, true));
    EXPECT_EQ((std::vector<int>{1, 0, 1, 1, 0}),
              (std::vector<int>{W(0).nLogFont().lfUnderline, W(1).nLogFont().lfUnderline, W(2).nLogFont().lfUnderline,
                                W(3).nLogFont().lfUnderline, W(4).nLogFont().lfUnderline}));
    EXPECT_FALSE(chars->Underline(0, 5));
    EXPECT_TRUE(chars->Underline(2, 2));
    ASSERT_TRUE(chars->StrikeOut(0, 5, true));
    EXPECT_EQ(1, W(0).nLogFont().lfStrikeOut);
    EXPECT_EQ(0, W(2).nLogFont().lfStrikeOut);
    EXPECT_FALSE(chars->StrikeOut(0, 2));
    ASSERT_TRUE(chars->Italic(0, 5, true));
    EXPECT_TRUE(chars->Italic(0, 5));
}

TEST_F(CharAttributesTest, FontNamesOfRangesAndCarets) {
    Start("ab1|#||cd|");
    EXPECT_EQ(kSongTiGbk, chars->SelFontName(0, 0));
    EXPECT_EQ("Tolvane", chars->SelFontName(3, 0));    // before the caret: the note
    EXPECT_EQ("Tolvane", chars->SelFontName(4, 0));    // a paragraph end before: the symbol at the caret
    EXPECT_EQ(kSongTiGbk, chars->SelFontName(6, 0));   // between two paragraph ends
    EXPECT_EQ(kSongTiGbk, chars->SelFontName(10, 0));  // after the last character
    EXPECT_EQ("Tolvane", chars->SelFontName(3, 3));    // no text or note: the notation font

    ASSERT_TRUE(chars->SelFontName(0, 10, "Arial"));
    EXPECT_EQ(2, W(0).nLogFont().FontTblIndex);
    EXPECT_EQ(2, W(2).nLogFont().FontTblIndex);
    EXPECT_EQ(1, W(3).nLogFont().FontTblIndex);  // paragraph end and symbol keep the notation font
    EXPECT_EQ(1, W(4).nLogFont().FontTblIndex);
    EXPECT_EQ("Arial", chars->SelFontName(0, 10));
    W(7).EditFont([&](tessaly::mLogFont& f) { f.FontTblIndex = 0; });
    EXPECT_EQ(kSongTiGbk, chars->SelFontName(0, 10));
    EXPECT_FALSE(chars->SelFontName(0, 10, ""));

    // The font dialog's face is lower-cased and the table tells case apart: a second entry.
    ASSERT_TRUE(chars->StdFont(0, 1, 0, {"Arial", 12, false, false, false, false, 0}));
    EXPECT_EQ(3, W(0).nLogFont().FontTblIndex);
    EXPECT_EQ("arial", data.FontTbl[3].FontName);
}

TEST_F(CharAttributesTest, SizesGiveHeightsAndMeasureAgain) {
    Start("a12b|");
    SetMark(data, 1, 2, kMarkGraceNote, 1, 1);
    SetMark(data, 3, 1, kMarkTimeSignature, 12, 8);
    ASSERT_TRUE(chars->SelFontSize(0, 5, 12));
    EXPECT_EQ(-16, W(0).nLogFont().lfHeight);
    EXPECT_EQ(-10, W(1).nLogFont().lfHeight);  // a grace note: R(-16 x 0.6)
    EXPECT_EQ(12.0f, W(1).SelSize);
    EXPECT_EQ(6.0f, W(0).WdSize.cx);   // half an em at 12 points
    EXPECT_EQ(16.0f, W(3).WdSize.cx);  // the time signature as wide as "12" at 16 pixels
    SetMark(data, 3, 1, kMarkTimeSignature, 3, 4);
    FitTimeSignatureWidth(data, 3, 0);  // slot 0 has no time signature
    EXPECT_EQ(16.0f, W(3).WdSize.cx);
    FitTimeSignatureWidth(data, 3, 1);
    EXPECT_EQ(8.0f, W(3).WdSize.cx);
    FitTimeSignatureWidth(data, 99, -1);
    FitTimeSignatureWidth(data, 3, 8);

    // 10 points at 96 DPI: 13.33 pixels, the height the reader gives the saved size back.
    ASSERT_TRUE(chars->SelFontSize(0, 1, 10));
    EXPECT_EQ(-13, W(0).nLogFont().lfHeight);
    ASSERT_TRUE(chars->SelFontSize(0, 1, 10.5f));
    EXPECT_EQ(-14, W(0).nLogFont().lfHeight);
    ASSERT_TRUE(chars->SelFontSize(0, 1, 10));
    EXPECT_EQ(12.0f, chars->SelFontSize(1, 2));  // the first character's size only
    EXPECT_EQ(10.0f, chars->SelFontSize(1, 0));
    EXPECT_FALSE(chars->SelFontSize(0, 1, 0));
    EXPECT_FALSE(chars->SelFontSize(0, 1, -3));
    EXPECT_FALSE(chars->SelFontSize(0, 1, 1e30f));

    // The font dialog's size converts the same way, fractions of a point included.
    data.PropertiesDpi = 120;
    ASSERT_TRUE(chars->StdFont(0, 2, 0xFF, {"Arial", 10.4f, false, false, false, false, 0}));
    EXPECT_EQ(-17, W(0).nLogFont().lfHeight);
    EXPECT_EQ(-10, W(1).nLogFont().lfHeight);
    EXPECT_EQ(10.4f, W(0).SelSize);
}

TEST_F(CharAttributesTest, AGraceGroupTakesItsSizeWhole) {
    Start("a123b|");
    SetMark(data, 1, 0, kMarkGraceNote, 3, 1);
    SetMark(data, 2, 0, kMarkGraceNote, 3, 2);
    SetMark(data, 3, 0, kMarkGraceNote, 3, 3);
    Select(3, -1);  // leftward on the group's second note
    ASSERT_TRUE(chars->SelFontSize(data.SelStart, data.SelLength, 20));
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    for (int32_t i = 1; i <= 3; ++i) EXPECT_EQ(20.0f, W(i).SelSize) << i;
    EXPECT_EQ(12.0f, W(0).SelSize);
    EXPECT_EQ(12.0f, W(4).SelSize);

    // A broken group reaching before the document is refused, the selection kept.
    Start("12|");
    SetMark(data, 0, 0, kMarkGraceNote, 3, 3);
    Select(0, 1);
    EXPECT_FALSE(chars->SelFontSize(0, 1, 20));
    EXPECT_EQ(0, data.SelStart);
    EXPECT_EQ(1, data.SelLength);
    EXPECT_FALSE(undo->CanUndo());
}

TEST_F(CharAttributesTest, FontObjectAndItsSelection) {
    Start("abc|");
    ASSERT_TRUE(chars->Bold(0, 3, true));
    ASSERT_TRUE(chars->SelForeColor(0, 3, 0x0000FF));
    uint32_t colour = 0;
    const StdFontInfo font = chars->StdFont(0, 3, colour);
    EXPECT_EQ(kSongTiGbk, font.FaceName);
    EXPECT_EQ(12.0f, font.Size);
    EXPECT_TRUE(font.Bold);
    EXPECT_FALSE(font.Italic);
    EXPECT_EQ(134, font.Charset);
    EXPECT_EQ(0x0000FFu, colour);

    // A leftward selection is changed like the same one made rightward; redo leaves a caret.
    undo->ZeroUnDoReDoVal();
    ASSERT_TRUE(chars->StdFont(3, -2, 0xFF0000, {"Arial", 14, false, true, false, false, 0}));
    EXPECT_EQ(0, W(0).nLogFont().lfItalic);
    EXPECT_EQ(1, W(1).nLogFont().lfItalic);
    EXPECT_EQ(1, W(2).nLogFont().lfItalic);
    undo->UserUndo();
    undo->UserRedo();
    EXPECT_EQ(1, data.SelStart);
    EXPECT_EQ(0, data.SelLength);
}

TEST_F(CharAttributesTest, DurationsAndOctavesGoOnlyToCharactersThatTakeThem) {
    Start("1a8z|");
    W(3).IsJpGcCtl = 1;  // a notation letter that takes no duration
    EXPECT_FALSE(chars->WordYC(2, 0, 1));
    EXPECT_FALSE(chars->WordYg(2, 0, 1));
    EXPECT_FALSE(chars->WordYC(0, 2, 256));
    EXPECT_FALSE(chars->WordYg(0, 2, -1));
    EXPECT_FALSE(chars->WordYC(0, 2, 4));  // no glyph beyond three lines and three dots each way
    EXPECT_FALSE(chars->WordYg(0, 2, 7));
    EXPECT_EQ(6, system.Beeps);
    // Nothing takes the octave, or everything has the value already: no step.
    EXPECT_FALSE(chars->WordYg(1, 1, 3));
    EXPECT_FALSE(chars->WordYC(0, 2, 0));
    EXPECT_EQ(6, system.Beeps);
    EXPECT_FALSE(undo->CanUndo());

    ASSERT_TRUE(chars->WordYC(0, 5, 2));
    EXPECT_EQ(2, W(0).Yc);
    EXPECT_EQ(2, W(1).Yc);  // a text character
    EXPECT_EQ(2, W(2).Yc);
    EXPECT_EQ(0, W(3).Yc);
    EXPECT_EQ(2, W(4).Yc);
    ASSERT_TRUE(chars->WordYg(0, 5, 1));
    EXPECT_EQ(1, W(0).YG);
    EXPECT_EQ(0, W(1).YG);
    EXPECT_EQ(0, W(2).YG);  // "8" is not a note 1 to 7
    EXPECT_EQ(0, W(3).YG);
    EXPECT_EQ(1, chars->WordYg(0, 0));  // an empty range asks the character at the caret
    EXPECT_EQ(0, chars->WordYC(0, 4));
    EXPECT_EQ(2, chars->WordYC(0, 3));
    EXPECT_FALSE(chars->WordYC(3, 5, 1));  // past the end
}

}  // namespace
}  // namespace notaline
