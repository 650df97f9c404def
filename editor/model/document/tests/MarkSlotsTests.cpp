#include <gtest/gtest.h>

#include <cstring>

#include "DocumentBuilder.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/mGeneral.h"

namespace notaline {
namespace {

using test::SetMark;
using test::SetWords;

TEST(PackedValues, HalvesKeepTheirSigns) {
    EXPECT_EQ(12, GetLoWord(0x1000C));
    EXPECT_EQ(1, GetHiWord(0x1000C));
    EXPECT_EQ(-1, GetLoWord(-1));
    EXPECT_EQ(-1, GetHiWord(-1));
    EXPECT_EQ(14, GetLoWord(0x10000E));
    EXPECT_EQ(16, GetHiWord(0x10000E));
    // A negative value keeps the sign in its low half and floors its high half.
    EXPECT_EQ(-5, GetLoWord(-2 * 65536 - 5));
    EXPECT_EQ(-3, GetHiWord(-2 * 65536 - 5));
    EXPECT_EQ(65535, GetLoWord(0x7FFFFFFF));
    EXPECT_EQ(32767, GetHiWord(0x7FFFFFFF));
    EXPECT_EQ(0, GetLoWord(INT32_MIN));
    EXPECT_EQ(-32768, GetHiWord(INT32_MIN));
}

TEST(MarkSlots, FreeSlotsFillGapsFirst) {
    EditorData d;
    SetWords(d, "12|");
    SetMark(d, 0, 0, 1);
    SetMark(d, 0, 1, 17);
    SetMark(d, 0, 3, 18);
    EXPECT_EQ(2, GetFreeExtralSlot(d, 0));
    EXPECT_EQ(0, GetFreeExtralSlot(d, 1));
    for (int s = 0; s < kSlotCount; ++s) SetMark(d, 1, s, 20 + s);
    EXPECT_EQ(-1, GetFreeExtralSlot(d, 1));

    // Code 0 addresses the first free slot: the new mark lands in the gap.
    tessaly::aExtralWordInfo mark{68, 12, 1, {}};
    SetExtralWordInfo(d, 0, 0, mark);
    EXPECT_EQ(68, d.WordInfo[0].ExtralWordInfo[2].IndexType);
    EXPECT_EQ(4, GetFreeExtralSlot(d, 0));
    // A full character takes nothing.
    SetExtralWordInfo(d, 1, 0, mark);
    for (int s = 0; s < kSlotCount; ++s) EXPECT_EQ(20 + s, d.WordInfo[1].ExtralWordInfo[s].IndexType);
}

TEST(MarkSlots, LookupsSeeTheFirstMatchOnly) {
    EditorData d;
    SetWords(d, "1|");
    SetMark(d, 0, 2, 17, 5, 6);
    SetMark(d, 0, 5, 17, 7, 8);
    const auto found = GetExtralWordInfo(d, 0, 17);
    EXPECT_EQ(5, found.ExtralWordVal1);
    EXPECT_EQ(6, found.ExtralWordVal2);

    SetExtralWordInfo(d, 0, 17, {17, 9, 10, {}});
    EXPECT_EQ(9, d.WordInfo[0].ExtralWordInfo[2].ExtralWordVal1);
    EXPECT_EQ(7, d.WordInfo[0].ExtralWordInfo[5].ExtralWordVal1);

    // A code the character does not carry: zeros, and writing it changes nothing.
    const auto missing = GetExtralWordInfo(d, 0, 99);
    EXPECT_EQ(0, missing.IndexType);
    EXPECT_EQ(0, missing.ExtralWordVal1);
    EXPECT_EQ(0, missing.ExtralWordVal2);
    const auto before = d.WordInfo[0];
    SetExtralWordInfo(d, 0, 99, {99, 1, 1, {}});
    EXPECT_EQ(0, std::memcmp(&before, &d.WordInfo[0], sizeof before));
    EXPECT_TRUE(HasExtralType(d, 0, 17));
    EXPECT_FALSE(HasExtralType(d, 0, 99));
}

TEST(MarkSlots, TextsAreCutAtWholeCharactersWithinSixteenBytesAndReadWithoutZeros) {
    EditorData d;
    SetWords(d, "1|");
    SetExtralWordVal3(d, 0, 1, "ABCDEFGHIJKLMNOPQ");  // 17 bytes
    EXPECT_EQ("ABCDEFGHIJKLMNOP", GetExtralWordVal3(d, 0, 1));

    // Eight double-byte characters and a lead byte: the eight fill the field.
    const std::string chinese = "\xB5\xDA\xD2\xBB\xB6\xCE\xB5\xDA\xB6\xFE\xB6\xCE\xB5\xDA\xC8\xFD\xB6";
    SetExtralWordVal3(d, 0, 1, chinese);
    EXPECT_EQ(chinese.substr(0, 16), GetExtralWordVal3(d, 0, 1));
    // A digit before them: the cut falls before the character that would be split.
    SetExtralWordVal3(d, 0, 1, std::string("1").append(chinese));
    EXPECT_EQ(std::string("1").append(chinese, 0, 14), GetExtralWordVal3(d, 0, 1));
    EXPECT_EQ(0, d.WordInfo[0].ExtralWordInfo[1].ExtralWordVal3[15]);

    SetExtralWordVal3(d, 0, 1, "");
    EXPECT_EQ("", GetExtralWordVal3(d, 0, 1));
    for (uint8_t b : d.WordInfo[0].ExtralWordInfo[1].ExtralWordVal3) EXPECT_EQ(0, b);

    // Zeros inside the field are dropped, not treated as the end.
    d.WordInfo[0].EditMark(1, [](tessaly::aExtralWordInfo& s) {
        s.ExtralWordVal3[0] = 'a';
        s.ExtralWordVal3[3] = 'b';
    });
    EXPECT_EQ("ab", GetExtralWordVal3(d, 0, 1));

    SetMark(d, 0, 1, 37, 4, 5);
    ClearExtralWordInfo(d, 0, 1);
    const auto& cleared = d.WordInfo[0].ExtralWordInfo[1];
    EXPECT_EQ(0, cleared.IndexType);
    EXPECT_EQ(0, cleared.ExtralWordVal1);
    EXPECT_EQ(0, cleared.ExtralWordVal2);
    EXPECT_EQ("", GetExtralWordVal3(d, 0, 1));
}

TEST(MarkSlots, PartnersNeedCodeAndPairNumberWithinTheRange) {
    EditorData d;
    SetWords(d, "1234567|");
    SetMark(d, 0, 0, 72, 0, 1);
    SetMark(d, 2, 1, 75, 0, 1);  // same pair number, another kind of pair
    SetMark(d, 3, 0, 73, 0, 2);  // same code, another pair
    SetMark(d, 4, 3, 73, 0, 1);  // the partner
    SetMark(d, 6, 0, 73, 0, 1);  // a later pair reusing the number

    const SlotRef end = FindPairSlot(d, 1, 6, 73, 1);
    EXPECT_EQ(4, end.Word);
    EXPECT_EQ(3, end.Slot);
    EXPECT_EQ(-1, FindPairSlot(d, 1, 3, 73, 1).Word);    // bounded before the partner
    const SlotRef start = FindPairSlot(d, 3, 0, 72, 1);  // backwards
    EXPECT_EQ(0, start.Word);
    EXPECT_EQ(0, start.Slot);
    EXPECT_EQ(6, FindPairSlot(d, 6, 5, 73, 1).Word);  // backwards finds the nearest first
    EXPECT_EQ(-1, FindPairSlot(d, 0, 40, 74, 1).Word);
    EXPECT_EQ(4, FindPairSlot(d, -5, INT32_MAX, 73, 1).Word);  // ranges end at the document's ends
}

TEST(MarkCodes, NamesAndPairs) {
    EXPECT_EQ("倚音", MarkNameOf(kMarkGraceNote));
    EXPECT_EQ("延长号", MarkNameOf(1));
    EXPECT_EQ("简谱右括号）", MarkNameOf(180));
    EXPECT_EQ("", MarkNameOf(127));
    EXPECT_EQ(nullptr, kMarks[127].Name);
    ASSERT_NE(nullptr, kMarks[162].Name);  // 162 has an empty name, not none
    EXPECT_EQ("", MarkNameOf(162));
    EXPECT_EQ("", MarkNameOf(181));
    for (size_t i = 0; i < kMarks.size(); ++i) EXPECT_EQ(static_cast<int32_t>(i), kMarks[i].Code);

    for (int32_t s : {72, 74, 89, 91, 121, 144, 146, 148, 150, 152}) {
        EXPECT_TRUE(IsPairStartCode(s));
        EXPECT_TRUE(IsPairEndCode(s + 1));
        EXPECT_FALSE(IsPairEndCode(s));
    }
    EXPECT_FALSE(IsPairStartCode(87));
    EXPECT_FALSE(IsPairEndCode(88));
}

}  // namespace
}  // namespace notaline
