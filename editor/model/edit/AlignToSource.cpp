#include "model/edit/AlignToSource.h"

#include <cmath>

#include "model/document/mGeneral.h"

namespace notaline {
namespace {

const StoredWord& W(const EditorData& data, int32_t i) {
    return data.WordInfo[static_cast<size_t>(i)];
}

bool IsLine(const EditorData& data, int32_t line) {
    return line >= 0 && line < data.LineCount();
}

}  // namespace

bool CanAlignToSource(const EditorData& data, SourceKind kind, int32_t alignment, const char*& message) {
    const bool bar = kind == SourceKind::XjDq;
    const int32_t source = bar ? data.XjdqLine : data.CPdqLine;
    const int16_t n = data.IsWord(data.SelStart) ? W(data, data.SelStart).ShuPai.Number : 0;
    const bool stacked = n != 0 && n != -1 && n != 1;
    const bool aligned = alignment == (bar ? tessaly::AlignmentxjDq : tessaly::AlignmentCpDq);
    message = nullptr;
    if (aligned && !stacked && source != -1 && source != data.CurLine) return true;
    if (stacked) {
        message = "竖排不可设定。";
    } else if (source == -1) {
        message = bar ? "先使用菜单，设定小节对齐源行。" : "先使用菜单，设定词谱对齐源行(即简谱行)。";
    } else if (aligned) {
        message = bar ? "小节对齐源行与目标行相同。" : "词谱对齐源行与目标行相同。";
    } else {
        message = bar ? "设置当前行为小节对齐属性。" : "设置当前行为词谱对齐属性。";
    }
    return false;
}

tessaly::aWordInfo MakeAlignSpaceWord(EditorData& data, const InputAttributes& in) {
    tessaly::aWordInfo space = MakeLyricWords(data, in, " ").front();
    space.WdSpace = 0;
    if (data.CPdqLine == -1 && data.XjdqLine == -1) return space;
    const int32_t at = data.SelStart;
    if (!data.IsWord(at)) return space;
    std::vector<float> p = data.CPdqLine != -1 ? data.CpDqPositions : data.XjDqPositions;
    // The bar list's spare element is never written: past its last position lies the line's end.
    if (data.CPdqLine == -1) p.back() = static_cast<float>(data.WriteRight);
    const auto last = static_cast<int32_t>(p.size()) - 1;
    const auto whole = [](float v) { return std::floor(v); };
    const float c = GetWordCenterX(data, at);
    const float left = W(data, at).Left;
    const float w = W(data, at).WdSize.cx;
    const int32_t line = GetLineOfWord(data, at);
    int32_t j = last;
    if (IsLine(data, line) && data.LineInfo[static_cast<size_t>(line)].Start == at) {
        j = 0;
    } else {
        for (int32_t k = 0; k < last; ++k) {
            if (whole(c) <= whole(p[static_cast<size_t>(k)])) {
                j = k;
                break;
            }
        }
    }
    float g;
    if (whole(c) != whole(p[static_cast<size_t>(j)])) {
        g = whole(p[static_cast<size_t>(j)]) - w / 2 - left;
    } else if (j < last) {
        g = whole(p[static_cast<size_t>(j + 1)]) - w / 2 - left;
    } else {
        g = static_cast<float>(data.WriteRight) - left;
    }
    space.WdSpace = g - space.WdSize.cx;
    return space;
}

std::optional<float> BarAlignmentGap(EditorData& data) {
    const int32_t at = data.SelStart;
    if (!data.IsWord(at) || at < 1) return std::nullopt;
    const int32_t line = GetLineOfWord(data, at);
    if (!IsLine(data, line) || data.LineInfo[static_cast<size_t>(line)].Start == at) return std::nullopt;
    const auto& p = data.XjDqPositions;
    const auto ub = static_cast<int32_t>(p.size()) - 1;
    const float c = std::floor(GetWordCenterX(data, at));
    int32_t k = 0;
    while (k < ub && std::floor(p[static_cast<size_t>(k)]) < c) ++k;
    // Right of every position there is none to move to: the spare element holds no position.
    if (k >= ub) {
        BeepOn(data);
        return std::nullopt;
    }
    const auto& w = W(data, at);
    const auto& prev = W(data, at - 1);
    const float left = p[static_cast<size_t>(k)] - w.WdSize.cx / 2;
    return left - (prev.Left + prev.WdSize.cx);
}

}  // namespace notaline
