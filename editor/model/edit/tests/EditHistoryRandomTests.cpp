#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "EditFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/layout/LineBreaker.h"

namespace notaline {
namespace {

using test::SetMark;

// Marks the input-kind switch can turn into one another.
constexpr int32_t kKinds[] = {39, 40, 41, 42, 49, 50, 53, 55, 63, 64, 105, 106, 140, 177};

constexpr tessaly::Alignment kAlignments[] = {tessaly::AlignmentNear, tessaly::AlignmentCenter, tessaly::AlignmentFar,
                                              tessaly::AlignmentDisperse};

// Random edits of random documents with paired marks, grace-note groups and paragraph attributes;
// then undo everything (the original bytes come back) and redo everything (the final bytes do).
class EditHistoryRandomTest : public test::EditTest, protected test::RandomPicks {
protected:
    std::string trace;  // the commands of the sequence, for a failure's message

    void Mark(int32_t word, int32_t code, int32_t v1, int32_t v2) {
        const int32_t slot = GetFreeExtralSlot(data, word);
        if (slot >= 0) SetMark(data, word, slot, code, v1, v2);
    }

    void RandomDocument() {
        std::string pattern;
        const int32_t length = 6 + Pick(35);
        for (int32_t i = 0; i + 1 < length; ++i) {
            const int32_t r = Pick(10);
            pattern += r == 0 ? '|' : r < 6 ? static_cast<char>('1' + Pick(7)) : static_cast<char>('a' + Pick(26));
        }
        pattern += '|';
        Start(pattern);
        const int32_t count = data.WordCount();
        for (int32_t i = 0; i < count; ++i)
            if (pattern[static_cast<size_t>(i)] == '|' && Pick(2))
                Para(i, kAlignments[Pick(4)], Pick(30), Pick(30), Pick(30), Pick(5), Pick(9), Pick(9));
        for (int k = Pick(6); k > 0; --k) {
            const int32_t start =
                kPairStartCodes[static_cast<size_t>(Pick(static_cast<int32_t>(kPairStartCodes.size())))];
            const int32_t first = Pick(count - 1);
            const int32_t last = std::min(count - 2, first + 1 + Pick(8));
            const int32_t pair = 1 + Pick(3);  // numbers repeat, as after loading
            if (Pick(6)) Mark(first, start, Pick(3), pair);
            if (Pick(6) && last > first) Mark(last, start + 1, 0, pair);
        }
        for (int k = Pick(3); k > 0; --k) {
            const int32_t size = 1 + Pick(3), form = Pick(2), first = Pick(count - 1);
            for (int32_t p = 0; p < size && first + p < count - 1; ++p)
                Mark(first + p, kMarkGraceNote, size + 3 * form, p + 1);
        }
        for (int k = Pick(4); k > 0; --k) Mark(Pick(count - 1), kKinds[Pick(std::size(kKinds))], 0, 0);
        Layout();
    }

    // A caret or a selection (either way) anywhere, the last paragraph end and the place after it
    // included: the members keep that end where it is.
    void RandomSelection(bool allowEmpty) {
        const int32_t count = data.WordCount();
        const int32_t start = Pick(count + 1);
        const int32_t room = count - start;
        int32_t length = Pick(std::min(room, 6) + 1);
        if (!allowEmpty && length == 0 && room > 0) length = 1;
        const bool leftwards = Pick(2) == 0;
        data.SelStart = leftwards ? start + length : start;
        data.SelLength = leftwards ? -length : length;
    }

    std::string RandomText(int32_t most) {
        std::string text;
        for (int32_t n = 1 + Pick(most); n > 0; --n)
            text += Pick(8) == 0 ? '|' : Pick(2) ? static_cast<char>('1' + Pick(7)) : static_cast<char>('A' + Pick(26));
        return text;
    }

    void RandomCommand() {
        const int32_t count = data.WordCount();
        const int32_t command = Pick(9);
        std::ostringstream step;
        step << ' ' << command << '@' << data.SelStart << ',' << data.SelLength << " '" << Text() << '\'';
        trace += step.str();
        switch (command) {
            case 0:
            case 1:
                if (Pick(3) == 0) RandomSelection(true);  // otherwise typing goes on at the caret
                SetInput(RandomText(2));
                typing->InputWord(data.SelStart, data.SelLength);
                break;
            case 2:
                if (Pick(3) == 0) RandomSelection(true);
                typing->BackSpaceWord(data.SelStart, data.SelLength);
                break;
            case 3:
                RandomSelection(true);
                typing->DeleteWord(data.SelStart, data.SelLength);
                break;
            case 4:
                RandomSelection(true);
                if (Pick(2)) {
                    view.Clip.clear();
                    for (char c : RandomText(4)) view.Clip.push_back(Char(c));
                }
                if (undo->CanPaste()) clip->PasteWord(data.SelStart, data.SelLength, "DuZazidaWordInfo-Format");
                break;
            case 5:
                RandomSelection(false);
                clip->CutWord(data.SelStart, data.SelLength);
                break;
            case 6: {
                RandomSelection(false);
                int32_t to = Pick(count + 1);
                clip->DragDropWord(data.SelStart, data.SelLength, to);
                break;
            }
            case 7: {
                data.SelStart = Pick(count);
                const auto& slot = W(data.SelStart).ExtralWordInfo[Pick(8)];
                int32_t from = slot.IndexType, to = kKinds[Pick(std::size(kKinds))];
                typing->ConChangInputWord(from, to);
                break;
            }
            default:
                if (Pick(2) && undo->CanUndo()) {
                    undo->UserUndo();
                    data.InputDat.iDelLength = -1;  // it has laid the text out itself
                } else {
                    data.SelStart = Pick(count);  // a caret move: the next edit starts a step
                    data.SelLength = 0;
                }
                break;
        }
    }
};

TEST_F(EditHistoryRandomTest, UndoAllGivesTheOriginalAndRedoAllTheFinalBytes) {
    constexpr uint32_t kSequences = 2000;
    for (uint32_t seed = 1; seed <= kSequences; ++seed) {
        Seed(seed);
        RandomDocument();
        trace.clear();
        const std::string original = Image();
        const int commands = 1 + Pick(16);
        const int saveAt = Pick(commands + 1);
        std::string saved = original;
        if (saveAt == 0) undo->Modified(false);
        for (int c = 1; c <= commands; ++c) {
            data.InputDat.iDelLength = -1;  // no edit described yet
            RandomCommand();
            if (data.InputDat.iDelLength >= 0) Relayout();  // what the control does after an edit
            ASSERT_EQ(static_cast<size_t>(data.WordCount()) + 1, data.WordInfo.size()) << "seed " << seed << trace;
            ASSERT_TRUE(IsParaEnd(data, data.WordCount() - 1)) << "seed " << seed << trace;
            ASSERT_EQ("", DifferenceFromFullLayout()) << "seed " << seed << trace;
            if (c == saveAt) {
                undo->Modified(false);
                saved = Image();
            }
        }
        while (undo->CanRedo()) undo->UserRedo();
        const std::string final = Image();

        int unmodified = 0;
        int steps = 0;
        while (true) {
            if (!undo->Modified()) {
                ++unmodified;
                ASSERT_TRUE(Same(saved, Image()))
                    << "seed " << seed << trace << ": not modified after " << steps << " undos";
            }
            if (!undo->CanUndo()) break;
            undo->UserUndo();
            ++steps;
        }
        ASSERT_LE(unmodified, 1) << "seed " << seed << trace;  // none when later steps wrote over the saved one
        ASSERT_TRUE(Same(original, Image())) << "seed " << seed << trace << " after " << steps << " undos";
        while (undo->CanRedo()) undo->UserRedo();
        ASSERT_TRUE(Same(final, Image())) << "seed " << seed << trace << " after " << steps << " redos";
    }
}

}  // namespace
}  // namespace notaline
