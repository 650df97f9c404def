#include "MenuStates_win.h"

#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {
namespace {

// The editor's members behind the menu states; without an editor nothing is possible.
class EditorStates final : public MenuStateSource {
public:
    explicit EditorStates(IZEVudu* z) : z_(z) {}
    bool CanUndo() override { return Ask(&IZEVudu::CanUndo); }
    bool CanRedo() override { return Ask(&IZEVudu::CanRedo); }
    bool CanCut() override { return Ask(&IZEVudu::CanCut); }
    bool CanCopy() override { return Ask(&IZEVudu::CanCopy); }
    bool CanPaste() override { return Ask(&IZEVudu::CanPaste); }
    bool CanDel() override { return Ask(&IZEVudu::CanDel); }
    int32_t InputState() override { return Read(&IZEVudu::get_InputState, tessaly::JpState); }
    int32_t SelLength() override { return Read(&IZEVudu::get_SelLength, 0); }
    int32_t CPdqLine() override { return Read(&IZEVudu::get_CPdqLine, -1); }
    int32_t XjdqLine() override { return Read(&IZEVudu::get_XjdqLine, -1); }
    bool Playing() override { return Ask(&IZEVudu::get_正在播放); }
    bool Paused() override { return Ask(&IZEVudu::get_暂停); }

private:
    bool Ask(HRESULT (STDMETHODCALLTYPE IZEVudu::*member)(VARIANT_BOOL*)) {
        VARIANT_BOOL v = VARIANT_FALSE;
        return z_ && SUCCEEDED((z_->*member)(&v)) && v != VARIANT_FALSE;
    }
    int32_t Read(HRESULT (STDMETHODCALLTYPE IZEVudu::*member)(LONG*), int32_t otherwise) {
        LONG v = otherwise;
        return z_ && SUCCEEDED((z_->*member)(&v)) ? v : otherwise;
    }

    IZEVudu* z_;
};

}  // namespace

void ApplyMenuStates(MainWindow& form, const std::vector<MenuItemState>& states) {
    for (const auto& s : states) {
        if (s.enabled) form.EnableMenu(s.name, s.index, *s.enabled);
        if (s.caption) form.SetMenuCaption(s.name, s.index, *s.caption);
    }
}

void ApplyMenuStates(MainWindow& form, std::string_view menu) {
    EditorStates editor(form.Editor());
    ApplyMenuStates(form, MenuStates(menu, editor));
}

void RegisterMenuStates(MainWindow& form) {
    for (const char* menu : {"FileEdit", "Setting", "Common", "YueQi"})
        form.Router().Add(menu, [&form, menu](int) { ApplyMenuStates(form, menu); });
}

}  // namespace tavolin
