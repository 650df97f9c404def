#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/document/DoArray.h"
#include "model/edit/CharAttributes.h"
#include "model/edit/SpacingCommands.h"
#include "model/edit/UndoRedo.h"

namespace notaline::test {

inline const std::string kSongTiGbk = "\xCB\xCE\xCC\xE5";

// A laid-out document with a text font (row 0) and the notation font (row 1), fake measuring,
// a counting beep and a journal in memory, and the two command classes over it.
class AttributeTest : public LayoutEditTest {
protected:
    std::unique_ptr<CharAttributes> chars;
    std::unique_ptr<SpacingCommands> spacing;

    // '|' paragraph ends and digits notes in the notation font, other bytes text in 宋体; '#' a
    // symbol character.
    void Start(std::string_view pattern) {
        Doc(pattern);
        data.NotationFontName = "Tolvane";
        data.FontTbl = {{kSongTiGbk, 134, 15, 3}, {"Tolvane", 2, 14, 4}};
        data.AboutFileInfo.FontTblCount = 2;
        data.AboutFileInfo.BaseFontTblIndex = 1;
        data.ColorTbl = {0x000000, 0xFFFFFF};
        data.AboutFileInfo.ColorTblCount = 2;
        for (int32_t i = 0; i < data.WordCount(); ++i) {
            auto& w = W(i);
            if (w.WdAsc == '#') w.IsJpGcCtl = 2;
            w.EditFont([&](tessaly::mLogFont& f) { f.FontTblIndex = w.IsJpGcCtl == 0 ? 0 : 1; });
            w.EditFont([&](tessaly::mLogFont& f) { f.lfWeight = 400; });
            w.SelSize = 12;
            w.cb = -1;
        }
        Layout();
        data.Measurer = measurer;
        data.System = system;
        undo = MemoryHistory(data, array, journal, view);
        chars = std::make_unique<CharAttributes>(data, *undo);
        spacing = std::make_unique<SpacingCommands>(data, *undo);
    }

    // The first difference from an earlier Bytes(): "word 3 offset 36", or "" when equal.
    std::string Diff(const std::vector<unsigned char>& other) const {
        const auto now = Bytes();
        if (now.size() != other.size()) return "count " + std::to_string(now.size() / 316);
        for (size_t i = 0; i < now.size(); ++i)
            if (now[i] != other[i]) return "word " + std::to_string(i / 316) + " offset " + std::to_string(i % 316);
        return "";
    }

    // The command changes the document in one step; undo gives back every byte, redo the change.
    void ExpectOneStep(const std::function<bool()>& command, const char* what) {
        SCOPED_TRACE(what);
        undo->ZeroUnDoReDoVal();
        const auto before = Bytes();
        ASSERT_TRUE(command());
        FormatInputLines(data, data.InputDat);
        undo->EndPendingStep();
        ASSERT_EQ(1, CountSteps(*undo));
        ExpectUndoRedo(*undo, before, Bytes(), [&] { return Bytes(); });
        EXPECT_FALSE(undo->CanRedo());
    }
};

}  // namespace notaline::test
