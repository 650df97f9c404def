#include "MenuStates_win.h"

#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {
namespace {

bool Ask(IZEVudu& z, HRESULT (STDMETHODCALLTYPE IZEVudu::*member)(VARIANT_BOOL*)) {
    VARIANT_BOOL v = VARIANT_FALSE;
    return SUCCEEDED((z.*member)(&v)) && v != VARIANT_FALSE;
}

void Read(IZEVudu& z, HRESULT (STDMETHODCALLTYPE IZEVudu::*member)(LONG*), int32_t& value) {
    LONG v = value;
    if (SUCCEEDED((z.*member)(&v))) value = v;
}

// Without an editor nothing is possible. The target lines are read only for the menu that shows
// them: reading them joins up a paragraph a key cut short, which in a long paragraph would cost
// every shortcut of the other menus (Delete, Ctrl+V) the rest of the paragraph.
MenuEditorState ReadEditor(IZEVudu* z, std::string_view menu) {
    MenuEditorState e;
    if (!z) return e;
    e.canUndo = Ask(*z, &IZEVudu::CanUndo);
    e.canRedo = Ask(*z, &IZEVudu::CanRedo);
    e.canCut = Ask(*z, &IZEVudu::CanCut);
    e.canCopy = Ask(*z, &IZEVudu::CanCopy);
    e.canPaste = Ask(*z, &IZEVudu::CanPaste);
    e.canDel = Ask(*z, &IZEVudu::CanDel);
    Read(*z, &IZEVudu::get_InputState, e.inputState);
    Read(*z, &IZEVudu::get_SelLength, e.selLength);
    if (menu == "Setting") {
        Read(*z, &IZEVudu::get_CPdqLine, e.cpdqLine);
        Read(*z, &IZEVudu::get_XjdqLine, e.xjdqLine);
    }
    e.playing = Ask(*z, &IZEVudu::get_正在播放);
    e.paused = Ask(*z, &IZEVudu::get_暂停);
    return e;
}

}  // namespace

void ApplyMenuStates(MainWindow& form, const std::vector<MenuItemState>& states) {
    for (const auto& s : states) {
        if (s.enabled) form.EnableMenu(s.name, s.index, *s.enabled);
        if (s.caption) form.SetMenuCaption(s.name, s.index, *s.caption);
    }
}

void ApplyMenuStates(MainWindow& form, std::string_view menu) {
    ApplyMenuStates(form, MenuStates(menu, ReadEditor(form.Editor(), menu)));
}

void RegisterMenuStates(MainWindow& form) {
    for (const char* menu : {"FileEdit", "Setting", "Common", "YueQi"})
        form.Router().Add(menu, [&form, menu](int) { ApplyMenuStates(form, menu); });
}

}  // namespace tavolin
