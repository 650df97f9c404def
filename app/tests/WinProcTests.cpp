#include <gtest/gtest.h>

#include "WinProc.h"

namespace tavolin {
namespace {

TEST(WinProc, WordHalves) {
    EXPECT_EQ(-120, GetHiWord(static_cast<int32_t>(0xFF880000)));
    EXPECT_EQ(120, GetHiWord(0x00780000));
    EXPECT_EQ(65535, GetLoWord(0x1FFFF));
    EXPECT_EQ(-1, GetLoWord(-1));
}

TEST(WinProc, SwapColorBytesPutsAlphaOnTopOfRedGreenBlue) {
    EXPECT_EQ(static_cast<int32_t>(0xFF0000FF), SwapColorBytes(255, 0x00FF0000));
    EXPECT_EQ(0x00FF0000, SwapColorBytes(0, 0x000000FF));
    EXPECT_EQ(0x00FF0000, SwapColorBytes(0, static_cast<int32_t>(0x7F0000FF)));  // the colour's top byte goes
}

TEST(WinProc, NumKeyFilter) {
    struct Row {
        int16_t key;
        const wchar_t* text;
        int16_t kept;
    } rows[] = {{'.', L"1.5", 0}, {'.', L"15", '.'}, {'a', L"", 0}, {8, L"1.5", 8},
                {'0', L"", '0'},  {'9', L"1", '9'},  {'-', L"", 0}};
    for (const auto& r : rows) EXPECT_EQ(r.kept, NumKeyFilter(r.key, r.text)) << r.key << " " << r.text;
}

TEST(WinProc, FontSizeNamesBothWays) {
    struct Row {
        float size;
        const wchar_t* name;
    } rows[] = {{41.6F, L"初号"}, {10.5F, L"五号"}, {11, L""},       {12, L"小四"}, {7.5F, L"六号"},
                {6.5F, L"小六"},  {42, L"初号"},    {9, L"小五"},    {10.4F, L""},  {8.5F, L""},
                {15.5F, L"三号"}, {14.5F, L"四号"}, {16.5F, L"三号"}};
    for (const auto& r : rows) EXPECT_EQ(r.name, FontSizeName(r.size)) << r.size;
    EXPECT_EQ(24, FontSizeValue(L"小一"));
    EXPECT_EQ(22, FontSizeValue(L"二号"));
    EXPECT_EQ(10.5F, FontSizeValue(L"五号"));
    EXPECT_EQ(11, FontSizeValue(L"11"));
    EXPECT_EQ(0, FontSizeValue(L"大号"));
    EXPECT_EQ(12.5F, FontSizeValue(L"12.5磅"));
}

// Every character of the typed-mark table, and neighbours that stay characters.
TEST(WinProc, TypedMarkTable) {
    struct Row {
        int key, mark;
    } rows[] = {{'(', 179}, {')', 180}, {'+', 67}, {'-', 88}, {'.', 66}, {'=', 154}, {'C', 55},
                {'D', 56},  {'E', 57},  {'F', 58}, {'G', 59}, {'A', 60}, {'B', 61},  {'X', 65},
                {'|', 39},  {'c', 0},   {'x', 0},  {'H', 0},  {'1', 0},  {'*', 0},   {0, 0}};
    for (const auto& r : rows) EXPECT_EQ(r.mark, TypedMarkCode(r.key)) << static_cast<char>(r.key);
}

TEST(WinProc, CommandLinePath) {
    struct Row {
        const wchar_t* args;
        const wchar_t* path;  // null: nothing opened
    } rows[] = {
        {L"\"C:\\歌曲\\a.DaDur\"", L"C:\\歌曲\\a.DaDur"},
        {L"C:\\a.DaDur", L"C:\\a.DaDur"},  // unquoted: used whole
        {L"\"C:\\a b.DaDur\" ", L"C:\\a b.DaDur"},
        {L"\"C:\\a.DaDur", L"\"C:\\a.DaDur"},  // one quote: not stripped
        {L"", nullptr},
        {L"x", nullptr},
        {L"\"\"", nullptr},
        {L"   ", nullptr},
        {L"ab", L"ab"},
    };
    for (const auto& r : rows) {
        auto path = CommandLinePath(r.args);
        if (!r.path) {
            EXPECT_FALSE(path) << r.args;
        } else {
            ASSERT_TRUE(path) << r.args;
            EXPECT_EQ(r.path, *path);
        }
    }
}

}  // namespace
}  // namespace tavolin
