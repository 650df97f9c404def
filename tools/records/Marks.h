#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessaly {
namespace marks {

// Attached-mark codes (the IndexType of a slot) that code anywhere compares; every other code is
// known only through its row of kMarks below.
inline constexpr int32_t kMarkFermata = 1;
inline constexpr int32_t kMarkTrill = 8;
// The repeat and ending words set over a bar line.
inline constexpr int32_t kMarkDaCapo = 9;
inline constexpr int32_t kMarkDalSegno = 10;
inline constexpr int32_t kMarkSegno = 11;
inline constexpr int32_t kMarkDaCapoAlCoda = 12;
inline constexpr int32_t kMarkDaCapoAlFine = 13;
inline constexpr int32_t kMarkFine = 14;
inline constexpr int32_t kMarkCoda = 15;
inline constexpr int32_t kMarkBarRest = 16;
inline constexpr int32_t kMarkReturnSlideUp = 22;
inline constexpr int32_t kMarkReturnSlideDown = 23;
// The dynamics from 很弱 to 特强, and the two accents played louder.
inline constexpr int32_t kMarkDynamicFirst = 24;
inline constexpr int32_t kMarkDynamicLast = 30;
inline constexpr int32_t kMarkFortePiano = 31;
inline constexpr int32_t kMarkSforzandoPiano = 32;
inline constexpr int32_t kMarkTimeSignature = 33;
inline constexpr int32_t kMarkRitardando = 34;
inline constexpr int32_t kMarkAccelerando = 35;
inline constexpr int32_t kMarkTempoChange = 37;
inline constexpr int32_t kMarkGraceNote = 38;
// The bar lines and bar repeats a character shows as its own symbol.
inline constexpr int32_t kMarkBarLine = 39;
inline constexpr int32_t kMarkDashedBarLine = 40;
inline constexpr int32_t kMarkFinalBarLine = 41;
inline constexpr int32_t kMarkSectionLine = 42;
inline constexpr int32_t kMarkRepeatStartLine = 43;
inline constexpr int32_t kMarkRepeatEndLine = 44;
inline constexpr int32_t kMarkRepeatBothLine = 45;
inline constexpr int32_t kMarkRepeatOneBar = 46;
inline constexpr int32_t kMarkRepeatTwoBars = 47;
inline constexpr int32_t kMarkSharp = 49;
inline constexpr int32_t kMarkFlat = 50;
inline constexpr int32_t kMarkDoubleSharp = 51;
inline constexpr int32_t kMarkDoubleFlat = 52;
inline constexpr int32_t kMarkNatural = 53;
inline constexpr int32_t kMarkKeySetting = 54;  // the "1" of "1=C"
// The key letters C to B.
inline constexpr int32_t kMarkKeyC = 55;
inline constexpr int32_t kMarkKeyD = 56;
inline constexpr int32_t kMarkKeyE = 57;
inline constexpr int32_t kMarkKeyF = 58;
inline constexpr int32_t kMarkKeyG = 59;
inline constexpr int32_t kMarkKeyA = 60;
inline constexpr int32_t kMarkKeyB = 61;
inline constexpr int32_t kMarkFreeMetre = 62;
inline constexpr int32_t kMarkSlideUp = 63;
inline constexpr int32_t kMarkSlideDown = 64;
inline constexpr int32_t kMarkRhythmX = 65;
inline constexpr int32_t kMarkDot = 66;
inline constexpr int32_t kMarkPlus = 67;
inline constexpr int32_t kMarkBreath = 68;
inline constexpr int32_t kMarkFreeRest = 69;
inline constexpr int32_t kMarkRepeatLeft = 70;
inline constexpr int32_t kMarkRepeatRight = 71;
inline constexpr int32_t kMarkArcStart = 72;
inline constexpr int32_t kMarkArcEnd = 73;
inline constexpr int32_t kMarkTupletStart = 74;
inline constexpr int32_t kMarkTupletEnd = 75;
// The octave lines up, down, and their repeating forms.
inline constexpr int32_t kMarkOctaveUp = 76;
inline constexpr int32_t kMarkOctaveDown = 77;
inline constexpr int32_t kMarkOctaveUpRepeat = 78;
inline constexpr int32_t kMarkOctaveDownRepeat = 79;
// Tremolo strokes on the stem: 4, 8 and 16.
inline constexpr int32_t kMarkTremolo4 = 80;
inline constexpr int32_t kMarkOctaveLineFirst = kMarkOctaveUp;
inline constexpr int32_t kMarkOctaveLineLast = kMarkOctaveDownRepeat;
inline constexpr int32_t kMarkCrescendo = 81;
inline constexpr int32_t kMarkDiminuendo = 82;
inline constexpr int32_t kMarkCrescendoBreak = 83;   // crescendo continued from the line before
inline constexpr int32_t kMarkDiminuendoBreak = 84;  // diminuendo continued from the line before
inline constexpr int32_t kMarkKeyChange = 85;
inline constexpr int32_t kMarkDoubleSlide = 86;
inline constexpr int32_t kMarkExtensionLine = 88;
inline constexpr int32_t kMarkVoltaStart = 89;
inline constexpr int32_t kMarkVoltaEnd = 90;
inline constexpr int32_t kMarkOpenVoltaStart = 91;
inline constexpr int32_t kMarkOpenVoltaEnd = 92;
inline constexpr int32_t kMarkTempoJ = 93;
inline constexpr int32_t kMarkBigSlideUp = 105;
inline constexpr int32_t kMarkBigSlideDown = 106;
inline constexpr int32_t kMarkLateVibrato = 109;
inline constexpr int32_t kMarkArpeggioUp = 117;
inline constexpr int32_t kMarkArpeggioDown = 118;
inline constexpr int32_t kMarkCustomSymbol = 119;
inline constexpr int32_t kMarkTestSymbol = 120;
inline constexpr int32_t kMarkSlideStart = 121;
inline constexpr int32_t kMarkSlideEnd = 122;
inline constexpr int32_t kMarkTremoloBow = 124;
inline constexpr int32_t kMarkDoubleBow = 125;
inline constexpr int32_t kMarkFigureRepeat = 129;
inline constexpr int32_t kMarkRepeatPoint = 130;
inline constexpr int32_t kMarkBarNumber = 131;
// The syllables do to xi.
inline constexpr int32_t kMarkSyllableDo = 133;
inline constexpr int32_t kMarkSyllableXi = 139;
inline constexpr int32_t kMarkTremolo8 = 140;
inline constexpr int32_t kMarkTremolo16 = 141;
inline constexpr int32_t kMarkPressVibrato = 142;
inline constexpr int32_t kMarkLoneBreath = 143;
inline constexpr int32_t kMarkBigGlissandoStart = 144;
inline constexpr int32_t kMarkBigGlissandoEnd = 145;
inline constexpr int32_t kMarkPadSlideStart = 146;
inline constexpr int32_t kMarkPadSlideEnd = 147;
inline constexpr int32_t kMarkPadPressSlideStart = 148;
inline constexpr int32_t kMarkPadPressSlideEnd = 149;
inline constexpr int32_t kMarkBowSlurStart = 150;
inline constexpr int32_t kMarkBowSlurEnd = 151;
inline constexpr int32_t kMarkDottedSlurStart = 152;
inline constexpr int32_t kMarkDottedSlurEnd = 153;
inline constexpr int32_t kMarkEquals = 154;
// The paragraph attributes a paragraph end carries, 155 to 162.
inline constexpr int32_t kMarkLeftIndent = 155;
inline constexpr int32_t kMarkRightIndent = 156;
inline constexpr int32_t kMarkFirstLineIndent = 157;
inline constexpr int32_t kMarkSpacingBefore = 158;
inline constexpr int32_t kMarkSpacingAfter = 159;
inline constexpr int32_t kMarkLineSpace = 160;
inline constexpr int32_t kMarkAlignment = 161;
inline constexpr int32_t kMarkParagraphSpare = 162;
// The fourteen tempo presets 庄板 to 极急.
inline constexpr int32_t kMarkTempoFirst = 163;
inline constexpr int32_t kMarkTempoLast = 176;
inline constexpr int32_t kMarkStartPosition = 177;
inline constexpr int32_t kMarkFeatureBarLine = 178;
inline constexpr int32_t kMarkOpenBracket = 179;
inline constexpr int32_t kMarkCloseBracket = 180;
inline constexpr int32_t kMarkLastCode = 180;

// How a mark is drawn on its character.
enum class MarkPainter : uint8_t {
    None,          // not drawn by itself: a character, a paragraph attribute, or drawn from its partner
    Glyph,         // the row's glyph centred over the character, raised by the first value
    ShiftedGlyph,  // the row's glyph moved by both values
    Trill,
    BarRest,
    Fraction,
    TempoSpan,
    TempoChange,
    GraceCells,
    RepeatSign,
    ArcStart,  // arcs, slides and slurs: the pairs drawn as a curve
    ArcEnd,
    TupletStart,
    TupletEnd,
    OctaveLine,
    Hairpin,
    LengthHairpin,
    KeyChange,
    CountedGlyph,
    VoltaStart,
    VoltaEnd,
    OpenVoltaEnd,
    LateVibrato,
    Arpeggio,
    CustomText,
    TestSymbol,
    BoxedText,
    Syllable,
    PressVibrato,
    BigGlissando,
    Tempo,
};

struct MarkRow {
    int32_t Code;
    const char* Name;  // UTF-8, as the program names the mark; nullptr for the codes without one
    uint16_t Glyph;    // notation-font glyph of the Glyph painters; 0 for the others
    MarkPainter Painter;
    bool Stored;    // kept when a document is read; a slot holding any other code is emptied
    bool PlayMark;  // read for the played key, tempo and metre
    int32_t Pair;   // the other end of a range-mark pair (end = start + 1); 0 for none
};

// Every mark code, index = code; row 0 is the free slot.
inline constexpr std::array<MarkRow, kMarkLastCode + 1> kMarks{{
    {0, nullptr, 0, MarkPainter::None, false, false, 0},
    {1, "延长号", ';', MarkPainter::Glyph, true, false, 0},
    {2, "顺回音", 'Q', MarkPainter::Glyph, true, false, 0},
    {3, "逆回音", 'R', MarkPainter::Glyph, true, false, 0},
    {4, "单上波音", 0x40, MarkPainter::Glyph, true, false, 0},
    {5, "单下波音", 'I', MarkPainter::Glyph, true, false, 0},
    {6, "复上波音", 'J', MarkPainter::Glyph, true, false, 0},
    {7, "复下波音", 'K', MarkPainter::Glyph, true, false, 0},
    {8, "颤音/延长", 0, MarkPainter::Trill, true, false, 0},
    {9, "D.C.反复记号", 0xF088, MarkPainter::ShiftedGlyph, true, false, 0},
    {10, "D.S.反复记号", 0xF089, MarkPainter::ShiftedGlyph, true, false, 0},
    {11, "D.S.反复目标记号", 0xF086, MarkPainter::ShiftedGlyph, true, false, 0},
    {12, "D.C.alCoda记号", 0xF08E, MarkPainter::ShiftedGlyph, true, false, 0},
    {13, "D.C.alFine记号", 0xF08D, MarkPainter::ShiftedGlyph, true, false, 0},
    {14, "Fine记号", 0xF087, MarkPainter::ShiftedGlyph, true, false, 0},
    {15, "灯笼记号", 0xF085, MarkPainter::ShiftedGlyph, true, false, 0},
    {16, "小节休止符", 0, MarkPainter::BarRest, true, false, 0},
    {17, "断音/顿音", 'L', MarkPainter::Glyph, true, false, 0},
    {18, "重音", 'N', MarkPainter::Glyph, true, false, 0},
    {19, "倍重音", 'O', MarkPainter::Glyph, true, false, 0},
    {20, "保持音", 'P', MarkPainter::Glyph, true, false, 0},
    {21, "跳音", 'M', MarkPainter::Glyph, true, false, 0},
    {22, "上回滑音", 0xF0AD, MarkPainter::Glyph, true, false, 0},
    {23, "下回滑音", 0xF0AC, MarkPainter::Glyph, true, false, 0},
    {24, "很弱", 'g', MarkPainter::ShiftedGlyph, true, false, 0},
    {25, "弱", 'h', MarkPainter::ShiftedGlyph, true, false, 0},
    {26, "稍弱", 'i', MarkPainter::ShiftedGlyph, true, false, 0},
    {27, "稍强", 'j', MarkPainter::ShiftedGlyph, true, false, 0},
    {28, "强", 'k', MarkPainter::ShiftedGlyph, true, false, 0},
    {29, "很强", 'l', MarkPainter::ShiftedGlyph, true, false, 0},
    {30, "特强", 'm', MarkPainter::ShiftedGlyph, true, false, 0},
    {31, "强后即弱", 'n', MarkPainter::ShiftedGlyph, true, false, 0},
    {32, "特强后即弱", 'o', MarkPainter::ShiftedGlyph, true, false, 0},
    {33, "节奏拍号", 0, MarkPainter::Fraction, true, true, 0},
    {34, "渐慢", 0, MarkPainter::TempoSpan, true, false, 0},
    {35, "渐快", 0, MarkPainter::TempoSpan, true, false, 0},
    {36, "回原速", 'r', MarkPainter::Glyph, true, false, 0},
    {37, "速度转换", 0, MarkPainter::TempoChange, true, false, 0},
    {38, "倚音", 0, MarkPainter::GraceCells, true, false, 0},
    {39, "小节线", 0, MarkPainter::None, true, false, 0},
    {40, "虚小节线", 0, MarkPainter::None, true, false, 0},
    {41, "终止线", 0, MarkPainter::None, true, false, 0},
    {42, "段落线", 0, MarkPainter::None, true, false, 0},
    {43, "前段落反复号", 0, MarkPainter::None, true, false, 0},
    {44, "后段落反复号", 0, MarkPainter::None, true, false, 0},
    {45, "前后段落反复号", 0, MarkPainter::None, true, false, 0},
    {46, "1小节反复号", 0, MarkPainter::None, true, false, 0},
    {47, "2小节反复号", 0, MarkPainter::None, true, false, 0},
    {48, "目前没有使用", 0, MarkPainter::None, true, false, 0},
    {49, "升号", 0, MarkPainter::None, true, true, 0},
    {50, "降号", 0, MarkPainter::None, true, true, 0},
    {51, "重升", 0, MarkPainter::None, true, true, 0},
    {52, "重降", 0, MarkPainter::None, true, true, 0},
    {53, "还原记号", 0, MarkPainter::None, true, true, 0},
    {54, "音调设置", 0, MarkPainter::None, true, true, 0},
    {55, "C 调", 0, MarkPainter::None, true, true, 0},
    {56, "D 调", 0, MarkPainter::None, true, true, 0},
    {57, "E 调", 0, MarkPainter::None, true, true, 0},
    {58, "F 调", 0, MarkPainter::None, true, true, 0},
    {59, "G 调", 0, MarkPainter::None, true, true, 0},
    {60, "A 调", 0, MarkPainter::None, true, true, 0},
    {61, "B 调", 0, MarkPainter::None, true, true, 0},
    {62, "自由拍号", 0, MarkPainter::None, true, false, 0},
    {63, "上滑音", 0, MarkPainter::None, true, false, 0},
    {64, "下滑音", 0, MarkPainter::None, true, false, 0},
    {65, "节奏音符X", 0, MarkPainter::None, true, false, 0},
    {66, "附点", 0, MarkPainter::None, true, false, 0},
    {67, "+", 0, MarkPainter::None, true, false, 0},
    {68, "换气", 'f', MarkPainter::ShiftedGlyph, true, false, 0},
    {69, "自由节拍休止符", 0, MarkPainter::None, true, false, 0},
    {70, "无定次反复/L", 0, MarkPainter::RepeatSign, true, false, 0},
    {71, "无定次反复/R", 0, MarkPainter::RepeatSign, true, false, 0},
    {72, "弧线起点", 0, MarkPainter::ArcStart, true, false, 73},
    {73, "弧线落点", 0, MarkPainter::ArcEnd, true, false, 72},
    {74, "连音符起点", 0, MarkPainter::TupletStart, true, false, 75},
    {75, "连音符落点", 0, MarkPainter::TupletEnd, true, false, 74},
    {76, "高八度号", 0, MarkPainter::OctaveLine, true, false, 0},
    {77, "低八度号", 0, MarkPainter::OctaveLine, true, false, 0},
    {78, "高八度重复号", 0, MarkPainter::OctaveLine, true, false, 0},
    {79, "低八度重复号", 0, MarkPainter::OctaveLine, true, false, 0},
    {80, "震音/4", 0, MarkPainter::None, true, false, 0},
    {81, "渐强号", 0, MarkPainter::Hairpin, true, false, 0},
    {82, "渐弱号", 0, MarkPainter::LengthHairpin, true, false, 0},
    {83, "渐强号/换行", 0, MarkPainter::LengthHairpin, true, false, 0},
    {84, "渐弱号/换行", 0, MarkPainter::LengthHairpin, true, false, 0},
    {85, "段落间音调变换", 0, MarkPainter::KeyChange, true, false, 0},
    {86, "并重滑音", 0, MarkPainter::CountedGlyph, true, false, 0},
    {87, "大滑音", 0, MarkPainter::None, true, false, 0},
    {88, "增时线", 0, MarkPainter::None, true, false, 0},
    {89, "跳房子起点", 0, MarkPainter::VoltaStart, true, false, 90},
    {90, "跳房子结束", 0, MarkPainter::VoltaEnd, true, false, 89},
    {91, "开放跳房子起点", 0, MarkPainter::VoltaStart, true, false, 92},
    {92, "开放跳房子结束", 0, MarkPainter::OpenVoltaEnd, true, false, 91},
    {93, "音速J", 0, MarkPainter::None, true, true, 0},
    {94, "拉弓（出弓）", 0xF0B0, MarkPainter::Glyph, true, false, 0},
    {95, "推弓（入弓）", 0xF0B1, MarkPainter::Glyph, true, false, 0},
    {96, "抛弓", 0xF0B2, MarkPainter::Glyph, true, false, 0},
    {97, "甩弓", 0xF0B3, MarkPainter::Glyph, true, false, 0},
    {98, "指序一", 0xF0B4, MarkPainter::Glyph, true, false, 0},
    {99, "指序二", 0xF0B5, MarkPainter::Glyph, true, false, 0},
    {100, "指序三", 0xF0B6, MarkPainter::Glyph, true, false, 0},
    {101, "指序四", 0xF0B7, MarkPainter::Glyph, true, false, 0},
    {102, "空弦", 0xF0B8, MarkPainter::Glyph, true, false, 0},
    {103, "弹弦符号", 0xF0B9, MarkPainter::Glyph, true, false, 0},
    {104, "勾弦符号", 0xF0BA, MarkPainter::Glyph, true, false, 0},
    {105, "大上滑音", 0, MarkPainter::None, true, false, 0},
    {106, "大下滑音", 0, MarkPainter::None, true, false, 0},
    {107, "滑揉符号", 'F', MarkPainter::ShiftedGlyph, true, false, 0},
    {108, "压弦符号", 0xF0BD, MarkPainter::ShiftedGlyph, true, false, 0},
    {109, "迟到揉弦符号", 0, MarkPainter::LateVibrato, true, false, 0},
    {110, "不揉弦符号", 0xF0BF, MarkPainter::Glyph, true, false, 0},
    {111, "内弦符号", 0xF0BB, MarkPainter::Glyph, true, false, 0},
    {112, "外弦符号", 0xF0BC, MarkPainter::Glyph, true, false, 0},
    {113, "pizz.拔奏", 0xF0E1, MarkPainter::Glyph, true, false, 0},
    {114, "arco 拉奏", 0xF0E2, MarkPainter::Glyph, true, false, 0},
    {115, "自然泛音", 0xF0DD, MarkPainter::Glyph, true, false, 0},
    {116, "人工泛音", 0xF0DE, MarkPainter::Glyph, true, false, 0},
    {117, "顺琶音", 0, MarkPainter::Arpeggio, true, false, 0},
    {118, "逆琶音", 0, MarkPainter::Arpeggio, true, false, 0},
    {119, "自定义符号", 0, MarkPainter::CustomText, true, false, 0},
    {120, "测试符号", 0, MarkPainter::TestSymbol, true, false, 0},
    {121, "连线滑音起点", 0, MarkPainter::ArcStart, true, false, 122},
    {122, "连线滑音落点", 0, MarkPainter::ArcEnd, true, false, 121},
    {123, "顿弓", 'L', MarkPainter::Glyph, true, false, 0},
    {124, "颤弓", 0, MarkPainter::None, true, false, 0},
    {125, "双弓", 0, MarkPainter::None, true, false, 0},
    {126, "保持弓", 'P', MarkPainter::Glyph, true, false, 0},
    {127, nullptr, 0, MarkPainter::None, true, false, 0},
    {128, "间歇记号", 0, MarkPainter::None, true, false, 0},
    {129, "音型反复号", 0, MarkPainter::None, true, false, 0},
    {130, "反复标注点", 0, MarkPainter::None, true, false, 0},
    {131, "小节序号", 0, MarkPainter::BoxedText, true, false, 0},
    {132, "竖排", 0, MarkPainter::None, true, false, 0},
    {133, "do", 0, MarkPainter::Syllable, true, false, 0},
    {134, "re", 0, MarkPainter::Syllable, true, false, 0},
    {135, "mi", 0, MarkPainter::Syllable, true, false, 0},
    {136, "fa", 0, MarkPainter::Syllable, true, false, 0},
    {137, "sol", 0, MarkPainter::Syllable, true, false, 0},
    {138, "la", 0, MarkPainter::Syllable, true, false, 0},
    {139, "xi", 0, MarkPainter::Syllable, true, false, 0},
    {140, "震音/8", 0, MarkPainter::None, true, false, 0},
    {141, "震音/16", 0, MarkPainter::None, true, false, 0},
    {142, "压弦滑揉", 0, MarkPainter::PressVibrato, true, false, 0},
    {143, "独立换气符", 0, MarkPainter::None, true, false, 0},
    {144, "大滑音起点", 0, MarkPainter::BigGlissando, true, false, 145},
    {145, "大滑音终点", 0, MarkPainter::None, true, false, 144},
    {146, "垫指滑音起点", 0, MarkPainter::ArcStart, true, false, 147},
    {147, "垫指滑音落点", 0, MarkPainter::ArcEnd, true, false, 146},
    {148, "垫指压弦滑音起点", 0, MarkPainter::ArcStart, true, false, 149},
    {149, "垫指压弦滑音落点", 0, MarkPainter::ArcEnd, true, false, 148},
    {150, "连弓起点", 0, MarkPainter::ArcStart, true, false, 151},
    {151, "连弓落点", 0, MarkPainter::ArcEnd, true, false, 150},
    {152, "连顿弓起点", 0, MarkPainter::ArcStart, true, false, 153},
    {153, "连顿弓落点", 0, MarkPainter::ArcEnd, true, false, 152},
    {154, "等于号", 0, MarkPainter::None, true, true, 0},
    {155, "左侧缩进", 0, MarkPainter::None, true, false, 0},
    {156, "右侧缩进", 0, MarkPainter::None, true, false, 0},
    {157, "首行缩进", 0, MarkPainter::None, true, false, 0},
    {158, "段前间距", 0, MarkPainter::None, true, false, 0},
    {159, "段后间距", 0, MarkPainter::None, true, false, 0},
    {160, "行间距", 0, MarkPainter::None, true, false, 0},
    {161, "对齐", 0, MarkPainter::None, true, false, 0},
    {162, "", 0, MarkPainter::None, true, false, 0},
    {163, "庄板", 0, MarkPainter::Tempo, true, false, 0},
    {164, "广板", 0, MarkPainter::Tempo, true, false, 0},
    {165, "慢板", 0, MarkPainter::Tempo, true, false, 0},
    {166, "柔板", 0, MarkPainter::Tempo, true, false, 0},
    {167, "小广板", 0, MarkPainter::Tempo, true, false, 0},
    {168, "行板", 0, MarkPainter::Tempo, true, false, 0},
    {169, "小行板", 0, MarkPainter::Tempo, true, false, 0},
    {170, "中板", 0, MarkPainter::Tempo, true, false, 0},
    {171, "小快板", 0, MarkPainter::Tempo, true, false, 0},
    {172, "快板", 0, MarkPainter::Tempo, true, false, 0},
    {173, "小速板", 0, MarkPainter::Tempo, true, false, 0},
    {174, "速板", 0, MarkPainter::Tempo, true, false, 0},
    {175, "急板", 0, MarkPainter::Tempo, true, false, 0},
    {176, "极急", 0, MarkPainter::Tempo, true, false, 0},
    {177, "开始位", 0, MarkPainter::None, true, false, 0},
    {178, "特征小节线", 0, MarkPainter::None, true, false, 0},
    {179, "简谱左括号（", 0, MarkPainter::None, true, false, 0},
    {180, "简谱右括号）", 0, MarkPainter::None, true, false, 0},
}};

constexpr bool IsMarkCode(int32_t code) {
    return code >= 1 && code <= kMarkLastCode;
}

constexpr const MarkRow& MarkOf(int32_t code) {
    return kMarks[IsMarkCode(code) ? static_cast<size_t>(code) : 0];
}

// The name of a mark code; empty for codes without one or out of range.
constexpr std::string_view MarkNameOf(int32_t code) {
    const char* name = MarkOf(code).Name;
    return name ? std::string_view(name) : std::string_view();
}

// The code of the mark of that name; a name the table lacks stops the build.
consteval int32_t MarkCodeOf(std::string_view name) {
    for (const MarkRow& row : kMarks)
        if (row.Name && name == row.Name) return row.Code;
    throw "no mark of that name";
}

constexpr bool IsStoredMarkCode(int32_t code) {
    return MarkOf(code).Stored;
}
constexpr bool IsPlayMarkCode(int32_t code) {
    return MarkOf(code).PlayMark;
}
// Out of range reads row 0, whose Pair is 0: -1 is no pair start, nor an empty slot a pair end.
constexpr bool IsPairStartCode(int32_t code) {
    return MarkOf(code).Pair != 0 && MarkOf(code).Pair == code + 1;
}
constexpr bool IsPairEndCode(int32_t code) {
    return MarkOf(code).Pair != 0 && MarkOf(code).Pair == code - 1;
}
constexpr bool IsArcStartCode(int32_t code) {
    return MarkOf(code).Painter == MarkPainter::ArcStart;
}
constexpr bool IsArcEndCode(int32_t code) {
    return MarkOf(code).Painter == MarkPainter::ArcEnd;
}

namespace detail {
template <bool (*Keep)(int32_t)>
constexpr size_t CountCodes() {
    size_t n = 0;
    for (const MarkRow& row : kMarks) n += Keep(row.Code) ? 1 : 0;
    return n;
}
template <bool (*Keep)(int32_t)>
constexpr auto CodesWhere() {
    std::array<int32_t, CountCodes<Keep>()> codes{};
    size_t i = 0;
    for (const MarkRow& row : kMarks)
        if (Keep(row.Code)) codes[i++] = row.Code;
    return codes;
}
}  // namespace detail

// Start codes of the paired marks, and of the pairs drawn as a curve; ascending.
inline constexpr auto kPairStartCodes = detail::CodesWhere<IsPairStartCode>();
inline constexpr auto kArcStartCodes = detail::CodesWhere<IsArcStartCode>();

}  // namespace marks
}  // namespace tessaly
