#include "model/edit/ClipboardFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>

#include "DocumentRepair.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Tables.h"
#include "model/edit/FreeItems.h"
#include "text/Cp936.h"

namespace notaline {

using tessaly::aExtralWordInfo;
using tessaly::aHwWordInfo;
using tessaly::aWordInfo;

static_assert(std::endian::native == std::endian::little, "the blocks are little-endian, as the records are");
static_assert(sizeof(aWordInfo) + kClipFaceNameSize + 3 == kClipWordRecordSize);
static_assert(4 + sizeof(aHwWordInfo) + 1 == kClipItemBlockSize);

namespace {

constexpr size_t kFaceOffset = sizeof(aWordInfo);
constexpr size_t kCharsetOffset = kFaceOffset + kClipFaceNameSize;
// Sizes and places past these are no character's: a record with one came from elsewhere.
constexpr float kMaxExtent = 1e6f;
constexpr int32_t kMaxLogHeight = 16384;

uint32_t ColourValue(const EditorData& data, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < data.ColorTbl.size() ? data.ColorTbl[static_cast<size_t>(index)]
                                                                           : 0;
}

// Reads the block front to back; every read is checked against what is left.
class BlockReader {
public:
    explicit BlockReader(std::span<const uint8_t> block) : block_(block) {}
    size_t Left() const { return block_.size() - pos_; }
    bool Read32(int32_t& v) {
        if (Left() < 4) return false;
        std::memcpy(&v, block_.data() + pos_, 4);
        pos_ += 4;
        return true;
    }
    // A count of items of `size` bytes each that the rest of the block must hold.
    bool ReadCount(int32_t& n, size_t size) { return Read32(n) && n >= 0 && static_cast<size_t>(n) <= Left() / size; }
    std::span<const uint8_t> Take(size_t n) {
        auto part = block_.subspan(pos_, n);
        pos_ += n;
        return part;
    }

private:
    std::span<const uint8_t> block_;
    size_t pos_ = 0;
};

bool ReadColours(BlockReader& r, std::vector<uint32_t>& out) {
    int32_t n = 0;
    if (!r.ReadCount(n, 4)) return false;
    out.resize(static_cast<size_t>(n));
    for (auto& c : out) {
        int32_t v = 0;
        r.Read32(v);
        c = static_cast<uint32_t>(v);
    }
    return true;
}

bool Finite(float v) {
    return std::isfinite(v) && std::fabs(v) <= kMaxExtent;
}

bool UsableWord(const aWordInfo& w) {
    if (w.IsJpGcCtl > 3 || !tessaly::GbkFromWdAsc(w.WdAsc)) return false;
    for (float v :
         {w.WdSize.cx, w.WdSize.cy, w.SelSize, w.WdSpace, w.UpSpace, w.ShuPai.Space, w.Left, w.Top, w.Right, w.Bottom})
        if (!Finite(v)) return false;
    if (w.SelSize < 0 || w.nLogFont.lfHeight < -kMaxLogHeight || w.nLogFont.lfHeight > kMaxLogHeight) return false;
    for (const aExtralWordInfo& slot : w.ExtralWordInfo)
        if (slot.IndexType != 0 && !tessaly::IsStoredMarkCode(slot.IndexType)) return false;
    return true;
}

constexpr size_t kRun = 256;  // records made whole at a time

// A paired-mark slot of a character.
struct PairSlot {
    size_t Word;
    int32_t Slot;
    int32_t Code;
    int32_t Number;
};

template <class Slots>
void CollectPairs(size_t word, const Slots& slots, std::vector<PairSlot>& out) {
    for (int32_t s = 0; s < 8; ++s) {
        const aExtralWordInfo& slot = slots[s];
        if (IsPairStartCode(slot.IndexType) || IsPairEndCode(slot.IndexType))
            out.push_back({word, s, slot.IndexType, slot.ExtralWordVal2});
    }
}

// Pairs each end with the nearest open start of its code and number before it; a character's
// ends are taken before its starts, so that a pair ending where the next one starts is two pairs.
// The slots come in character order; the answer is indexes of them: each pair as (start, end), in
// the order of their starts, and the slots left without a partner.
std::vector<std::pair<size_t, size_t>> MatchPairs(const std::vector<PairSlot>& slots, std::vector<size_t>& unmatched) {
    std::map<std::pair<int32_t, int32_t>, std::vector<size_t>> open;
    std::vector<std::pair<size_t, size_t>> pairs;
    for (size_t first = 0, last = 0; first < slots.size(); first = last) {
        while (last < slots.size() && slots[last].Word == slots[first].Word) ++last;
        for (size_t e = first; e < last; ++e) {
            if (!IsPairEndCode(slots[e].Code)) continue;
            auto it = open.find({slots[e].Code - 1, slots[e].Number});
            if (it == open.end() || it->second.empty()) {
                unmatched.push_back(e);
                continue;
            }
            pairs.emplace_back(it->second.back(), e);
            it->second.pop_back();
        }
        for (size_t e = first; e < last; ++e)
            if (IsPairStartCode(slots[e].Code)) open[{slots[e].Code, slots[e].Number}].push_back(e);
    }
    for (auto& [key, starts] : open) unmatched.insert(unmatched.end(), starts.begin(), starts.end());
    std::sort(unmatched.begin(), unmatched.end());
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// Whole records to paste, a run at a time, with the face each names.
class PastedRecords {
public:
    virtual ~PastedRecords() = default;
    virtual size_t size() const = 0;
    // The n records from `from` on: the source's own, or made in scratch (room for n).
    virtual const aWordInfo* Run(size_t from, size_t n, aWordInfo* scratch) const = 0;
    virtual std::string_view Face(size_t i, const aWordInfo& w) const = 0;
};

// each(i, record) on every record in order while it answers true; false when one answered false.
template <class F>
bool ForRecords(const PastedRecords& records, F each) {
    std::vector<aWordInfo> scratch(std::min(kRun, records.size()));
    for (size_t at = 0; at < records.size();) {
        const size_t take = std::min(kRun, records.size() - at);
        const aWordInfo* run = records.Run(at, take, scratch.data());
        for (size_t k = 0; k < take; ++k)
            if (!each(at + k, run[k])) return false;
        at += take;
    }
    return true;
}

// The records of a block where they lie.
class BlockRecords final : public PastedRecords {
public:
    BlockRecords(const uint8_t* first, size_t count) : first_(first), count_(count) {}
    size_t size() const override { return count_; }
    const aWordInfo* Run(size_t from, size_t n, aWordInfo* scratch) const override {
        for (size_t k = 0; k < n; ++k) std::memcpy(&scratch[k], Record(from + k), sizeof(aWordInfo));
        return scratch;
    }
    std::string_view Face(size_t i, const aWordInfo&) const override {
        const auto* face = reinterpret_cast<const char*>(Record(i) + kFaceOffset);
        return {face, strnlen(face, kClipFaceNameSize)};
    }

private:
    const uint8_t* Record(size_t i) const { return first_ + i * kClipWordRecordSize; }
    const uint8_t* first_;
    size_t count_;
};

// The characters of a copy made whole, with the face field their block would carry.
class CopiedRecords final : public PastedRecords {
public:
    explicit CopiedRecords(const ClipWords& clip) : clip_(clip) {}
    size_t size() const override { return clip_.size(); }
    const aWordInfo* Run(size_t from, size_t n, aWordInfo* scratch) const override {
        clip_.Words.CopyOut(from, n, Expanding(scratch));
        return scratch;
    }
    std::string_view Face(size_t, const aWordInfo& w) const override {
        const int16_t font = w.nLogFont.FontTblIndex;
        if (font < 0 || static_cast<size_t>(font) >= clip_.Faces.size()) return {};
        const auto* face = reinterpret_cast<const char*>(clip_.Faces[static_cast<size_t>(font)].data());
        return {face, strnlen(face, kClipFaceNameSize)};
    }

private:
    const ClipWords& clip_;
};

// The records with the document's colour and font indexes and new pair numbers, to out a run at
// a time; false, and nothing changed, when a record is unusable or the runs do not fit.
bool Convert(EditorData& data, const PastedRecords& records, std::span<const uint32_t> fore,
             std::span<const uint32_t> back, tessaly::WordSink& out) {
    const size_t count = records.size();
    if (count == 0 || fore.size() > count || back.size() > count) return false;
    // Runs are counted where the index changes: a block whose characters change more or less
    // often than it has runs would take colours that belong to no character.
    std::vector<PairSlot> pairs;
    std::vector<bool> backNone;  // each background run: characters without background
    size_t foreRuns = 0;
    int16_t lastFore = 0, lastBack = 0;
    const bool usable = ForRecords(records, [&](size_t i, const aWordInfo& w) {
        if (!UsableWord(w) || records.Face(i, w).empty()) return false;
        if (i == 0 || w.cf != lastFore) ++foreRuns;
        if (i == 0 || w.cb != lastBack) backNone.push_back(w.cb == tessaly::kNoBackground);
        lastFore = w.cf;
        lastBack = w.cb;
        CollectPairs(i, w.ExtralWordInfo, pairs);
        return true;
    });
    if (!usable || foreRuns != fore.size() || backNone.size() != back.size()) return false;

    // The block is sound: from here on the document's tables and pair number may change. Pairs
    // without a partner go; the others take new numbers in the order of their starts, as new
    // pairs typed in would.
    struct Fix {
        size_t Word;
        int32_t Slot;
        bool Clear;
        int32_t Number;
    };
    std::vector<size_t> unmatched;
    std::vector<Fix> fixes;
    for (const auto& [start, end] : MatchPairs(pairs, unmatched)) {
        const int32_t number = NextPairNumber(data);
        fixes.push_back({pairs[start].Word, pairs[start].Slot, false, number});
        fixes.push_back({pairs[end].Word, pairs[end].Slot, false, number});
    }
    for (size_t u : unmatched) fixes.push_back({pairs[u].Word, pairs[u].Slot, true, 0});
    std::sort(fixes.begin(), fixes.end(),
              [](const Fix& a, const Fix& b) { return std::pair(a.Word, a.Slot) < std::pair(b.Word, b.Slot); });
    // Each run's colour as an index of the document's table, the foreground runs first; a
    // character without background keeps having none.
    std::vector<int16_t> foreIndex(fore.size()), backIndex(back.size());
    for (size_t r = 0; r < fore.size(); ++r) foreIndex[r] = std::max<int16_t>(0, GetColorTblIndex(data, fore[r]));
    for (size_t r = 0; r < back.size(); ++r)
        if (!backNone[r]) backIndex[r] = std::max<int16_t>(0, GetColorTblIndex(data, back[r]));
    std::map<std::string_view, int16_t> faces;  // as copied: the table tells case apart

    std::vector<aWordInfo> batch;
    batch.reserve(std::min(kRun, count));
    size_t foreRun = 0, backRun = 0, fix = 0;
    ForRecords(records, [&](size_t i, const aWordInfo& in) {
        if (i > 0 && in.cf != lastFore) ++foreRun;
        if (i > 0 && in.cb != lastBack) ++backRun;
        lastFore = in.cf;
        lastBack = in.cb;
        aWordInfo& w = batch.emplace_back(in);
        for (; fix < fixes.size() && fixes[fix].Word == i; ++fix) {
            aExtralWordInfo& slot = w.ExtralWordInfo[fixes[fix].Slot];
            if (fixes[fix].Clear) {
                slot = aExtralWordInfo{};
            } else {
                slot.ExtralWordVal2 = fixes[fix].Number;
            }
        }
        w.cf = foreIndex[foreRun];
        if (!backNone[backRun]) w.cb = backIndex[backRun];
        const std::string_view face = records.Face(i, in);
        auto found = faces.find(face);
        if (found == faces.end())
            found = faces.emplace(face, std::max<int16_t>(0, GetFontTblIndex(data, std::string(face)))).first;
        w.nLogFont.FontTblIndex = found->second;
        if (batch.size() == kRun) {
            out.Take(batch.data(), batch.size());
            batch.clear();
        }
        return true;
    });
    if (!batch.empty()) out.Take(batch.data(), batch.size());
    return true;
}

void Put32(uint8_t*& out, uint32_t v) {
    std::memcpy(out, &v, 4);
    out += 4;
}

}  // namespace

std::shared_ptr<const ClipWords> TakeClipWords(const EditorData& data, int32_t start, int32_t length) {
    auto clip = std::make_shared<ClipWords>();
    clip->Words = data.WordInfo.SnapRange(static_cast<size_t>(start), static_cast<size_t>(std::max(length, 0)));
    clip->Colours = data.ColorTbl;
    for (const auto& entry : data.FontTbl) {
        auto& face = clip->Faces.emplace_back();
        face.fill(0);
        tessaly::FillTextField(std::span<uint8_t>(face.data(), kClipFaceNameSize), entry.FontName);
        face[kClipFaceNameSize] = entry.fcharset;
    }
    // The colour runs and the pairs from the compact records: nothing is made whole here.
    std::vector<PairSlot> pairs;
    std::vector<StoredWord> run(kRun);
    int16_t lastFore = 0, lastBack = 0;
    for (size_t at = 0; at < clip->size(); at += kRun) {
        const size_t take = std::min(kRun, clip->size() - at);
        clip->Words.CopyOut(at, take, run.begin());
        for (size_t k = 0; k < take; ++k) {
            const StoredWord& w = run[k];
            if (at + k == 0 || w.cf != lastFore) clip->Fore.push_back(ColourValue(data, w.cf));
            if (at + k == 0 || w.cb != lastBack) clip->Back.push_back(ColourValue(data, w.cb));
            lastFore = w.cf;
            lastBack = w.cb;
            if (w.ExtralWordInfo.Id != 0) CollectPairs(at + k, w.ExtralWordInfo.Slots(), pairs);
        }
    }
    std::vector<size_t> unmatched;
    MatchPairs(pairs, unmatched);
    for (size_t u : unmatched) clip->Unpaired.emplace_back(pairs[u].Word, pairs[u].Slot);
    return clip;
}

size_t ClipWords::BlockSize() const {
    return 13 + 4 * (Fore.size() + Back.size()) + kClipWordRecordSize * size();
}

void ClipWords::WriteBlock(uint8_t* out) const {
    Put32(out, static_cast<uint32_t>(Fore.size()));
    for (uint32_t c : Fore) Put32(out, c);
    Put32(out, static_cast<uint32_t>(Back.size()));
    for (uint32_t c : Back) Put32(out, c);
    Put32(out, static_cast<uint32_t>(size()));
    std::vector<aWordInfo> run(std::min(kRun, size()));
    auto unpaired = Unpaired.begin();
    for (size_t at = 0; at < size(); at += kRun) {
        const size_t take = std::min(kRun, size() - at);
        Words.CopyOut(at, take, Expanding(run.begin()));
        for (; unpaired != Unpaired.end() && unpaired->first < at + take; ++unpaired)
            run[unpaired->first - at].ExtralWordInfo[unpaired->second] = aExtralWordInfo{};
        for (size_t k = 0; k < take; ++k, out += kClipWordRecordSize) {
            const aWordInfo& w = run[k];
            std::memcpy(out, &w, sizeof w);
            const int16_t font = w.nLogFont.FontTblIndex;
            if (font >= 0 && static_cast<size_t>(font) < Faces.size()) {
                std::memcpy(out + kFaceOffset, Faces[static_cast<size_t>(font)].data(), kClipFaceNameSize + 1);
            } else {
                std::memset(out + kFaceOffset, 0, kClipFaceNameSize + 1);
            }
            std::memset(out + kCharsetOffset + 1, 0, kClipWordRecordSize - kCharsetOffset - 1);
        }
    }
    *out = 0;  // the spare byte
}

std::vector<uint8_t> EncodeWordBlock(const EditorData& data, int32_t start, int32_t length) {
    const auto clip = TakeClipWords(data, start, length);
    std::vector<uint8_t> out(clip->BlockSize());
    clip->WriteBlock(out.data());
    return out;
}

bool ParseWordBlock(EditorData& data, std::span<const uint8_t> block, tessaly::WordSink& out) {
    BlockReader r(block);
    std::vector<uint32_t> fore, back;
    int32_t n = 0;
    if (!ReadColours(r, fore) || !ReadColours(r, back) || !r.ReadCount(n, kClipWordRecordSize) || n == 0) return false;
    const auto count = static_cast<size_t>(n);
    return Convert(data, BlockRecords(r.Take(count * kClipWordRecordSize).data(), count), fore, back, out);
}

bool ParseWordBlock(EditorData& data, std::span<const uint8_t> block, std::vector<aWordInfo>& out) {
    std::vector<aWordInfo> words;
    tessaly::WordVector sink(words);
    if (!ParseWordBlock(data, block, sink)) return false;
    out = std::move(words);
    return true;
}

bool PasteClipWords(EditorData& data, const ClipWords& clip, tessaly::WordSink& out) {
    return Convert(data, CopiedRecords(clip), clip.Fore, clip.Back, out);
}

std::vector<uint8_t> EncodeItemBlock(const EditorData& data, const aHwWordInfo& item) {
    std::vector<uint8_t> out(kClipItemBlockSize);
    uint8_t* at = out.data();
    Put32(at, ColourValue(data, item.cf));
    std::memcpy(at, &item, sizeof item);
    return out;
}

bool ParseItemBlock(EditorData& data, std::span<const uint8_t> block, aHwWordInfo& out) {
    if (block.size() < 4 + sizeof(aHwWordInfo)) return false;
    uint32_t colour = 0;
    aHwWordInfo item;
    std::memcpy(&colour, block.data(), 4);
    std::memcpy(&item, block.data() + 4, sizeof item);
    if (!IsItemKind(item.HwWordtype) || item.iPage < 0) return false;
    for (float v : {item.X, item.Y, item.Height, item.Width})
        if (!Finite(v)) return false;
    item.cf = std::max<int16_t>(0, GetColorTblIndex(data, colour));
    out = item;
    return true;
}

std::string WordsToPlainText(const EditorData& data, int32_t start, int32_t length) {
    static constexpr std::string_view kKept = "+-=()CDEFGABX0123456789";
    std::string text;
    for (int32_t i = start; i < start + length && data.IsWord(i); ++i) {
        const StoredWord& w = data.WordInfo[static_cast<size_t>(i)];
        const int16_t c = w.WdAsc;
        switch (w.IsJpGcCtl) {
            case 0:
                if (auto bytes = tessaly::GbkFromWdAsc(c)) text += *bytes;
                break;
            case 1:
            case 2:
                if (c > 0 && c < 128 && kKept.find(static_cast<char>(c)) != std::string_view::npos) {
                    text += static_cast<char>(c);
                } else if (c >= 89 && c <= 95) {
                    text += '|';
                } else if (c == ' ') {
                    const auto* metre = std::find_if(std::begin(w.ExtralWordInfo), std::end(w.ExtralWordInfo),
                                                     [](const auto& s) { return s.IndexType == kMarkTimeSignature; });
                    if (metre != std::end(w.ExtralWordInfo))
                        text += std::to_string(metre->ExtralWordVal1) + "/" + std::to_string(metre->ExtralWordVal2);
                    else
                        text += ' ';
                }
                break;
            case 3: text += "\r\n"; break;
            default: break;
        }
    }
    return text;
}

std::vector<TextPiece> SplitPastedText(std::string_view text) {
    std::vector<TextPiece> pieces;
    size_t from = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
        if (i > from) pieces.push_back({false, text.substr(from, i - from)});
        if (i == text.size()) break;
        pieces.push_back({true, {}});
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        from = i + 1;
    }
    return pieces;
}

}  // namespace notaline
