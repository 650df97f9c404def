#include <gtest/gtest.h>

#include "DialogFilter.h"
#include "FileNames.h"

namespace tessaly {
namespace {

TEST(FileNames, NameWithoutFolderAndExtension) {
    EXPECT_EQ(u"春天", FileNameNoExt(u"C:\\歌曲\\春天.DaDur"));
    EXPECT_EQ(u"readme", FileNameNoExt(u"readme"));
    EXPECT_EQ(u"a.b", FileNameNoExt(u"a.b.c"));
    EXPECT_EQ(u"", FileNameNoExt(u"C:\\歌曲\\.DaDur"));
    EXPECT_EQ(u"", FileNameNoExt(u""));
    EXPECT_EQ(u"曲", FileNameNoExt(u"C:\\v1.2\\曲"));  // a dot in a folder is no extension
    EXPECT_EQ(u"", FileNameNoExt(u"C:\\歌曲\\"));
}

TEST(FileNames, ExtensionWithItsDot) {
    EXPECT_EQ(u".DaDur", FileExtName(u"C:\\歌曲\\春天.DaDur"));
    EXPECT_EQ(u".txt", FileExtName(u"readme"));
    EXPECT_EQ(u".c", FileExtName(u"a.b.c"));
    EXPECT_EQ(u".", FileExtName(u"name."));
    EXPECT_EQ(u".2\\曲", FileExtName(u"C:\\v1.2\\曲"));  // the last dot of the whole path
}

TEST(FileNames, IniValuesAreCutToWholeCharactersOf254Bytes) {
    const std::u16string ascii(300, u'x');
    EXPECT_EQ(std::u16string(254, u'x'), CutToAnsiBytes(ascii, 254));
    const std::u16string chinese(150, u'曲');  // 300 bytes
    EXPECT_EQ(std::u16string(127, u'曲'), CutToAnsiBytes(chinese, 254));
    const std::u16string odd = u"x" + chinese;  // a character may not be split
    EXPECT_EQ(u"x" + std::u16string(126, u'曲'), CutToAnsiBytes(odd, 254));
    EXPECT_EQ(u"短值", CutToAnsiBytes(u"短值", 254));
    EXPECT_EQ(u"\U0001F3B5a", CutToAnsiBytes(u"\U0001F3B5ab", 2));  // no GBK form: one "?"
}

TEST(FileNames, BufferTextEndsAtTheFirstNul) {
    EXPECT_EQ(u"春天", UpToNul(std::u16string(u"春天\0\0\0", 5)));
    EXPECT_EQ(u"abc", UpToNul(u"abc"));
}

TEST(DialogFilter, SeparatorsBecomeNuls) {
    EXPECT_EQ(std::u16string(u"All (*.*)\0 *.*\0\0", 16), DialogFilter(u"All (*.*)| *.*"));
    EXPECT_EQ(std::u16string(u"a\0b\0c\0\0", 7), DialogFilter(u"a:b|c"));
    EXPECT_EQ(std::u16string(u"\0\0", 2), DialogFilter(u""));
}

TEST(DialogFilter, ChosenPairIsDescriptionNulPattern) {
    const auto all = DialogFilter(u"All (*.*)| *.*");
    EXPECT_EQ(std::u16string(u"All (*.*)\0 *.*", 14), ChosenFilterPair(all, 1));
    const auto docs = DialogFilter(u"简谱文档(*.DaDur)|*.DaDur|旧格式(*.ZoRiv)|*.ZoRiv|所有文件|*.*");
    EXPECT_EQ(std::u16string(u"旧格式(*.ZoRiv)\0*.ZoRiv", 20), ChosenFilterPair(docs, 2));
    EXPECT_EQ(std::u16string(u"所有文件\0*.*", 8), ChosenFilterPair(docs, 3));
    EXPECT_EQ(u"", ChosenFilterPair(docs, 4));
    EXPECT_EQ(u"", ChosenFilterPair(docs, 0));
    EXPECT_EQ(u"", ChosenFilterPair(DialogFilter(u"no separator"), 1));
}

}  // namespace
}  // namespace tessaly
