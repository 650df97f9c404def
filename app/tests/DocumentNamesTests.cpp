#include <gtest/gtest.h>

#include <map>
#include <set>

#include "DocumentNames.h"
#include "RecentFiles.h"

namespace tavolin {
namespace {

struct MemoryStore final : RecentStore {
    std::wstring Read(const std::wstring& key) override { return keys.contains(key) ? keys[key] : L""; }
    void Write(const std::wstring& key, const std::wstring& value) override { keys[key] = value; }
    std::map<std::wstring, std::wstring> keys;
};

bool Any(const std::wstring&) {
    return true;
}

TEST(RecentFiles, NewestFirstDistinctFourShownFifthKept) {
    struct Row {
        std::vector<std::wstring> before, open, keys;  // keys 1.. after
        std::array<std::wstring, kRecentShown> shown;
    };
    const Row rows[] = {
        {{}, {L"A"}, {L"A"}, {L"A", L"", L"", L""}},
        {{L"A", L"B", L"C", L"D"}, {L"C"}, {L"C", L"A", L"B", L"D"}, {L"C", L"A", L"B", L"D"}},
        {{L"A", L"B", L"C", L"D"}, {L"E"}, {L"E", L"A", L"B", L"C", L"D"}, {L"E", L"A", L"B", L"C"}},
        {{L"a"}, {L"A"}, {L"A", L"a"}, {L"A", L"a", L"", L""}},  // case counts
        {{L"A", L"B"}, {L""}, {L"A", L"B"}, {L"A", L"B", L"", L""}},
    };
    for (const Row& row : rows) {
        MemoryStore store;
        for (size_t i = 0; i < row.before.size(); ++i) store.keys[RecentKey(static_cast<int>(i) + 1)] = row.before[i];
        RecentMenu menu;
        for (const auto& path : row.open) menu = UpdateRecentFiles(store, path, Any);
        std::vector<std::wstring> keys;
        for (int i = 1; store.keys.contains(RecentKey(i)); ++i) keys.push_back(store.keys[RecentKey(i)]);
        EXPECT_EQ(row.keys, keys) << row.open[0];
        EXPECT_EQ(row.shown, menu.paths) << row.open[0];
        EXPECT_TRUE(menu.separator);
    }
    EXPECT_EQ(L"1最近文件", RecentKey(1));
}

TEST(RecentFiles, EmptyListHidesSeparatorAndUnstorablePathIsNotWritten) {
    MemoryStore store;
    EXPECT_FALSE(UpdateRecentFiles(store, L"", Any).separator);
    const RecentMenu menu = UpdateRecentFiles(store, L"X", [](const std::wstring&) { return false; });
    EXPECT_TRUE(store.keys.empty());
    EXPECT_EQ(L"", menu.paths[0]);
}

TEST(RecentFiles, CaptionsShowAmpersandsAndTrimmedPathsOpen) {
    EXPECT_EQ(L"D:\\R&&B\\a&&&&b.DaDur", RecentCaption(L"D:\\R&B\\a&&b.DaDur"));
    EXPECT_EQ(L"D:\\a b.DaDur", TrimBlanks(L"  D:\\a b.DaDur "));
    EXPECT_EQ(L"", TrimBlanks(L"   "));
}

TEST(DocumentNames, ExtensionsByFilter) {
    struct Row {
        std::wstring (*rule)(std::wstring_view, long);
        const wchar_t* typed;
        long filter;
        const wchar_t* name;
    };
    const Row rows[] = {
        {DocumentSaveName, L"a", 2, L"a.DaDur"},
        {DocumentSaveName, L"a.dadur", 2, L"a.dadur"},
        {DocumentSaveName, L"a", 1, L"a.ZoRiv"},
        {DocumentSaveName, L"a.txt", 3, L"a.txt.DaDur"},
        {DocumentSaveName, L"b.ZORIV", 3, L"b.ZORIV"},
        {DocumentSaveName, L"c.DaDur.txt", 3, L"c.DaDur.txt.DaDur"},
        {PictureSaveName, L"p", 1, L"p.Gif"},
        {PictureSaveName, L"p", 2, L"p.jpg"},
        {PictureSaveName, L"p.bmp", 3, L"p.bmp"},
        {PictureSaveName, L"p", 4, L"p.PNG"},
        {PictureSaveName, L"p", 5, L"p"},
        {MidiSaveName, L"m", 1, L"m.Mid"},
        {MidiSaveName, L"m.MID", 1, L"m.MID"},
        {MidiSaveName, L"m", 2, L"m"},
        // A typed ending of another offered type decides the type and is not added again.
        {DocumentSaveName, L"x.dadur", 1, L"x.dadur"},
        {DocumentSaveName, L"x.ZoRiv", 2, L"x.ZoRiv"},
        {DocumentSaveName, L"x.DaDur.bak", 1, L"x.DaDur.bak.ZoRiv"},
        {PictureSaveName, L"sp.PNG", 1, L"sp.PNG"},
        {PictureSaveName, L"sp.jpeg", 1, L"sp.jpeg"},
        {PictureSaveName, L"p.png", 3, L"p.png"},
        {PictureSaveName, L"p.JPEG", 2, L"p.JPEG"},
    };
    for (const Row& row : rows) EXPECT_EQ(row.name, row.rule(row.typed, row.filter)) << row.typed << row.filter;
    EXPECT_EQ(std::wstring(L"ab.x"), nFileName(std::wstring(L"a\0b", 3), L".x"));
}

TEST(DocumentNames, PictureSuggestionAndBackupNames) {
    EXPECT_EQ(L"春", PictureSuggestion(L"D:\\歌曲\\春.DaDur", L"首行"));
    EXPECT_EQ(L"首行", PictureSuggestion(L"", L"首行"));
    std::set<std::wstring> files;
    auto exists = [&files](const std::wstring& name) { return files.contains(name); };
    EXPECT_EQ(L"D:\\a.Bak.DaDur", BackupName(L"D:\\a.ZoRiv", exists));
    files.insert(L"D:\\a.Bak.DaDur");
    EXPECT_EQ(L"D:\\a.Bak.Bak.DaDur", BackupName(L"D:\\a.ZoRiv", exists));
    EXPECT_EQ(L"曲.Bak.DaDur", BackupName(L"曲.DaDur", exists));
}

}  // namespace
}  // namespace tavolin
