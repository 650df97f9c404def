#include "control/ContextMenuItems.h"

namespace notaline {
namespace {

MenuItem Text(std::string text, bool enabled = true) {
    return MenuItem{false, std::move(text), enabled};
}

MenuItem Separator() {
    return MenuItem{true, {}, true};
}

bool TypingLayout(tessaly::InputState state) {
    return state != tessaly::LpxState;
}

}  // namespace

MenuItems ContextMenuLayout(const MenuFacts& f) {
    if (!TypingLayout(f.State)) {
        return {Text("连谱线"),
                Text("直连谱号"),
                Text("辅助连谱号"),
                Text("花连谱号/左"),
                Text("花连谱号/右"),
                Separator(),
                Text("撤销(&U)", f.CanUndo),
                Text("重做(&R)", f.CanRedo),
                Separator(),
                Text("复制(&C)", f.CanCopy),
                Text("剪切(&T)", f.CanCut),
                Text("粘贴(&P)", f.CanPaste),
                Text("删除(&D)", f.CanDel),
                Separator(),
                Text("颜色", f.ItemFocused)};
    }
    const std::string source =
        f.SourceLine == -1 ? std::string("词谱对齐源行：无") : "词谱对齐源行：" + std::to_string(f.SourceLine);
    return {Text(f.State == tessaly::JpState ? "接受歌词输入" : "接受简谱输入"),
            Separator(),
            Text("撤销(&U)", f.CanUndo),
            Text("重做(&R)", f.CanRedo),
            Separator(),
            Text("全选(&A)"),
            Text("复制(&C)", f.CanCopy),
            Text("剪切(&T)", f.CanCut),
            Text("粘贴(&P)", f.CanPaste),
            Text("删除(&D)", f.CanDel),
            Separator(),
            Text(source),
            Text("取消源行", f.SourceLine != -1),
            Separator(),
            Text("自定义附加符...")};
}

MenuItems InitialContextMenuLayout(tessaly::InputState state) {
    MenuFacts facts;
    facts.State = state;
    MenuItems items = ContextMenuLayout(facts);
    if (TypingLayout(state)) {
        items[0].Text = "接受歌词输入";
        items[11].Text = "目标行：无";
        items[12].Text = "取消目标行";
    }
    for (auto& item : items) item.Enabled = true;
    return items;
}

MenuCommand ContextMenuCommandOf(tessaly::InputState state, int32_t id) {
    using C = MenuCommand;
    if (!TypingLayout(state)) {
        switch (id) {
            case 0:
            case 1:
            case 2:
            case 3:
            case 4: return C::InsertItem;
            case 6: return C::Undo;
            case 7: return C::Redo;
            case 9: return C::Copy;
            case 10: return C::Cut;
            case 11: return C::Paste;
            case 12: return C::Delete;
            case 14: return C::ItemColour;
            default: return C::None;
        }
    }
    switch (id) {
        case 0: return C::ToggleLyricInput;
        case 2: return C::Undo;
        case 3: return C::Redo;
        case 5: return C::SelectAll;
        case 6: return C::Copy;
        case 7: return C::Cut;
        case 8: return C::Paste;
        case 9: return C::Delete;
        case 11: return C::SetSourceLine;
        case 12: return C::ClearSourceLine;
        case 14: return C::CustomWord;
        default: return C::None;
    }
}

}  // namespace notaline
