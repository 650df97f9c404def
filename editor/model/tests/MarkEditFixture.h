#pragma once

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "FakeJournal.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/DoArray.h"
#include "model/GraceGroups.h"
#include "model/MarkValues.h"
#include "model/UndoRedo.h"

namespace notaline::test {

// A laid-out document of 12-point notes (lfHeight -16 at 96 DPI) with an edit history, a fake
// measurer and a beep counter, and the mark-value and grace-group commands over them, as the
// control runs them.
class MarkEditTest : public LayoutTest {
protected:
    FakeTextMeasurer measurer;
    FakeSystem system;
    DoArray array{data};
    FakeJournal* journal = nullptr;
    std::unique_ptr<UndoRedo> undo;
    std::unique_ptr<MarkValues> marks;
    std::unique_ptr<GraceGroups> grace;

    void Start(std::string_view pattern) {
        Doc(pattern);
        for (int32_t i = 0; i < data.WordCount(); ++i) W(i).SelSize = 12;
        data.Measurer = &measurer;
        data.System = &system;
        Layout();
        data.SelStart = 0;
        data.SelLength = 0;
        auto j = std::make_unique<FakeJournal>();
        journal = j.get();
        undo = std::make_unique<UndoRedo>(data, array, std::move(j));
        marks = std::make_unique<MarkValues>(data, *undo);
        grace = std::make_unique<GraceGroups>(data, *undo);
    }

    void Select(int32_t start, int32_t length) {
        data.SelStart = start;
        data.SelLength = length;
    }

    // What the control does after every editing member.
    void Relayout() { FormatInputLines(data, data.InputDat); }

    std::vector<unsigned char> Bytes() const {
        std::vector<unsigned char> b(static_cast<size_t>(data.WordCount()) * sizeof(tessaly::aWordInfo));
        if (!b.empty()) std::memcpy(b.data(), data.WordInfo.data(), b.size());
        return b;
    }

    // Undoes everything that can be undone; the number of steps.
    int UndoAll() {
        int steps = 0;
        for (; undo->CanUndo(); ++steps) undo->UserUndo();
        return steps;
    }

    const tessaly::aExtralWordInfo& Slot(int32_t word, int32_t slot) { return W(word).ExtralWordInfo[slot]; }
};

}  // namespace notaline::test
