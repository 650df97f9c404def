#include <gtest/gtest.h>

#include "control/ContextMenuItems.h"

namespace notaline {
namespace {

TEST(ContextMenuItems, TheTypingLayoutGreysWhatCannotBeDone) {
    MenuFacts f;
    f.State = tessaly::GcState;
    f.CanRedo = f.CanPaste = true;
    const MenuItems items = ContextMenuLayout(f);
    EXPECT_EQ("接受简谱输入", items[0].Text);
    EXPECT_TRUE(items[1].Separator && items[4].Separator && items[10].Separator && items[13].Separator);
    EXPECT_EQ((MenuItem{false, "撤销(&U)", false}), items[2]);
    EXPECT_EQ((MenuItem{false, "重做(&R)", true}), items[3]);
    EXPECT_EQ((MenuItem{false, "全选(&A)", true}), items[5]);
    EXPECT_FALSE(items[6].Enabled || items[7].Enabled || items[9].Enabled);
    EXPECT_EQ((MenuItem{false, "粘贴(&P)", true}), items[8]);
    // No source line: said so, and nothing to cancel.
    EXPECT_EQ((MenuItem{false, "词谱对齐源行：无", true}), items[11]);
    EXPECT_EQ((MenuItem{false, "取消源行", false}), items[12]);
    EXPECT_EQ("自定义附加符...", items[14].Text);
    f.State = tessaly::JpState;
    f.SourceLine = 12;
    const MenuItems notation = ContextMenuLayout(f);
    EXPECT_EQ("接受歌词输入", notation[0].Text);
    EXPECT_EQ("词谱对齐源行：12", notation[11].Text);
    EXPECT_TRUE(notation[12].Enabled);
}

TEST(ContextMenuItems, TheItemLayoutTurnsSeparatorsIntoItemKindsAndGreysColourWithoutAFocus) {
    MenuFacts f;
    f.State = tessaly::LpxState;
    f.CanUndo = f.CanCopy = f.CanCut = f.CanDel = true;
    MenuItems items = ContextMenuLayout(f);
    const char* kinds[] = {"连谱线", "直连谱号", "辅助连谱号", "花连谱号/左", "花连谱号/右"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ((MenuItem{false, kinds[i], true}), items[static_cast<size_t>(i)]);
    EXPECT_TRUE(items[5].Separator && items[8].Separator && items[13].Separator);
    EXPECT_EQ((MenuItem{false, "撤销(&U)", true}), items[6]);
    EXPECT_EQ((MenuItem{false, "重做(&R)", false}), items[7]);
    EXPECT_EQ((MenuItem{false, "粘贴(&P)", false}), items[11]);
    EXPECT_EQ((MenuItem{false, "删除(&D)", true}), items[12]);
    EXPECT_EQ((MenuItem{false, "颜色", false}), items[14]);
    f.ItemFocused = true;
    EXPECT_TRUE(ContextMenuLayout(f)[14].Enabled);
}

}  // namespace
}  // namespace notaline
