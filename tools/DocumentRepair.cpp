#include "DocumentRepair.h"

#include <algorithm>

#include "text/Cp936.h"

namespace tessaly {

namespace {

bool InRange(int32_t i, size_t size) {
    return i >= 0 && static_cast<size_t>(i) < size;
}

}  // namespace

void RepairDocument(JpData& doc) {
    AboutFileInfo& info = doc.FileInfo;
    if (doc.FontTbl.empty()) doc.FontTbl.emplace_back();
    if (doc.ColorTbl.empty()) doc.ColorTbl.push_back(0);
    const size_t fonts = doc.FontTbl.size();
    const size_t colours = doc.ColorTbl.size();
    if (!InRange(info.BaseFontTblIndex, fonts)) info.BaseFontTblIndex = 0;
    if (!InRange(info.m_cb, colours)) info.m_cb = 0;

    for (aWordInfo& w : doc.WordInfo) {
        if (!InRange(w.nLogFont.FontTblIndex, fonts)) w.nLogFont.FontTblIndex = 0;
        if (!InRange(w.cf, colours)) w.cf = 0;
        if (w.cb != kNoBackground && !InRange(w.cb, colours)) w.cb = 0;
        if (!GbkFromWdAsc(w.WdAsc)) w.WdAsc = kUnwritableCode;
        for (aExtralWordInfo& slot : w.ExtralWordInfo)
            if (slot.IndexType != 0 && !IsStoredMarkCode(slot.IndexType)) slot = aExtralWordInfo{};
    }
    for (aHwWordInfo& item : doc.HwWordInfo)
        if (!InRange(item.cf, colours)) item.cf = 0;

    aPlayInfo& play = doc.PlayInfo;
    play.MainTrack = play.TotalTrack == 0 ? 0 : std::clamp<uint8_t>(play.MainTrack, 1, play.TotalTrack);
}

}  // namespace tessaly
