#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeLayout.h"
#include "LayoutFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/PlayMarks.h"
#include "model/edit/EditCommands.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LineBreaker.h"
#include "model/layout/Pagination.h"
#include "model/layout/ParagraphEnds.h"
#include "model/layout/SourceLines.h"

namespace notaline {
namespace {

// The document as the edit history keeps it: characters without their laid-out boxes (the
// layout may place them anew), the free items, the page setup and the font rows' heights.
std::vector<unsigned char> Snapshot(const EditorData& d) {
    std::vector<unsigned char> out;
    const auto add = [&out](const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        out.insert(out.end(), b, b + n);
    };
    for (int32_t i = 0; i < d.WordCount(); ++i) {
        auto w = d.WordInfo[static_cast<size_t>(i)];
        w.Left = w.Top = w.Right = w.Bottom = 0;
        add(&w, sizeof w);
    }
    for (const auto& item : d.HwWordInfo) add(&item, sizeof item);
    const auto& p = d.AboutPageInfo;
    add(&p.BackGroundType, 1);
    add(&p.PagePosIndexType, 1);
    add(&p.PageNumberSize, 2);
    add(&p.PageMarginRect, sizeof p.PageMarginRect);
    add(&p.PaperType, 1);
    for (const auto& row : d.FontTbl) {
        add(&row.hYg, 4);
        add(&row.hYc, 4);
    }
    return out;
}

class EditCommandsRandom : public test::LayoutTest, protected test::RandomPicks {
protected:
    test::ClipboardView view;  // takes whatever is cut
    std::unique_ptr<EditCommands> edit;

    void Start(uint32_t seed) {
        Seed(seed);
        Doc("1234|ab5678|cd|9012345|");
        // Spacing before and after, so that joins and moved paragraph ends show in the layout.
        Para(4, tessaly::AlignmentNear, 0, 0, 0, 2, 5, 8);
        Para(11, tessaly::AlignmentCenter, 0, 0, 0, 0, 3, 6);
        Para(14, tessaly::AlignmentFar, 0, 0, 0, 0, 0, 4);
        data.FontTbl.resize(2);
        data.ColorTbl = {0, 0xFF};
        data.AboutPageInfo.nScale = 1;
        data.HwWordInfo.resize(3);
        data.AboutFileInfo.HwWordCount = 3;
        Layout();
        edit = std::make_unique<EditCommands>(data, std::make_unique<test::FakeJournal>(), view, view);
    }

    tessaly::aWordInfo Note(char c) {
        tessaly::aWordInfo w;
        w.WdAsc = c;
        w.IsJpGcCtl = c >= '0' && c <= '9' ? 1 : 0;
        w.WdSize = {10, 20};
        w.nLogFont.lfHeight = -16;
        return w;
    }

    // Three paragraphs of many lines on pages of a few lines, some characters with key, tempo and
    // metre marks, a lyric source line, laid out and its play marks read as on opening.
    void StartLong(uint32_t seed) {
        Seed(seed);
        std::string pattern;
        for (int p = 0; p < 3; ++p) {
            for (int32_t i = 150 + Pick(150); i > 0; --i) pattern += static_cast<char>(Pick(5) ? '0' + Pick(10) : 'a');
            pattern += '|';
        }
        Doc(pattern);
        constexpr int32_t kCodes[] = {kMarkKeySetting, kMarkTempoJ, kMarkTimeSignature, kMarkSharp};
        for (int32_t i = 0; i + 1 < data.WordCount(); ++i)
            if (Pick(40) == 0 && !IsParaEnd(data, i)) test::SetMark(data, i, 1, kCodes[Pick(4)], 3 + Pick(2) * 3, 4);
        data.FontTbl.resize(2);
        data.ColorTbl = {0, 0xFF};
        data.AboutPageInfo.nScale = 1;
        data.WriteHeight = 100 + static_cast<float>(Pick(100));
        Layout();
        data.InputDatLaidOut = true;
        data.PlayInfo.Track.resize(1);
        data.PlayInfo.MainTrack = 1;
        ScanPlayMarks(data);
        const int32_t source = Pick(data.LineCount());
        if (ApplyCPdqLine(data, source)) data.CPdqLine = source;
        edit = std::make_unique<EditCommands>(data, std::make_unique<test::FakeJournal>(), view, view);
    }

    // One command of any group over a random selection, then the re-layout the control makes;
    // with `page`, as the control lays it out (play marks and source lines kept).
    std::string trace;
    bool confined = false;  // the command told the layout its edit changed no other character
    NoPageView* page = nullptr;
    int32_t op = 0;
    void RandomCommand() {
        const int32_t count = data.WordCount();
        const int32_t start = Pick(count);
        const int32_t length = std::min(Pick(4), count - 1 - start) * (Pick(4) == 0 ? -1 : 1);
        data.SelStart = start;
        data.SelLength = length;
        const int32_t value = Pick(5);
        op = Pick(22);
        trace += std::to_string(op) + "@" + std::to_string(start) + "," + std::to_string(length) + " ";
        switch (op) {
            case 0:
                data.InputWords = {Note(static_cast<char>('0' + Pick(10))), Note('x')};
                data.InputWords.resize(static_cast<size_t>(1 + Pick(2)));
                edit->Typed.InputWord(start, length);
                break;
            case 1: edit->Typed.BackSpaceWord(start, Pick(2) ? 0 : length); break;
            case 2: edit->Typed.DeleteWord(start, length); break;
            case 3: edit->Clipboard.CutWord(start, length); break;
            case 4:
                data.InputWords = {Note('p'), Note('3')};
                data.PasteWordCount = 2;
                edit->Clipboard.PasteWord(start, length, "DuZazidaWordInfo-Format");
                break;
            case 5: {
                int32_t to = Pick(count + 1);
                edit->Clipboard.DragDropWord(start, length, to);
                break;
            }
            case 6: edit->Ranges.FormatHuXian(start, length, 72, 0x40012C); break;
            case 7: edit->Marks.Format_ChangSpeed(start, length, 165, value); break;
            case 8: edit->Values.ExtralWordVal1(start, Pick(8), value + 1); break;
            case 9: edit->Chars.Bold(start, length, Pick(2) == 0); break;
            case 10: edit->Chars.SelForeColor(start, length, Pick(2) ? 0xFFu : 0u); break;
            case 11: edit->Chars.WordYC(start, length, value % 3); break;
            case 12: edit->Spacing.SetWordSpace(start, length, Pick(2) ? 1 : -1); break;
            case 13: edit->Spacing.UpSpace(start, length, static_cast<float>(value)); break;
            case 14: edit->Paragraphs.Alignment(start, length, static_cast<tessaly::Alignment>(value % 4)); break;
            case 15: edit->Paragraphs.SelSpacingBefore(start, length, value * 10); break;
            case 16: edit->Pages.BackGroundType(static_cast<int16_t>(value)); break;
            case 17: edit->Pages.PagePosIndexType(static_cast<int16_t>(value)); break;
            case 18:
                edit->Undo.CurrentHwFocus(Pick(data.AboutFileInfo.HwWordCount + 1) - 1);
                edit->Items.HwWordColor(Pick(2) ? 0xFFu : 0u);
                break;
            case 19: edit->Graces.FormatYYInfo(kMarkGraceNote, 10 * (1 + Pick(3)) + 1); break;
            case 20: edit->Graces.DelYY(start, length); break;
            default:
                if (edit->Undo.CanUndo()) edit->Undo.UserUndo();
                break;
        }
        confined = data.InputStart >= 0 && !data.InputDatLaidOut;
        if (page) {
            LayOutEdit(data, *page);
        } else {
            FormatInputLines(data, data.InputDat);
        }
    }
};

// Every command group in one history: undo all gives back the original document, redo all the
// final one, and Modified is false only at the saved step.
TEST_F(EditCommandsRandom, HistoriesOfEveryCommandUndoAndRedoExactly) {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        Start(seed);
        trace.clear();
        const auto original = Snapshot(data);
        const int commands = 4 + Pick(30);
        const int saved = Pick(commands);
        for (int c = 0; c < commands; ++c) {
            RandomCommand();
            ASSERT_EQ(static_cast<size_t>(data.WordCount()) + 1, data.WordInfo.size()) << "seed " << seed;
            ASSERT_TRUE(IsParaEnd(data, data.WordCount() - 1)) << "seed " << seed << " " << trace;
            ASSERT_EQ("", DifferenceFromFullLayout()) << "seed " << seed << " " << trace;
            if (c == saved) edit->Undo.Modified(false);
        }
        while (edit->Undo.CanRedo()) edit->Undo.UserRedo();  // what a random undo took back
        const bool savedAtEnd = !edit->Undo.Modified();      // also closes an open step
        const auto final = Snapshot(data);
        const auto walk =
            test::WalkHistory(edit->Undo, [&] { return std::make_pair(Snapshot(data), DifferenceFromFullLayout()); });
        ASSERT_LT(walk.Down.size(), 1000u) << "seed " << seed;
        for (size_t k = 0; k < walk.Down.size(); ++k)
            ASSERT_EQ("", walk.Down[k].second) << "seed " << seed << " undo " << k + 1;
        ASSERT_EQ(original, walk.Down.empty() ? final : walk.Down.back().first) << "seed " << seed;
        ASSERT_EQ(final, Snapshot(data)) << "seed " << seed << " " << trace;
        EXPECT_EQ(savedAtEnd, !edit->Undo.Modified()) << "seed " << seed;
    }
}

// Deletions, cuts, pastes, typing over a selection, character attributes, marks and spacing in
// paragraphs of many lines break them again from the edit's line alone, leaving a line cut short
// behind the page; with every other command between them, the layout stays a full one's, the key,
// tempo and metre those a full scan reads, the source line on its characters, and undo and redo
// exact.
TEST_F(EditCommandsRandom, EditsInLongParagraphsBrokenFromTheirLineKeepLayoutPlayMarksAndHistory) {
    NoPageView view;
    page = &view;
    int32_t confinedEdits = 0, confinedMarks = 0, cuts = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        StartLong(seed);
        trace.clear();
        const auto original = Snapshot(data);
        for (int c = 0; c < 30; ++c) {
            RandomCommand();
            const std::string at = "seed " + std::to_string(seed) + " " + trace;
            cuts += data.LineInfo.HasCutLine() ? 1 : 0;
            confinedEdits += confined && data.LaidOutParaStart >= 0 ? 1 : 0;
            confinedMarks += confined && (op == 6 || op == 7 || op == 8 || op == 12 || op == 13) ? 1 : 0;
            if (c % 2) JoinUp(data, view);  // as when the keys pause
            ASSERT_EQ(test::SettledLayoutDifference(data, false), "") << at;
            // The status record reads paragraph ends off the lines: they are the characters'.
            const int32_t from = Pick(data.WordCount());
            int32_t end = from;
            while (end < data.WordCount() && !IsParaEnd(data, end)) ++end;
            ASSERT_EQ(ParagraphEndFrom(data, from), end < data.WordCount() ? end : -1) << at;
            EditorData full = data;
            ScanPlayMarks(full);
            ASSERT_EQ(std::make_tuple(data.PlayInfo.Track[0].Yd, data.PlayInfo.Bpm, data.PlayInfo.JiePai),
                      std::make_tuple(full.PlayInfo.Track[0].Yd, full.PlayInfo.Bpm, full.PlayInfo.JiePai))
                << at;
            if (data.CPdqLine != -1) {
                const auto& l = data.LineInfo[static_cast<size_t>(data.CPdqLine)];
                ASSERT_EQ(std::make_tuple(data.CPdqLine, l.Start, l.Length),
                          std::make_tuple(data.CPdqAnchor.Line, data.CPdqAnchor.Start, data.CPdqAnchor.Length))
                    << at;
            }
        }
        while (edit->Undo.CanRedo()) edit->Undo.UserRedo();
        const auto final = Snapshot(data);
        while (edit->Undo.CanUndo()) edit->Undo.UserUndo();
        ASSERT_EQ(original, Snapshot(data)) << "seed " << seed << " " << trace;
        while (edit->Undo.CanRedo()) edit->Undo.UserRedo();
        ASSERT_EQ(final, Snapshot(data)) << "seed " << seed << " " << trace;
    }
    EXPECT_GT(confinedEdits, 300);
    EXPECT_GT(confinedMarks, 150);
    EXPECT_GT(cuts, 50);
}

TEST(EditCommands, TheJournalLivesInTheProgramFolderWhileTheEditorDoes) {
    const auto folder = std::filesystem::temp_directory_path() / "edit_commands_folder";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    EditorData data;
    test::SetWords(data, "12|");
    std::filesystem::path journal;
    {
        NoPageView page;
        NoControlSite control;
        EditCommands edit(data, folder, page, control);
        journal = edit.Undo.JournalName();
        EXPECT_EQ(folder / "tmp" / "tmp0.dat", journal);
        EXPECT_TRUE(std::filesystem::exists(journal));
        EXPECT_TRUE(edit.Chars.Bold(0, 1, true));
        edit.Undo.UserUndo();
        EXPECT_FALSE(edit.Chars.Bold(0, 1));
    }
    EXPECT_FALSE(std::filesystem::exists(journal));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace notaline
