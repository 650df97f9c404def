#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cText.h"
#include "text/Cp936.h"

namespace tessaly {
namespace {

using namespace std::string_literals;

struct Unit {
    std::string word;
    float value;
    std::string text;
    bool operator==(const Unit&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Unit& u) {
    return os << "{" << u.word << ", " << u.value << ", \"" << u.text << "\"}";
}

Unit Take(std::string_view line, int32_t& pos) {
    bool ok = false;
    const aCtlUnit unit = cText::nCtlUnit(line, pos, ok);
    EXPECT_TRUE(ok) << line << " at " << pos;
    return {unit.CtlWord, unit.CtlVal, unit.CtlObj};
}

// The non-empty units of a line, walked as the DaDur reader walks it.
std::vector<Unit> Units(std::string_view line) {
    std::vector<Unit> units;
    for (int32_t pos = 1; pos <= static_cast<int32_t>(line.size()); ++pos) {
        Unit unit = Take(line, pos);
        if (!unit.word.empty() || !unit.text.empty()) units.push_back(unit);
    }
    return units;
}

std::string Gbk(std::u16string_view text) {
    return Utf16ToCp936(text).value();
}

TEST(cTextUnits, WordNumberAndPosition) {
    const std::string line = R"(\fs16200\expndtw0)";
    int32_t pos = 1;
    EXPECT_EQ(Take(line, pos), (Unit{R"(\fs)", 16200, ""}));
    EXPECT_EQ(pos, 8);
    pos = 9;
    EXPECT_EQ(Take(line, pos), (Unit{R"(\expndtw)", 0, ""}));
    EXPECT_EQ(pos, 17);

    EXPECT_EQ(Units(R"(\b\att0)"), (std::vector<Unit>{{R"(\b)", -1, ""}, {R"(\att)", 0, ""}}));
    EXPECT_EQ(Units(R"(\x-.5\y-\z1-2)"), (std::vector<Unit>{{R"(\x)", -0.5f, ""}, {R"(\y)", 0, ""}, {R"(\z)", 1, ""}}));
}

TEST(cTextUnits, TextAfterTheWord) {
    // A font entry's tail keeps ";}" and "{" in the text up to the next word.
    EXPECT_EQ(Units(R"(\hyc4 tolvane;}{\f1)"), (std::vector<Unit>{{R"(\hyc)", 4, "tolvane;}{"}, {R"(\f)", 1, ""}}));
    // An escaped backslash followed by a letter stays text.
    EXPECT_EQ(Units(R"(\b0 \\a\par)"), (std::vector<Unit>{{R"(\b)", 0, R"(\a)"}, {R"(\par)", -1, ""}}));
    // A unit that starts with an escape is text only.
    EXPECT_EQ(Units(R"(\\a\par)"), (std::vector<Unit>{{"", -1, R"(\a)"}, {R"(\par)", -1, ""}}));
    // A character followed by a backslash is taken as text; after a word, "{" and the like are
    // skipped, and a space or an escape right after the number begins the text.
    EXPECT_EQ(Units(R"({\f1\fnil\fcharset134\hyg14\hyc2 \'cb\'ce\'cc\'e5;})"),
              (std::vector<Unit>{{"", -1, "{"},
                                 {R"(\f)", 1, ""},
                                 {R"(\fnil)", -1, ""},
                                 {R"(\fcharset)", 134, ""},
                                 {R"(\hyg)", 14, ""},
                                 {R"(\hyc)", 2, Gbk(u"宋体;}")}}));
}

TEST(cTextUnits, DefaultParagraphLine) {
    bool escaped = false;
    const std::string title = Gbk(u"写简谱用Tavolin");
    const std::string line = R"(\part\cf1\cb2\f1\i0\strike0\ul0\b0\att0\fs16200\expndtw0)" +
                             cText::Str2RtfStr(title, escaped) + R"(\att3\f0\ex 155,0,0\eex\par)";
    EXPECT_TRUE(escaped);
    const std::vector<Unit> units = Units(line);
    ASSERT_EQ(units.size(), 16u);
    EXPECT_EQ(units[10], (Unit{R"(\expndtw)", 0, title}));
    EXPECT_EQ(units[13], (Unit{R"(\ex)", -1, "155,0,0"}));
    EXPECT_EQ(units[15], (Unit{R"(\par)", -1, ""}));
}

TEST(cTextUnits, EndsOfTheLine) {
    const std::string line = R"(\b\par)";
    int32_t pos = 6;  // the last character
    bool ok = false;
    aCtlUnit unit = cText::nCtlUnit(line, pos, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(pos, 6);
    EXPECT_TRUE(unit.CtlWord.empty() && unit.CtlObj.empty());
    EXPECT_EQ(unit.CtlVal, 0);

    pos = 40;
    unit = cText::nCtlUnit(line, pos, ok);
    EXPECT_TRUE(ok && unit.CtlWord.empty());
    EXPECT_EQ(pos, 40);

    pos = 0;
    cText::nCtlUnit(line, pos, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(pos, 0);

    // A double-byte last character counts as one.
    const std::string tail = "\\b\xCB\xCE";
    pos = 3;
    unit = cText::nCtlUnit(tail, pos, ok);
    EXPECT_TRUE(ok && unit.CtlWord.empty() && unit.CtlVal == 0);
    EXPECT_EQ(pos, 3);
    // A trailing backslash ends the unit before it.
    EXPECT_EQ(Units(R"(\b1\)"), (std::vector<Unit>{{R"(\b)", 1, ""}}));
}

TEST(cTextUnits, TrailBytesAreNeverBackslashesOrBraces) {
    // 0x81 0x5C is one character; its trail byte must not end the text.
    EXPECT_EQ(Units("\\ups1 \x81\x5Cx\\par"), (std::vector<Unit>{{R"(\ups)", 1, "\x81\x5Cx"}, {R"(\par)", -1, ""}}));
    // 0x81 0x7B: the second character is 'a', not the brace.
    EXPECT_EQ(Units("\x81\x7B"
                    "a\\b2"),
              (std::vector<Unit>{{R"(\b)", 2, ""}}));
    // Raw double-byte text after a word is kept whole.
    EXPECT_EQ(Units("\\att0 \xCB\xCE\xCC\xE5\\par"),
              (std::vector<Unit>{{R"(\att)", 0, "\xCB\xCE\xCC\xE5"}, {R"(\par)", -1, ""}}));
}

TEST(cTextUnits, MalformedInputIsReported) {
    for (const std::string& line : std::vector<std::string>{R"(\fs1 \'zz)", R"(\'zzab)", R"(\ex \'cb\'zz)",
                                                            R"(\ex \'c)", "\\fs" + std::string(50, '9')}) {
        int32_t pos = 1;
        bool ok = true;
        cText::nCtlUnit(line, pos, ok);
        EXPECT_FALSE(ok) << line;
        EXPECT_EQ(pos, 1) << line;
    }
}

TEST(cTextUnescape, Escapes) {
    int32_t taken = -1;
    bool ok = false;
    EXPECT_EQ(cText::RtfStr2Str(R"(a\'09b\\\{\}{c})", taken, ok), "a\tb\\{}{c}");
    EXPECT_TRUE(ok);
    EXPECT_EQ(taken, 15);
    EXPECT_EQ(cText::RtfStr2Str(R"(\'cb\'ce\'CC\'E5)", taken, ok), "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(taken, 16);
    // The trail byte comes from two characters on, whatever they are.
    EXPECT_EQ(cText::RtfStr2Str(R"(\'cbxxce!)", taken, ok), "\xCB\xCE!");
    EXPECT_EQ(taken, 9);
    // A backslash that begins no escape ends the text.
    EXPECT_EQ(cText::RtfStr2Str(R"(ab\par)", taken, ok), "ab");
    EXPECT_TRUE(ok);
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(cText::RtfStr2Str("ab\\", taken, ok), "ab");
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(cText::RtfStr2Str("\x81\x5C"
                                "a",
                                taken, ok),
              "\x81\x5C"
              "a");
    EXPECT_EQ(taken, 3);
    EXPECT_EQ(cText::RtfStr2Str(R"(\'80\'ff)", taken, ok), "\x80\xFF");  // bytes that lead nothing
    EXPECT_EQ(taken, 8);
}

TEST(cTextUnescape, MalformedEscapesStopWithoutReadingPastTheEnd) {
    struct Case {
        std::string text;
        std::string before;
    };
    for (const Case& c : std::vector<Case>{{R"(ab\')", "ab"},
                                           {R"(\'c)", ""},
                                           {R"(x\'4)", "x"},
                                           {R"(\'4g)", ""},
                                           {R"(\'zz)", ""},
                                           {"\\'\xCB\xCE", ""}}) {
        // Copy into an exact-size buffer so the sanitizer sees any read past the end.
        const std::unique_ptr<char[]> exact(new char[c.text.size()]);
        std::copy(c.text.begin(), c.text.end(), exact.get());
        int32_t taken = -1;
        bool ok = true;
        EXPECT_EQ(cText::RtfStr2Str(std::string_view(exact.get(), c.text.size()), taken, ok), c.before) << c.text;
        EXPECT_FALSE(ok) << c.text;
        EXPECT_EQ(taken, static_cast<int32_t>(c.before.size())) << c.text;
    }
}

TEST(cTextUnescape, ALeadByteWithoutTrailStandsAlone) {
    int32_t taken = 0;
    bool ok = false;
    EXPECT_EQ(cText::RtfStr2Str(R"(\'cb\'31\'cb)", taken, ok), "\xCB\x31\xCB");
    EXPECT_TRUE(ok);
    EXPECT_EQ(cText::RtfStr2Str(R"(\'cb\cf12)", taken, ok), "\xCB");  // never over a control word
    EXPECT_EQ(taken, 4);
    EXPECT_EQ(cText::RtfStr2Str(R"(\'cb;}{\f1)", taken, ok), "\xCB;}{");
    int32_t pos = 1;
    EXPECT_EQ(Take(R"(\ex 37,0,0,ab\'cb\eex)", pos), (Unit{"\\ex", -1, "37,0,0,ab\xCB"}));
}

TEST(cTextEscape, Str2RtfStr) {
    bool escaped = true;
    EXPECT_EQ(cText::Str2RtfStr("plain text 127\x7F", escaped), "plain text 127\x7F");
    EXPECT_FALSE(escaped);
    EXPECT_EQ(cText::Str2RtfStr("a{b", escaped), R"(a\{b)");
    EXPECT_TRUE(escaped);
    EXPECT_EQ(cText::Str2RtfStr("\t\x1F}\\", escaped), R"(\'09\'1F\}\\)");
    EXPECT_EQ(cText::Str2RtfStr("\xCB\xCE\x81\x5C", escaped), R"(\'cb\'ce\'81\'5c)");
    EXPECT_EQ(cText::Str2RtfStr("\x80\xFF\xCB", escaped), R"(\'80\'ff\'cb)");
    // After a lead byte without trail the next byte is escaped, so it is not read as the trail.
    EXPECT_EQ(cText::Str2RtfStr("\xCB\x31,\xCB\x7F", escaped), R"(\'cb\'31,\'cb\'7F)");
    EXPECT_EQ(cText::Str2RtfStr("", escaped), "");
    EXPECT_FALSE(escaped);
}

TEST(cTextEscape, RoundTripsEveryCharacter) {
    std::string all;
    for (int c = 0; c < 128; ++c) all += static_cast<char>(c);
    all += "\x80\xFF";
    for (int lead = 0x81; lead <= 0xFE; lead += 5)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (trail != 0x7F) all += {static_cast<char>(lead), static_cast<char>(trail), 'x'};
    // Lead bytes followed by each byte that cannot trail them, and one at the very end.
    for (int next = 0; next <= 0xFF; ++next)
        if (!IsGbkTrailByte(static_cast<uint8_t>(next))) all += {'\xCB', static_cast<char>(next)};
    all += "\xCB";
    bool escaped = false;
    const std::string escapedText = cText::Str2RtfStr(all, escaped);
    int32_t taken = 0;
    bool ok = false;
    EXPECT_EQ(cText::RtfStr2Str(escapedText, taken, ok), all);
    EXPECT_TRUE(ok);
    EXPECT_EQ(taken, static_cast<int32_t>(escapedText.size()));
}

TEST(cTextEscape, StrToASC) {
    EXPECT_EQ(cText::StrToASC("a\tb\r\nc\xCB\xCE\\{}\r\x80"), "a\\TAB b\\par c\\'cb\\'ce\\{}\r\x80");
}

}  // namespace
}  // namespace tessaly
