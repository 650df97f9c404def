#include "music/BarList.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

constexpr int16_t kFirstBarLine = 87;
constexpr int16_t kLastBarLine = 95;
constexpr int16_t kPlainBarLine = 'E';

// Bar-line marks in the order they are tested; the last that holds names the bar.
struct BarMark {
    int32_t Code;
    int32_t AltCode;
    char Letter;
};
constexpr BarMark kBarMarks[] = {
    {kMarkDaCapo, kMarkDaCapo, 'J'},
    {kMarkDalSegno, kMarkDalSegno, 'K'},
    {kMarkSegno, kMarkSegno, 'L'},
    {kMarkDaCapoAlFine, kMarkDaCapoAlFine, 'M'},
    {kMarkDaCapoAlCoda, kMarkDaCapoAlCoda, 'N'},
    {kMarkFine, kMarkFine, 'O'},
    {kMarkCoda, kMarkCoda, 'P'},
    {kMarkVoltaStart, kMarkOpenVoltaStart, 'Q'},
};

bool IsBarLine(const StoredWord& w) {
    return w.IsJpGcCtl == 2 && w.WdAsc >= kFirstBarLine && w.WdAsc <= kLastBarLine;
}

static_assert(!IsArcStartCode(0) && !IsArcEndCode(0), "a free slot opens and closes no span");

// The first volta or open-volta start slot, -1 when there is none. Most characters have no marks
// (slot set 0): they are told without looking the slots up, here and below.
int32_t VoltaSlot(const StoredWord& w) {
    if (w.ExtralWordInfo.Id == 0) return -1;
    const MarkSlotArray& slots = w.ExtralWordInfo.Slots();
    for (int32_t s = 0; s < kSlotCount; ++s)
        if (slots[s].IndexType == kMarkVoltaStart || slots[s].IndexType == kMarkOpenVoltaStart) return s;
    return -1;
}

bool HasMark(const StoredWord& w, int32_t code) {
    if (w.ExtralWordInfo.Id == 0) return false;
    for (const auto& slot : w.ExtralWordInfo.Slots())
        if (slot.IndexType == code) return true;
    return false;
}

PlayMarks MarksOf(const EditorData& data, int32_t word) {
    PlayMarks m;
    bool tuplet = false;
    const StoredWord& w = data.WordInfo[static_cast<size_t>(word)];
    if (w.ExtralWordInfo.Id == 0) return m;
    const MarkSlotArray& slots = w.ExtralWordInfo.Slots();
    for (int32_t s = 0; s < kSlotCount; ++s) {
        const tessaly::aExtralWordInfo& slot = slots[s];
        const int32_t code = slot.IndexType;
        if (code == kMarkGraceNote && !m.Grace) {
            m.Grace = true;
            m.GraceKind = slot.ExtralWordVal1;
            m.GracePos = slot.ExtralWordVal2;
        } else if (code == kMarkTupletStart && !tuplet) {
            tuplet = true;  // only the first tuplet slot counts, whatever its number
            m.Tuplet = std::max<int16_t>(tessaly::CInt(tessaly::Val(GetExtralWordVal3(data, word, s))), 0);
        } else if (code >= kMarkDynamicFirst && code <= kMarkDynamicLast && !m.Level) {
            m.Level = static_cast<uint8_t>(code);
        } else if ((code == kMarkFortePiano || code == kMarkSforzandoPiano) && !m.Accent) {
            m.Accent = static_cast<uint8_t>(code);
        } else if ((code == kMarkCrescendo || code == kMarkDiminuendo) && !m.Hairpin) {
            m.Hairpin = static_cast<uint8_t>(code);
        }
        m.SpanStart = m.SpanStart || IsArcStartCode(code);
        m.SpanEnd = m.SpanEnd || IsArcEndCode(code);
    }
    return m;
}

int16_t Saturated16(int32_t v) {
    return static_cast<int16_t>(std::min<int32_t>(v, std::numeric_limits<int16_t>::max()));
}

}  // namespace

int32_t BarList::LastChar(const EditorData& data, int32_t j) const {
    if (SingleBar) return Bars[0].XjSelEnd;
    const int32_t end = Bars[static_cast<size_t>(j)].XjSelEnd;
    // A bar line closing the bar makes no notes; a note opening the next bar belongs to that bar.
    return data.IsWord(end) && IsBarLine(data.WordInfo[static_cast<size_t>(end)]) ? end : end - 1;
}

BarList BuildXjInfo(const EditorData& data) {
    BarList list;
    int32_t block = 0;
    const int32_t count = std::min<int32_t>(data.WordCount(), static_cast<int32_t>(data.WordInfo.size()));
    auto open = [&](int32_t c, int16_t letter, int32_t voltaSlot, bool newBlock) {
        const StoredWord& w = data.WordInfo[static_cast<size_t>(c)];
        tessaly::aXjInfo bar;
        bar.XjSelStart = c;
        bar.WdAsc = w.WdAsc;
        bar.OrderType = letter;
        if (voltaSlot >= 0)
            std::memcpy(bar.ExtralWord, w.ExtralWordInfo[voltaSlot].ExtralWordVal3, sizeof bar.ExtralWord);
        if (newBlock) ++block;
        bar.PlayBlock = Saturated16(block);
        if (!list.Bars.empty()) list.Bars.back().XjSelEnd = c;
        list.Bars.push_back(bar);
        list.Blocks.push_back(block);
    };
    list.Marks.resize(static_cast<size_t>(std::max(count, 0)));
    for (int32_t c = 0; c < count; ++c) {
        const StoredWord& w = data.WordInfo[static_cast<size_t>(c)];
        if (w.IsJpGcCtl == 1 || w.IsJpGcCtl == 2) list.Marks[static_cast<size_t>(c)] = MarksOf(data, c);
        if (IsBarLine(w)) {
            int16_t letter = static_cast<int16_t>(w.WdAsc - 22);
            int32_t voltaSlot = -1;
            for (const BarMark& m : kBarMarks) {
                if (m.Code == kMarkVoltaStart) {
                    voltaSlot = VoltaSlot(w);
                    if (voltaSlot >= 0) letter = m.Letter;
                } else if (HasMark(w, m.Code)) {
                    letter = m.Letter;
                }
            }
            open(c, letter, voltaSlot, letter != kPlainBarLine);
        } else if (w.IsJpGcCtl == 1) {
            if (const int32_t voltaSlot = VoltaSlot(w); voltaSlot >= 0) open(c, 'R', voltaSlot, true);
        }
    }
    if (list.Bars.size() > 1) {
        list.XjCount = static_cast<int32_t>(list.Bars.size()) - 1;
        return list;
    }
    // The whole document as one bar of block 1.
    list.SingleBar = true;
    list.XjCount = 1;
    list.Bars.resize(1);
    list.Bars[0].OrderType = kPlainBarLine;
    list.Bars[0].XjSelStart = 0;
    list.Bars[0].XjSelEnd = count - 1;
    list.Bars[0].PlayBlock = 1;
    list.Blocks.assign(1, 1);
    return list;
}

std::vector<tessaly::XjDrumData> SongDrums(const EditorData& data, const BarList&) {
    return data.XjDrum;
}

}  // namespace notaline
