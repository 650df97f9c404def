#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeLayout.h"
#include "LayoutFixture.h"
#include "model/document/DoArray.h"
#include "model/document/mGeneral.h"
#include "model/edit/UndoRedo.h"

namespace notaline {
namespace {

namespace fs = std::filesystem;
using test::SetWords;
using test::WordBytes;

std::string Text(const EditorData& d) {
    std::string s;
    for (int32_t i = 0; i < d.WordCount(); ++i) s += static_cast<char>(d.WordInfo[static_cast<size_t>(i)].WdAsc);
    return s;
}

// A fresh folder standing in for the program's folder.
struct TempFolder {
    fs::path path;
    explicit TempFolder(const char* name) : path(fs::temp_directory_path() / name) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

TEST(DoArrayTest, ResizesMoveTheRightRecords) {
    EditorData d;
    NoControlSite control;
    DoArray a(d, control);
    SetWords(d, "abcdefghijkl|");
    a.InstrWordArray(5, -2);  // room at 3 and 4
    EXPECT_EQ(15, d.WordCount());
    EXPECT_EQ("abc", Text(d).substr(0, 3));
    EXPECT_EQ("defghijkl|", Text(d).substr(5));

    SetWords(d, "abcdefgh|");
    int32_t pos = 5, n = -1;
    a.DelWordArray(pos, n);
    EXPECT_EQ(4, pos);
    EXPECT_EQ(1, n);
    EXPECT_EQ("abcdfgh|", Text(d));

    SetWords(d, "abcdefghijkl|");
    int32_t to = 10, out = 2, len = 3;
    a.DragDropArray(to, out, len);
    EXPECT_EQ("abfghijcdekl|", Text(d));  // the moved block starts at 7
    to = 1, out = 5, len = 2;
    SetWords(d, "abcdefghijkl|");
    a.DragDropArray(to, out, len);
    EXPECT_EQ("afgbcdehijkl|", Text(d));
    EXPECT_EQ(2, a.LenClipboardWd());
    len = 0;
    a.DragDropArray(to, out, len);  // nothing moves, the old block is not pasted again
    EXPECT_EQ("afgbcdehijkl|", Text(d));
}

TEST(DoArrayTest, UpperBoundFollowsTheCounts) {
    EditorData d;
    NoControlSite control;
    DoArray a(d, control);
    SetWords(d, "abcdefgh|");
    std::mt19937 rng(7);
    for (int i = 0; i < 500; ++i) {
        const int32_t count = d.WordCount();
        int32_t pos = static_cast<int32_t>(rng() % static_cast<uint32_t>(count));
        int32_t n = static_cast<int32_t>(rng() % 4);
        if (rng() % 2 && pos + n <= count - 1) {
            a.DelWordArray(pos, n);
        } else {
            a.InstrWordArray(pos, n);
        }
        ASSERT_EQ(static_cast<size_t>(d.WordCount()) + 1, d.WordInfo.size());
    }
    tessaly::aHwWordInfo item;
    item.iPage = 9;
    d.HwWordInfo = {item};
    d.AboutFileInfo.HwWordCount = 1;
    int32_t pos = 0, n = 2;
    a.AddHwWordInfo(pos, n);
    EXPECT_EQ(3, d.AboutFileInfo.HwWordCount);
    EXPECT_EQ(9, d.HwWordInfo[2].iPage);
    pos = 0;
    a.DelHwWordInfo(pos, n);
    EXPECT_EQ(1, d.AboutFileInfo.HwWordCount);
    EXPECT_EQ(9, d.HwWordInfo[0].iPage);
}

TEST(UndoJournalFileTest, NamesAreFreeAndDeletedAtTheEnd) {
    TempFolder folder("undo_journal_names");
    EditorData d;
    NoControlSite control;
    DoArray a(d, control);
    fs::create_directories(folder.path / "tmp");
    std::ofstream(folder.path / "tmp" / "tmp0.dat") << "left over";
    fs::path first, second;
    {
        NoPageView page;
        UndoRedo u1(d, a, folder.path, page, control);
        first = u1.JournalName();
        EXPECT_EQ(folder.path / "tmp" / "tmp0.dat", first);
        EXPECT_EQ(0u, fs::file_size(first));  // the leftover was replaced
        EXPECT_FALSE(u1.JournalInTempFolder());
        EXPECT_EQ(1, d.AboutPageInfo.PagePosIndexType);
        EXPECT_EQ(2, d.AboutPageInfo.PageNumberSize);
        {
            UndoRedo u2(d, a, folder.path, page, control);
            second = u2.JournalName();
            EXPECT_NE(first, second);
            EXPECT_TRUE(fs::exists(first));
            EXPECT_TRUE(fs::exists(second));
        }
        EXPECT_FALSE(fs::exists(second));
        EXPECT_TRUE(fs::exists(first));
    }
    EXPECT_FALSE(fs::exists(first));
}

TEST(UndoJournalFileTest, UnwritableProgramFolderFallsBackToTheTemporaryFolder) {
    TempFolder folder("undo_journal_readonly");
    const fs::path notAFolder = folder.path / "program";
    std::ofstream(notAFolder) << "x";  // tmp cannot be created below a file
    EditorData d;
    test::RecordingView view;
    DoArray a(d, view);
    SetWords(d, "abc|");
    UndoRedo u(d, a, notAFolder, view, view);
    EXPECT_TRUE(u.JournalInTempFolder());
    EXPECT_EQ(fs::temp_directory_path() / "tmp", u.JournalName().parent_path());
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(u.Begin(kStepWords, {1, 1, 1, 1, 0, 0, 0}));
        d.WordInfo[1].WdAsc = 'X';
        ASSERT_TRUE(u.Finish(kStepWords, {1, 1, 1, 1, 0, 0, 0}));
    }
    ASSERT_EQ(1u, view.Messages.size());  // said once, at the first edit
    EXPECT_NE(std::string::npos, view.Messages[0].find("临时文件夹"));
    u.UserUndo();
    u.UserUndo();
    EXPECT_EQ("abc|", Text(d));
}

class UndoRedoTest : public test::LayoutEditTest {
protected:
    void Start(std::string_view pattern) {
        Doc(pattern);
        Layout();
        undo = test::MemoryHistory(data, array, journal, view);
    }

    tessaly::aWordInfo Char(char c) {
        tessaly::aWordInfo w;
        w.WdAsc = c;
        w.WdSize = {10, 20};
        w.nLogFont.lfHeight = -16;
        return w;
    }

    // A recorded replacement of del characters at start by text, as the edit members do it.
    bool Replace(int32_t start, int32_t del, std::string_view text) {
        const auto add = static_cast<int32_t>(text.size());
        if (!undo->Begin(kStepWords, {start, start + del - 1, start, del, del, 0, 0})) return false;
        SetInputDat(data, start, del, add);
        int32_t pos = start, n = del;
        array.DelWordArray(pos, n);
        array.InstrWordArray(start, add);
        for (int32_t k = 0; k < add; ++k) W(start + k) = Char(text[static_cast<size_t>(k)]);
        if (!undo->Finish(kStepWords, {start, start + add - 1, start, add, 0, add, 0})) return false;
        FormatInputLines(data, data.InputDat);
        data.SelStart = start + add;
        data.SelLength = 0;
        return true;
    }

    // Deletion forwards, backwards (before-image reversed) or a change in place (space above).
    void Edit(int32_t kind, int32_t start, int32_t len) {
        const bool inPlace = kind == kStepUpSpace;
        ASSERT_TRUE(undo->Begin(kind, {start, start + len - 1, start, inPlace ? len : 0, inPlace ? 0 : len, 0, 0}));
        aUndoRange after;
        if (inPlace) {
            SetInputDat(data, start, len, len);
            for (int32_t k = 0; k < len; ++k) W(start + k).UpSpace += 1;
            after = {start, start + len - 1, start, len, 0, 0, 0};
        } else {
            SetInputDat(data, start, len, 0);
            int32_t pos = start, n = len;
            array.DelWordArray(pos, n);
            after = {start, start - 1, start, 0, 0, 0, 0};
        }
        ASSERT_TRUE(undo->Finish(kind, after));
        FormatInputLines(data, data.InputDat);
    }
};

// A save written later marks as saved the place where it began: edits made while it was written,
// or an edit over the undone place, keep the document modified. So does a flag a dialog sets
// again while it is written, and a save not written keeps every flag.
TEST_F(UndoRedoTest, ASaveWrittenLaterMarksOnlyTheMomentItTook) {
    struct Row {
        const char* name;
        int edits;  // while the save is written
        int undos;  // then, before an edit over the undone steps
        bool* flag;
        bool flagBefore, flagDuring, written, modified;
    } rows[] = {
        {"nothing meanwhile", 0, 0, nullptr, false, false, true, false},
        {"an edit meanwhile", 1, 0, nullptr, false, false, true, true},
        {"an edit meanwhile, then undone", 1, -1, nullptr, false, false, true, false},
        {"the saved step undone and edited over", 0, 1, nullptr, false, false, true, true},
        {"play set before", 0, 0, &data.ModifiedPlay, true, false, true, false},
        {"play set before and again meanwhile", 0, 0, &data.ModifiedPlay, true, true, true, true},
        {"drum set before and again meanwhile", 0, 0, &data.ModifiedDrum, true, true, true, true},
        {"drum set only meanwhile", 0, 0, &data.ModifiedDrum, false, true, true, true},
        {"drum set before, not written", 0, 0, &data.ModifiedDrum, true, false, false, true},
        {"an edit, not written", 0, 0, nullptr, false, false, false, true},
    };
    for (const Row& r : rows) {
        Start("abcdefgh|ijk|");
        ASSERT_TRUE(Replace(0, 1, "X"));
        if (r.flag) *r.flag = r.flagBefore;
        undo->SaveBegun();
        EXPECT_TRUE(undo->Modified()) << r.name << ": not saved yet";
        if (r.flag && r.flagDuring) *r.flag = true;
        for (int k = 0; k < r.edits; ++k) {
            ASSERT_TRUE(Replace(2, 1, "Y"));
        }
        if (r.undos < 0) undo->UserUndo();
        for (int k = 0; k < r.undos; ++k) undo->UserUndo();
        if (r.undos > 0) {
            ASSERT_TRUE(Replace(3, 1, "Z"));
        }
        if (r.written) {
            undo->SaveWritten();
        } else {
            undo->SaveFailed();
        }
        EXPECT_EQ(r.modified, undo->Modified()) << r.name;
        data.ModifiedDrum = data.ModifiedPlay = false;
    }
}

TEST_F(UndoRedoTest, UndoAndRedoRestoreTextSelectionAndModified) {
    Start("abcdefgh|ijk|");
    undo->Modified(false);
    data.SelStart = 2;
    data.SelLength = 3;
    ASSERT_TRUE(Replace(2, 3, "XY"));
    EXPECT_EQ("abXYfgh|ijk|", Text(data));
    EXPECT_TRUE(undo->Modified());
    undo->UserUndo();
    EXPECT_EQ("abcdefgh|ijk|", Text(data));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(3, data.SelLength);
    EXPECT_FALSE(undo->Modified());
    EXPECT_TRUE(undo->CanRedo());
    undo->UserRedo();
    EXPECT_EQ("abXYfgh|ijk|", Text(data));
    EXPECT_EQ(2, data.SelStart);
    EXPECT_EQ(2, data.SelLength);
    EXPECT_TRUE(undo->Modified());
    undo->Modified(true);
    EXPECT_TRUE(undo->Modified());

    // A change after two undos cannot be redone over.
    ASSERT_TRUE(Replace(0, 0, "Q"));
    undo->UserUndo();
    undo->UserUndo();
    EXPECT_EQ("abcdefgh|ijk|", Text(data));
    ASSERT_TRUE(Replace(1, 0, "Z"));
    EXPECT_FALSE(undo->CanRedo());
    undo->UserUndo();
    EXPECT_EQ("abcdefgh|ijk|", Text(data));
    EXPECT_FALSE(undo->CanUndo());
    undo->UserUndo();  // nothing to undo: nothing happens
    EXPECT_EQ("abcdefgh|ijk|", Text(data));
}

TEST_F(UndoRedoTest, FailedJournalWritesLeaveNoStepAndTheDocumentAsItWas) {
    Start("abcdefgh|");
    const auto original = WordBytes(data);
    journal->writesLeft = 0;  // the before-image fails: nothing may change
    EXPECT_FALSE(Replace(1, 2, "XYZ"));
    EXPECT_FALSE(undo->JournalError().empty());
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(original, WordBytes(data));

    journal->writesLeft = 2;  // the before-image goes in, the after-image fails
    EXPECT_FALSE(Replace(1, 2, "XYZ"));
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_EQ(original, WordBytes(data));
    EXPECT_EQ(9u, data.WordInfo.size() - 1);

    journal->writesLeft = 1 << 30;
    ASSERT_TRUE(Replace(1, 2, "XYZ"));
    EXPECT_TRUE(undo->JournalError().empty());
    undo->UserUndo();
    EXPECT_EQ(original, WordBytes(data));
}

TEST_F(UndoRedoTest, ZeroUnDoReDoValDiscardsTheOpenCoalescedStep) {
    Start("abcdefgh|");
    ASSERT_TRUE(undo->BeginPending(kPendingTyping, kStepWords, {2, 1, 2, 0, 0, 0, 0}));  // typing left open
    undo->ZeroUnDoReDoVal();
    EXPECT_EQ(kPendingNone, undo->OpenPendingKind());
    SetWords(data, "new|");
    Layout();
    EXPECT_FALSE(undo->Modified());
    EXPECT_FALSE(undo->CanUndo());
    EXPECT_FALSE(undo->CanRedo());
    EXPECT_EQ(-1, undo->CurrentHwFocus());
    EXPECT_EQ("new|", Text(data));
}

TEST_F(UndoRedoTest, UndoAtTheEndUsesTheLastCharacter) {
    Start("abc|");
    data.SelStart = 4;
    ASSERT_TRUE(Replace(4, 0, "de"));  // behind the paragraph end
    EXPECT_EQ("abc|de", Text(data));
    undo->UserUndo();
    EXPECT_EQ("abc|", Text(data));
    EXPECT_EQ(4, data.SelStart);
}

std::vector<int32_t> Pages(const EditorData& d) {
    std::vector<int32_t> pages;
    for (const auto& item : d.HwWordInfo) pages.push_back(item.iPage);
    return pages;
}

// Recorded free-item changes: 2 sets iPage of item `at`, 18 deletes it, 19 inserts one there.
bool ItemEdit(UndoRedo& u, DoArray& a, EditorData& d, int32_t kind, int32_t at, int32_t page) {
    u.CurrentHwFocus(at);
    if (!u.SaveUndoData(kind)) return false;
    int32_t pos = at, one = 1;
    if (kind == 2) d.HwWordInfo[static_cast<size_t>(at)].iPage = page;
    if (kind == 18) a.DelHwWordInfo(pos, one);
    if (kind == 19) {
        a.AddHwWordInfo(pos, one);
        d.HwWordInfo[static_cast<size_t>(at)] = {};
        d.HwWordInfo[static_cast<size_t>(at)].iPage = page;
    }
    return u.SaveRedoData(kind);
}

TEST_F(UndoRedoTest, FreeItemStepsUndoRedoAndSurviveFailedWrites) {
    Start("abc|");
    data.HwWordInfo.resize(3);
    for (int32_t i = 0; i < 3; ++i) data.HwWordInfo[static_cast<size_t>(i)].iPage = i;
    data.AboutFileInfo.HwWordCount = 3;
    const std::vector<std::vector<int32_t>> expected{{0, 1, 2}, {0, 7, 2}, {7, 2}, {7, 9, 2}, {7, 9}};
    ASSERT_TRUE(ItemEdit(*undo, array, data, 2, 1, 7));
    ASSERT_TRUE(ItemEdit(*undo, array, data, 18, 0, 0));
    ASSERT_TRUE(ItemEdit(*undo, array, data, 19, 1, 9));
    ASSERT_TRUE(ItemEdit(*undo, array, data, 18, 2, 0));
    EXPECT_EQ(expected[4], Pages(data));
    for (int s = 3; s >= 0; --s) {
        undo->UserUndo();
        EXPECT_EQ(expected[static_cast<size_t>(s)], Pages(data)) << "undo to " << s;
    }
    for (int s = 1; s <= 4; ++s) {
        undo->UserRedo();
        EXPECT_EQ(expected[static_cast<size_t>(s)], Pages(data)) << "redo to " << s;
    }
    EXPECT_EQ(2, data.AboutFileInfo.HwWordCount);

    for (int32_t kind : {2, 18, 19}) {
        journal->writesLeft = kind == 19 ? 0 : 1;  // the after-image fails
        EXPECT_FALSE(ItemEdit(*undo, array, data, kind, 1, 5)) << kind;
        EXPECT_EQ(expected[4], Pages(data)) << kind;
        EXPECT_EQ(2, data.AboutFileInfo.HwWordCount);
        EXPECT_FALSE(undo->CanRedo());
    }
    journal->writesLeft = 1 << 30;
    undo->UserUndo();
    EXPECT_EQ(expected[3], Pages(data));
}

// Random edits, then undo all and redo all: the document matches byte for byte, and Modified
// is false exactly at the saved step.
TEST_F(UndoRedoTest, RandomHistoriesUndoAndRedoExactly) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Start("abcdefgh|ijklmn|opq|");
        std::mt19937 rng(seed);
        std::vector<std::vector<unsigned char>> states{WordBytes(data)};
        const int steps = 5 + static_cast<int>(rng() % 30);
        const int saved = static_cast<int>(rng() % static_cast<uint32_t>(steps + 1));
        if (saved == 0) undo->Modified(false);
        for (int s = 1; s <= steps; ++s) {
            const int32_t count = data.WordCount();
            const int32_t start = count > 1 ? static_cast<int32_t>(rng() % static_cast<uint32_t>(count - 1)) : 0;
            const int32_t room = count - 1 - start;  // keep the last paragraph end
            const int32_t len = std::min<int32_t>(room, static_cast<int32_t>(rng() % 4));
            const int32_t kind = static_cast<int32_t>(rng() % 4);
            if (kind == 0 || len == 0) {
                std::string text(rng() % 4, 'x');
                for (auto& c : text) c = static_cast<char>('A' + rng() % 26);
                if (len == 0 && text.empty()) text.push_back('W');
                ASSERT_TRUE(Replace(start, len, text));
            } else {
                Edit(kind == 1 ? kStepBackspace : kind == 2 ? kStepDelete : kStepUpSpace, start, len);
            }
            states.push_back(WordBytes(data));
            if (s == saved) undo->Modified(false);
        }
        for (int s = steps; s > 0; --s) {
            ASSERT_EQ(s != saved, undo->Modified()) << "seed " << seed << " step " << s;
            undo->UserUndo();
            ASSERT_EQ(states[static_cast<size_t>(s - 1)], WordBytes(data)) << "seed " << seed << " undo to " << s - 1;
            ASSERT_EQ(static_cast<size_t>(data.WordCount()) + 1, data.WordInfo.size());
        }
        EXPECT_FALSE(undo->CanUndo());
        for (int s = 1; s <= steps; ++s) {
            undo->UserRedo();
            ASSERT_EQ(states[static_cast<size_t>(s)], WordBytes(data)) << "seed " << seed << " redo to " << s;
        }
        EXPECT_EQ(steps != saved, undo->Modified());
    }
}

}  // namespace
}  // namespace notaline
