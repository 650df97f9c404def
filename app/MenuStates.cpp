#include "MenuStates.h"

#include <cstdlib>
#include <span>

#include "records/Layout.h"

namespace tavolin {
namespace {

enum class When { CanUndo, CanRedo, CanCut, CanCopy, CanPaste, CanDel, NotLines, Lines, AnySelected, Span, Grace };

struct Row {
    const char* name;
    int index;
    When when;
};

constexpr Row kFileEdit[] = {
    {"Undo", -1, When::CanUndo},     {"ReDo", -1, When::CanRedo},       {"WordCut", -1, When::CanCut},
    {"CopyWord", -1, When::CanCopy}, {"WordPaste", -1, When::CanPaste}, {"WordDel", -1, When::CanDel},
    {"SelAll", -1, When::NotLines},
};

constexpr Row kSetting[] = {
    {"LINE999", -1, When::NotLines}, {"LINE888", -1, When::NotLines}, {"YGYCPos", -1, When::NotLines}};

constexpr Row kCommon[] = {
    {"JPH", -1, When::NotLines},
    {"AboutXJX", -1, When::NotLines},
    {"XZH", -1, When::NotLines},
    {"LSXL", -1, When::NotLines},
    {"TFZ", 0, When::Span},
    {"TFZ", 1, When::Span},
    {"MyLPX", -1, When::Lines},
    {"FormatYC", -1, When::NotLines},
    {"FYC", 0, When::AnySelected},
    {"FYC", 1, When::AnySelected},
    {"FYC", 2, When::AnySelected},
    {"FYC", 3, When::AnySelected},
    {"ZhuYing", 8, When::AnySelected},
    {"ZhuYing", 9, When::AnySelected},
    {"ZhuYing", 10, When::AnySelected},
    {"FDYF", -1, When::NotLines},
    {"SPEEDWD", -1, When::NotLines},
    {"YcH", -1, When::NotLines},
    {"AboutHuXian", -1, When::NotLines},
    {"HuXian", 0, When::Span},
    {"HuXian", 1, When::Span},
    {"HuaYng", 8, When::Span},
    {"FormatYG", -1, When::NotLines},
    {"YG", 0, When::AnySelected},
    {"YG", 2, When::AnySelected},
    {"YG", 3, When::AnySelected},
    {"YG", 4, When::AnySelected},
    {"YG", 6, When::AnySelected},
    {"YG", 7, When::AnySelected},
    {"YG", 8, When::AnySelected},
    {"AboutDiaoHao", -1, When::NotLines},
    {"BHY", -1, When::NotLines},
    {"LDJH", -1, When::NotLines},
    {"BaDu", -1, When::NotLines},
    {"ZSYH", -1, When::NotLines},
    {"ZhuagSeYing", 10, When::Grace},
    {"m_ZhuYing", -1, When::NotLines},
    {"HQ", -1, When::NotLines},
    {"JqYf", -1, When::NotLines},
    {"HQFH", 0, When::NotLines},
    {"FYHH", -1, When::NotLines},
    {"HuaYng1", -1, When::NotLines},
    {"PY", -1, When::NotLines},
    {"CustomWord", -1, When::NotLines},
};

constexpr Row kYueQi[] = {{"GFHuHao", 3, When::Span},
                          {"GFHuHao", 5, When::Span},
                          {"HQHuaYing", 7, When::Span},
                          {"HQHuaYing", 8, When::Span},
                          {"HQHuaYing", 9, When::Span}};

bool Holds(When when, const MenuEditorState& e) {
    // A selection made backwards counts as much as one made forwards.
    const int64_t selected = std::llabs(static_cast<int64_t>(e.selLength));
    switch (when) {
        case When::CanUndo: return e.canUndo;
        case When::CanRedo: return e.canRedo;
        case When::CanCut: return e.canCut;
        case When::CanCopy: return e.canCopy;
        case When::CanPaste: return e.canPaste;
        case When::CanDel: return e.canDel;
        case When::NotLines: return e.inputState != tessaly::LpxState;
        case When::Lines: return e.inputState == tessaly::LpxState;
        case When::AnySelected: return selected != 0;
        case When::Span: return selected > 1;
        case When::Grace: return selected >= 1 && selected <= 3;
    }
    return true;
}

std::wstring TargetCaption(int32_t line) {
    return line >= 0 ? L"目标行：" + std::to_wstring(line) : std::wstring(L"目标行：无");
}

void AddRows(std::vector<MenuItemState>& out, std::span<const Row> rows, const MenuEditorState& e) {
    for (const Row& r : rows) out.push_back({r.name, r.index, Holds(r.when, e), {}});
}

}  // namespace

const wchar_t* PauseCaption(bool paused) {
    return paused ? L"继续" : L"暂停";
}

std::vector<MenuItemState> PauseToggledStates(bool paused) {
    return {{"PausePlay", -1, {}, PauseCaption(paused)}, {"CloesMusic", -1, !paused, {}}};
}

std::vector<MenuItemState> MenuStates(std::string_view menu, const MenuEditorState& e) {
    std::vector<MenuItemState> out;
    if (menu == "FileEdit") {
        AddRows(out, kFileEdit, e);
    } else if (menu == "Setting") {
        AddRows(out, kSetting, e);
        // In connecting-line mode the target lines keep their last captions under greyed submenus.
        if (e.inputState != tessaly::LpxState) {
            out.push_back({"Mydq", 0, {}, TargetCaption(e.cpdqLine)});
            out.push_back({"Mydq", 1, e.cpdqLine >= 0, {}});
            out.push_back({"MyXjdq", 0, {}, TargetCaption(e.xjdqLine)});
            out.push_back({"MyXjdq", 1, e.xjdqLine >= 0, {}});
        }
    } else if (menu == "Common") {
        AddRows(out, kCommon, e);
    } else if (menu == "YueQi") {
        AddRows(out, kYueQi, e);
    } else if (menu == "Play") {
        out.push_back({"PausePlay", -1, e.playing, PauseCaption(e.paused)});
        out.push_back({"CloesMusic", -1, e.playing, {}});
    }
    return out;
}

}  // namespace tavolin
