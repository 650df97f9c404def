#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "FakeJournal.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/UndoRedo.h"

namespace notaline::test {

// An edit history over a fresh journal in memory; `journal` is pointed at that journal.
template <class Journal>
std::unique_ptr<UndoRedo> MemoryHistory(EditorData& data, DoArray& array, Journal*& journal, RecordingView& view) {
    auto j = std::make_unique<Journal>();
    journal = j.get();
    return std::make_unique<UndoRedo>(data, array, std::move(j), view, view);
}

// The records of the document's characters; with `spare` every record held, the spare one too.
inline std::vector<unsigned char> WordBytes(const EditorData& data, bool spare = false) {
    const size_t count = spare ? data.WordInfo.size() : static_cast<size_t>(data.WordCount());
    std::vector<unsigned char> b(count * sizeof(tessaly::aWordInfo));
    if (!b.empty()) data.WordInfo.CopyOut(0, count, Expanding(reinterpret_cast<tessaly::aWordInfo*>(b.data())));
    return b;
}

// Undoes every step and redoes them all again; the number of steps.
inline int32_t CountSteps(UndoRedo& undo) {
    int32_t n = 0;
    while (undo.CanUndo()) {
        undo.UserUndo();
        ++n;
    }
    for (int32_t i = 0; i < n; ++i) undo.UserRedo();
    return n;
}

// Undoes one step and expects `before`, then redoes it and expects `after`; `now` reads the state.
template <class State, class Now>
void ExpectUndoRedo(UndoRedo& undo, const State& before, const State& after, Now&& now) {
    ASSERT_TRUE(undo.CanUndo());
    undo.UserUndo();
    EXPECT_EQ(before, now());
    ASSERT_TRUE(undo.CanRedo());
    undo.UserRedo();
    EXPECT_EQ(after, now());
}

// The seeded choices of the random-history tests: the same seed gives the same history.
class RandomPicks {
public:
    void Seed(uint32_t seed) { rng_.seed(seed); }
    uint32_t Next() { return rng_(); }
    // 0 to n - 1; 0 when n is not positive.
    int32_t Pick(int32_t n) { return n > 0 ? static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)) : 0; }
    // lo to hi, both included.
    int32_t Pick(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng_); }

private:
    std::mt19937 rng_;
};

// The states a history passes through when every step is undone (Down: after each undo) and
// then redone (Up: after each redo).
template <class State>
struct HistoryWalk {
    std::vector<State> Down;
    std::vector<State> Up;
};

// Undoes every step, then redoes them all, reading the state with `now` after each; at most
// `limit` steps each way.
template <class Now>
auto WalkHistory(UndoRedo& undo, Now&& now, int32_t limit = 1000) {
    HistoryWalk<decltype(now())> walk;
    while (undo.CanUndo() && static_cast<int32_t>(walk.Down.size()) < limit) {
        undo.UserUndo();
        walk.Down.push_back(now());
    }
    while (undo.CanRedo() && walk.Up.size() < walk.Down.size()) {
        undo.UserRedo();
        walk.Up.push_back(now());
    }
    return walk;
}

// A view with a clipboard: it keeps the ranges the editing members copy and, with Data set, the
// characters themselves, which it hands back to paste; it can be told to refuse them.
class ClipboardView : public RecordingView {
public:
    EditorData* Data = nullptr;
    std::vector<std::pair<int32_t, int32_t>> Copied;
    std::vector<tessaly::aWordInfo> Clip;
    bool Refuse = false;

    bool CopyWordsToClipboard(int32_t Start, int32_t Length) override {
        Copied.emplace_back(Start, Length);
        if (!Data) return true;
        if (Length < 0) {
            Start += Length;
            Length = -Length;
        }
        if (Refuse || Length == 0) return false;
        Clip.resize(static_cast<size_t>(Length));
        Data->WordInfo.CopyOut(static_cast<size_t>(Start), Clip.size(), Expanding(Clip.begin()));
        return true;
    }
    bool ReadClipboardWords() override {
        if (!Data || Clip.empty()) return false;
        Data->InputWords = Clip;
        Data->PasteWordCount = static_cast<int32_t>(Clip.size());
        return true;
    }
};

// A laid-out document with fake measuring, a counting beep, a view with a clipboard and an edit
// history; each fixture hands the services to the document and makes the history as its commands
// need them.
class LayoutEditTest : public LayoutTest {
protected:
    ClipboardView view;
    DoArray array{data, view};
    FakeTextMeasurer measurer;
    FakeSystem system;
    FakeJournal* journal = nullptr;  // set when the history keeps its journal in memory
    std::unique_ptr<UndoRedo> undo;

    std::vector<unsigned char> Bytes() const { return WordBytes(data); }
    int32_t Steps() { return CountSteps(*undo); }
};

}  // namespace notaline::test
