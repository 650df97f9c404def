#include <gtest/gtest.h>

#include "render/StdFontObject_win.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

TEST(StdFontObject, AttributesGoThroughTheFontObjectAndBack) {
    StdFontInfo font;
    font.FaceName = *tessaly::Utf16ToCp936(u"宋体");
    font.Size = 10.5f;
    font.Bold = true;
    font.Underline = true;
    font.Charset = 134;
    const auto object = MakeStdFont(font);
    ASSERT_TRUE(object);
    const auto back = StdFontInfoOf(object.Get());
    ASSERT_TRUE(back);
    EXPECT_EQ(font.FaceName, back->FaceName);
    EXPECT_EQ(10.5f, back->Size);
    EXPECT_TRUE(back->Bold);
    EXPECT_FALSE(back->Italic);
    EXPECT_TRUE(back->Underline);
    EXPECT_FALSE(back->Strikethrough);
    EXPECT_EQ(134, back->Charset);
}

TEST(StdFontObject, BadDescriptionsMakeNoObject) {
    StdFontInfo font{"Arial", 0};
    EXPECT_FALSE(MakeStdFont(font));
    const StdFontInfo loneLeadByte{std::string(1, '\xB0'), 12};
    EXPECT_FALSE(MakeStdFont(loneLeadByte));
    EXPECT_FALSE(StdFontInfoOf(nullptr));
}

}  // namespace
}  // namespace notaline
