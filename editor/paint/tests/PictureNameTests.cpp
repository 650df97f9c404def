#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "paint/PictureNames.h"

namespace notaline {
namespace {

// The ending as typed names the files; ".jpeg" is a JPEG ending of five characters.
TEST(PictureNames, SplitsOffTheEndingAsTypedAndItsFormat) {
    PictureName n;
    ASSERT_TRUE(SplitPictureName(L"C:\\歌曲\\song.jpg", n));
    EXPECT_EQ(L"C:\\歌曲\\song", n.Base);
    EXPECT_EQ(L".jpg", n.Ext);
    EXPECT_EQ(PictureFormat::Jpg, n.Format);
    ASSERT_TRUE(SplitPictureName(L"a.Png", n));
    EXPECT_EQ(L".Png", n.Ext);
    EXPECT_EQ(PictureFormat::Png, n.Format);
    for (const wchar_t* name : {L"p.jpeg", L"p.JPEG"}) {
        ASSERT_TRUE(SplitPictureName(name, n));
        EXPECT_EQ(L"p", n.Base);
        EXPECT_EQ(name + 1, n.Ext);
        EXPECT_EQ(PictureFormat::Jpg, n.Format);
    }
    ASSERT_TRUE(SplitPictureName(L".bmp", n));  // exactly four: an empty base
    EXPECT_EQ(L"", n.Base);
    EXPECT_EQ(PictureFormat::Bmp, n.Format);
    ASSERT_TRUE(SplitPictureName(L"x.gif", n));
    EXPECT_EQ(PictureFormat::Gif, n.Format);
}

TEST(PictureNames, OtherExtensionsAndShortNamesAreRefused) {
    PictureName n;
    EXPECT_FALSE(SplitPictureName(L"", n));
    EXPECT_FALSE(SplitPictureName(L"jpg", n));
    for (const wchar_t* name : {L"song.jpe", L"song.tif", L"songjpg", L"song.txt", L"song.ｊｐｇ", L"sjpeg"}) {
        ASSERT_TRUE(SplitPictureName(name, n)) << name;
        EXPECT_EQ(PictureFormat::None, n.Format) << name;
    }
}

TEST(PictureNames, FirstPageKeepsThePlainNameLaterPagesAreNumberedFromOne) {
    EXPECT_EQ(L"d\\song.JPG", MakePageFileName(L"d\\song", L".JPG", 0));
    EXPECT_EQ(L"d\\song_1.JPG", MakePageFileName(L"d\\song", L".JPG", 1));
    EXPECT_EQ(L"d\\song_2.JPG", MakePageFileName(L"d\\song", L".JPG", 2));
    EXPECT_EQ(L"song_12.PNG", MakePageFileName(L"song", L".PNG", 12));
}

TEST(PictureNames, QuestionNamesTheFile) {
    EXPECT_EQ(L"文件“a_1.PNG”已经存在，覆盖保存？", OverwriteQuestion(L"a_1.PNG"));
}

struct Check {
    std::set<std::wstring> existing;
    std::vector<std::wstring> asked;
    std::set<std::wstring> refuse;
    bool Run(const std::wstring& file, int32_t pages) {
        PictureName n;
        SplitPictureName(file, n);
        return CheckPictureOverwrite(
            n, pages, [&](const std::wstring& f) { return existing.count(f) > 0; },
            [&](const std::wstring& f) {
                asked.push_back(f);
                return refuse.count(f) == 0;
            });
    }
};

TEST(PictureOverwrite, NothingExistingAsksNothing) {
    Check c;
    EXPECT_TRUE(c.Run(L"song.png", 3));
    EXPECT_TRUE(c.asked.empty());
}

TEST(PictureOverwrite, EveryExistingPageIsAskedLaterPagesIncluded) {
    Check c;
    c.existing = {L"song.png", L"song_2.png"};
    EXPECT_TRUE(c.Run(L"song.png", 3));
    EXPECT_EQ((std::vector<std::wstring>{L"song.png", L"song_2.png"}), c.asked);
}

TEST(PictureOverwrite, ARefusalStopsTheCheck) {
    Check c;
    c.existing = {L"song_1.png", L"song_2.png"};
    c.refuse = {L"song_1.png"};
    EXPECT_FALSE(c.Run(L"song.png", 3));
    EXPECT_EQ(std::vector<std::wstring>{L"song_1.png"}, c.asked);
}

TEST(PictureOverwrite, FilesBeyondThePageCountAreNotAsked) {
    Check c;
    c.existing = {L"song_3.PNG"};
    EXPECT_TRUE(c.Run(L"song.png", 3));
    EXPECT_TRUE(c.asked.empty());
    EXPECT_TRUE(c.Run(L"song.png", 0));
}

}  // namespace
}  // namespace notaline
