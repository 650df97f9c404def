#include "WinProc.h"

#include <cmath>

#include "records/Marks.h"
#include "records/Numbers.h"

namespace tavolin {
namespace {

struct SizeName {
    const wchar_t* name;
    float points;
};
constexpr SizeName kSizeNames[] = {
    {L"初号", 42}, {L"小初", 36}, {L"一号", 26}, {L"小一", 24},   {L"二号", 22}, {L"小二", 18},  {L"三号", 16},
    {L"小三", 15}, {L"四号", 14}, {L"小四", 12}, {L"五号", 10.5}, {L"小五", 9},  {L"六号", 7.5}, {L"小六", 6.5},
};

struct KeyMark {
    int32_t key;
    int32_t mark;
};
using tessaly::marks::MarkCodeOf;
constexpr KeyMark kKeyMarks[] = {
    {'(', MarkCodeOf("简谱左括号（")}, {')', MarkCodeOf("简谱右括号）")}, {'+', MarkCodeOf("+")},
    {'-', MarkCodeOf("增时线")},       {'.', MarkCodeOf("附点")},         {'=', MarkCodeOf("等于号")},
    {'C', MarkCodeOf("C 调")},         {'D', MarkCodeOf("D 调")},         {'E', MarkCodeOf("E 调")},
    {'F', MarkCodeOf("F 调")},         {'G', MarkCodeOf("G 调")},         {'A', MarkCodeOf("A 调")},
    {'B', MarkCodeOf("B 调")},         {'X', MarkCodeOf("节奏音符X")},    {'|', MarkCodeOf("小节线")},
};

}  // namespace

int32_t GetLoWord(int32_t x) {
    return tessaly::GetLoWord(x);
}

int32_t GetHiWord(int32_t x) {
    return tessaly::GetHiWord(x);
}

int32_t SwapColorBytes(uint8_t alpha, int32_t colour) {
    const uint32_t c = static_cast<uint32_t>(colour);
    const uint32_t red = c & 0xFF, green = c >> 8 & 0xFF, blue = c >> 16 & 0xFF;
    return static_cast<int32_t>(uint32_t{alpha} << 24 | red << 16 | green << 8 | blue);
}

int16_t NumKeyFilter(int16_t keyAscii, std::wstring_view text) {
    if (keyAscii == 8 || (keyAscii >= '0' && keyAscii <= '9')) return keyAscii;
    if (keyAscii == '.' && text.find(L'.') == std::wstring_view::npos) return keyAscii;
    return 0;
}

std::wstring FontSizeName(float size) {
    for (float exact : {10.5F, 7.5F, 6.5F})
        if (size == exact)
            for (const auto& s : kSizeNames)
                if (s.points == exact) return s.name;
    const double whole = tessaly::RoundHalfEven(size);
    for (const auto& s : kSizeNames)
        if (s.points == whole) return s.name;
    return {};
}

float FontSizeValue(std::wstring_view text) {
    for (const auto& s : kSizeNames)
        if (text == s.name) return s.points;
    // Val reads ASCII; any other character ends the number as it would.
    std::string ascii;
    for (wchar_t c : text) ascii += c > 0 && c < 128 ? static_cast<char>(c) : '\x01';
    return static_cast<float>(tessaly::Val(ascii));
}

int32_t TypedMarkCode(int32_t keyAscii) {
    for (const auto& k : kKeyMarks)
        if (k.key == keyAscii) return k.mark;
    return 0;
}

std::optional<std::wstring> CommandLinePath(std::wstring_view args) {
    const auto first = args.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return std::nullopt;
    args = args.substr(first, args.find_last_not_of(L" \t") - first + 1);
    if (args.size() < 2) return std::nullopt;
    if (args.front() == L'"' && args.back() == L'"') args = args.substr(1, args.size() - 2);
    if (args.empty()) return std::nullopt;
    return std::wstring(args);
}

}  // namespace tavolin
