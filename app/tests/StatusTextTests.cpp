#include <gtest/gtest.h>

#include "CommandRouter.h"
#include "FormTable.h"
#include "MenuTable.h"
#include "StatusText.h"

namespace tavolin {
namespace {

TEST(StatusText, PanelsFromTheRecord) {
    tessaly::aSendMsg s;
    s.SelStart = 12;
    s.CurrentLine = 3;
    s.SelLength = -2;
    s.SelFontSize = 12;
    s.ShowWordSpace = 10;
    s.PartLineSpace = 40;
    s.PageCount = 2;
    s.Pro = 1.25F;
    s.cInputState = tessaly::GcState;
    const StatusTexts t = FormatStatus(s, 96);
    EXPECT_EQ(L"  位置：12  当前行：3  选中：-2  ", t.position);
    EXPECT_EQ(L"  字号：12  字距：3.8 毫米", t.font);
    EXPECT_EQ(L"  行距：40  ", t.lineSpace);
    EXPECT_EQ(L"  总页：2  ", t.pages);
    EXPECT_EQ(L"   歌词输入模式   ", t.mode);
    EXPECT_EQ(L" 缩放：1.25", t.scale);
    s.cInputState = static_cast<tessaly::InputState>(7);
    s.Pro = 1;
    EXPECT_FALSE(FormatStatus(s, 96).mode);
    EXPECT_EQ(L" 缩放：1", FormatStatus(s, 96).scale);
    EXPECT_EQ(L"进度 37%", ProgressText(37));
    EXPECT_EQ(L"11", SizeBoxText(11));
    EXPECT_EQ(L"10.25", SizeBoxText(10.25F));
    EXPECT_EQ(L"五号", SizeBoxText(10.5F));
}

// The top panel's group tips fall on their groups: every button of a group lies in its range.
TEST(FormTable, ButtonGroupsLieInTheirTipRanges) {
    struct Range {
        int from, to;
        const char* name;
        std::vector<int> indexes;
    } ranges[] = {{0, 1200, "CmdFormatYc", {0, 1, 2, 3}},
                  {1200, 3060, "CmdFormatYg", {0, 1, 2, 3, 4, 5, 6}},
                  {3060, 4560, "MunButton", {0, 20, 9, 28, 29, 30, 27, 23}},
                  {4560, 6300, "MunButton", {1, 2, 3, 24, 25, 36, 14}},
                  {6500, 7765, "MunButton", {11, 31, 16, 17}},
                  {7765, 9400, "MunButton", {4, 5, 6}},
                  {9420, 12510, "MunButton", {7, 8, 10, 12, 13, 15, 18, 19, 21, 22, 26, 32, 33, 34, 35}},
                  {12510, 14220, "CmdFoamatDq", {0, 1, 2, 3, 4, 5}}};
    int seen = 0;
    for (const auto& r : ranges)
        for (int i : r.indexes) {
            const FormControl* c = FindControl(r.name, i);
            ASSERT_TRUE(c) << r.name << i;
            EXPECT_GE(c->left, r.from) << r.name << i;
            EXPECT_LE(c->left + c->width, r.to) << r.name << i;
            EXPECT_STREQ("TopFaceFrame", c->container);
            ++seen;
        }
    EXPECT_EQ(54, seen);
    int buttons = 0;
    for (const auto& c : FormControls()) buttons += c.kind == ControlKind::Button;
    EXPECT_EQ(70, buttons);
}

TEST(MenuTable, ItemsAreUniqueAndShortcutsParse) {
    const auto items = MenuItems();
    for (size_t i = 0; i < items.size(); ++i) {
        if (!*items[i].name) continue;
        EXPECT_EQ(static_cast<int>(i), FindMenuItem(items[i].name, items[i].index)) << items[i].name;
        if (*items[i].parent) {
            EXPECT_GE(FindMenuItem(items[i].parent, -1), 0) << items[i].parent;
        }
    }
    EXPECT_EQ(12, MenuItems()[FindMenuItem("GFHuHao", 12)].index);
    const ShortcutKey n = ParseShortcut(L"Ctrl+N"), del = ParseShortcut(L"Del"), none = ParseShortcut(nullptr);
    EXPECT_TRUE(n.ctrl && n.key == 'N');
    EXPECT_TRUE(!del.ctrl && del.key == 0x2E);
    EXPECT_EQ(0, none.key);
}

TEST(CommandRouter, RowsForOneIndexWinOverTheArray) {
    CommandRouter r;
    std::vector<int> ran;
    r.AddArray("YG", [&](int i) { ran.push_back(i); });
    r.Add(
        "YG", [&](int i) { ran.push_back(100 + i); }, 2);
    r.Add("OpenFile", [&](int i) { ran.push_back(i); });
    EXPECT_TRUE(r.Run("YG", 0));
    EXPECT_TRUE(r.Run("YG", 2));
    EXPECT_TRUE(r.Run("OpenFile", -1));
    EXPECT_FALSE(r.Run("OpenFile", 0));
    EXPECT_FALSE(r.Run("YG", -1));
    EXPECT_FALSE(r.Has("SaveFile", -1));
    EXPECT_EQ((std::vector<int>{0, 102, -1}), ran);
}

}  // namespace
}  // namespace tavolin
