#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "FileAccess.h"
#include "FileTestUtil.h"
#include "ZoRivFormat.h"

namespace tessaly {
namespace {

using namespace test;

mode_t ModeOf(const std::filesystem::path& name) {
    struct stat st;
    return stat(name.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(FileAccessPosix, PermissionsAreKeptAndANewFileTakesTheUsualOnes) {
    TempFolder folder;
    const auto name = folder / "song.DaDur";
    Spit(name, "old");
    chmod(name.c_str(), 0640);
    ASSERT_EQ(0, SaveBytes(name, "new"));
    EXPECT_EQ(0640u, ModeOf(name));
    EXPECT_EQ("new", Slurp(name));

    const mode_t mask = umask(022);
    ASSERT_EQ(0, SaveBytes(folder / "fresh.DaDur", "x"));
    umask(mask);
    EXPECT_EQ(0644u, ModeOf(folder / "fresh.DaDur"));
}

TEST(FileAccessPosix, ALinkStaysALinkAndItsFileIsReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "real");
    const auto target = folder / "real" / "song.ZoRiv";
    Spit(target, "old");
    std::filesystem::create_symlink("real/song.ZoRiv", folder / "one");  // relative
    std::filesystem::create_symlink(folder / "one", folder / "two");     // a chain
    ASSERT_EQ(0, SaveBytes(folder / "two", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "two"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "one"));
    EXPECT_EQ("new", Slurp(target));
    EXPECT_EQ(1u, static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder / "real"), {})));

    // A link to a file not yet there makes the file.
    std::filesystem::create_symlink("real/later.ZoRiv", folder / "dangling");
    ASSERT_EQ(0, SaveBytes(folder / "dangling", "made"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "dangling"));
    EXPECT_EQ("made", Slurp(folder / "real" / "later.ZoRiv"));
    // A loop of links is no file.
    std::filesystem::create_symlink("loop2", folder / "loop1");
    std::filesystem::create_symlink("loop1", folder / "loop2");
    EXPECT_EQ(kErrFileAccess, SaveBytes(folder / "loop1", "x"));
}

TEST(FileAccessPosix, ANameTooLongForTheSystemIsSaidSo) {
    TempFolder folder;
    const auto name = folder / (std::string(250, 'n') + ".DaDur");  // 256 bytes
    EXPECT_EQ(kErrPathTooLong, SaveBytes(name, "x"));
    EXPECT_EQ(0u, folder.Entries());
    EXPECT_EQ(0u, FileErrorReason(kErrPathTooLong, name).find("路径或文件名太长: "));
    // Reading it is no worse than a missing file.
    FileBytes bytes;
    EXPECT_NE(0, ReadWholeFile(name, bytes));
    // Nor is a device or a pipe a document to wait on.
    EXPECT_EQ(kErrFileNotFound, ReadWholeFile("/dev/zero", bytes));
    ASSERT_EQ(0, mkfifo((folder / "pipe").c_str(), 0600));
    EXPECT_EQ(kErrFileNotFound, ReadWholeFile(folder / "pipe", bytes));
}

// Runs `check` in a child process with a 1 MB tmpfs mounted at `folder`; its exit code is the
// result: 0 passed, 77 no file system could be mounted here.
int WithSmallDisk(const std::filesystem::path& folder, int (*check)(const std::filesystem::path&)) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) _exit(77);
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) _exit(77);
        if (mount("jp-test", folder.c_str(), "tmpfs", 0, "size=1m") != 0) _exit(77);
        _exit(check(folder));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Both formats' saves on a full disk: each says so and leaves the old file byte for byte.
int FullDiskSaves(const std::filesystem::path& disk) {
    const JpData small = DefaultDocumentWith('s');
    const JpData big = DefaultDocumentWith('b', 500);
    const auto dadur = disk / "song.DaDur";
    const auto zoriv = disk / "song.ZoRiv";
    FakeDaDurSystem system;
    DaDurFile file(system);
    file.LetJpData(small);
    if (!file.WriteRtfFile(dadur, 0).ok) return 1;
    if (!WriteZoRivFile(zoriv, small, 1, nullptr).Ok()) return 2;
    const std::string oldDaDur = Slurp(dadur), oldZoRiv = Slurp(zoriv);

    {
        std::FILE* filler = std::fopen((disk / "filler").c_str(), "wb");
        static const char block[4096] = {};
        while (filler && std::fwrite(block, 1, sizeof block, filler) == sizeof block) {
        }
        if (!filler) return 3;
        std::fclose(filler);
    }
    file.LetJpData(big);
    const DaDurStatus d = file.WriteRtfFile(dadur, 0);
    if (d.ok || d.number != kErrDiskFull || d.reason != FileErrorReason(kErrDiskFull, dadur)) return 4;
    const ZoRivStatus z = WriteZoRivFile(zoriv, big, 1, nullptr);
    if (z.number != kErrDiskFull || z.reason.find("磁盘已满: ") != 0) return 5;
    if (Slurp(dadur) != oldDaDur || Slurp(zoriv) != oldZoRiv) return 6;
    if (std::distance(std::filesystem::directory_iterator(disk), {}) != 3) return 7;  // no temporary left

    // Space back: the saves go through.
    std::filesystem::remove(disk / "filler");
    if (!file.WriteRtfFile(dadur, 0).ok || !WriteZoRivFile(zoriv, big, 1, nullptr).Ok()) return 8;
    JpData back;
    if (!ReadZoRivFile(zoriv, 1, back, nullptr).Ok() || back.WordInfo.size() != big.WordInfo.size()) return 9;
    return 0;
}

TEST(FileAccessPosix, AFullDiskIsReportedAndTheOldFileKept) {
    TempFolder folder;
    const int result = WithSmallDisk(folder.Path(), FullDiskSaves);
    if (result == 77) GTEST_SKIP() << "no tmpfs can be mounted here";
    EXPECT_EQ(0, result) << "step that failed in the child";
}

}  // namespace
}  // namespace tessaly
