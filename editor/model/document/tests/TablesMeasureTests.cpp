#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "DocumentBuilder.h"
#include "FakeServices.h"
#include "model/document/Measure.h"
#include "model/document/Tables.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

std::string Gbk(const char* utf8) {
    return tessaly::Utf16ToCp936(*tessaly::Utf8ToUtf16(utf8)).value();
}

std::string FaceOf(const tessaly::LogFont& lf) {
    return std::string(reinterpret_cast<const char*>(lf.lfFaceName));
}

EditorData TwoFonts() {
    EditorData d;
    tessaly::JpData doc;
    doc.FontTbl = {{"tolvane", 2, 14, 4}, {Gbk("宋体"), 134, 15, 3}};
    LoadDocument(d, std::move(doc));
    d.NotationFontName = "tolvane";
    return d;
}

TEST(FontTable, LookupsAndAdditions) {
    EditorData d = TwoFonts();
    EXPECT_EQ(1, GetFontTblIndex(d, Gbk("宋体")));
    EXPECT_EQ(2, d.AboutFileInfo.FontTblCount);

    // Case counts when looking up, not when choosing the character set.
    EXPECT_EQ(2, GetFontTblIndex(d, "Tolvane"));
    EXPECT_EQ(3, d.AboutFileInfo.FontTblCount);
    ASSERT_EQ(3u, d.FontTbl.size());
    EXPECT_EQ("Tolvane", d.FontTbl[2].FontName);
    EXPECT_EQ(kSymbolCharset, d.FontTbl[2].fcharset);
    EXPECT_EQ(15, d.FontTbl[2].hYg);
    EXPECT_EQ(3, d.FontTbl[2].hYc);

    EXPECT_EQ(3, GetFontTblIndex(d, "Arial"));
    EXPECT_EQ(kGb2312Charset, d.FontTbl[3].fcharset);
    EXPECT_EQ(3, GetFontTblIndex(d, "Arial"));
    EXPECT_EQ(4u, d.FontTbl.size());
    EXPECT_EQ(14, d.FontTbl[0].hYg);  // existing entries keep their values

    d.AboutFileInfo.FontTblCount = INT16_MAX;
    d.FontTbl.resize(INT16_MAX);
    EXPECT_EQ(-1, GetFontTblIndex(d, "Full"));
    EXPECT_EQ(INT16_MAX, d.AboutFileInfo.FontTblCount);
}

TEST(ColorTable, LookupsPresetsAndComponents) {
    EditorData d;
    EXPECT_EQ(0, GetColorTblIndex(d, 0x000000FF));
    EXPECT_EQ(1, GetColorTblIndex(d, 0xFF0000FF));  // alpha makes another value
    EXPECT_EQ(0, GetColorTblIndex(d, 0x000000FF));
    EXPECT_EQ(2, d.AboutFileInfo.ColorTblCount);
    EXPECT_EQ(2u, d.ColorTbl.size());

    EXPECT_EQ(2, GetPresetColorIndex(d, 1, false));
    EXPECT_EQ(0x004040FFu, d.ColorTbl[2]);
    EXPECT_EQ(3, GetPresetColorIndex(d, 1, true));
    EXPECT_EQ(0xFFFF0000u, d.ColorTbl[3]);
    EXPECT_EQ(4, GetPresetColorIndex(d, 3, false));
    EXPECT_EQ(0x000080FFu, d.ColorTbl[4]);
    EXPECT_EQ(5, GetPresetColorIndex(d, 0, true));
    EXPECT_EQ(0xFFFFFFFFu, d.ColorTbl[5]);
    EXPECT_EQ(2, GetPresetColorIndex(d, 1, false));  // already there
    EXPECT_EQ(0, GetPresetColorIndex(d, 5, false));
    EXPECT_EQ(0, GetPresetColorIndex(d, -1, true));
    EXPECT_EQ(6, d.AboutFileInfo.ColorTblCount);

    int32_t r = -1, g = -1, b = -1;
    ColorToRGB(d, 10 + 256 * 200 + 65536 * 10, r, g, b);
    EXPECT_EQ(10, r);
    EXPECT_EQ(200, g);
    EXPECT_EQ(10, b);
    test::FakeSystem sys;
    d.System = sys;
    ColorToRGB(d, 0x80000005u, r, g, b);  // a system colour: its current value
    EXPECT_EQ(0x30, r);
    EXPECT_EQ(0x20, g);
    EXPECT_EQ(0x10, b);
}

// The look-ups keep an index beside the tables; tables replaced or changed behind its back, with
// repeated values, still give the first entry holding the value.
TEST(ColorTable, LookupsFollowTablesChangedOutsideThem) {
    EditorData d;
    tessaly::JpData doc;
    doc.ColorTbl = {5, 7, 5, 9};
    LoadDocument(d, std::move(doc));
    EXPECT_EQ(0, GetColorTblIndex(d, 5));
    EXPECT_EQ(3, GetColorTblIndex(d, 9));

    tessaly::JpData other;
    other.ColorTbl = {9, 8, 7, 5};  // as long as the last table, the same last value
    LoadDocument(d, std::move(other));
    EXPECT_EQ(0, GetColorTblIndex(d, 9));
    EXPECT_EQ(3, GetColorTblIndex(d, 5));

    d.ColorTbl[0] = 1;                     // changed in place
    EXPECT_EQ(4, GetColorTblIndex(d, 9));  // gone, so added
    EXPECT_EQ(0, GetColorTblIndex(d, 1));

    d.ColorTbl.push_back(2);  // longer than the header says: beyond the count nothing is found
    EXPECT_EQ(5, GetColorTblIndex(d, 3));
    EXPECT_EQ(3, d.ColorTbl[5]);
    EXPECT_EQ(6u, d.ColorTbl.size());

    EditorData copy = d;
    EXPECT_EQ(5, GetColorTblIndex(copy, 3));
    EXPECT_EQ(6, GetColorTblIndex(copy, 6));
    EXPECT_EQ(6, GetColorTblIndex(d, 11));  // the copy's addition is not the original's
    EXPECT_EQ(11u, d.ColorTbl[6]);
}

TEST(FontTable, ManyFacesAreFoundWhereTheyFirstStand) {
    EditorData d = TwoFonts();
    for (int i = 0; i < 3000; ++i) EXPECT_EQ(i + 2, GetFontTblIndex(d, "Face" + std::to_string(i)));
    d.FontTbl[100].FontName = "Face7";  // a second entry of a face: the first one still answers
    EXPECT_EQ(9, GetFontTblIndex(d, "Face7"));
    EXPECT_EQ(3001, GetFontTblIndex(d, "Face2999"));
    EXPECT_EQ(3002, GetFontTblIndex(d, "Face98"));  // its entry was overwritten: added again
}

TEST(FaceNames, AreCutToFitWithTheirZero) {
    tessaly::LogFont lf;
    std::memset(lf.lfFaceName, 'x', sizeof lf.lfFaceName);
    SetLogFontFaceName(lf, "Tolvane");
    EXPECT_EQ("Tolvane", FaceOf(lf));
    for (size_t i = 7; i < sizeof lf.lfFaceName; ++i) EXPECT_EQ(0, lf.lfFaceName[i]);

    const std::string ascii(40, 'a');
    CopyLogFontFaceName(lf, ascii);
    EXPECT_EQ(ascii.substr(0, 31), FaceOf(lf));

    // Sixteen double-byte characters: the 16th would end at byte 32, so it is left out whole.
    std::string wide;
    for (int i = 0; i < 16; ++i) wide += Gbk("宋");
    SetLogFontFaceName(lf, wide);
    EXPECT_EQ(wide.substr(0, 30), FaceOf(lf));
    EXPECT_EQ(0, lf.lfFaceName[30]);

    std::array<uint8_t, 5> field;
    field.fill(0xEE);
    StrToAnsiBytes(field, "ab" + Gbk("宋体"));  // 6 bytes into 5: the second character does not fit
    EXPECT_EQ((std::array<uint8_t, 5>{'a', 'b', 0xCB, 0xCE, 0}), field);
    StrToAnsiBytes(field, "");
    EXPECT_EQ((std::array<uint8_t, 5>{}), field);
}

TEST(FaceNames, FullWidthParenthesesAreTheCodesDurationsAccept) {
    EXPECT_EQ(static_cast<int16_t>(0xA3A8), tessaly::WdAscFromGbk(Gbk("（")));
    EXPECT_EQ(static_cast<int16_t>(0xA3A9), tessaly::WdAscFromGbk(Gbk("）")));
}

TEST(Measure, PointsToLogicalHeights) {
    EditorData d;
    d.PropertiesDpi = 96;
    EXPECT_EQ(-16, PointToLogHeight(d, 12));
    EXPECT_EQ(-14, PointToLogHeight(d, 10.5f));  // 14, as the document reader gives it
    EXPECT_EQ(-15, PointToLogHeight(d, 11.5f));  // 15.33
    EXPECT_EQ(-15, PointToLogHeight(d, 11));     // 14.67
    d.PropertiesDpi = 144;
    EXPECT_EQ(-24, PointToLogHeight(d, 12));
    EXPECT_EQ(-36, PointToLogHeight(d, 18));
    EXPECT_EQ(-22, PointToLogHeight(d, 11));  // 22
    EXPECT_EQ(-21, PointToLogHeight(d, 10.5f));
}

TEST(Measure, GdipMeasuresTheFirstCharacterAtTheZoom) {
    EditorData d = TwoFonts();
    test::FakeTextMeasurer m;
    EXPECT_EQ(0, MeasureWordGdip(d, {}, "1").cx);  // nothing to measure with
    d.Measurer = m;
    d.PropertiesDpi = 96;
    d.WindowsZoom = 1.25;

    tessaly::mLogFont font;
    font.FontTblIndex = 0;
    font.lfHeight = -20;  // 15 points
    font.lfWeight = 400;
    font.lfItalic = 1;
    tessaly::SIZEF s = MeasureWordGdip(d, font, "1");
    ASSERT_EQ(1u, m.GdipCalls.size());
    EXPECT_EQ(15, m.GdipCalls[0].EmPoints);
    EXPECT_EQ(u"\xF031", m.GdipCalls[0].Text);  // notation codes at U+F0xx
    EXPECT_EQ("tolvane", FaceOf(m.GdipCalls[0].Font));
    EXPECT_EQ(kSymbolCharset, m.GdipCalls[0].Font.lfCharSet);
    EXPECT_EQ(0, m.GdipCalls[0].Font.lfItalic);  // only the weight counts
    EXPECT_FLOAT_EQ(9.38f, s.cx);                // 7.5 x 1.25 = 9.375: to hundredths, ties to even
    EXPECT_FLOAT_EQ(23.44f, s.cy);               // 18.75 x 1.25 = 23.4375

    // A space measures as "2"; only the first character is measured.
    EXPECT_FLOAT_EQ(s.cx, MeasureWordGdip(d, font, " ").cx);
    EXPECT_EQ(u"\xF032", m.GdipCalls.back().Text);
    MeasureWordGdip(d, font, "\xF0\xAE");  // a two-byte code
    EXPECT_EQ(u"\xF0AE", m.GdipCalls.back().Text);

    font.FontTblIndex = 1;
    font.lfWeight = 700;
    MeasureWordGdip(d, font, Gbk("宋体"));
    EXPECT_EQ(u"宋", m.GdipCalls.back().Text);
    EXPECT_EQ(700, m.GdipCalls.back().Font.lfWeight);
    EXPECT_EQ(kGb2312Charset, m.GdipCalls.back().Font.lfCharSet);

    d.PropertiesDpi = 144;
    font.lfHeight = -24;
    MeasureWordGdip(d, font, "a");
    EXPECT_EQ(12, m.GdipCalls.back().EmPoints);
}

TEST(Measure, GdiMeasuresTheWholeTextInTheCharactersFont) {
    EditorData d = TwoFonts();
    test::FakeTextMeasurer m;
    d.Measurer = m;
    d.WindowsZoom = 2;  // not applied
    tessaly::mLogFont font;
    font.FontTblIndex = 0;
    font.lfHeight = -30;
    font.lfWidth = 5;
    font.lfEscapement = 900;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfQuality = 2;
    const tessaly::SIZEF s = MeasureWordGdi(d, font, "12");
    EXPECT_FLOAT_EQ(30, s.cx);
    EXPECT_FLOAT_EQ(37.5f, s.cy);
    ASSERT_EQ(1u, m.GdiCalls.size());
    const auto& lf = m.GdiCalls[0].Font;
    EXPECT_EQ(u"\xF031\xF032", m.GdiCalls[0].Text);
    EXPECT_EQ(-30, lf.lfHeight);
    EXPECT_EQ(5, lf.lfWidth);
    EXPECT_EQ(900, lf.lfEscapement);
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_EQ(1, lf.lfItalic);
    EXPECT_EQ(2, lf.lfQuality);
    EXPECT_EQ(kSymbolCharset, lf.lfCharSet);
    EXPECT_EQ("tolvane", FaceOf(lf));

    font.FontTblIndex = 9;  // no such entry: default face
    EXPECT_EQ("", FaceOf(MakeWordLogFont(d, font)));
}

TEST(Measure, TextForCharsetMapsNotationCodes) {
    EXPECT_EQ(u"\xF020\xF0F0", TextForCharset(" \xF0", kSymbolCharset));  // a lone lead byte stays itself
    EXPECT_EQ(u"\xF0A1\xF031", TextForCharset("\xF0\xA1"
                                              "1",
                                              kSymbolCharset));
    EXPECT_EQ(u"宋a", TextForCharset(Gbk("宋") + "a", kGb2312Charset));
    EXPECT_EQ(u"a\uFFFD", TextForCharset("a\xCB", kGb2312Charset));  // cut inside a character, the rest shows
}

}  // namespace
}  // namespace notaline
