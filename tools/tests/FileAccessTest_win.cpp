#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FileAccess.h"
#include "FileTestUtil.h"
#include "ZoRivFormat.h"
#include "win/KernelHandles.h"

namespace tessaly {
namespace {

using namespace test;

TEST(FileAccessWin, AttributesSurviveTheSave) {
    TempFolder folder;
    const auto name = folder / L"隐藏.DaDur";
    Spit(name, "old");
    const DWORD wanted = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), wanted));
    if ((GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_HIDDEN) == 0)
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    ASSERT_EQ(0, SaveBytes(name, "new"));
    EXPECT_EQ("new", Slurp(name));
    EXPECT_EQ(wanted, GetFileAttributesW(name.c_str()) & (wanted | FILE_ATTRIBUTE_READONLY));
    // A plain file stays plain.
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(0, SaveBytes(name, "again"));
    EXPECT_EQ(0u, GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// A killed save leaves its temporary file; the next save in the folder removes it, unless
// someone holds it open (a save still writing, a reader). Other names stay.
TEST(FileAccessWin, StaleTemporaryFilesGoWithTheNextSave) {
    TempFolder folder;
    for (const char* name : {"~jp0badf00d.tmp", "~JP1234ABCD.TMP", "~jp12345678.tmp", "~jpnothex1.tmp", "~jp1.tmp"})
        Spit(folder / name, "left");
    win::KernelHandle held(CreateFileW((folder / "~jp12345678.tmp").c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
    ASSERT_NE(INVALID_HANDLE_VALUE, held.Get());
    ASSERT_EQ(0, SaveBytes(folder / L"歌.DaDur", "song"));
    held.Close();
    std::vector<std::wstring> left;
    for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
        left.push_back(e.path().filename().wstring());
    std::sort(left.begin(), left.end());
    EXPECT_EQ((std::vector<std::wstring>{L"~jp1.tmp", L"~jp12345678.tmp", L"~jpnothex1.tmp", L"歌.DaDur"}), left);
    EXPECT_EQ("song", Slurp(folder / L"歌.DaDur"));
}

// Wine has no links of its own; the build leaves a Unix link that it shows as a plain name.
TEST(FileAccessWin, ALinkStaysALink) {
    const std::filesystem::path target = JP_TEST_LINKS "song.DaDur";
    const std::filesystem::path link = JP_TEST_LINKS "link.DaDur";
    Spit(target, "old");
    ASSERT_EQ("old", Slurp(link));
    ASSERT_EQ(0, SaveBytes(link, "new"));
    EXPECT_EQ("new", Slurp(target));
    Spit(target, "third");  // the link still leads to the file
    EXPECT_EQ("third", Slurp(link));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(JP_TEST_LINKS), {}));
}

// Beyond MAX_PATH: the "\\?\" names of both the save and the read.
TEST(FileAccessWin, PathsLongerThanMaxPath) {
    TempFolder folder;
    std::vector<std::wstring> levels;
    std::filesystem::path deep = folder.Path();
    for (int i = 0; i < 4; ++i) {
        deep /= std::wstring(60, L'目');
        levels.push_back(L"\\\\?\\" + std::filesystem::absolute(deep).wstring());
        ASSERT_TRUE(CreateDirectoryW(levels.back().c_str(), nullptr));
    }
    const auto name = deep / L"歌曲.ZoRiv";
    ASSERT_GT(name.wstring().size(), static_cast<size_t>(MAX_PATH));
    const JpData doc = DefaultDocumentWith('d', 4);
    ASSERT_TRUE(WriteZoRivFile(name, doc, 1, nullptr).Ok());
    JpData back;
    ASSERT_TRUE(ReadZoRivFile(name, 1, back, nullptr).Ok());
    EXPECT_EQ(doc.WordInfo.size(), back.WordInfo.size());
    EXPECT_TRUE(DeleteFileW((levels.back() + L"\\歌曲.ZoRiv").c_str()));
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) RemoveDirectoryW(level->c_str());
}

}  // namespace
}  // namespace tessaly
