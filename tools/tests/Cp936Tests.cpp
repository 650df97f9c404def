#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/Cp936.h"

namespace tessaly {
namespace {

using namespace std::string_literals;

TEST(Cp936, ConvertsBothWays) {
    EXPECT_EQ(Utf16ToCp936(u"宋体"), "\xCB\xCE\xCC\xE5"s);
    EXPECT_EQ(Cp936ToUtf16("\xCB\xCE\xCC\xE5"), u"宋体");
    const std::u16string title = u"写简谱用Tavolin";
    const auto gbk = Utf16ToCp936(title);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(gbk->size(), 4 * 2 + 7u);
    EXPECT_EQ(Cp936ToUtf16(*gbk), title);
    EXPECT_EQ(Cp936ToUtf16(""), u"");
    EXPECT_EQ(Utf16ToCp936(u""), "");
    EXPECT_EQ(Cp936ToUtf16("a\0b"s), u"a\0b"s);
    EXPECT_EQ(Cp936ToUtf16("\x80"), u"\u20AC");      // the one single-byte character above 127
    EXPECT_EQ(Cp936ToUtf16("\x81\x5C"), u"\u4E57");  // trail byte 0x5C
}

TEST(Cp936, RefusesInvalidText) {
    EXPECT_EQ(Cp936ToUtf16("\xCB"), std::nullopt);       // lone lead byte
    EXPECT_EQ(Cp936ToUtf16("ab\xCB"), std::nullopt);     // trailing lead byte
    EXPECT_EQ(Cp936ToUtf16("\xCB\x20x"), std::nullopt);  // bad trail byte
    EXPECT_EQ(Utf16ToCp936(u"한"), std::nullopt);        // not in the code page
    EXPECT_EQ(Utf16ToCp936(u"À"), std::nullopt);         // no best-fit "A"
    EXPECT_EQ(Utf16ToCp936(u"\U0001F600"), std::nullopt);
    EXPECT_EQ(Utf16ToCp936(std::u16string(1, char16_t(0xD800))), std::nullopt);
}

TEST(Cp936, ReplacesOnlyTheInvalidCharactersWhenAsked) {
    EXPECT_EQ(Cp936ToUtf16Replacing("\xCB\xCE\x61"), u"宋a");
    EXPECT_EQ(Cp936ToUtf16Replacing("ab\xCB"), u"ab\uFFFD");  // cut lead byte at the end
    EXPECT_EQ(Cp936ToUtf16Replacing("\xFF\x61\xCB\xCE"), u"\uFFFDa宋");
}

TEST(Cp936, SplitsIntoCharacters) {
    const std::vector<std::string_view> chars = SplitGbkChars("a\xCB\xCE\x81\x5C\xCB\x20\xCB");
    const std::vector<std::string_view> expected = {"a", "\xCB\xCE", "\x81\x5C", "\xCB", " ", "\xCB"};
    EXPECT_EQ(chars, expected);
    EXPECT_EQ(GbkCharLength("\xCB\x7F", 0), 1u);
    EXPECT_EQ(GbkCharLength("\xFE\xFE", 0), 2u);
    EXPECT_EQ(GbkCharLength("\xFF\xA1", 0), 1u);
    EXPECT_EQ(GbkCharLength("a", 1), 0u);
}

TEST(Cp936, CharacterCodes) {
    EXPECT_EQ(WdAscFromGbk("\xCB\xCE"), -13362);
    EXPECT_EQ(WdAscFromGbk("-"), 45);
    EXPECT_EQ(WdAscFromGbk("\x80"), 128);
    EXPECT_EQ(WdAscFromGbk(""), std::nullopt);
    EXPECT_EQ(WdAscFromGbk("ab"), std::nullopt);
    EXPECT_EQ(WdAscFromGbk("\xCB\xCE\xCC"), std::nullopt);

    EXPECT_EQ(GbkFromWdAsc(-13362), "\xCB\xCE"s);
    EXPECT_EQ(GbkFromWdAsc(0), "\0"s);
    EXPECT_EQ(GbkFromWdAsc(255), "\xFF"s);
    EXPECT_EQ(GbkFromWdAsc(300), std::nullopt);
    EXPECT_EQ(GbkFromWdAsc(static_cast<int16_t>(0x8041)), std::nullopt);  // 0x80 leads nothing
    EXPECT_EQ(GbkFromWdAsc(static_cast<int16_t>(0xCB20)), std::nullopt);  // bad trail

    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
            const auto code = WdAscFromGbk(ch);
            ASSERT_TRUE(code && *code < 0);
            ASSERT_EQ(GbkFromWdAsc(*code), ch);
        }
}

TEST(Cp936, FixedFieldsHoldWholeCharactersOnly) {
    EXPECT_EQ(FittingLength("a\xCB\xCE", 2), 1u);  // never half of 宋
    EXPECT_EQ(FittingLength("a\xCB\xCE", 3), 3u);
    EXPECT_EQ(FittingLength("\xCB\x31", 1), 1u);  // a lone lead byte is a character of its own
    uint8_t field[3] = {1, 2, 3};
    FillTextField(field, "b\xCB\xCE");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 3), "b\xCB\xCE");
    FillTextField(field, "ab\xCB\xCE");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 3), "ab\0"s);
}

TEST(Cp936, Utf8Helpers) {
    EXPECT_EQ(Utf8ToUtf16("宋a"), u"宋a");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600宋"), "\xF0\x9F\x98\x80宋");
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), std::nullopt);          // overlong
    EXPECT_EQ(Utf8ToUtf16("\xE5\xAE"), std::nullopt);          // truncated
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), std::nullopt);      // surrogate
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), std::nullopt);  // above U+10FFFF
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), std::nullopt);
}

}  // namespace
}  // namespace tessaly
