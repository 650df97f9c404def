#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace notaline {

// Attached-mark codes: the ones the model's own rules name.
inline constexpr int32_t kMarkTrill = 8;
inline constexpr int32_t kMarkTimeSignature = 33;
inline constexpr int32_t kMarkRitardando = 34;
inline constexpr int32_t kMarkAccelerando = 35;
inline constexpr int32_t kMarkTempoChange = 37;
inline constexpr int32_t kMarkGraceNote = 38;
inline constexpr int32_t kMarkSharp = 49;
inline constexpr int32_t kMarkFlat = 50;
inline constexpr int32_t kMarkKeySetting = 54;  // the "1" of "1=C"
// The key letters C to B.
inline constexpr int32_t kMarkKeyC = 55;
inline constexpr int32_t kMarkKeyB = 61;
inline constexpr int32_t kMarkTupletStart = 74;
// The octave lines up, down, and their repeating forms.
inline constexpr int32_t kMarkOctaveLineFirst = 76;
inline constexpr int32_t kMarkOctaveLineLast = 79;
inline constexpr int32_t kMarkCrescendo = 81;
inline constexpr int32_t kMarkDoubleSlide = 86;
inline constexpr int32_t kMarkVoltaStart = 89;
inline constexpr int32_t kMarkOpenVoltaStart = 91;
inline constexpr int32_t kMarkTempoJ = 93;
inline constexpr int32_t kMarkCustomSymbol = 119;
inline constexpr int32_t kMarkTestSymbol = 120;
inline constexpr int32_t kMarkBarNumber = 131;
// The syllables do to xi.
inline constexpr int32_t kMarkSyllableDo = 133;
inline constexpr int32_t kMarkSyllableXi = 139;
inline constexpr int32_t kMarkBigGlissandoStart = 144;
inline constexpr int32_t kMarkEquals = 154;
inline constexpr int32_t kMarkLeftIndent = 155;
inline constexpr int32_t kMarkRightIndent = 156;
inline constexpr int32_t kMarkFirstLineIndent = 157;
inline constexpr int32_t kMarkSpacingBefore = 158;
inline constexpr int32_t kMarkSpacingAfter = 159;
inline constexpr int32_t kMarkLineSpace = 160;
inline constexpr int32_t kMarkAlignment = 161;
inline constexpr int32_t kMarkParagraphSpare = 162;

struct MarkName {
    int32_t Code;
    const char* Name;  // UTF-8; nullptr for the code without a name
};

// Every mark code with the program's own name of the mark; index = code - 1.
inline constexpr std::array<MarkName, 180> kMarkNames{{
    {1, "延长号"},
    {2, "顺回音"},
    {3, "逆回音"},
    {4, "单上波音"},
    {5, "单下波音"},
    {6, "复上波音"},
    {7, "复下波音"},
    {8, "颤音/延长"},
    {9, "D.C.反复记号"},
    {10, "D.S.反复记号"},
    {11, "D.S.反复目标记号"},
    {12, "D.C.alCoda记号"},
    {13, "D.C.alFine记号"},
    {14, "Fine记号"},
    {15, "灯笼记号"},
    {16, "小节休止符"},
    {17, "断音/顿音"},
    {18, "重音"},
    {19, "倍重音"},
    {20, "保持音"},
    {21, "跳音"},
    {22, "上回滑音"},
    {23, "下回滑音"},
    {24, "很弱"},
    {25, "弱"},
    {26, "稍弱"},
    {27, "稍强"},
    {28, "强"},
    {29, "很强"},
    {30, "特强"},
    {31, "强后即弱"},
    {32, "特强后即弱"},
    {33, "节奏拍号"},
    {34, "渐慢"},
    {35, "渐快"},
    {36, "回原速"},
    {37, "速度转换"},
    {38, "倚音"},
    {39, "小节线"},
    {40, "虚小节线"},
    {41, "终止线"},
    {42, "段落线"},
    {43, "前段落反复号"},
    {44, "后段落反复号"},
    {45, "前后段落反复号"},
    {46, "1小节反复号"},
    {47, "2小节反复号"},
    {48, "目前没有使用"},
    {49, "升号"},
    {50, "降号"},
    {51, "重升"},
    {52, "重降"},
    {53, "还原记号"},
    {54, "音调设置"},
    {55, "C 调"},
    {56, "D 调"},
    {57, "E 调"},
    {58, "F 调"},
    {59, "G 调"},
    {60, "A 调"},
    {61, "B 调"},
    {62, "自由拍号"},
    {63, "上滑音"},
    {64, "下滑音"},
    {65, "节奏音符X"},
    {66, "附点"},
    {67, "+"},
    {68, "换气"},
    {69, "自由节拍休止符"},
    {70, "无定次反复/L"},
    {71, "无定次反复/R"},
    {72, "弧线起点"},
    {73, "弧线落点"},
    {74, "连音符起点"},
    {75, "连音符落点"},
    {76, "高八度号"},
    {77, "低八度号"},
    {78, "高八度重复号"},
    {79, "低八度重复号"},
    {80, "震音/4"},
    {81, "渐强号"},
    {82, "渐弱号"},
    {83, "渐强号/换行"},
    {84, "渐弱号/换行"},
    {85, "段落间音调变换"},
    {86, "并重滑音"},
    {87, "大滑音"},
    {88, "增时线"},
    {89, "跳房子起点"},
    {90, "跳房子结束"},
    {91, "开放跳房子起点"},
    {92, "开放跳房子结束"},
    {93, "音速J"},
    {94, "拉弓（出弓）"},
    {95, "推弓（入弓）"},
    {96, "抛弓"},
    {97, "甩弓"},
    {98, "指序一"},
    {99, "指序二"},
    {100, "指序三"},
    {101, "指序四"},
    {102, "空弦"},
    {103, "弹弦符号"},
    {104, "勾弦符号"},
    {105, "大上滑音"},
    {106, "大下滑音"},
    {107, "滑揉符号"},
    {108, "压弦符号"},
    {109, "迟到揉弦符号"},
    {110, "不揉弦符号"},
    {111, "内弦符号"},
    {112, "外弦符号"},
    {113, "pizz.拔奏"},
    {114, "arco 拉奏"},
    {115, "自然泛音"},
    {116, "人工泛音"},
    {117, "顺琶音"},
    {118, "逆琶音"},
    {119, "自定义符号"},
    {120, "测试符号"},
    {121, "连线滑音起点"},
    {122, "连线滑音落点"},
    {123, "顿弓"},
    {124, "颤弓"},
    {125, "双弓"},
    {126, "保持弓"},
    {127, nullptr},
    {128, "间歇记号"},
    {129, "音型反复号"},
    {130, "反复标注点"},
    {131, "小节序号"},
    {132, "竖排"},
    {133, "do"},
    {134, "re"},
    {135, "mi"},
    {136, "fa"},
    {137, "sol"},
    {138, "la"},
    {139, "xi"},
    {140, "震音/8"},
    {141, "震音/16"},
    {142, "压弦滑揉"},
    {143, "独立换气符"},
    {144, "大滑音起点"},
    {145, "大滑音终点"},
    {146, "垫指滑音起点"},
    {147, "垫指滑音落点"},
    {148, "垫指压弦滑音起点"},
    {149, "垫指压弦滑音落点"},
    {150, "连弓起点"},
    {151, "连弓落点"},
    {152, "连顿弓起点"},
    {153, "连顿弓落点"},
    {154, "等于号"},
    {155, "左侧缩进"},
    {156, "右侧缩进"},
    {157, "首行缩进"},
    {158, "段前间距"},
    {159, "段后间距"},
    {160, "行间距"},
    {161, "对齐"},
    {162, ""},
    {163, "庄板"},
    {164, "广板"},
    {165, "慢板"},
    {166, "柔板"},
    {167, "小广板"},
    {168, "行板"},
    {169, "小行板"},
    {170, "中板"},
    {171, "小快板"},
    {172, "快板"},
    {173, "小速板"},
    {174, "速板"},
    {175, "急板"},
    {176, "极急"},
    {177, "开始位"},
    {178, "特征小节线"},
    {179, "简谱左括号（"},
    {180, "简谱右括号）"},
}};

inline bool IsMarkCode(int32_t code) {
    return code >= 1 && code <= static_cast<int32_t>(kMarkNames.size());
}

// The name of a mark code; empty for codes without one or out of range.
inline std::string_view MarkNameOf(int32_t code) {
    if (code < 1 || code > static_cast<int32_t>(kMarkNames.size())) return {};
    const char* name = kMarkNames[static_cast<size_t>(code - 1)].Name;
    return name ? std::string_view(name) : std::string_view();
}

// Start codes of the paired marks; each end code is its start code + 1.
inline constexpr std::array<int32_t, 10> kPairStartCodes{72, 74, 89, 91, 121, 144, 146, 148, 150, 152};

inline bool IsPairStartCode(int32_t code) {
    for (int32_t s : kPairStartCodes)
        if (s == code) return true;
    return false;
}
inline bool IsPairEndCode(int32_t code) {
    return IsPairStartCode(code - 1);
}

// Start codes of arcs, slides and slurs, the pairs drawn as a curve; ascending.
inline constexpr std::array<int32_t, 6> kArcStartCodes{72, 121, 146, 148, 150, 152};

inline bool IsArcStartCode(int32_t code) {
    for (int32_t s : kArcStartCodes)
        if (s == code) return true;
    return false;
}

}  // namespace notaline
