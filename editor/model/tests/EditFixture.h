#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FakeJournal.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/ClipboardEdits.h"
#include "model/DoArray.h"
#include "model/Typing.h"
#include "model/UndoRedo.h"

namespace notaline::test {

// A view whose clipboard is a list of characters; it can be told to refuse them.
class WordClipboardView : public RecordingView {
public:
    EditorData* Data = nullptr;
    std::vector<tessaly::aWordInfo> Clip;
    bool Refuse = false;

    bool CopyWordsToClipboard(int32_t Start, int32_t Length) override {
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
        if (Clip.empty()) return false;
        Data->InputWords = Clip;
        Data->PasteWordCount = static_cast<int32_t>(Clip.size());
        return true;
    }
};

// A laid-out document, its edit history over a journal file in a folder of its own, and the
// editing members, as the control holds them.
class EditTest : public LayoutTest {
protected:
    DoArray array{data};
    WordClipboardView view;
    FakeSystem system;
    std::filesystem::path folder;
    std::unique_ptr<UndoRedo> undo;
    std::unique_ptr<Typing> typing;
    std::unique_ptr<ClipboardEdits> clip;

    void SetUp() override {
        LayoutTest::SetUp();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("jp_edit_" + std::string(test->test_suite_name()) + "_" + test->name());
        std::filesystem::remove_all(folder);
        view.Data = &data;
        data.View = &view;
        data.System = &system;
    }

    void TearDown() override {
        clip.reset();
        typing.reset();
        undo.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    FakeJournal* journal = nullptr;  // set when the history keeps its journal in memory

    // A new document; the history starts empty, as after opening a file. With inMemory the
    // journal is a fresh FakeJournal.
    void Start(std::string_view pattern, bool inMemory = false) {
        Doc(pattern);
        Layout();
        if (inMemory) {
            auto j = std::make_unique<FakeJournal>();
            journal = j.get();
            undo = std::make_unique<UndoRedo>(data, array, std::move(j));
        } else if (!undo || journal) {
            journal = nullptr;
            undo = std::make_unique<UndoRedo>(data, array, folder);
        }
        typing = std::make_unique<Typing>(data, array, *undo);
        clip = std::make_unique<ClipboardEdits>(data, array, *undo);
        undo->ZeroUnDoReDoVal();
        data.SelStart = 0;
        data.SelLength = 0;
    }

    // The characters as typed: laid out like the document's own.
    static tessaly::aWordInfo Char(char c) {
        tessaly::aWordInfo w{};
        w.WdAsc = static_cast<int16_t>(static_cast<unsigned char>(c));
        w.IsJpGcCtl = c == '|' ? 3 : (c >= '0' && c <= '9') ? 1 : 0;
        w.WdSize = {10, 20};
        w.nLogFont.lfHeight = -16;
        return w;
    }

    void SetInput(std::string_view text) {
        data.InputWords.clear();
        for (char c : text) data.InputWords.push_back(Char(c));
        data.PasteWordCount = static_cast<int32_t>(text.size());
    }

    // Types text one key at a time at the caret, as the control does.
    void TypeKeys(std::string_view text) {
        for (char c : text) {
            SetInput(std::string(1, c));
            ASSERT_TRUE(typing->InputWord(data.SelStart, data.SelLength));
            Relayout();
        }
    }

    void Relayout() { FormatInputLines(data, data.InputDat); }

    std::string Text() const {
        std::string s;
        for (int32_t i = 0; i < data.WordCount(); ++i)
            s += static_cast<char>(data.WordInfo[static_cast<size_t>(i)].WdAsc);
        return s;
    }

    // The document's characters as the bytes of their records.
    std::string Image() const {
        const auto* bytes = reinterpret_cast<const char*>(data.WordInfo.data());
        return std::string(bytes, bytes + static_cast<size_t>(data.WordCount()) * sizeof(tessaly::aWordInfo));
    }

    // Equal images, or where they first differ: the character and the byte in its record.
    static ::testing::AssertionResult Same(const std::string& want, const std::string& got) {
        if (want == got) return ::testing::AssertionSuccess();
        const size_t at =
            static_cast<size_t>(std::mismatch(want.begin(), want.end(), got.begin(), got.end()).first - want.begin());
        constexpr size_t kRecord = sizeof(tessaly::aWordInfo);
        return ::testing::AssertionFailure()
               << "characters " << want.size() / kRecord << " and " << got.size() / kRecord
               << ", first difference in character " << at / kRecord << " at byte " << at % kRecord;
    }

    int32_t Steps() {
        int32_t n = 0;
        while (undo->CanUndo()) {
            undo->UserUndo();
            ++n;
        }
        for (int32_t k = 0; k < n; ++k) undo->UserRedo();
        return n;
    }

    const tessaly::aExtralWordInfo& Slot(int32_t word, int32_t slot) { return W(word).ExtralWordInfo[slot]; }
};

}  // namespace notaline::test
