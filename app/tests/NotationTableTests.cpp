#include <gtest/gtest.h>

#include <string>

#include "FormTable.h"
#include "MenuTable.h"
#include "NotationTable.h"

namespace tavolin {
namespace {

// Every range bound, its neighbours, and the overlaps and the gap between the ranges.
TEST(NotationTable, TopPanelTipsByRange) {
    const struct {
        int32_t x;
        const char16_t* tip;
    } rows[] = {
        // clang-format off
        {-1, u""},         {0, u"音长减时线"},      {1200, u"音长减时线"}, {1201, u"音高"},
        {3060, u"音高"},   {3061, u"简谱文件头相关"}, {4560, u"简谱文件头相关"}, {4561, u"小节相关"},
        {6300, u"小节相关"}, {6500, u"小节相关"},    {6501, u"强弱相关"},   {7765, u"强弱相关"},
        {7766, u"速度相关"}, {9400, u"速度相关"},    {9401, u""},           {9410, u""},
        {9419, u""},       {9420, u"其他"},         {12510, u"其他"},      {12511, u"对齐方式"},
        {14220, u"对齐方式"}, {14221, u""},
    };  // clang-format on
    for (const auto& r : rows) EXPECT_EQ(std::u16string_view(r.tip), TopPanelTip(r.x)) << r.x;
}

// Each row's source is a menu item or a button the form builds, and stands in the table once.
TEST(NotationTable, RowsNameBuiltSourcesOnce) {
    for (const NotationRow& row : NotationRows()) {
        const bool known = FindMenuItem(row.Menu, row.Index) >= 0 || FindControl(row.Menu, row.Index) != nullptr;
        EXPECT_TRUE(known) << row.Menu << " " << row.Index;
        EXPECT_EQ(&row, FindNotationRow(row.Menu, row.Index)) << row.Menu << " " << row.Index;
        if (row.Kind == NotationKind::Menu) {
            EXPECT_NE(nullptr, FindNotationRow(row.Target, row.Code)) << row.Index;
        }
    }
}

TEST(NotationTable, GraceValuesAndNumberBoxes) {
    EXPECT_EQ(31, GraceValue(-3));  // three made backward with Shift+Left
    EXPECT_EQ(21, GraceValue(2));
    const struct {
        const char16_t* answer;
        std::optional<int16_t> value;
    } boxes[] = {{u"16", 16}, {u"-32768", -32768}, {u"2.5abc", 2}, {u"abc", 0}, {u"32768", {}}, {u"-40000", {}}};
    for (const auto& b : boxes) EXPECT_EQ(b.value, BoxValue(b.answer));
}

}  // namespace
}  // namespace tavolin
