#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "MarkHelp.h"
#include "MarkList.h"
#include "text/Cp936.h"

namespace tavolin {
namespace {

TEST(MarkHelp, KeysAndKeptTexts) {
    const struct {
        std::u16string entry, key;
    } keys[] = {
        {u"弧线起点2     ", u"弧线起点"}, {u"弧线起点      ", u"弧线起点"}, {u"弧线落点1     ", u"弧线落点"},
        {u"C 调       ", u"C 调"},        {u"D.C.alCoda", u"D.C.alCoda"},   {u"          ", u""},
        {std::u16string(10, u'\0'), u""},
    };
    for (const auto& row : keys) EXPECT_EQ(row.key, HelpKey(row.entry));

    EXPECT_EQ(u"一行 两行  三行", HelpText(u"一行\n两行\r\n三行"));
    // 300 bytes: 150 Chinese characters keep 127 (254 bytes); an odd byte left is not split.
    EXPECT_EQ(std::u16string(127, u'音'), HelpText(std::u16string(150, u'音')));
    EXPECT_EQ(u"a" + std::u16string(126, u'音'), HelpText(u"a" + std::u16string(150, u'音')));
    EXPECT_EQ(std::u16string(254, u'x'), HelpText(std::u16string(300, u'x')));
}

// The shipped texts: one line for every named mark under its key, each fitting the box in GBK.
TEST(MarkHelp, EveryNamedMarkHasAText) {
    std::ifstream in(JP_HELP_SOURCE);
    ASSERT_TRUE(in);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ("[说明]", line);
    std::map<std::u16string, std::string> texts;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        ASSERT_NE(std::string::npos, eq) << line;
        const auto key = tessaly::Utf8ToUtf16(line.substr(0, eq));
        const auto gbk = tessaly::Utf16ToCp936(tessaly::Utf8ToUtf16(line.substr(eq + 1)).value_or(u""));
        ASSERT_TRUE(key && gbk) << line;
        EXPECT_LT(gbk->size(), kHelpTextBytes) << line;
        EXPECT_TRUE(texts.emplace(*key, line).second) << line;
    }
    size_t named = 0;
    for (int32_t code = 1; code <= 180; ++code) {
        const std::u16string key = HelpKey(PaddedMarkName(code));
        if (key.empty()) continue;
        ++named;
        EXPECT_TRUE(texts.count(key)) << code;
    }
    EXPECT_EQ(named, texts.size());
}

}  // namespace
}  // namespace tavolin
