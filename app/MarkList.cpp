#include "MarkList.h"

#include "text/Cp936.h"
#include "records/Marks.h"

namespace tavolin {

namespace m = tessaly::marks;

std::u16string PaddedMarkName(int32_t code) {
    const char* name = m::MarkOf(code).Name;
    if (!name) return std::u16string(kMarkNameWidth, u'\0');
    std::u16string text = tessaly::Utf8ToUtf16(name).value_or(std::u16string());
    if (text.size() > kMarkNameWidth) text.resize(kMarkNameWidth);
    text.resize(kMarkNameWidth, u' ');
    return text;
}

namespace {

bool IsBlank(std::u16string_view s) {
    return s.find_first_not_of(std::u16string_view(u" \0", 2)) == std::u16string_view::npos;
}

std::u16string Numbered(std::u16string_view base, int n) {
    std::u16string s(base);
    for (char c : std::to_string(n)) s += static_cast<char16_t>(c);
    return s + u"     ";
}

}  // namespace

MarkList BuildMarkList(const std::array<int32_t, 8>& slotCodes, bool numberArcEnds) {
    MarkList list;
    int arcStarts = 0;
    int arcEnds = 0;
    for (size_t slot = 0; slot < slotCodes.size(); ++slot) {
        const int32_t code = slotCodes[slot];
        if (code == 0) continue;
        std::u16string name = PaddedMarkName(code);
        if (name.find(kArcStartName) != std::u16string::npos) {
            name = Numbered(kArcStartName, ++arcStarts);
        } else if (numberArcEnds && name.find(kArcEndName) != std::u16string::npos) {
            name = Numbered(kArcEndName, ++arcEnds);
        } else if (numberArcEnds && IsBlank(name)) {
            continue;
        }
        list.entries.push_back(std::move(name));
        list.slots.push_back(static_cast<int8_t>(slot));
        list.codes.push_back(code);
    }
    return list;
}

int32_t CodeOfEntry(std::u16string_view entry) {
    if (entry.empty()) return 0;
    std::u16string key(entry);
    if (entry.find(kArcStartName) != std::u16string_view::npos)
        key = std::u16string(kArcStartName) + u"      ";
    else if (entry.find(kArcEndName) != std::u16string_view::npos)
        key = std::u16string(kArcEndName) + u"      ";
    for (int32_t code = 1; code <= m::kMarkLastCode; ++code)
        if (PaddedMarkName(code) == key) return code;
    return 0;
}

namespace {

constexpr ButtonMask Bits(const char (&text)[9]) {
    ButtonMask mask = 0;
    for (int i = 0; i < 8; ++i)
        if (text[i] == '1') mask = static_cast<ButtonMask>(mask | (1u << i));
    return mask;
}

struct CodeRange {
    int16_t first;
    int16_t last;
};

struct FixedMask {
    ButtonMask mask;
    std::initializer_list<CodeRange> codes;
};

// Codes not listed (0, 120, 128 and the editor-dependent ones) have every button off.
const FixedMask kFixedMasks[] = {
    {Bits("11111111"), {{8, 15}, {24, 32}, {34, 35}, {70, 71}, {76, 79}, {81, 84}, {163, 176}}},
    {Bits("11001111"), {{2, 7}, {17, 21}, {36, 36}, {85, 85}, {94, 102}, {111, 112}}},
    {Bits("11110011"), {{37, 37}, {68, 68}, {86, 86}, {107, 109}, {119, 119}, {131, 131}, {142, 142}}},
    {Bits("11110001"), {{16, 16}, {33, 33}}},
    {Bits("11000011"), {{1, 1}, {103, 104}, {113, 116}, {123, 123}, {126, 126}}},
    {Bits("11001101"), {{117, 118}}},
    {Bits("11000001"), {{160, 161}}},
    {Bits("00001101"),
     {{22, 23}, {39, 53}, {55, 61}, {63, 64}, {80, 80}, {105, 106}, {129, 129}, {140, 141}, {177, 178}}},
    {Bits("00000011"), {{87, 87}}},
    {Bits("00000001"),
     {{54, 54}, {65, 67}, {69, 69}, {88, 88}, {93, 93}, {124, 125}, {130, 130}, {132, 132}, {143, 143},
      {145, 145}, {154, 158}}},
};

enum class Fact : uint8_t { AreaInfo, ArcRight, TupletRight, VoltaRight, OpenVoltaRight, SelLength };

struct FactMask {
    std::initializer_list<int16_t> codes;
    Fact fact;
    ButtonMask whenTrue;
    ButtonMask whenFalse;
};

const FactMask kFactMasks[] = {
    {{72, 121, 146, 148, 150}, Fact::AreaInfo, Bits("11000011"), Bits("11000001")},
    {{74}, Fact::AreaInfo, Bits("11110011"), Bits("11000011")},
    {{89, 91}, Fact::AreaInfo, Bits("11001111"), Bits("11000001")},
    {{144}, Fact::AreaInfo, Bits("00000011"), Bits("00000001")},
    {{152}, Fact::AreaInfo, Bits("11110011"), Bits("11110001")},
    {{73, 122, 147, 149, 151}, Fact::ArcRight, Bits("11000001"), Bits("00000001")},
    {{153}, Fact::ArcRight, Bits("11110011"), Bits("00000001")},
    {{75}, Fact::TupletRight, Bits("11000001"), Bits("00000001")},
    {{90}, Fact::VoltaRight, Bits("11001101"), Bits("00000001")},
    {{92}, Fact::OpenVoltaRight, Bits("11000011"), Bits("00000001")},
    {{133, 134, 135, 136, 137, 138, 139}, Fact::SelLength, Bits("00000001"), Bits("11000011")},
};

bool Holds(Fact fact, int32_t code, const MarkFacts& f) {
    switch (fact) {
    case Fact::AreaInfo: return f.CanDelAreaInfo(code);
    case Fact::ArcRight: return f.IsKhHuXianRight();
    case Fact::TupletRight: return f.IsKhLingYingRight();
    case Fact::VoltaRight: return f.IsKHTFZRight();
    case Fact::OpenVoltaRight: return f.IsKfKhTFZRight();
    case Fact::SelLength: return f.SelLength() >= 2;
    }
    return false;
}

}  // namespace

ButtonMask SetExtralButtons(int32_t code, const MarkFacts& facts) {
    if (code == m::kMarkGraceNote) {
        const int32_t removable = facts.CanDelYY();
        if (removable == 0) return Bits("00000001");
        return (removable == 1 || removable == 2) ? Bits("11000011") : 0;
    }
    for (const FactMask& row : kFactMasks)
        for (int16_t c : row.codes)
            if (c == code) return Holds(row.fact, code, facts) ? row.whenTrue : row.whenFalse;
    for (const FixedMask& row : kFixedMasks)
        for (const CodeRange& r : row.codes)
            if (code >= r.first && code <= r.last) return row.mask;
    return 0;
}

std::string MaskText(ButtonMask mask) {
    std::string text(8, '0');
    for (int i = 0; i < 8; ++i)
        if (mask & (1u << i)) text[static_cast<size_t>(i)] = '1';
    return text;
}

bool IsRangeDeleteCode(int32_t code) {
    return m::IsPairStartCode(code) || code == m::kMarkVoltaEnd || code == m::kMarkOpenVoltaEnd;
}

}  // namespace tavolin
