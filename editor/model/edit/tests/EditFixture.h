#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "EditTestSupport.h"
#include "FakeJournal.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/document/DoArray.h"
#include "model/edit/ClipboardEdits.h"
#include "model/edit/Typing.h"
#include "model/edit/UndoRedo.h"

namespace notaline::test {

// A laid-out document, its edit history over a journal file in a folder of its own, and the
// editing members, as the control holds them.
class EditTest : public LayoutEditTest {
protected:
    std::filesystem::path folder;
    std::unique_ptr<Typing> typing;
    std::unique_ptr<ClipboardEdits> clip;

    void SetUp() override {
        LayoutTest::SetUp();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("jp_edit_" + std::string(test->test_suite_name()) + "_" + test->name());
        std::filesystem::remove_all(folder);
        view.Data = &data;
        data.System = system;
    }

    void TearDown() override {
        clip.reset();
        typing.reset();
        undo.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    // A new document; the history starts empty, as after opening a file. With inMemory the
    // journal is a fresh FakeJournal.
    void Start(std::string_view pattern, bool inMemory = false) {
        Doc(pattern);
        Layout();
        if (inMemory) {
            undo = MemoryHistory(data, array, journal, view);
        } else if (!undo || journal) {
            journal = nullptr;
            undo = std::make_unique<UndoRedo>(data, array, folder, view, view);
        }
        typing = std::make_unique<Typing>(data, array, *undo, view);
        clip = std::make_unique<ClipboardEdits>(data, array, *undo, view);
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

    std::string Text() const {
        std::string s;
        for (int32_t i = 0; i < data.WordCount(); ++i)
            s += static_cast<char>(data.WordInfo[static_cast<size_t>(i)].WdAsc);
        return s;
    }

    // The document's characters as the bytes of their records.
    std::string Image() const {
        const auto bytes = WordBytes(data);
        return std::string(bytes.begin(), bytes.end());
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
};

}  // namespace notaline::test
