#include "NotationTable.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "FormNumbers.h"
#include "records/Marks.h"
#include "records/Messages.h"
#include "records/Numbers.h"

namespace tavolin {
namespace {

using K = NotationKind;
using tessaly::marks::MarkCodeOf;

// Row flags: caret only, refresh the mark panel, RefreshSel, RefreshAll, needs a span.
enum : unsigned { C = 1, R = 2, D = 4, A = 8, S = 16 };

constexpr NotationRow Row(const char* menu, int16_t index, K kind, int32_t w, int32_t code, unsigned f = 0,
                          int32_t message = 0, const char16_t* text = nullptr, const char* target = nullptr) {
    const Repaint redraw = (f & A) ? Repaint::All : (f & D) ? Repaint::Sel : Repaint::None;
    return {menu, index, kind, w, code, message, text, (f & C) != 0, (f & R) != 0, redraw, (f & S) != 0, target};
}
constexpr NotationRow Ins(const char* menu, int16_t index, int32_t w, int32_t code, unsigned f = 0) {
    return Row(menu, index, K::Insert, w, code, f);
}
constexpr NotationRow Att(const char* menu, int16_t index, int32_t w, int32_t code, unsigned f) {
    return Row(menu, index, K::Attach, w, code, f);
}
constexpr NotationRow Go(int16_t button, const char* target, int16_t index) {
    return Row("MunButton", button, K::Menu, 0, index, 0, 0, nullptr, target);
}

// Two halves (high, low) that are not plain hex: (-1, -19) of the jump words, (64, 300) of the
// dotted bow slur.
constexpr int32_t kJump = -19;
constexpr int32_t kBowDotted = 64 * 65536 + 300;

constexpr auto M = [](std::string_view name) consteval {
    return MarkCodeOf(name);
};

constexpr NotationRow kRows[] = {
    Ins("paiHao", 0, 0x40002, M("节奏拍号")),
    Ins("paiHao", 1, 0, M("+")),
    Ins("paiHao", 2, 0, M("自由拍号")),
    Ins("XJX", 0, 0, M("小节线")),
    Ins("XJX", 1, 0, M("虚小节线")),
    Ins("XJX", 2, 0, M("终止线")),
    Ins("XJX", 3, 0, M("段落线")),
    Ins("XJX", 4, 0, M("特征小节线")),
    Ins("XJX", 6, 0, M("前段落反复号")),
    Ins("XJX", 7, 0, M("后段落反复号")),
    Ins("XJX", 8, 0, M("前后段落反复号")),
    Ins("XJX", 9, 0, M("反复标注点")),
    Ins("XJX", 11, 0, M("1小节反复号")),
    Ins("XJX", 12, 0, M("2小节反复号")),
    Ins("XJX", 13, 0, M("音型反复号")),
    Att("XJX", 15, kJump, M("D.C.反复记号"), C | R | D),
    Att("XJX", 17, kJump, M("D.S.反复记号"), C | R | D),
    Att("XJX", 18, 18, M("D.S.反复目标记号"), C | R | D),
    Att("XJX", 19, kJump, M("D.C.alCoda记号"), C | R | D),
    Att("XJX", 21, kJump, M("D.C.alFine记号"), C | R | D),
    Att("XJX", 22, kJump, M("Fine记号"), C | R | D),
    Att("XJX", 23, 18, M("灯笼记号"), C | R | D),
    Att("XJX", 25, 0x1000E, M("无定次反复/L"), R),
    Att("XJX", 26, 0x1000E, M("无定次反复/R"), R | D),
    Row("XJX", 28, K::BarNumber, 0x10018, 0, R | D, tessaly::EM_XiaoJieXuHao, u"小节编号"),
    Ins("XiuZiHu", 0, 0xF0000, M("小节休止符")),
    Ins("XiuZiHu", 1, 0, M("自由节拍休止符")),
    Ins("LRKuoHao", 0, 0, M("简谱左括号（")),
    Ins("LRKuoHao", 1, 0, M("简谱右括号）")),
    Row("TFZ", 0, K::Volta, 18, 0, R, tessaly::EM_FormatTFZ, u"跳房子/重复绘制将删除"),
    Row("TFZ", 1, K::Volta, 18, 0, R, tessaly::EM_FormatKFTFZ, u"跳房子/重复绘制将删除"),
    Row("LPX", 0, K::Send, 0, 0, 0, tessaly::EM_InstrHwStr),
    Row("LPX", 1, K::Send, 0, 1, 0, tessaly::EM_InstrHwStr),
    Row("LPX", 2, K::Send, 0, 2, 0, tessaly::EM_InstrHwStr),
    Row("LPX", 3, K::Send, 0, 3, 0, tessaly::EM_InstrHwStr),
    Row("LPX", 4, K::Send, 0, 4, 0, tessaly::EM_InstrHwStr),
    Row("FYC", 0, K::Duration, 0, 0, A),
    Row("FYC", 1, K::Duration, 0, 1, A),
    Row("FYC", 2, K::Duration, 0, 2, A),
    Row("FYC", 3, K::Duration, 0, 3, A),
    Ins("ZSX", -1, 0, M("增时线")),
    Ins("FDYF", -1, 0, M("附点")),
    Att("SpeedWord", 0, 0x10012, M("渐慢"), C | R),
    Att("SpeedWord", 1, 0x10012, M("渐快"), C | R),
    Att("SpeedWord", 2, 18, M("回原速"), C | R),
    Row("SpeedWord", 4, K::TempoChange, 0x10012, 0, C | R),
    Ins("SpeedWord", 6, 0, M("音速J")),
    Att("YcH", -1, 12, M("延长号"), C | R | D),
    Row("HuXian", 0, K::ArcAtHeight, 0, M("弧线起点"), R | S),
    Row("HuXian", 1, K::Tuplet, 0, 0, R | S, tessaly::EM_FormatLinYing, u"3"),
    Row("YG", 0, K::Octave, 0, 0),
    Row("YG", 2, K::Octave, 0, 1),
    Row("YG", 3, K::Octave, 0, 2),
    Row("YG", 4, K::Octave, 0, 3),
    Row("YG", 6, K::Octave, 0, 4),
    Row("YG", 7, K::Octave, 0, 5),
    Row("YG", 8, K::Octave, 0, 6),
    Ins("DiaoHao", 0, 0, M("音调设置")),
    Ins("DiaoHao", 1, 0, M("等于号")),
    Ins("DiaoHao", 3, 0, M("C 调")),
    Ins("DiaoHao", 4, 0, M("D 调")),
    Ins("DiaoHao", 5, 0, M("E 调")),
    Ins("DiaoHao", 6, 0, M("F 调")),
    Ins("DiaoHao", 7, 0, M("G 调")),
    Ins("DiaoHao", 8, 0, M("A 调")),
    Ins("DiaoHao", 9, 0, M("B 调")),
    Att("DiaoHao", 11, 0x1000C, M("段落间音调变换"), C | R),
    Att("ZhuYing", 0, 13, M("do"), C | D),
    Att("ZhuYing", 1, 13, M("re"), C | D),
    Att("ZhuYing", 2, 13, M("mi"), C | D),
    Att("ZhuYing", 3, 13, M("fa"), C | D),
    Att("ZhuYing", 4, 13, M("sol"), C | D),
    Att("ZhuYing", 5, 13, M("la"), C | D),
    Att("ZhuYing", 6, 13, M("xi"), C | D),
    Row("ZhuYing", 8, K::Annotate, 26, 0, 0, tessaly::EM_FormatZhuYing),
    Row("ZhuYing", 9, K::AnnotationOffset, 0, 0, R | D),
    Row("ZhuYing", 10, K::DeleteAnnotations, 0, 0, D),
    Row("ZhuYing", 12, K::AnnotationScale, 0, 0, R | D),
    Ins("MY_bhy", 0, 0, M("升号")),
    Ins("MY_bhy", 1, 0, M("降号")),
    Ins("MY_bhy", 2, 0, M("重升")),
    Ins("MY_bhy", 3, 0, M("重降")),
    Ins("MY_bhy", 4, 0, M("还原记号")),
    Att("LIDUJIHAO", 0, 12, M("很弱"), C | R | D),
    Att("LIDUJIHAO", 1, 12, M("弱"), C | R | D),
    Att("LIDUJIHAO", 2, 12, M("稍弱"), C | R | D),
    Att("LIDUJIHAO", 4, 12, M("稍强"), C | R | D),
    Att("LIDUJIHAO", 5, 12, M("强"), C | R | D),
    Att("LIDUJIHAO", 6, 12, M("很强"), C | R | D),
    Att("LIDUJIHAO", 8, 12, M("特强"), C | R | D),
    Att("LIDUJIHAO", 9, 12, M("强后即弱"), C | R | D),
    Att("LIDUJIHAO", 10, 12, M("特强后即弱"), C | R | D),
    Att("LIDUJIHAO", 12, 0x1000A, M("渐强号"), C | R | D),
    Att("LIDUJIHAO", 13, 0x1000A, M("渐强号/换行"), C | R | D),
    Att("LIDUJIHAO", 14, 0x1000A, M("渐弱号"), C | R | D),
    Att("LIDUJIHAO", 15, 0x1000A, M("渐弱号/换行"), C | R | D),
    Att("BaBuhao", 0, 0x1000E, M("高八度号"), C | R | D),
    Att("BaBuhao", 1, 0x1000E, M("低八度号"), C | R | D),
    Att("BaBuhao", 3, 0x1000E, M("高八度重复号"), C | R | D),
    Att("BaBuhao", 4, 0x1000E, M("低八度重复号"), C | R | D),
    Att("ZhuagSeYing", 0, 12, M("顺回音"), C | R),
    Att("ZhuagSeYing", 1, 12, M("逆回音"), C | R),
    Att("ZhuagSeYing", 3, 12, M("单上波音"), C | R),
    Att("ZhuagSeYing", 4, 12, M("单下波音"), C | R),
    Att("ZhuagSeYing", 5, 12, M("复上波音"), C | R),
    Att("ZhuagSeYing", 6, 12, M("复下波音"), C | R),
    Att("ZhuagSeYing", 8, 0x2000C, M("颤音/延长"), C | R),
    Row("ZhuagSeYing", 10, K::Grace, 0, M("倚音"), R | A),
    Ins("JqYf", -1, 0, M("节奏音符X")),
    Att("HQFH", 0, 0x1000C, M("换气"), R | D),
    Ins("HQFH", 1, 0, M("独立换气符")),
    Ins("FYHuhao", 0, 0, M("震音/4")),
    Ins("FYHuhao", 1, 0, M("震音/8")),
    Ins("FYHuhao", 2, 0, M("震音/16")),
    Att("FYHuhao", 3, 12, M("断音/顿音"), C | R | D),
    Att("FYHuhao", 4, 12, M("重音"), C | R | D),
    Att("FYHuhao", 5, 12, M("倍重音"), C | R | D),
    Att("FYHuhao", 6, 12, M("保持音"), C | R | D),
    Att("FYHuhao", 7, 12, M("跳音"), C | R | D),
    Ins("HuaYng", 0, 0, M("上滑音")),
    Ins("HuaYng", 1, 0, M("下滑音")),
    Att("HuaYng", 3, 18, M("上回滑音"), C | R | D),
    Att("HuaYng", 4, 18, M("下回滑音"), C | R | D),
    Att("HuaYng", 6, 0x1000E, M("并重滑音"), C | R | D),
    Row("HuaYng", 8, K::Send, 0, M("大滑音"), R, tessaly::EM_FormatBigHuaYing),
    Ins("PaYing", 0, 0, M("顺琶音"), C),
    Ins("PaYing", 1, 0, M("逆琶音"), C),
    Row("CustomWord", -1, K::CustomText, 0x1000E, 0, R, tessaly::EM_CustomWord, u"自定义附加字符..."),
    // 二胡
    Att("GFHuHao", 0, 12, M("拉弓（出弓）"), C | R | D),
    Att("GFHuHao", 1, 12, M("推弓（入弓）"), C | R | D),
    Row("GFHuHao", 3, K::ArcAtHeight, 0, M("连弓起点"), R | D),
    Att("GFHuHao", 4, 12, M("顿弓"), C | R | D),
    Row("GFHuHao", 5, K::Arc, kBowDotted, M("连顿弓起点"), R | D),
    Att("GFHuHao", 7, 15, M("抛弓"), C | R | D),
    Att("GFHuHao", 8, 15, M("甩弓"), C | R | D),
    Att("GFHuHao", 9, 15, M("保持弓"), C | R | D),
    Ins("GFHuHao", 11, 0, M("双弓"), C),
    Ins("GFHuHao", 12, 0, M("颤弓"), C),
    Att("ZFHuhao", 0, 12, M("指序一"), C | R),
    Att("ZFHuhao", 1, 12, M("指序二"), C | R),
    Att("ZFHuhao", 2, 12, M("指序三"), C | R),
    Att("ZFHuhao", 3, 12, M("指序四"), C | R),
    Att("ZFHuhao", 4, 12, M("空弦"), C | R),
    Att("ZFHuhao", 6, 12, M("弹弦符号"), C | R),
    Att("ZFHuhao", 7, 12, M("勾弦符号"), C | R),
    Att("ZFHuhao", 8, 12, M("压弦符号"), C | R),
    Att("ZFHuhao", 9, 12, M("滑揉符号"), C | R),
    Row("ZFHuhao", 10, K::Send, 0x1000C, M("压弦滑揉"), C | R, tessaly::EM_FormatCombiningChar),
    Row("HQHuaYing", 0, K::Hint, 0, 0, 0, 0, u"参照“通用-滑音”部分输入。"),
    Ins("HQHuaYing", 2, 0, M("大上滑音")),
    Ins("HQHuaYing", 3, 0, M("大下滑音")),
    Row("HQHuaYing", 5, K::Hint, 0, 0, 0, 0, u"参照“通用-滑音”部分输入。"),
    Row("HQHuaYing", 7, K::Arc, 12, M("连线滑音起点"), R | D),
    Row("HQHuaYing", 8, K::Arc, 12, M("垫指滑音起点"), R | D),
    Row("HQHuaYing", 9, K::Arc, 12, M("垫指压弦滑音起点"), R | D),
    Att("HQHuaYing", 11, 0x1000E, M("迟到揉弦符号"), C | R),
    Att("HQHuaYing", 12, 15, M("不揉弦符号"), C | R | D),
    Att("QTHuHao", 0, 12, M("内弦符号"), C | R | D),
    Att("QTHuHao", 1, 12, M("外弦符号"), C | R | D),
    Att("OtherHuHao", 0, 12, M("pizz.拔奏"), C | R | D),
    Att("OtherHuHao", 1, 12, M("arco 拉奏"), C | R | D),
    Att("OtherHuHao", 3, 12, M("自然泛音"), C | R | D),
    Att("OtherHuHao", 4, 12, M("人工泛音"), C | R | D),
    // 设置 and 编辑
    Row("Mydq", 0, K::TargetLine, 0, 0),
    Row("Mydq", 1, K::TargetLine, -1, 0),
    Row("MyXjdq", 0, K::TargetLine, 0, 1),
    Row("MyXjdq", 1, K::TargetLine, -1, 1),
    Row("YGYCPos", -1, K::Send, 0, 0, 0, tessaly::EM_ShowFormSetYcYgPos),
    Row("TurnToYF", -1, K::TurnToNotes, 0, 0),
    // The top panel: durations, octaves lowest first, alignments, symbols.
    Row("CmdFormatYc", 0, K::Duration, 0, 0),
    Row("CmdFormatYc", 1, K::Duration, 0, 1),
    Row("CmdFormatYc", 2, K::Duration, 0, 2),
    Row("CmdFormatYc", 3, K::Duration, 0, 3),
    Row("CmdFormatYg", 0, K::Octave, 0, 6),
    Row("CmdFormatYg", 1, K::Octave, 0, 5),
    Row("CmdFormatYg", 2, K::Octave, 0, 4),
    Row("CmdFormatYg", 3, K::Octave, 0, 0),
    Row("CmdFormatYg", 4, K::Octave, 0, 1),
    Row("CmdFormatYg", 5, K::Octave, 0, 2),
    Row("CmdFormatYg", 6, K::Octave, 0, 3),
    Row("CmdFoamatDq", 0, K::Alignment, 0, 0),
    Row("CmdFoamatDq", 1, K::Alignment, 0, 1),
    Row("CmdFoamatDq", 2, K::Alignment, 0, 2),
    Row("CmdFoamatDq", 3, K::Alignment, 0, 3),
    Row("CmdFoamatDq", 4, K::Alignment, 0, 4),
    Row("CmdFoamatDq", 5, K::Alignment, 0, 5),
    Ins("MunButton", 0, 0x40002, M("节奏拍号")),
    Ins("MunButton", 1, 0, M("小节线")),
    Att("MunButton", 2, kJump, M("D.C.反复记号"), C | R),
    Go(3, "TFZ", 0),
    Go(4, "SpeedWord", 0),
    Go(5, "SpeedWord", 4),
    Go(6, "YcH", -1),
    Go(7, "HuXian", 0),
    Ins("MunButton", 8, 0, M("附点")),
    Ins("MunButton", 9, 0, M("C 调")),
    Ins("MunButton", 10, 0, M("降号")),
    Go(11, "LIDUJIHAO", 0),
    Att("MunButton", 12, 12, M("顺回音"), C | R),
    Go(13, "JqYf", -1),
    Ins("MunButton", 14, 0, M("开始位")),
    Att("MunButton", 15, 0x1000C, M("换气"), R | D),
    Ins("MunButton", 16, 0, M("震音/4")),
    Go(17, "FYHuhao", 3),
    Go(18, "HuaYng", 0),
    Go(19, "HuaYng", 3),
    Ins("MunButton", 20, 0, M("自由拍号")),
    Go(21, "HuXian", 1),
    Row("MunButton", 22, K::Grace, 0, M("倚音"), R),
    Ins("MunButton", 23, 0, M("+")),
    Ins("MunButton", 24, 0, M("1小节反复号")),
    Att("MunButton", 25, 0x1000E, M("无定次反复/L"), R),
    Ins("MunButton", 26, 0, M("增时线")),
    Go(27, "DiaoHao", 11),
    Ins("MunButton", 28, 0, M("音调设置")),
    Ins("MunButton", 29, 0, M("等于号")),
    Ins("MunButton", 30, 0, M("音速J")),
    Go(31, "LIDUJIHAO", 12),
    Go(32, "PaYing", 0),
    Go(33, "HuaYng", 8),
    Go(34, "HuaYng", 6),
    Go(35, "BaBuhao", 0),
    Ins("MunButton", 36, 0xF0002, M("小节休止符")),
};

struct TipRange {
    int32_t low, high;
    const char16_t* tip;
};
// Tested in this order, both bounds inclusive: the overlaps and the gap are the panel's own.
constexpr TipRange kTips[] = {
    {0, 1200, u"音长减时线"},  {1200, 3060, u"音高"},     {3060, 4560, u"简谱文件头相关"}, {4560, 6500, u"小节相关"},
    {6300, 7765, u"强弱相关"}, {7765, 9400, u"速度相关"}, {9420, 12510, u"其他"},          {12510, 14220, u"对齐方式"},
};

}  // namespace

std::span<const NotationRow> NotationRows() {
    return kRows;
}

const NotationRow* FindNotationRow(std::string_view menu, int index) {
    for (const NotationRow& row : kRows)
        if (row.Menu == menu && row.Index == index) return &row;
    return nullptr;
}

std::u16string_view TopPanelTip(int32_t xTwips) {
    for (const TipRange& r : kTips)
        if (xTwips >= r.low && xTwips <= r.high) return r.tip;
    return {};
}

int32_t GraceValue(int32_t selLength) {
    const int64_t n = selLength < 0 ? -static_cast<int64_t>(selLength) : selLength;
    return static_cast<int32_t>(std::min<int64_t>(n, 214748364) * 10 + 1);
}

std::optional<int16_t> BoxValue(std::u16string_view answer) {
    return tessaly::TryCInt(ValOf(answer));
}

std::u16string VoltaPrompt() {
    return u"\n请输入形如“1.”“2-5.”“2.4-9.”“End.”的字符：";
}

std::u16string BarNumberPrompt() {
    return u"为小节增加一个编号（可为阿拉伯数字或罗马数字等）。\n\n\n\n请输入字符：";
}

std::u16string CustomTextPrompt() {
    return u"自定义附加字符，16字符以内，以宋体显示，表示表情符号、声部序号等。\n\n\n\n请输入自定义字符：";
}

std::u16string NumberBoxPrompt(NotationKind kind) {
    const bool offset = kind == NotationKind::AnnotationOffset;
    std::u16string prompt = u"\n";
    prompt += offset ? u"对选中唱名注音的上下位置进行设置(如设置16，表示向上移动16个单位)"
                     : u"唱名注音字符大小占主音的比例（建议45-90%）";
    prompt += u"\r\n\n\r\n\n";
    prompt += offset ? u"根据美观程度，确定一个数据：" : u"根据美观程度，确定一个比例数据：";
    return prompt;
}

std::u16string_view NumberBoxTitle(NotationKind kind) {
    return kind == NotationKind::AnnotationOffset ? u"唱名注音字符位置设置" : u"唱名注音字符大小设置";
}

}  // namespace tavolin
