// Reads arbitrary bytes as a clipboard block of characters, as another program may have put
// there: the parser must refuse or accept without reading past the block, and what it accepts
// must hold only table indexes and pairs the document can use.
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <utility>

#include "model/document/MarkCodes.h"
#include "model/edit/ClipboardFormat.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

notaline::EditorData SmallDocument() {
    tessaly::JpData doc;
    doc.FontTbl.push_back({"tolvane", 2, 15, 3});
    doc.ColorTbl = {0, 0xFF0000FFu};
    doc.WordInfo.resize(3);
    doc.WordInfo[2].IsJpGcCtl = 3;
    notaline::EditorData data;
    notaline::LoadDocument(data, std::move(doc));
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    notaline::EditorData data = SmallDocument();
    std::vector<tessaly::aWordInfo> words;
    const std::span<const uint8_t> block(bytes, size);
    if (!notaline::ParseWordBlock(data, block, words)) {
        Check(data.ColorTbl.size() == 2 && data.FontTbl.size() == 1 && data.AreaPairNumber == 0);
        return 0;
    }
    Check(!words.empty() && words.size() <= size / notaline::kClipWordRecordSize);
    std::map<std::pair<int32_t, int32_t>, int> open;
    for (const auto& w : words) {
        Check(w.cf >= 0 && static_cast<size_t>(w.cf) < data.ColorTbl.size());
        Check(w.cb == -1 || (w.cb >= 0 && static_cast<size_t>(w.cb) < data.ColorTbl.size()));
        Check(w.nLogFont.FontTblIndex >= 0 && static_cast<size_t>(w.nLogFont.FontTblIndex) < data.FontTbl.size());
        for (const auto& slot : w.ExtralWordInfo) {
            if (notaline::IsPairStartCode(slot.IndexType)) ++open[{slot.IndexType, slot.ExtralWordVal2}];
            if (notaline::IsPairEndCode(slot.IndexType)) Check(open[{slot.IndexType - 1, slot.ExtralWordVal2}]-- > 0);
        }
    }
    for (const auto& [key, left] : open) Check(left == 0);  // no start without its end

    // What was accepted goes out and in again as the same characters.
    tessaly::JpData doc;
    doc.FontTbl = data.FontTbl;
    doc.ColorTbl = data.ColorTbl;
    doc.WordInfo = words;
    notaline::EditorData copy;
    notaline::LoadDocument(copy, std::move(doc));
    const auto again = notaline::EncodeWordBlock(copy, 0, static_cast<int32_t>(words.size()));
    std::vector<tessaly::aWordInfo> back;
    Check(notaline::ParseWordBlock(copy, again, back) && back.size() == words.size());
    return 0;
}
