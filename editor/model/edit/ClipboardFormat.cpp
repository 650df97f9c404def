#include "model/edit/ClipboardFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
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

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    const size_t at = out.size();
    out.resize(at + 4);
    std::memcpy(out.data() + at, &v, 4);
}

// The colour value of each run of equal indexes, in order.
template <class Field>
std::vector<uint32_t> ColourRuns(const EditorData& data, std::span<const aWordInfo> words, Field field) {
    std::vector<uint32_t> runs;
    for (size_t i = 0; i < words.size(); ++i)
        if (i == 0 || words[i].*field != words[i - 1].*field) runs.push_back(ColourValue(data, words[i].*field));
    return runs;
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

// The face name of a record: its bytes up to the first zero.
std::string_view RecordFace(std::span<const uint8_t> record) {
    const auto* face = reinterpret_cast<const char*>(record.data() + kFaceOffset);
    return {face, strnlen(face, kClipFaceNameSize)};
}

// Runs are counted where the index changes: a block whose characters change more or less often
// than it has runs would take colours that belong to no character.
template <class Field>
bool RunsFit(std::span<const aWordInfo> words, size_t runs, Field field) {
    size_t changes = 0;
    for (size_t i = 1; i < words.size(); ++i)
        if (words[i].*field != words[i - 1].*field) ++changes;
    return !words.empty() && runs == changes + 1;
}

// Each run's colour as an index of the document's table; a character without background keeps
// having none.
template <class Field>
void RemapColours(EditorData& data, std::span<aWordInfo> words, const std::vector<uint32_t>& runs, Field field,
                  bool keepNone) {
    std::vector<std::optional<int16_t>> index(runs.size());
    size_t run = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        const int16_t came = words[i].*field;
        const bool changes = i + 1 < words.size() && came != words[i + 1].*field;
        if (!(keepNone && came == tessaly::kNoBackground)) {
            if (!index[run]) index[run] = std::max<int16_t>(0, GetColorTblIndex(data, runs[run]));
            words[i].*field = *index[run];
        }
        if (changes) ++run;
    }
}

struct SlotAt {
    size_t Word;
    int32_t Slot;
};
struct MatchedPair {
    SlotAt Start, End;
};

aExtralWordInfo& SlotOf(std::span<aWordInfo> words, SlotAt at) {
    return words[at.Word].ExtralWordInfo[at.Slot];
}

// Pairs each end with the nearest open start of its code and number before it; a character's
// ends are taken before its starts, so that a pair ending where the next one starts is two pairs.
std::vector<MatchedPair> MatchPairs(std::span<aWordInfo> words, std::vector<SlotAt>& unmatched) {
    std::map<std::pair<int32_t, int32_t>, std::vector<SlotAt>> open;
    std::vector<MatchedPair> pairs;
    for (size_t i = 0; i < words.size(); ++i) {
        for (int32_t s = 0; s < 8; ++s) {
            const aExtralWordInfo& slot = words[i].ExtralWordInfo[s];
            if (!IsPairEndCode(slot.IndexType)) continue;
            auto it = open.find({slot.IndexType - 1, slot.ExtralWordVal2});
            if (it == open.end() || it->second.empty()) {
                unmatched.push_back({i, s});
                continue;
            }
            pairs.push_back({it->second.back(), {i, s}});
            it->second.pop_back();
        }
        for (int32_t s = 0; s < 8; ++s) {
            const aExtralWordInfo& slot = words[i].ExtralWordInfo[s];
            if (IsPairStartCode(slot.IndexType)) open[{slot.IndexType, slot.ExtralWordVal2}].push_back({i, s});
        }
    }
    for (auto& [key, starts] : open) unmatched.insert(unmatched.end(), starts.begin(), starts.end());
    return pairs;
}

}  // namespace

void DropUnpairedMarks(std::span<aWordInfo> words) {
    std::vector<SlotAt> unmatched;
    MatchPairs(words, unmatched);
    for (SlotAt at : unmatched) SlotOf(words, at) = aExtralWordInfo{};
}

void RenumberPastedPairs(EditorData& data, std::span<aWordInfo> words) {
    std::vector<SlotAt> unmatched;
    auto pairs = MatchPairs(words, unmatched);
    // Numbered in the order of their starts, as new pairs typed in would be.
    std::sort(pairs.begin(), pairs.end(), [](const MatchedPair& a, const MatchedPair& b) {
        return std::pair(a.Start.Word, a.Start.Slot) < std::pair(b.Start.Word, b.Start.Slot);
    });
    for (const MatchedPair& p : pairs) {
        const int32_t number = NextPairNumber(data);
        SlotOf(words, p.Start).ExtralWordVal2 = number;
        SlotOf(words, p.End).ExtralWordVal2 = number;
    }
}

std::vector<uint8_t> EncodeWordBlock(const EditorData& data, int32_t start, int32_t length) {
    std::vector<aWordInfo> words(static_cast<size_t>(std::max(length, 0)));
    data.WordInfo.CopyOut(static_cast<size_t>(start), words.size(), Expanding(words.begin()));
    DropUnpairedMarks(words);
    const auto fore = ColourRuns(data, words, &aWordInfo::cf);
    const auto back = ColourRuns(data, words, &aWordInfo::cb);

    std::vector<uint8_t> out;
    out.reserve(13 + 4 * (fore.size() + back.size()) + kClipWordRecordSize * words.size());
    Put32(out, static_cast<uint32_t>(fore.size()));
    for (uint32_t c : fore) Put32(out, c);
    Put32(out, static_cast<uint32_t>(back.size()));
    for (uint32_t c : back) Put32(out, c);
    Put32(out, static_cast<uint32_t>(words.size()));
    for (const aWordInfo& w : words) {
        const size_t at = out.size();
        out.resize(at + kClipWordRecordSize);
        std::memcpy(out.data() + at, &w, sizeof w);
        const int16_t font = w.nLogFont.FontTblIndex;
        if (font >= 0 && static_cast<size_t>(font) < data.FontTbl.size()) {
            const auto& entry = data.FontTbl[static_cast<size_t>(font)];
            tessaly::FillTextField(std::span<uint8_t>(out.data() + at + kFaceOffset, kClipFaceNameSize),
                                   entry.FontName);
            out[at + kCharsetOffset] = entry.fcharset;
        }
    }
    out.push_back(0);  // the spare byte
    return out;
}

bool ParseWordBlock(EditorData& data, std::span<const uint8_t> block, std::vector<aWordInfo>& out) {
    BlockReader r(block);
    std::vector<uint32_t> fore, back;
    int32_t n = 0;
    if (!ReadColours(r, fore) || !ReadColours(r, back) || !r.ReadCount(n, kClipWordRecordSize) || n == 0) return false;
    const auto count = static_cast<size_t>(n);
    if (fore.size() > count || back.size() > count) return false;

    std::vector<aWordInfo> words(count);
    std::vector<std::string> faces(count);
    for (size_t i = 0; i < count; ++i) {
        const auto record = r.Take(kClipWordRecordSize);
        std::memcpy(&words[i], record.data(), sizeof(aWordInfo));
        faces[i] = std::string(RecordFace(record));  // as copied: the table tells case apart
        if (!UsableWord(words[i]) || faces[i].empty()) return false;
    }
    if (!RunsFit(words, fore.size(), &aWordInfo::cf) || !RunsFit(words, back.size(), &aWordInfo::cb)) return false;

    // The block is sound: from here on the document's tables and pair number may change.
    DropUnpairedMarks(words);
    RenumberPastedPairs(data, words);
    RemapColours(data, words, fore, &aWordInfo::cf, false);
    RemapColours(data, words, back, &aWordInfo::cb, true);
    for (size_t i = 0; i < count; ++i)
        words[i].nLogFont.FontTblIndex = std::max<int16_t>(0, GetFontTblIndex(data, faces[i]));
    out = std::move(words);
    return true;
}

std::vector<uint8_t> EncodeItemBlock(const EditorData& data, const aHwWordInfo& item) {
    std::vector<uint8_t> out;
    Put32(out, ColourValue(data, item.cf));
    out.resize(kClipItemBlockSize);
    std::memcpy(out.data() + 4, &item, sizeof item);
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
