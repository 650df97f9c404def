#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "DaDurUnits.h"
#include "DefaultDocument.h"
#include "cText.h"

namespace tessaly {
namespace {

// Walks a line with both cutters and expects the same units, positions and failures.
void ExpectSameUnits(const std::string& line) {
    int32_t fastPos = 1, slowPos = 1;
    UnitScratch scratch;
    const int32_t length = static_cast<int32_t>(line.size());
    while (slowPos <= length) {
        UnitView fast;
        bool ok = true;
        const aCtlUnit slow = cText::nCtlUnit(line, slowPos, ok);
        const bool fastOk = NextUnit(line, fastPos, fast, scratch);
        ASSERT_EQ(ok, fastOk) << line;
        if (!ok) return;
        ASSERT_EQ(slowPos, fastPos) << line;
        ASSERT_EQ(slow.CtlWord, fast.word) << line;
        ASSERT_EQ(slow.CtlVal, fast.value) << line;
        ASSERT_EQ(slow.CtlObj, fast.text) << line;
        ++slowPos;
        ++fastPos;
    }
}

TEST(DaDurUnits, CutLinesAsTheLexicalLayerDoes) {
    for (const auto& line : DefaultDocumentLines()) ExpectSameUnits(line);
    for (const char* line :
         {"\\part\\b\\att0 a", "\\f1a b", "\\ab12cd x", "\\fs-.5\\b-", "\\x{y}\\z", "\\hyc4 name;}{\\f1",
          "\\part\\'cb\\'ce\\\\x", "\\ex 37,0,0,\\{a\\}\\eex", "\\q\\'zz", "\\q \\'cb", "\\fs99999999999999999999999",
          "\\fs1e99", "\\u\xcb\\\\ \\v", "\\t \xcb\x5c\\w", "\\", "\\a", "\\a\\", "\\a \\"})
        ExpectSameUnits(line);
}

TEST(DaDurUnits, RandomLinesCutAlike) {
    const std::string alphabet = "\\\\\\'{} ab-.09;,\xcb\xce\x5c\x81";
    std::mt19937 random(1234);
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        const int size = static_cast<int>(random() % 24);
        for (int i = 0; i < size; ++i) line += alphabet[random() % alphabet.size()];
        ExpectSameUnits(line);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace tessaly
