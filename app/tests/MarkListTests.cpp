#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "MarkList.h"

namespace tavolin {
namespace {

struct Facts : MarkFacts {
    int32_t canDelYY = 0;
    bool answer = false;  // every yes/no question
    int32_t selLength = 0;
    int32_t CanDelYY() const override { return canDelYY; }
    bool CanDelAreaInfo(int32_t) const override { return answer; }
    bool IsKhHuXianRight() const override { return answer; }
    bool IsKhLingYingRight() const override { return answer; }
    bool IsKHTFZRight() const override { return answer; }
    bool IsKfKhTFZRight() const override { return answer; }
    int32_t SelLength() const override { return selLength; }
};

// "8-15,24" → {8..15, 24}
std::vector<int> Codes(const std::string& list) {
    std::vector<int> codes;
    std::stringstream in(list);
    std::string part;
    while (std::getline(in, part, ',')) {
        const size_t dash = part.find('-');
        const int first = std::stoi(part);
        const int last = dash == std::string::npos ? first : std::stoi(part.substr(dash + 1));
        for (int c = first; c <= last; ++c) codes.push_back(c);
    }
    return codes;
}

// Every code 0-180 once: its mask with the editor answering no, then yes (grace note: CanDelYY
// 3, then 0; syllables: SelLength 0, then 2).
TEST(MarkList, ButtonMaskOfEveryCode) {
    const struct {
        const char* whenNo;
        const char* whenYes;
        const char* codes;
    } rows[] = {
        {"11111111", "11111111", "8-15,24-32,34,35,70,71,76-79,81-84,163-176"},
        {"11001111", "11001111", "2-7,17-21,36,85,94-102,111,112"},
        {"11110011", "11110011", "37,68,86,107-109,119,131,142"},
        {"11110001", "11110001", "16,33"},
        {"11000011", "11000011", "1,103,104,113-116,123,126"},
        {"11001101", "11001101", "117,118"},
        {"11000001", "11000001", "160,161"},
        {"00001101", "00001101", "22,23,39-53,55-61,63,64,80,105,106,129,140,141,177,178"},
        {"00000011", "00000011", "87"},
        {"00000001", "00000001", "54,65-67,69,88,93,124,125,130,132,143,145,154-158"},
        {"00000000", "00000000", "0,62,110,120,127,128,159,162,179,180"},
        {"00000000", "00000001", "38"},
        {"11000001", "11000011", "72,121,146,148,150"},
        {"11000011", "11110011", "74"},
        {"11000001", "11001111", "89,91"},
        {"00000001", "00000011", "144"},
        {"11110001", "11110011", "152"},
        {"00000001", "11000001", "73,122,147,149,151,75"},
        {"00000001", "11110011", "153"},
        {"00000001", "11001101", "90"},
        {"00000001", "11000011", "92"},
        {"11000011", "00000001", "133-139"},
    };
    Facts no;
    no.canDelYY = 3;
    Facts yes;
    yes.answer = true;
    yes.selLength = 2;
    std::map<int, int> seen;
    for (const auto& row : rows) {
        for (int code : Codes(row.codes)) {
            ++seen[code];
            EXPECT_EQ(row.whenNo, MaskText(SetExtralButtons(code, no))) << code;
            EXPECT_EQ(row.whenYes, MaskText(SetExtralButtons(code, yes))) << code;
        }
    }
    for (int code = 0; code <= 180; ++code) EXPECT_EQ(1, seen[code]) << code;
    Facts removable;
    removable.canDelYY = 2;
    EXPECT_EQ("11000011", MaskText(SetExtralButtons(38, removable)));
}

TEST(MarkList, NamesAreTenCharacters) {
    const struct {
        int code;
        std::u16string name;
    } rows[] = {
        {1, u"延长号       "},
        {11, u"D.S.反复目标记号"},
        {12, u"D.C.alCoda"},
        {13, u"D.C.alFine"},
        {127, std::u16string(10, u'\0')},
        {0, std::u16string(10, u'\0')},
        {162, u"          "},
        {55, u"C 调       "},
    };
    for (const auto& row : rows) EXPECT_EQ(row.name, PaddedMarkName(row.code)) << row.code;
    EXPECT_NE(u"延长号", PaddedMarkName(1));
    EXPECT_EQ(12, CodeOfEntry(u"D.C.alCoda"));
    EXPECT_EQ(72, CodeOfEntry(u"弧线起点2     "));
    EXPECT_EQ(73, CodeOfEntry(u"弧线落点1     "));
    EXPECT_EQ(0, CodeOfEntry(u""));
    EXPECT_EQ(0, CodeOfEntry(u"延长号"));
}

TEST(MarkList, EntriesKeepTheirSlots) {
    // Two arc starts and an arc end: the status update numbers both kinds, the panel starts only.
    const MarkList status = BuildMarkList({72, 0, 72, 73, 0, 0, 0, 0}, true);
    EXPECT_EQ((std::vector<std::u16string>{u"弧线起点1     ", u"弧线起点2     ", u"弧线落点1     "}), status.entries);
    EXPECT_EQ((std::vector<int8_t>{0, 2, 3}), status.slots);
    EXPECT_EQ(u"弧线落点      ", BuildMarkList({72, 0, 72, 73, 0, 0, 0, 0}, false).entries[2]);

    // A removed mark leaves its slot empty: the second entry is slot 3.
    const MarkList gaps = BuildMarkList({0, 24, 0, 1, 0, 0, 0, 0}, false);
    EXPECT_EQ((std::vector<int8_t>{1, 3}), gaps.slots);
    EXPECT_EQ((std::vector<int32_t>{24, 1}), gaps.codes);

    // Eight marks are all listed; blank names only by the panel's own rebuild.
    const std::array<int32_t, 8> full{1, 2, 3, 4, 5, 6, 7, 162};
    EXPECT_EQ(8u, BuildMarkList(full, false).entries.size());
    EXPECT_EQ(7u, BuildMarkList(full, true).entries.size());
    EXPECT_TRUE(BuildMarkList({}, true).entries.empty());
}

}  // namespace
}  // namespace tavolin
