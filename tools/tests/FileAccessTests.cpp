#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "FileAccess.h"
#include "FileTestUtil.h"
#include "ZoRivFormat.h"

namespace tessaly {
namespace {

using namespace test;

// The bytes each format writes for a document, by the same save path.
struct Format {
    const char* extension;
    int32_t (*save)(const std::filesystem::path&, const JpData&);
    int32_t (*load)(const std::filesystem::path&, JpData&);
};

int32_t SaveDaDur(const std::filesystem::path& name, const JpData& doc) {
    FakeDaDurSystem system;
    DaDurFile file(system);
    file.LetJpData(doc);
    return file.WriteRtfFile(name, 0).number;
}
int32_t LoadDaDur(const std::filesystem::path& name, JpData& doc) {
    FakeDaDurSystem system;
    DaDurFile file(system);
    file.LetJpData(doc);
    const DaDurStatus status = file.ReadRtfFile(0, name);
    file.GetJpData(doc);
    return status.ok ? status.number : status.number == 0 ? -1 : status.number;
}
int32_t SaveZoRiv(const std::filesystem::path& name, const JpData& doc) {
    return WriteZoRivFile(name, doc, 1, nullptr).number;
}
int32_t LoadZoRiv(const std::filesystem::path& name, JpData& doc) {
    return ReadZoRivFile(name, 1, doc, nullptr).number;
}

const Format kFormats[] = {{".DaDur", SaveDaDur, LoadDaDur}, {".ZoRiv", SaveZoRiv, LoadZoRiv}};

// Today's longest names: the temporary name does not grow with the target's.
TEST(FileAccess, EveryNameLengthTheSystemTakesCanBeSaved) {
    TempFolder folder;
    const JpData doc = DefaultDocumentWith('L', 3);
    for (const Format& f : kFormats) {
        std::vector<std::filesystem::path> names;
        for (size_t length = 246; length <= 255; ++length)
            names.push_back(folder / (std::string(length - 6, 'n') + f.extension));
        // 82 Chinese characters and the extension: 255 bytes of UTF-8, 88 characters of UTF-16.
        std::u8string chinese;
        for (int i = 0; i < 82; ++i) chinese += u8"歌";
        names.push_back(folder / (chinese + std::u8string(f.extension, f.extension + 6)));
        for (const auto& name : names) {
            ASSERT_EQ(0, f.save(name, doc)) << name.filename().string().size();
            JpData back;
            ASSERT_EQ(0, f.load(name, back)) << name.filename().string().size();
            EXPECT_EQ(doc.WordInfo.size(), back.WordInfo.size());
        }
        EXPECT_EQ(names.size(), folder.Entries());
        std::filesystem::remove_all(folder.Path());
        std::filesystem::create_directories(folder.Path());
    }
}

// Saves of different documents to one name at once: each either reports success or failure, and
// the file always holds one whole document whose save reported success.
TEST(FileAccess, SavesRacingForOneNameLeaveOneWholeDocument) {
    TempFolder folder;
    for (const Format& f : kFormats) {
        const auto name = folder / (std::string("race") + f.extension);
        constexpr int kThreads = 4, kSaves = 15;
        std::vector<std::string> expected(kThreads);
        for (int t = 0; t < kThreads; ++t) {
            const auto alone = folder / (std::to_string(t) + f.extension);
            ASSERT_EQ(0, f.save(alone, DefaultDocumentWith(static_cast<char>('A' + t), t)));
            expected[t] = Slurp(alone);
            std::filesystem::remove(alone);
        }
        std::atomic<int> ready{0};
        std::vector<std::vector<int32_t>> results(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                const JpData doc = DefaultDocumentWith(static_cast<char>('A' + t), t);
                ++ready;
                while (ready < kThreads) std::this_thread::yield();
                for (int i = 0; i < kSaves; ++i) results[t].push_back(f.save(name, doc));
            });
        for (auto& t : threads) t.join();
        const std::string onDisk = Slurp(name);
        int winner = -1;
        for (int t = 0; t < kThreads; ++t)
            if (onDisk == expected[t]) winner = t;
        ASSERT_NE(-1, winner) << "the file holds no whole document";
        EXPECT_NE(results[winner].end(), std::find(results[winner].begin(), results[winner].end(), 0));
        for (const auto& r : results)
            for (int32_t e : r) EXPECT_EQ(0, e);
        EXPECT_EQ(1u, folder.Entries()) << "a temporary file was left";
        std::filesystem::remove(name);
    }
}

TEST(FileAccess, AReadOnlyFileIsRefusedAndKept) {
    TempFolder folder;
    for (const Format& f : kFormats) {
        const auto name = folder / (std::string("locked") + f.extension);
        Spit(name, "old contents");
        std::filesystem::permissions(name, std::filesystem::perms::owner_read);
        EXPECT_EQ(kErrReadOnly, f.save(name, DefaultDocumentWith('x')));
        EXPECT_EQ("old contents", Slurp(name));
        EXPECT_EQ(1u, folder.Entries());
        std::filesystem::permissions(name, std::filesystem::perms::owner_all);
        std::filesystem::remove(name);
    }
    // The texts the user is shown.
    const auto name = folder / "locked.ZoRiv";
    Spit(name, "old");
    std::filesystem::permissions(name, std::filesystem::perms::owner_read);
    const ZoRivStatus z = WriteZoRivFile(name, DefaultDocumentWith('x'), 1, nullptr);
    EXPECT_EQ(FileErrorReason(kErrReadOnly, name), z.reason);
    EXPECT_EQ(0u, z.reason.find("文件只读，不能覆盖: "));
    FakeDaDurSystem system;
    DaDurFile file(system);
    EXPECT_EQ(FileErrorReason(kErrReadOnly, name), file.WriteRtfFile(name, 0).reason);
    std::filesystem::permissions(name, std::filesystem::perms::owner_all);
}

TEST(FileAccess, AFailedProducerLeavesTheFileAndNoTemporary) {
    TempFolder folder;
    const auto name = folder / "song.DaDur";
    Spit(name, "old");
    const auto half = [](int32_t error) {
        return [error](ByteSink& sink) {
            sink.Put(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("new"), 3));
            return error;
        };
    };
    EXPECT_EQ(kErrSubscript, ReplaceDocumentFile(name, half(kErrSubscript)));
    EXPECT_EQ(kErrTooLarge, ReplaceDocumentFile(name, [](ByteSink&) -> int32_t { throw std::bad_alloc(); }));
    EXPECT_THROW(ReplaceDocumentFile(name, [](ByteSink&) -> int32_t { throw std::runtime_error("x"); }),
                 std::runtime_error);
    EXPECT_EQ("old", Slurp(name));
    EXPECT_EQ(1u, folder.Entries());
    EXPECT_EQ(0, ReplaceDocumentFile(name, half(0)));
    EXPECT_EQ("new", Slurp(name));
    // Nothing to save into: a folder, a missing folder, no name.
    EXPECT_EQ(kErrFileAccess, ReplaceDocumentFile(folder.Path() / "", half(0)));
    std::filesystem::create_directory(folder / "sub");
    EXPECT_EQ(kErrFileAccess, ReplaceDocumentFile(folder / "sub", half(0)));
    EXPECT_EQ(kErrPathNotFound, ReplaceDocumentFile(folder / "none" / "x.DaDur", half(0)));
    EXPECT_EQ(2u, folder.Entries());
}

// Larger than any document the program holds: refused before a byte is read, the document kept.
TEST(FileAccess, AFileBeyondTheSizeLimitIsRefusedUnread) {
    TempFolder folder;
    for (const Format& f : kFormats) {
        const auto name = folder / (std::string("huge") + f.extension);
        Spit(name, "");
        std::filesystem::resize_file(name, kMaxDocumentFileBytes + 1);  // sparse: no disk is used
        JpData kept = DefaultDocumentWith('k', 2);
        EXPECT_EQ(kErrTooLarge, f.load(name, kept));
        EXPECT_EQ(DefaultDocumentWith('k', 2).WordInfo.size(), kept.WordInfo.size());
        std::filesystem::remove(name);
    }
    FileBytes bytes;
    EXPECT_EQ(kErrFileNotFound, ReadWholeFile(folder / "none", bytes));
    EXPECT_EQ(kErrFileNotFound, ReadWholeFile(folder.Path(), bytes));
    const std::u8string x = (folder / "x").u8string();
    EXPECT_EQ("文档太大，无法处理: " + std::string(x.begin(), x.end()), FileErrorReason(kErrTooLarge, folder / "x"));
}

// Only names this program makes are taken for its temporary files: others in the folder stay.
TEST(FileAccess, TemporaryNamesAreKnownByTheirPattern) {
    const struct {
        std::u16string_view name;
        bool ours;
    } rows[] = {{u"~jp0123abcd.tmp", true},   {u"~JP0123ABCD.TMP", true},  {u"~jp0123abc.tmp", false},
                {u"~jp0123abcde.tmp", false}, {u"~jp0123abcg.tmp", false}, {u"~jq0123abcd.tmp", false},
                {u"~jp0123abcd.tmx", false},  {u"jp0123abcd.tmp", false},  {u"", false}};
    for (const auto& r : rows)
        EXPECT_EQ(r.ours, IsTemporaryFileName(r.name)) << std::string(r.name.begin(), r.name.end());
    for (uint64_t seed : {0ull, 1ull, ~0ull}) {
        const std::string made = TemporaryFileName(seed);
        EXPECT_TRUE(IsTemporaryFileName(std::u16string(made.begin(), made.end()))) << made;
    }
}

TEST(FileAccess, OnlySettingsFilesBeyondTheLimitAreTooLarge) {
    TempFolder folder;
    const auto name = folder / "UserSetInfo.ini";
    EXPECT_FALSE(SettingsFileTooLarge(name));  // missing: the defaults come from the reader
    for (uint64_t size : {uint64_t{0}, kMaxSettingsFileBytes, kMaxSettingsFileBytes + 1}) {
        Spit(name, "");
        std::filesystem::resize_file(name, size);
        EXPECT_EQ(size > kMaxSettingsFileBytes, SettingsFileTooLarge(name)) << size;
    }
    EXPECT_FALSE(SettingsFileTooLarge(folder.Path()));
}

}  // namespace
}  // namespace tessaly
