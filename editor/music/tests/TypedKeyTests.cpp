#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditFixture.h"
#include "MusicFixture.h"
#include "model/document/MarkCodes.h"
#include "model/edit/TypedText.h"
#include "music/NoteExtraction.h"

namespace notaline {
namespace {

class TypedKey : public test::EditTest {
protected:
    InputAttributes in;

    tessaly::aWordInfo Symbol(int32_t code) {
        tessaly::aWordInfo w;
        EXPECT_TRUE(BuildSymbolWord(data, in, code, 0, w));
        return w;
    }

    // The host's symbol command at the caret, as the control carries it out.
    void TypeSymbol(int32_t code) {
        data.InputWords = {Symbol(code)};
        ASSERT_TRUE(code == kMarkEquals ? typing->InputKeyEquals(data.SelStart, data.SelLength, Symbol(kMarkKeySetting))
                                        : typing->InputWord(data.SelStart, data.SelLength));
        Relayout();
    }
};

// "1=C" typed as README says, then a song from the start-position bar line: the "1" is the key's,
// undo gives back what was there before the "=", and nothing of the key sounds or is left out.
TEST_F(TypedKey, TheOneTypedBeforeAKeysEqualsSignIsTheKeyAndNeverSounds) {
    in.FontName = "x";
    for (bool caretMovedBetween : {false, true}) {
        SCOPED_TRACE(caretMovedBetween);
        Start("|");
        const std::string original = Image();
        TypeKeys("1");
        if (caretMovedBetween) undo->EndPendingStep();
        const std::string one = Image();
        TypeSymbol(kMarkEquals);
        EXPECT_EQ("1=|", Text());
        EXPECT_EQ(kMarkKeySetting, W(0).ExtralWordInfo[0].IndexType);
        EXPECT_EQ(caretMovedBetween ? 2 : 1, Steps());
        const std::string keyed = Image();
        undo->UserUndo();
        EXPECT_TRUE(Same(caretMovedBetween ? one : original, Image()));
        undo->UserRedo();
        EXPECT_TRUE(Same(keyed, Image()));

        data.SelStart = 2;
        data.SelLength = 0;
        TypeSymbol(kMarkKeyC);
        TypeSymbol(kMarkStartPosition);
        TypeKeys("56");
        TypeSymbol(kMarkBarLine);
        data.PlayInfo = test::SongDocument("").PlayInfo;  // block 1 sung
        const BarList bars = BuildXjInfo(data);
        EXPECT_EQ("", LeftOutNotice(data, bars, kLeftOutOfFile));
        std::vector<int> keys;
        for (const auto& e : test::Codes(data)) keys.push_back(e.Audio);
        EXPECT_EQ((std::vector<int>{67, 69}), keys);  // the MIDI file's notes come from the same reading
    }
    // A "1" without the key's mark, as files may hold it before an equals sign, stays a note.
    EXPECT_EQ(PlayChar::Note, PlayCharOf(StoredWord(test::EditTest::Char('1'))));
}

}  // namespace
}  // namespace notaline
