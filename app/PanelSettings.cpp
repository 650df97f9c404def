#include "PanelSettings.h"

#include <cwctype>
#include <optional>

#include "records/Numbers.h"

namespace tavolin {

namespace {

std::wstring SlotSection(int slot) {
    return std::to_wstring(slot) + L"面板";
}

// Whether a text starts with a number once blanks are skipped.
bool StartsNumeric(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c == L' ' || c == L'\t') continue;
        return iswdigit(c) || c == L'-' || c == L'+' || c == L'.';
    }
    return false;
}

// A Boolean text: a number (non-zero is true) or True/False. Anything else is unreadable.
std::optional<bool> ReadBoolean(const std::wstring& text) {
    std::wstring t;
    for (wchar_t c : text)
        if (c != L' ' && c != L'\t') t += static_cast<wchar_t>(c < 128 ? towlower(c) : c);
    if (t == L"true") return true;
    if (t == L"false") return false;
    if (!StartsNumeric(t)) return std::nullopt;
    return LeadingNumber(t) != 0;
}

// The panel index a slot names, or none when it cannot be used.
std::optional<int16_t> SlotPanel(const std::wstring& text) {
    if (!StartsNumeric(text)) return std::nullopt;
    const auto index = tessaly::TryCInt(LeadingNumber(text));
    if (!index || *index < 0 || *index >= kSidePanels) return std::nullopt;
    return index;
}

}  // namespace

double LeadingNumber(std::wstring_view text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 128 ? static_cast<char>(c) : '\x01';
    return tessaly::Val(narrow);
}

void ReadPanelSettings(SettingsReader& ini, PanelArrangement& panels, FormGeometry& g,
                       const double (&heights)[kSidePanels]) {
    panels.PanelStates.assign(kSidePanels, PanelState{});
    bool placed[kSidePanels] = {};
    std::vector<int> missing;
    for (int s = 0; s < kSidePanels; ++s) {
        const std::wstring section = SlotSection(s);
        auto index = SlotPanel(ini.Read(section, L"位置"));
        if (index && placed[*index]) index.reset();
        if (!index) {
            missing.push_back(s);
            continue;
        }
        PanelState& slot = panels.PanelStates[s];
        placed[*index] = true;
        slot.PanelIndex = *index;
        slot.SizeState = ini.Read(section, L"大小状态") == L"1";
        // An unreadable visibility shows the panel rather than losing it.
        slot.PanelVisible = ReadBoolean(ini.Read(section, L"可见性")).value_or(true);
    }
    for (int s : missing) {
        int16_t k = 0;
        while (placed[k]) ++k;
        placed[k] = true;
        panels.PanelStates[s] = PanelState{k, 0, 0, true, true};
    }
    for (PanelState& slot : panels.PanelStates) {
        slot.PanelHeight = static_cast<float>(heights[slot.PanelIndex]);
        if (slot.PanelVisible) panels.SidePanelsShown = true;
        g.toolBarChecked[slot.PanelIndex] = slot.PanelVisible;
    }
    const auto pos = tessaly::TryCInt(LeadingNumber(ini.Read(L"侧面板", L"位置")));
    panels.SidePanelPos = pos && *pos >= 0 && *pos <= 2 ? *pos : 0;
    panels.StoredSidePanelPos = panels.SidePanelPos;
    panels.TopBarShown = LeadingNumber(ini.Read(L"上方面板", L"显示")) == 1;
    g.topShown = panels.TopBarShown;
}

void ToggleTopBar(PanelArrangement& panels, SettingsWriter& ini) {
    panels.TopBarShown = !panels.TopBarShown;
    ini.Write(L"上方面板", L"显示", panels.TopBarShown ? L"1" : L"0");
}

const ControlTip kControlTipTable[kControlTips] = {
    {"MunButton", 0, L"节拍号"},
    {"MunButton", 1, L"小节线相关"},
    {"MunButton", 2, L"跳转记号（D.C.记号）"},
    {"MunButton", 3, L"跳房子"},
    {"MunButton", 4, L"速度变化号（渐慢号）"},
    {"MunButton", 5, L"段落间速度变换"},
    {"MunButton", 6, L"延长号"},
    {"MunButton", 7, L"弧线"},
    {"MunButton", 8, L"附点音符"},
    {"MunButton", 9, L"音调（C调）"},
    {"MunButton", 10, L"变音号（降号）"},
    {"MunButton", 11, L"力度记号（很弱）"},
    {"MunButton", 12, L"装饰音（顺回音）"},
    {"MunButton", 13, L"节奏音符"},
    {"MunButton", 14, L"演唱开始标志"},
    {"MunButton", 15, L"换气符号"},
    {"MunButton", 16, L"发音方式符号(震音)"},
    {"MunButton", 17, L"断音/顿音"},
    {"MunButton", 18, L"滑音"},
    {"MunButton", 19, L"回滑音（上回滑音）"},
    {"MunButton", 20, L"自由拍号"},
    {"MunButton", 21, L"三连音"},
    {"MunButton", 22, L"装饰音（倚音）"},
    {"MunButton", 23, L"加号"},
    {"MunButton", 24, L"小节反复号（一小节反复号）"},
    {"MunButton", 25, L"无定次反复(左侧)"},
    {"MunButton", 26, L"增时线"},
    {"MunButton", 27, L"段落间音调变换（转1=C）"},
    {"MunButton", 28, L"调号设置"},
    {"MunButton", 29, L"等于号"},
    {"MunButton", 30, L"音速设置"},
    {"MunButton", 31, L"力度渐变号（渐强号）"},
    {"MunButton", 32, L"琶音（顺琶音）"},
    {"MunButton", 33, L"大滑音"},
    {"MunButton", 34, L"并重滑音"},
    {"MunButton", 35, L"八度号（高八度号）"},
    {"MunButton", 36, L"小节休止符"},
    {"CmdFoamatDq", 0, L"左对齐"},
    {"CmdFoamatDq", 1, L"居中对齐"},
    {"CmdFoamatDq", 2, L"分散对齐。常用于简谱行，实行两端对齐"},
    {"CmdFoamatDq", 3, L"右对齐"},
    {"CmdFoamatDq", 4, L"词谱对齐（使用Ctrl+Tab）"},
    {"CmdFoamatDq", 5, L"小节对齐（使用Ctrl+Tab）"},
    {"CmdFont", 0, L"粗体"},
    {"CmdFont", 1, L"斜体"},
    {"CmdFont", 2, L"下划线(简谱无效)"},
    {"CmdFont", 3, L"删除线(简谱无效)"},
    {"CmdBkColor", -1, L"字符背景颜色"},
    {"CmdFrColor", -1, L"字符颜色"},
    {"CmdChangExtralValue", 0, L"音符附加数据调整"},
    {"CmdChangExtralValue", 1, L"音符附加数据调整"},
    {"CmdChangExtralValue", 2, L"音符附加数据调整"},
    {"CmdChangExtralValue", 3, L"音符附加数据调整"},
    {"CmdChangExtralValue", 4, L"音符附加数据调整"},
    {"CmdChangExtralValue", 5, L"音符附加数据调整"},
    {"CmdDelExtralWd", -1, L"删除"},
    {"CmdAboutModifie", -1, L"提示信息设置与修改"},
    {"CmdInfo", 0, L"保存修改"},
    {"CmdInfo", 1, L"指向特定格式音符，显示或关闭说明信息"},
};

const wchar_t* const kFontSizeList[kFontSizeItems] = {
    L"初号", L"小初", L"一号", L"小一", L"二号", L"小二", L"三号", L"小三", L"四号", L"小四", L"五号", L"小五", L"9",
    L"10",   L"11",   L"12",   L"14",   L"16",   L"18",   L"20",   L"24",   L"28",   L"36",   L"48",   L"74",
};

}  // namespace tavolin
