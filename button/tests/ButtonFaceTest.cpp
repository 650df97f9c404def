#include <gtest/gtest.h>

#include <cwchar>
#include <iterator>
#include <set>
#include <string>
#include <tuple>

#include "ButtonFace.h"

using namespace kavrel;

namespace {

std::wstring Describe(const std::vector<FaceStep>& steps) {
    std::wstring out;
    for (const auto& s : steps) {
        wchar_t buf[64];
        switch (s.kind) {
            case FaceStep::Fill: std::swprintf(buf, 64, L"fill %08X;", s.argb); break;
            case FaceStep::Image: std::swprintf(buf, 64, L"%ls %d;", s.type, s.id); break;
            case FaceStep::ColourBar: std::swprintf(buf, 64, L"bar %08X;", s.argb); break;
        }
        out += buf;
    }
    return out;
}

const FaceColours kColours{0x00C8D0D4, 0x000000FF, static_cast<int32_t>(0xFFD4D0C8)};

}  // namespace

TEST(RGBtoARGB, PutsAlphaOnTopAndSwapsRedAndBlue) {
    EXPECT_EQ(RGBtoARGB(255, 0x00332211), static_cast<int32_t>(0xFF112233));
    EXPECT_EQ(RGBtoARGB(0, 0x00332211), 0x00112233);
    // From 128 up the value is negative with the same bits.
    EXPECT_LT(RGBtoARGB(128, 0), 0);
    EXPECT_EQ(static_cast<uint32_t>(RGBtoARGB(128, 0x00FFFFFF)), 0x80FFFFFFu);
    // Whatever stands in the top byte of the RGB value is not carried over.
    EXPECT_EQ(RGBtoARGB(1, static_cast<int32_t>(0xAA010203)), 0x01030201);
}

TEST(PlanFace, SmallTypesShowTheBackColourOrTheirHoverAndPressedBackgrounds) {
    EXPECT_EQ(Describe(PlanFace(Pic_Yc, kNormal, 2, kColours)), L"fill FFD4D0C8;FORMAT_YC 102;");
    EXPECT_EQ(Describe(PlanFace(Pic_Yc, kHover, 2, kColours)), L"FORMAT_BK 102;FORMAT_YC 102;");
    EXPECT_EQ(Describe(PlanFace(Pic_Yc, kPressed, 2, kColours)), L"FORMAT_BK 103;FORMAT_YC 102;");
    EXPECT_EQ(Describe(PlanFace(Pic_Yc, kDisabled, 2, kColours)), L"fill FFD4D0C8;FORMAT_YC 202;");
    EXPECT_EQ(Describe(PlanFace(Pic_Yg, kHover, 9, kColours)), L"FORMAT_BK 102;FORMAT_YG 109;");
    EXPECT_EQ(Describe(PlanFace(Pic_dq, kPressed, 6, kColours)), L"DQ_BK 103;DQ_BUT 106;");
    EXPECT_EQ(Describe(PlanFace(Pic_val, kHover, 8, kColours)), L"VAL_BK 102;VAL_BUT 108;");
    EXPECT_EQ(Describe(PlanFace(Pic_info, kDisabled, 3, kColours)), L"fill FFD4D0C8;INFO_BUT 203;");
    EXPECT_EQ(Describe(PlanFace(Pic_Font, kHover, 4, kColours)), L"FONT_BK 102;FONT_BUT 104;");
    // The symbol buttons borrow the value buttons' backgrounds; disabled, their symbol shows greyed.
    EXPECT_EQ(Describe(PlanFace(MunButtom, kHover, 37, kColours)), L"VAL_BK 102;MUNBUTTOM 137;");
    const auto disabled = PlanFace(MunButtom, kDisabled, 37, kColours);
    EXPECT_EQ(Describe(disabled), L"fill FFD4D0C8;MUNBUTTOM 237;");
    EXPECT_TRUE(HasImage(disabled[1].type, disabled[1].id));
}

TEST(PlanFace, WideTypesHaveABackgroundPerStateAndOneForeground) {
    EXPECT_EQ(Describe(PlanFace(Pic1_Yc, kNormal, 3, kColours)), L"fill FFD4D0C8;FORMAT1_BK 101;FORMAT1_YC 103;");
    EXPECT_EQ(Describe(PlanFace(Pic1_Yc, kHover, 3, kColours)), L"FORMAT1_BK 201;FORMAT1_YC 103;");
    EXPECT_EQ(Describe(PlanFace(Pic1_Yg, kPressed, 3, kColours)), L"FORMAT1_BK 301;FORMAT1_YG 103;");
    EXPECT_EQ(Describe(PlanFace(Pic1_Yg, kDisabled, 3, kColours)), L"FORMAT1_BK 401;FORMAT1_YG 103;");
}

TEST(PlanFace, ColourButtonsLookAlikeInEveryState) {
    // A plain RGB back colour has alpha 0, so the fill under it shows.
    for (int state = kNormal; state <= kDisabled; ++state) {
        EXPECT_EQ(Describe(PlanFace(Pic_BKColor, state, 1, kColours)), L"fill FFD4D0C8;fill 00C8D0D4;BKCOLOR_W 101;");
        EXPECT_EQ(Describe(PlanFace(Pic_FrColor, state, 1, kColours)), L"fill FFD4D0C8;FRCOLOR_A 101;bar FFFF0000;");
    }
}

TEST(PlanFace, ArcTypeTypesWithoutImagesAndUnknownStatesPlanNothing) {
    for (int type : {11, 12, 13, 0, 15, -1}) EXPECT_TRUE(PlanFace(type, kNormal, 1, kColours).empty()) << type;
    EXPECT_TRUE(PlanFace(Pic_Yc, 0, 1, kColours).empty());
    EXPECT_TRUE(PlanFace(Pic_Yc, 5, 1, kColours).empty());
}

TEST(ColourBarRect, SitsUnderTheLetterRoundedHalfToEven) {
    const Rect r = ColourBarRect(20, 32);
    EXPECT_EQ(r.x, 3);
    EXPECT_EQ(r.y, 21);
    EXPECT_EQ(r.width, 13);
    EXPECT_EQ(r.height, 5);
    const Rect half = ColourBarRect(15, 3);  // 2.5 -> 2, 10 exact, 0.5 -> 0
    EXPECT_EQ(half.x, 2);
    EXPECT_EQ(half.width, 10);
    EXPECT_EQ(half.height, 0);
}

// What the image script draws into the library: type, identifier and size of each picture.
struct Drawn {
    const wchar_t* type;
    int id, width, height;
};
const Drawn kDrawn[] = {
#include "ButtonImageList.inc"
};

TEST(ImageGroups, HoldEveryImageTheScriptDrawsAtItsSize) {
    using Image = std::tuple<std::wstring, int, int, int>;
    std::set<Image> table, drawn;
    size_t count = 0;
    for (const auto& g : ImageGroups()) {
        for (int id : g.ids) table.emplace(g.type, id, g.width, g.height);
        count += g.ids.size();
    }
    for (const auto& d : kDrawn) drawn.emplace(d.type, d.id, d.width, d.height);
    EXPECT_EQ(table, drawn);
    EXPECT_EQ(count, std::size(kDrawn));  // none listed twice
    EXPECT_TRUE(HasImage(L"MUNBUTTOM", 143));
    EXPECT_FALSE(HasImage(L"MUNBUTTOM", 144));
    EXPECT_TRUE(HasImage(L"FORMAT1_BK", 401));
    EXPECT_FALSE(HasImage(L"FORMAT1_BK", 102));
}

TEST(LargestIndex, EveryAcceptedIndexHasItsImagesAndTheNextHasNone) {
    for (int type = Pic1_Yc; type <= Pic_FrColor; ++type) {
        const auto largest = LargestIndex(type);
        ASSERT_TRUE(largest) << type;
        for (int index = 1; index <= *largest; ++index) {
            for (int state = kNormal; state <= kDisabled; ++state) {
                for (const auto& step : PlanFace(type, state, index, kColours)) {
                    if (step.kind != FaceStep::Image) continue;
                    EXPECT_TRUE(HasImage(step.type, step.id)) << type << " " << index << " " << state;
                }
            }
        }
        const auto past = PlanFace(type, kNormal, *largest + 1, kColours);
        if (type == Pic_BKColor || type == Pic_FrColor) continue;  // these draw their one image whatever the index
        EXPECT_FALSE(HasImage(past.back().type, past.back().id)) << type;
    }
    for (int type : {int(HuXian), int(nYc), int(nYg), int(MunButtom), 0}) EXPECT_FALSE(LargestIndex(type)) << type;
}

TEST(DesignSize, GivesEachImageTypeItsSizeAndLeavesTheOthers) {
    EXPECT_EQ(DesignSize(Pic1_Yg)->width, 975);
    EXPECT_EQ(DesignSize(Pic1_Yg)->height, 555);
    EXPECT_EQ(DesignSize(Pic_dq)->width, 360);
    EXPECT_EQ(DesignSize(Pic_val)->width, 600);
    EXPECT_EQ(DesignSize(Pic_info)->height, 360);
    EXPECT_EQ(DesignSize(Pic_FrColor)->width, 300);
    for (int type : {int(HuXian), int(nYc), int(nYg), int(MunButtom)}) EXPECT_FALSE(DesignSize(type)) << type;
}
