#pragma once

#include <memory>
#include <string>
#include <vector>

#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/document/mGeneral.h"
#include "model/edit/EditCommands.h"
#include "model/edit/Keyboard.h"

namespace notaline::test {

// The control's side of the keys: what it was asked to do, in order.
class FakeKeyHost : public KeyHost {
public:
    std::vector<std::pair<int32_t, int32_t>> Notified;
    std::vector<bool> Scrolled;
    InputAttributes Input;
    void NotifySelChange(int32_t start, int32_t length) override { Notified.emplace_back(start, length); }
    void ScrollByPage(bool down) override { Scrolled.push_back(down); }
    InputAttributes CurrentInput() override { return Input; }
};

// A laid-out document with its editing objects and the keyboard over them. Characters are 10
// wide on a 100 wide page, so ten make a full line.
class KeyboardTest : public LayoutTest {
protected:
    RecordingView view;
    FakeSystem system;
    FakeTextMeasurer measurer;
    FakeKeyHost host;
    std::unique_ptr<EditCommands> edit;
    std::unique_ptr<Keyboard> keys;

    void Start(std::string_view pattern) {
        Doc(pattern);
        // Paragraph ends carry their paragraph's attributes, as in a document read from a file.
        for (int32_t i = 0; i < data.WordCount(); ++i)
            if (pattern[static_cast<size_t>(i)] == '|') Para(i, tessaly::AlignmentNear);
        data.FontTbl = {{"tolvane", 2, 14, 4}, {"song", 134, 15, 3}};
        data.ColorTbl = {0};
        data.AboutPageInfo.nScale = 1;
        data.WriteRight = 100;
        data.System = system;
        data.Measurer = measurer;
        Layout();
        edit = std::make_unique<EditCommands>(data, std::make_unique<FakeJournal>(), view, view);
        keys = std::make_unique<Keyboard>(data, *edit, view, view, host);
    }

    // The caret (or selection) as a click would leave it.
    void Caret(int32_t start, int32_t length = 0) {
        Select(start, length);
        data.CurLine = GetLineOfWord(data, start + length);
        data.CaretAtLineEnd = false;
        data.CaretColumnX = data.IsWord(start) ? static_cast<int16_t>(W(start).Left) : 0;
    }

    bool Redrawn() const {
        for (const auto& c : view.Calls)
            if (c.rfind("RefreshView", 0) == 0) return true;
        return false;
    }
};

}  // namespace notaline::test
