#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DocumentBuilder.h"
#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/Typing.h"
#include "model/edit/UndoRedo.h"
#include "win/KernelHandles.h"

namespace notaline {
namespace {

namespace fs = std::filesystem;

// A program folder of its own with its "tmp" folder, gone at the end.
struct ProgramFolder {
    fs::path path = fs::temp_directory_path() / L"jp_undo_journal";
    fs::path tmp = path / L"tmp";
    ProgramFolder() {
        fs::remove_all(path);
        fs::create_directories(tmp);
    }
    ~ProgramFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// A journal held open by another editor instance: shared with nobody, so it cannot be deleted.
win::KernelHandle HeldFile(const fs::path& name) {
    return win::KernelHandle(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
}

void Stale(const fs::path& name) {
    std::ofstream(name, std::ios::binary) << "left by an earlier run";
}

std::string Text(const EditorData& d) {
    std::string s;
    for (int32_t i = 0; i < d.WordCount(); ++i) s += static_cast<char>(d.WordInfo[static_cast<size_t>(i)].WdAsc);
    return s;
}

TEST(UndoJournalFile, SkipsAJournalInUseAndDeletesStaleOnesOnTheWay) {
    ProgramFolder folder;
    const win::KernelHandle held = HeldFile(folder.tmp / L"tmp0.dat");
    ASSERT_TRUE(held);
    ASSERT_FALSE(DeleteFileW((folder.tmp / L"tmp0.dat").c_str()));  // really held
    Stale(folder.tmp / L"tmp1.dat");
    Stale(folder.tmp / L"tmp2.dat");

    EditorData data;
    NoPageView page;
    NoControlSite control;
    DoArray array(data, control);
    test::SetWords(data, "abc|");
    fs::path name;
    {
        UndoRedo undo(data, array, folder.path, page, control);
        name = undo.JournalName();
        EXPECT_EQ(folder.tmp / L"tmp3.dat", name);
        EXPECT_FALSE(undo.JournalInTempFolder());
        EXPECT_FALSE(fs::exists(folder.tmp / L"tmp1.dat"));
        EXPECT_FALSE(fs::exists(folder.tmp / L"tmp2.dat"));
        EXPECT_TRUE(fs::exists(folder.tmp / L"tmp0.dat"));

        // The journal takes a step and gives it back.
        Typing typing(data, array, undo, control);
        tessaly::aWordInfo x;
        x.WdAsc = 'x';
        data.InputWords = {x};
        ASSERT_TRUE(typing.InputWord(1, 0));
        undo.EndPendingStep();
        EXPECT_TRUE(undo.JournalError().empty());
        EXPECT_GT(fs::file_size(name), 0u);
        EXPECT_EQ("axbc|", Text(data));
        undo.UserUndo();
        EXPECT_EQ("abc|", Text(data));
    }
    EXPECT_FALSE(fs::exists(name));  // deleted with the edit history
    EXPECT_TRUE(fs::exists(folder.tmp / L"tmp0.dat"));
}

TEST(UndoJournalFile, TakesTheNextNumberWhenTheFirstIsInUse) {
    ProgramFolder folder;
    const win::KernelHandle held = HeldFile(folder.tmp / L"tmp0.dat");
    ASSERT_TRUE(held);
    EditorData data;
    NoPageView page;
    NoControlSite control;
    DoArray array(data, control);
    fs::path name;
    {
        UndoRedo first(data, array, folder.path, page, control);
        name = first.JournalName();
        EXPECT_EQ(folder.tmp / L"tmp1.dat", name);
        UndoRedo second(data, array, folder.path, page, control);  // a second editor of this process
        EXPECT_EQ(folder.tmp / L"tmp2.dat", second.JournalName());
        EXPECT_TRUE(fs::exists(name));
    }
    EXPECT_FALSE(fs::exists(name));
    EXPECT_FALSE(fs::exists(folder.tmp / L"tmp2.dat"));
}

}  // namespace
}  // namespace notaline
