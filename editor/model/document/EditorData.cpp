#include "model/document/EditorData.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <utility>

#include "model/document/StoreSink.h"

namespace notaline {

namespace {

// Counts of the header are 16 or 32 bits wide; an array never outgrows its count.
template <class Count, class Items>
Count FitCount(Items& items) {
    const size_t limit = static_cast<size_t>(std::numeric_limits<Count>::max());
    if (items.size() > limit) items.resize(limit);
    return static_cast<Count>(items.size());
}

}  // namespace

EditorData& ThreadEditorData() {
    thread_local EditorData data;
    return data;
}

void LoadDocument(EditorData& data, tessaly::JpData doc, PieceArray<StoredWord> words) {
    if (words.empty() && !doc.WordInfo.empty()) {
        words = StoreOf(doc.WordInfo);
        doc.WordInfo = {};
    }
    data.AboutFileInfo = doc.FileInfo;
    data.AboutPageInfo = doc.PageInfo;
    data.PlayInfo = std::move(doc.PlayInfo);
    data.FontTbl = std::move(doc.FontTbl);
    data.ColorTbl = std::move(doc.ColorTbl);
    data.WordInfo = std::move(words);
    data.HwWordInfo = std::move(doc.HwWordInfo);
    data.XjDrum = std::move(doc.XjDrum);

    // One slot short of the 32-bit limit, for the spare record.
    if (data.WordInfo.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        data.WordInfo.resize(std::numeric_limits<int32_t>::max() - 1);
    data.AboutFileInfo.FontTblCount = FitCount<int16_t>(data.FontTbl);
    data.AboutFileInfo.ColorTblCount = FitCount<int16_t>(data.ColorTbl);
    data.AboutFileInfo.WordCount = FitCount<int32_t>(data.WordInfo);
    data.AboutFileInfo.HwWordCount = FitCount<int32_t>(data.HwWordInfo);
    data.WordInfo.emplace_back();
    data.StatusSentStart = -1;
}

namespace {

tessaly::JpData AllButWords(const EditorData& data) {
    tessaly::JpData doc;
    doc.FileInfo = data.AboutFileInfo;
    doc.PageInfo = data.AboutPageInfo;
    doc.PlayInfo = data.PlayInfo;
    doc.FontTbl = data.FontTbl;
    doc.ColorTbl = data.ColorTbl;
    doc.HwWordInfo = data.HwWordInfo;
    doc.XjDrum = data.XjDrum;
    return doc;
}

size_t WordsToWrite(const EditorData& data) {
    return std::min(data.WordInfo.size(), static_cast<size_t>(std::max(data.WordCount(), 0)));
}

}  // namespace

tessaly::JpData DocumentOf(const EditorData& data) {
    tessaly::JpData doc = AllButWords(data);
    doc.WordInfo.resize(WordsToWrite(data));
    data.WordInfo.CopyOut(0, doc.WordInfo.size(), Expanding(doc.WordInfo.begin()));
    return doc;
}

DocumentSnapshot SnapshotOf(const EditorData& data) {
    return DocumentSnapshot{AllButWords(data), data.WordInfo.Snap(), WordsToWrite(data), {}};
}

DocumentSnapshot SnapshotOf(const EditorData& data,
                            const std::function<void(size_t from, size_t end, ptrdiff_t moved)>& outOfDate) {
    return DocumentSnapshot{AllButWords(data), data.WordInfo.SnapAsStored(outOfDate), WordsToWrite(data), {}};
}

tessaly::JpData DocumentOf(DocumentSnapshot snapshot) {
    tessaly::JpData doc = std::move(snapshot.Rest);
    doc.WordInfo.resize(snapshot.WordCount);
    snapshot.Words.CopyOut(0, snapshot.WordCount, Expanding(doc.WordInfo.begin()));
    if (snapshot.Settle) snapshot.Settle(0, doc.WordInfo.data(), doc.WordInfo.size());
    return doc;
}

}  // namespace notaline
