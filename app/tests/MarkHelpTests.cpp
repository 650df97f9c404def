#include <gtest/gtest.h>

#include "MarkHelp.h"

namespace tavolin {
namespace {

TEST(MarkHelp, KeysAndKeptTexts) {
    const struct {
        std::u16string entry, key;
    } keys[] = {
        {u"弧线起点2     ", u"弧线起点"},
        {u"弧线起点      ", u"弧线起点"},
        {u"弧线落点1     ", u"弧线落点"},
        {u"C 调       ", u"C 调"},
        {u"D.C.alCoda", u"D.C.alCoda"},
        {u"          ", u""},
        {std::u16string(10, u'\0'), u""},
    };
    for (const auto& row : keys) EXPECT_EQ(row.key, HelpKey(row.entry));

    EXPECT_EQ(u"一行 两行  三行", HelpText(u"一行\n两行\r\n三行"));
    // 300 bytes: 150 Chinese characters keep 127 (254 bytes); an odd byte left is not split.
    EXPECT_EQ(std::u16string(127, u'音'), HelpText(std::u16string(150, u'音')));
    EXPECT_EQ(u"a" + std::u16string(126, u'音'), HelpText(u"a" + std::u16string(150, u'音')));
    EXPECT_EQ(std::u16string(254, u'x'), HelpText(std::u16string(300, u'x')));
}

}  // namespace
}  // namespace tavolin
