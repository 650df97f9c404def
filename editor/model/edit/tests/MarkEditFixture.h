#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/document/DoArray.h"
#include "model/edit/GraceGroups.h"
#include "model/edit/MarkValues.h"
#include "model/edit/UndoRedo.h"

namespace notaline::test {

// A laid-out document of 12-point notes (lfHeight -16 at 96 DPI) with an edit history, a fake
// measurer and a beep counter, and the mark-value and grace-group commands over them, as the
// control runs them.
class MarkEditTest : public LayoutEditTest {
protected:
    std::unique_ptr<MarkValues> marks;
    std::unique_ptr<GraceGroups> grace;

    void Start(std::string_view pattern) {
        Doc(pattern);
        for (int32_t i = 0; i < data.WordCount(); ++i) W(i).SelSize = 12;
        data.Measurer = measurer;
        data.System = system;
        Layout();
        data.SelStart = 0;
        data.SelLength = 0;
        undo = MemoryHistory(data, array, journal, view);
        marks = std::make_unique<MarkValues>(data, *undo);
        grace = std::make_unique<GraceGroups>(data, *undo);
    }

    // Undoes everything that can be undone; the number of steps.
    int UndoAll() {
        int steps = 0;
        for (; undo->CanUndo(); ++steps) undo->UserUndo();
        return steps;
    }
};

}  // namespace notaline::test
