#include "model/document/mGeneral.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#include "model/document/CharKinds.h"
#include "model/document/PlayMarks.h"
#include "model/document/VirtualKeys.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

// Nearest paragraph end before Start, -1 when none.
int32_t ParaEndBefore(const EditorData& data, int32_t Start) {
    for (int32_t i = std::min(Start, data.WordCount()) - 1; i >= 0; --i)
        if (IsParaEnd(data, i)) return i;
    return -1;
}

// First paragraph end at or after from, -1 when none.
int32_t ParaEndFrom(const EditorData& data, int32_t from) {
    for (int32_t i = std::max(from, 0); i < data.WordCount(); ++i)
        if (IsParaEnd(data, i)) return i;
    return -1;
}

// The paragraph ends before Start and from Past on, read off the line records: they hold the
// document as it stands once the last edit is laid out, and a paragraph end is always the last
// character of a line that ends a paragraph. False, with nothing set, when they may not.
// Without `before`, only the end from Past on is looked for.
bool ParaEndsFromLines(const EditorData& data, int32_t Start, int32_t Past, int32_t* before, int32_t& after) {
    const auto& lines = data.LineInfo;
    if (!data.InputDatLaidOut || lines.empty() || Start < 0 || Start > data.WordCount()) return false;
    // Within the paragraph the last layout broke, whose ends are known: a long one has many lines.
    const int32_t first = data.LaidOutParaStart, end = data.LaidOutParaEnd;
    if (first >= 0 && first <= Start && Past <= end && (first == 0 || IsParaEnd(data, first - 1)) &&
        IsParaEnd(data, end)) {
        if (before) *before = first - 1;
        after = end;
        return true;
    }
    const auto endOf = [&](size_t l) { return lines.StartOf(l) + lines.Unmoved(l).Length - 1; };
    const auto ends = [&](size_t l) { return tessaly::IsTrue(lines.Unmoved(l).LineIsCtl); };
    int32_t b = -1, a = -1;
    if (before && Start > 0) {
        for (auto l = static_cast<size_t>(GetLineOfWord(data, Start - 1)) + 1; l-- > 0;)
            if (ends(l) && endOf(l) < Start) {
                b = endOf(l);
                break;
            }
    }
    if (Past < data.WordCount()) {
        for (auto l = static_cast<size_t>(GetLineOfWord(data, std::max(Past, 0))); l < lines.size(); ++l)
            if (ends(l) && endOf(l) >= Past) {
                a = endOf(l);
                break;
            }
    }
    if ((b >= 0 && !IsParaEnd(data, b)) || (a >= 0 && !IsParaEnd(data, a))) return false;
    if (before) *before = b;
    after = a;
    return true;
}

int32_t Centre(const StoredWord& w) {
    return static_cast<int32_t>(tessaly::Int((static_cast<double>(w.Left) + w.Right) / 2));
}

}  // namespace

void SetInputDat(EditorData& data, int32_t Start, int32_t DelLength, int32_t AddLength, bool Confined) {
    auto& d = data.InputDat;
    ++data.Edits;
    data.InputStart = Confined ? Start : -1;
    // Each paragraph end looked for once, on the lines where they stand for the document.
    int32_t before = -1, after = -1;
    if (!ParaEndsFromLines(data, Start, Start + DelLength, &before, after)) {
        before = ParaEndBefore(data, Start);
        after = ParaEndFrom(data, Start + DelLength);
    }
    d.iWord1 = before + 1;
    d.iWord2 = after < 0 ? data.WordCount() - 1 : after;
    d.iLine1 = Start < 1 ? 0 : GetLineOfWord(data, d.iWord1);
    d.iLine2 = GetLineOfWord(data, d.iWord2);
    d.iAddLength = AddLength;
    d.iDelLength = DelLength;
    data.InputDatLaidOut = false;
    // Seen before the edit, as the characters it removes are gone after it.
    data.InputDatPlayMarks = data.InputDatPlayMarks || (Confined ? PlayMarksNear(data, Start, Start + DelLength)
                                                                 : PlayMarksNear(data, d.iWord1, d.iWord2));
}

int32_t ParaEndAtOrAfter(const EditorData& data, int32_t From) {
    int32_t after = -1;
    if (From >= 0 && ParaEndsFromLines(data, From, From, nullptr, after)) return after;
    return ParaEndFrom(data, From);
}

int32_t FindParaStartWord(const EditorData& data, int32_t Start) {
    return ParaEndBefore(data, Start) + 1;
}

int32_t FindParaEndWord(const EditorData& data, int32_t Start, int32_t Length) {
    const int32_t end = ParaEndFrom(data, Start + Length);
    return end < 0 ? data.WordCount() - 1 : end;
}

int32_t FindParaStartLine(const EditorData& data, int32_t Start) {
    if (Start < 1) return 0;
    const int32_t end = ParaEndBefore(data, Start);
    return GetLineOfWord(data, end < 0 ? 0 : end + 1);
}

int32_t FindParaEndLine(const EditorData& data, int32_t Start, int32_t Length) {
    const int32_t end = ParaEndFrom(data, Start + Length);
    return GetLineOfWord(data, end < 0 ? data.WordCount() - 1 : end);
}

namespace {

// The first of `count` entries whose stretch of characters holds Index, 0 when none does. The
// layout keeps the stretches in order one after another, so the last one starting at or before
// Index is the one to try; a table out of that order is searched from the start.
template <class Start, class Length>
int32_t FindHolder(size_t count, int32_t Index, Start start, Length length) {
    const auto holds = [&](size_t i) {
        return start(i) <= Index && static_cast<int64_t>(Index) <= int64_t{start(i)} + length(i) - 1;
    };
    size_t lo = 0, hi = count;  // the first entry starting after Index lies in [lo, hi]
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (Index < start(mid)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    if (lo > 0 && holds(lo - 1)) {
        const size_t k = lo - 1;
        // A zero-length entry before it could not hold Index; a longer one would mean disorder.
        if (k == 0 || int64_t{start(k - 1)} + length(k - 1) <= start(k)) return static_cast<int32_t>(k);
    }
    for (size_t i = 0; i < count; ++i)
        if (holds(i)) return static_cast<int32_t>(i);
    return 0;
}

}  // namespace

// Searched without applying the lines' pending move: only the lines it returns are read.
int32_t GetLineOfWord(const EditorData& data, int32_t Index) {
    const auto& lines = data.LineInfo;
    return FindHolder(
        lines.size(), Index, [&](size_t i) { return lines.StartOf(i); },
        [&](size_t i) { return lines.Unmoved(i).Length; });
}

int32_t GetPageOfWord(const EditorData& data, int32_t Index) {
    const auto& pages = data.PageInfo;
    return FindHolder(
        pages.size(), Index, [&](size_t i) { return pages[i].StartWord; },
        [&](size_t i) { return pages[i].LengthWord; });
}

std::optional<tessaly::aLineInfo> LineOfWord(const EditorData& data, int32_t word) {
    if (data.LineInfo.empty() || !data.IsWord(word)) return std::nullopt;
    const auto& line = data.LineInfo[static_cast<size_t>(GetLineOfWord(data, word))];
    if (word < line.Start || word >= line.Start + line.Length) return std::nullopt;
    return line;
}

int32_t LastWordOfLine(const EditorData& data, const tessaly::aLineInfo& line) {
    return std::min(line.Start + line.Length - 1, data.WordCount() - 1);
}

int32_t GetWordIndexAtX(const EditorData& data, int32_t Line, int16_t X) {
    if (Line < 0 || Line >= data.LineCount()) return 0;
    const auto& l = data.LineInfo[static_cast<size_t>(Line)];
    const int32_t s = l.Start;
    const int32_t e = s + l.Length - 1;
    if (l.Length <= 1 || !data.IsWord(s) || !data.IsWord(e)) return s;
    const auto centre = [&](int32_t c) { return Centre(data.WordInfo[static_cast<size_t>(c)]); };
    if (centre(s) > X) return s;
    if (X > centre(e)) return e;
    for (int32_t c = s; c < e; ++c)
        if (centre(c) <= X && X <= centre(c + 1)) return c + 1;
    return e;
}

bool IsKeyDown(const EditorData& data, int32_t VirtualKey) {
    return data.System.get().IsKeyDown(VirtualKey);
}

int16_t GetShiftState(const EditorData& data) {
    return static_cast<int16_t>((IsKeyDown(data, kVkShift) ? 1 : 0) + (IsKeyDown(data, kVkControl) ? 2 : 0) +
                                (IsKeyDown(data, kVkMenu) ? 4 : 0));
}

int16_t GetMouseButtons(const EditorData& data) {
    return static_cast<int16_t>((IsKeyDown(data, kVkLButton) ? 1 : 0) + (IsKeyDown(data, kVkRButton) ? 2 : 0) +
                                (IsKeyDown(data, kVkMButton) ? 4 : 0));
}

int32_t GetLoWord(int32_t Value) {
    return tessaly::GetLoWord(Value);
}

int32_t GetHiWord(int32_t Value) {
    return tessaly::GetHiWord(Value);
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    const int64_t p = int64_t{a} * b;
    int64_t q = p / c;
    const int64_t r = p % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -int64_t{c} : int64_t{c})) q += ((p < 0) == (c < 0)) ? 1 : -1;
    if (q < std::numeric_limits<int32_t>::min() || q > std::numeric_limits<int32_t>::max()) return -1;
    return static_cast<int32_t>(q);
}

bool CanSetYcOnWord(const EditorData& data, int32_t Index) {
    if (!data.IsWord(Index)) return false;
    const auto& w = data.WordInfo[static_cast<size_t>(Index)];
    if (w.IsJpGcCtl != kCharNote && w.IsJpGcCtl != kCharSymbol) return true;
    constexpr int16_t kFullWidthOpen = static_cast<int16_t>(0xA3A8);   // （
    constexpr int16_t kFullWidthClose = static_cast<int16_t>(0xA3A9);  // ）
    const int16_t c = w.WdAsc;
    return c == 40 || c == 41 || (c >= 42 && c <= 44) || (c >= 48 && c <= 58) || c == 66 || c == 68 || c == 71 ||
           c == 72 || (c >= 97 && c <= 102) || c == 120 || c == kFullWidthOpen || c == kFullWidthClose;
}

bool FileExists(std::u16string_view Path) {
    if (Path.empty()) return false;
    try {
        std::error_code ec;
        const auto status = std::filesystem::status(std::filesystem::path(Path), ec);
        return !ec && std::filesystem::is_regular_file(status);
    } catch (...) {
        return false;
    }
}

void BeepOn(const EditorData& data) {
    data.System.get().Beep();
}

}  // namespace notaline
