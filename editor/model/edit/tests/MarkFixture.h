#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DocumentBuilder.h"
#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/MarkCommands.h"
#include "model/edit/RangeMarks.h"
#include "model/edit/UndoRedo.h"

namespace notaline::test {

// Counts the steps opened.
class CountingJournal : public FakeJournal {
public:
    int Flushes = 0;
    bool Flush() override {
        ++Flushes;
        return true;
    }
};

// A view that answers the big glissando's room question as told.
class MarkView : public RecordingView {
public:
    bool Room = true;
    bool BigHuaYingHasRoom(int32_t, int32_t) override { return Room; }
};

class MarkTest : public ::testing::Test {
protected:
    EditorData data;
    MarkView view;
    DoArray array{data, view};
    FakeSystem system;
    CountingJournal* journal = nullptr;
    std::unique_ptr<UndoRedo> undo;
    std::unique_ptr<MarkCommands> marks;
    std::unique_ptr<RangeMarks> ranges;

    void Start(std::string_view pattern) {
        SetWords(data, pattern);
        data.System = system;
        undo = MemoryHistory(data, array, journal, view);
        marks = std::make_unique<MarkCommands>(data, *undo);
        ranges = std::make_unique<RangeMarks>(data, *undo, view, view);
    }

    void Select(int32_t start, int32_t length) {
        data.SelStart = start;
        data.SelLength = length;
    }

    // Every character record, the spare one included.
    std::vector<unsigned char> Bytes() const { return WordBytes(data, true); }

    // Steps recorded so far: each in-place step flushes once when opened and once when closed.
    int Steps() const { return journal->Flushes / 2; }

    StoredWord& W(int32_t i) { return data.WordInfo[static_cast<size_t>(i)]; }
    const tessaly::aExtralWordInfo& Slot(int32_t word, int32_t slot) { return W(word).ExtralWordInfo[slot]; }

    void FillSlots(int32_t word, int32_t code = 1) {
        for (int32_t s = 0; s < 8; ++s) SetMark(data, word, s, code);
    }

    // The command was one step: undo gives back `before` byte for byte, redo gives `after`.
    void ExpectOneStep(const std::vector<unsigned char>& before, int stepsBefore) {
        ASSERT_EQ(stepsBefore + 1, Steps());
        ExpectUndoRedo(*undo, before, Bytes(), [&] { return Bytes(); });
    }
};

}  // namespace notaline::test
