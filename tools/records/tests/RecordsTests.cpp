#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "records/Records.h"

namespace tessaly {
namespace {

TEST(Records, ByteCopyOfAWordKeepsEverySlotText) {
    aWordInfo word;
    word.WdAsc = -13362;
    word.cb = -1;
    word.IsJpGcCtl = 3;
    word.nLogFont.lfPitchAndFamily = 0x31;
    for (int slot = 0; slot < 8; ++slot) {
        word.ExtralWordInfo[slot].IndexType = 155 + slot;
        word.ExtralWordInfo[slot].ExtralWordVal2 = -slot;
        for (int k = 0; k < 16; ++k)
            word.ExtralWordInfo[slot].ExtralWordVal3[k] = static_cast<uint8_t>(0x80 + slot * 16 + k);
    }

    unsigned char bytes[sizeof(aWordInfo)];
    std::memcpy(bytes, &word, sizeof bytes);
    aWordInfo copy;
    std::memcpy(&copy, bytes, sizeof bytes);

    EXPECT_EQ(copy.WdAsc, -13362);
    EXPECT_EQ(copy.cb, -1);
    EXPECT_EQ(copy.IsJpGcCtl, 3);
    EXPECT_EQ(copy.nLogFont.lfPitchAndFamily, 0x31);
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(copy.ExtralWordInfo[slot].IndexType, 155 + slot);
        EXPECT_EQ(copy.ExtralWordInfo[slot].ExtralWordVal2, -slot);
        EXPECT_EQ(0,
                  std::memcmp(copy.ExtralWordInfo[slot].ExtralWordVal3, word.ExtralWordInfo[slot].ExtralWordVal3, 16));
    }
    // The last slot's text ends just before cf at 276.
    EXPECT_EQ(bytes[52 + 7 * 28 + 12 + 15], 0x80 + 7 * 16 + 15);
}

TEST(Records, DrumPatternsLieBackToBack) {
    std::vector<XjDrumData> patterns(5);
    for (size_t n = 0; n < patterns.size(); ++n) {
        patterns[n].DrumVer = static_cast<uint8_t>(n + 1);
        patterns[n].sTimetmp2[1] = static_cast<uint8_t>(0xF0 + n);
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(patterns.data());
    EXPECT_EQ(sizeof(XjDrumData[5]), 515u);
    for (size_t n = 0; n < patterns.size(); ++n) {
        EXPECT_EQ(bytes[103 * n], n + 1);
        EXPECT_EQ(bytes[103 * n + 102], 0xF0 + n);
    }
}

TEST(Records, DialogFlagsAreSingleBitsAndErrorCodesPositive) {
    // Combining with other flags in a 32-bit word must set only their own bit.
    for (int32_t flag : {int32_t{OFN_NOREADONLYRETURN}, int32_t{CF_WYSIWYG}, int32_t{PD_ENABLESETUPTEMPLATE},
                         int32_t{PSD_EnablePageSetupTemplate}, int32_t{Simulated_FontType}}) {
        EXPECT_EQ(flag, 32768);
        EXPECT_EQ(int64_t{flag} | int64_t{OFN_EXPLORER}, 32768 + 524288);
    }
    const uint32_t extendedError = 0xFFFF;  // as the dialog reports it
    EXPECT_EQ(extendedError, static_cast<uint32_t>(CDERR_DIALOGFAILURE));
    EXPECT_EQ(int64_t{CF_NoVertFonts}, 16777216);
    EXPECT_EQ(CF_NoVectorFonts, CF_NoOemFonts);
    EXPECT_EQ(epqHigh, -4);
    EXPECT_EQ(epsUser, 256);
}

TEST(Records, MessageNumbersAndTruthValues) {
    EXPECT_EQ(EM_RunPre, 1031);
    EXPECT_EQ(EM_预览, 1059);
    EXPECT_EQ(EM_FORMATRANGE, 1081);
    EXPECT_EQ(EM_SendMsg, 1026);
    EXPECT_EQ(EM_HideCaret, 143);
    EXPECT_EQ(static_cast<uint16_t>(kTrue), 0xFFFF);
    EXPECT_EQ(kFalse, 0);
}

TEST(Records, RecordsWithReferencesOwnTheirData) {
    aPlayInfo play;
    play.Track.resize(3);
    play.Track[2].tPlayOrder[47].IsPlay = kTrue;
    aPlayInfo copy = play;
    play.Track[2].tPlayOrder[47].IsPlay = kFalse;
    EXPECT_EQ(copy.Track[2].tPlayOrder[47].IsPlay, kTrue);

    aSendMsg msg;
    int font = 0;
    msg.StdFont = &font;
    msg.ShowWordSpace = 7;
    EXPECT_EQ(msg.StdFont, &font);  // a full pointer, not cut to 32 bits
    EXPECT_EQ(sizeof(aSendMsg), sizeof(void*) == 8 ? 88u : 84u);
}

}  // namespace
}  // namespace tessaly
