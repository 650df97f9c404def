#include "MarkList.h"

#include "MarkCode.h"
#include "records/Marks.h"
#include "text/Cp936.h"

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
    {Bits("11111111"),
     {{Mark("颤音/延长"), Mark("灯笼记号")},
      {Mark("很弱"), Mark("特强后即弱")},
      {Mark("渐慢"), Mark("渐快")},
      {Mark("无定次反复/L"), Mark("无定次反复/R")},
      {Mark("高八度号"), Mark("低八度重复号")},
      {Mark("渐强号"), Mark("渐弱号/换行")},
      {Mark("庄板"), Mark("极急")}}},
    {Bits("11001111"),
     {{Mark("顺回音"), Mark("复下波音")},
      {Mark("断音/顿音"), Mark("跳音")},
      {Mark("回原速"), Mark("回原速")},
      {Mark("段落间音调变换"), Mark("段落间音调变换")},
      {Mark("拉弓（出弓）"), Mark("空弦")},
      {Mark("内弦符号"), Mark("外弦符号")}}},
    {Bits("11110011"),
     {{Mark("速度转换"), Mark("速度转换")},
      {Mark("换气"), Mark("换气")},
      {Mark("并重滑音"), Mark("并重滑音")},
      {Mark("滑揉符号"), Mark("迟到揉弦符号")},
      {Mark("自定义符号"), Mark("自定义符号")},
      {Mark("小节序号"), Mark("小节序号")},
      {Mark("压弦滑揉"), Mark("压弦滑揉")}}},
    {Bits("11110001"), {{Mark("小节休止符"), Mark("小节休止符")}, {Mark("节奏拍号"), Mark("节奏拍号")}}},
    {Bits("11000011"),
     {{Mark("延长号"), Mark("延长号")},
      {Mark("弹弦符号"), Mark("勾弦符号")},
      {Mark("pizz.拔奏"), Mark("人工泛音")},
      {Mark("顿弓"), Mark("顿弓")},
      {Mark("保持弓"), Mark("保持弓")}}},
    {Bits("11001101"), {{Mark("顺琶音"), Mark("逆琶音")}}},
    {Bits("11000001"), {{Mark("行间距"), Mark("对齐")}}},
    {Bits("00001101"),
     {{Mark("上回滑音"), Mark("下回滑音")},
      {Mark("小节线"), Mark("还原记号")},
      {Mark("C 调"), Mark("B 调")},
      {Mark("上滑音"), Mark("下滑音")},
      {Mark("震音/4"), Mark("震音/4")},
      {Mark("大上滑音"), Mark("大下滑音")},
      {Mark("音型反复号"), Mark("音型反复号")},
      {Mark("震音/8"), Mark("震音/16")},
      {Mark("开始位"), Mark("特征小节线")}}},
    {Bits("00000011"), {{Mark("大滑音"), Mark("大滑音")}}},
    {Bits("00000001"),
     {{Mark("音调设置"), Mark("音调设置")},
      {Mark("节奏音符X"), Mark("+")},
      {Mark("自由节拍休止符"), Mark("自由节拍休止符")},
      {Mark("增时线"), Mark("增时线")},
      {Mark("音速J"), Mark("音速J")},
      {Mark("颤弓"), Mark("双弓")},
      {Mark("反复标注点"), Mark("反复标注点")},
      {Mark("竖排"), Mark("竖排")},
      {Mark("独立换气符"), Mark("独立换气符")},
      {Mark("大滑音终点"), Mark("大滑音终点")},
      {Mark("等于号"), Mark("段前间距")}}},
};

enum class Fact : uint8_t { AreaInfo, ArcRight, TupletRight, VoltaRight, OpenVoltaRight, SelLength };

struct FactMask {
    std::initializer_list<int16_t> codes;
    Fact fact;
    ButtonMask whenTrue;
    ButtonMask whenFalse;
};

const FactMask kFactMasks[] = {
    {{Mark("弧线起点"), Mark("连线滑音起点"), Mark("垫指滑音起点"), Mark("垫指压弦滑音起点"), Mark("连弓起点")},
     Fact::AreaInfo,
     Bits("11000011"),
     Bits("11000001")},
    {{Mark("连音符起点")}, Fact::AreaInfo, Bits("11110011"), Bits("11000011")},
    {{Mark("跳房子起点"), Mark("开放跳房子起点")}, Fact::AreaInfo, Bits("11001111"), Bits("11000001")},
    {{Mark("大滑音起点")}, Fact::AreaInfo, Bits("00000011"), Bits("00000001")},
    {{Mark("连顿弓起点")}, Fact::AreaInfo, Bits("11110011"), Bits("11110001")},
    {{Mark("弧线落点"), Mark("连线滑音落点"), Mark("垫指滑音落点"), Mark("垫指压弦滑音落点"), Mark("连弓落点")},
     Fact::ArcRight,
     Bits("11000001"),
     Bits("00000001")},
    {{Mark("连顿弓落点")}, Fact::ArcRight, Bits("11110011"), Bits("00000001")},
    {{Mark("连音符落点")}, Fact::TupletRight, Bits("11000001"), Bits("00000001")},
    {{Mark("跳房子结束")}, Fact::VoltaRight, Bits("11001101"), Bits("00000001")},
    {{Mark("开放跳房子结束")}, Fact::OpenVoltaRight, Bits("11000011"), Bits("00000001")},
    {{Mark("do"), Mark("re"), Mark("mi"), Mark("fa"), Mark("sol"), Mark("la"), Mark("xi")},
     Fact::SelLength,
     Bits("00000001"),
     Bits("11000011")},
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
