#include "DocumentRepair.h"

#include <algorithm>

#include "text/Cp936.h"

namespace tessaly {

namespace {

bool InRange(int32_t i, size_t size) {
    return i >= 0 && static_cast<size_t>(i) < size;
}

// Tables of these sizes once repaired: never empty.
size_t Repaired(size_t size) {
    return std::max<size_t>(size, 1);
}

void RepairCodeAndMarks(aWordInfo& w) {
    if (!HasGbkForm(w.WdAsc)) w.WdAsc = kUnwritableCode;
    for (aExtralWordInfo& slot : w.ExtralWordInfo)
        if (slot.IndexType != 0 && !IsStoredMarkCode(slot.IndexType)) slot = aExtralWordInfo{};
}

bool IndexesFit(const aWordInfo& w, size_t fonts, size_t colours) {
    return InRange(w.nLogFont.FontTblIndex, fonts) && InRange(w.cf, colours) &&
           (w.cb == kNoBackground || InRange(w.cb, colours));
}

void RepairIndexes(aWordInfo& w, size_t fonts, size_t colours) {
    if (!InRange(w.nLogFont.FontTblIndex, fonts)) w.nLogFont.FontTblIndex = 0;
    if (!InRange(w.cf, colours)) w.cf = 0;
    if (w.cb != kNoBackground && !InRange(w.cb, colours)) w.cb = 0;
}

// Everything but the characters.
void RepairTables(JpData& doc) {
    AboutFileInfo& info = doc.FileInfo;
    if (doc.FontTbl.empty()) doc.FontTbl.emplace_back();
    if (doc.ColorTbl.empty()) doc.ColorTbl.push_back(0);
    const size_t colours = doc.ColorTbl.size();
    if (!InRange(info.BaseFontTblIndex, doc.FontTbl.size())) info.BaseFontTblIndex = 0;
    if (!InRange(info.m_cb, colours)) info.m_cb = 0;
    for (aHwWordInfo& item : doc.HwWordInfo)
        if (!InRange(item.cf, colours)) item.cf = 0;

    aPlayInfo& play = doc.PlayInfo;
    play.MainTrack = play.TotalTrack == 0 ? 0 : std::clamp<uint8_t>(play.MainTrack, 1, play.TotalTrack);
}

}  // namespace

void RepairDocument(JpData& doc) {
    RepairTables(doc);
    const size_t fonts = doc.FontTbl.size();
    const size_t colours = doc.ColorTbl.size();
    for (aWordInfo& w : doc.WordInfo) {
        RepairIndexes(w, fonts, colours);
        RepairCodeAndMarks(w);
    }
}

void RunRepair::Run(aWordInfo* words, size_t n, size_t fonts, size_t colours) {
    // Tables only grow while a file is read: an index that fits now fits at the end.
    fonts = Repaired(fonts);
    colours = Repaired(colours);
    for (size_t i = 0; i < n; ++i) {
        RepairCodeAndMarks(words[i]);
        if (!IndexesFit(words[i], fonts, colours)) late_ = true;
    }
}

void RunRepair::RunOfValidCodes(const aWordInfo* words, size_t n, size_t fonts, size_t colours) {
    fonts = Repaired(fonts);
    colours = Repaired(colours);
    for (size_t i = 0; i < n && !late_; ++i)
        if (!IndexesFit(words[i], fonts, colours)) late_ = true;
}

void RunRepair::Finish(JpData& doc, WordSink& sink) const {
    RepairTables(doc);
    if (!late_) return;
    const size_t fonts = doc.FontTbl.size();
    const size_t colours = doc.ColorTbl.size();
    sink.Revisit([&](aWordInfo& w) { RepairIndexes(w, fonts, colours); });
}

}  // namespace tessaly
