#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "FakeJournal.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/DoArray.h"
#include "model/EditorData.h"
#include "model/UndoRedo.h"

namespace notaline::test {

// An edit history over a fresh journal in memory; `journal` is pointed at that journal.
template <class Journal>
std::unique_ptr<UndoRedo> MemoryHistory(EditorData& data, DoArray& array, Journal*& journal) {
    auto j = std::make_unique<Journal>();
    journal = j.get();
    return std::make_unique<UndoRedo>(data, array, std::move(j));
}

// The records of the document's characters; with `spare` every record held, the spare one too.
inline std::vector<unsigned char> WordBytes(const EditorData& data, bool spare = false) {
    const size_t count = spare ? data.WordInfo.size() : static_cast<size_t>(data.WordCount());
    std::vector<unsigned char> b(count * sizeof(tessaly::aWordInfo));
    if (!b.empty()) data.WordInfo.CopyOut(0, count, reinterpret_cast<tessaly::aWordInfo*>(b.data()));
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
        const auto first = Data->WordInfo.begin() + Start;
        Clip.assign(first, first + Length);
        return true;
    }
    bool ReadClipboardWords() override {
        if (!Data || Clip.empty()) return false;
        Data->InputWords = Clip;
        Data->PasteWordCount = static_cast<int32_t>(Clip.size());
        return true;
    }
};

// A laid-out document with fake measuring, a counting beep and an edit history; each fixture
// hands the services to the document and makes the history as its commands need them.
class LayoutEditTest : public LayoutTest {
protected:
    DoArray array{data};
    FakeTextMeasurer measurer;
    FakeSystem system;
    FakeJournal* journal = nullptr;  // set when the history keeps its journal in memory
    std::unique_ptr<UndoRedo> undo;

    std::vector<unsigned char> Bytes() const { return WordBytes(data); }
    int32_t Steps() { return CountSteps(*undo); }
};

}  // namespace notaline::test
