// The form's controls: made from the form table in table order, the editor hosted through the
// factory, and the image buttons' properties by name.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "MainWindow_win.h"
#include "records/Dialogs.h"

namespace tavolin {
namespace {

// The editor's properties as the main form stores them.
const com::StoredProperty kEditorProperties[] = {
    {L"ScrollBars", VT_I4, 4},
};

}  // namespace

HWND MainWindow::ParentOf(const FormControl& c) const {
    if (!*c.container) return Handle();
    return ControlWindow(c.container, c.containerIndex);
}

// Every control of the form table, in table order (containers come first).
bool MainWindow::CreateControls() {
    formDpi_ = 96;
    if (const win::WindowDc dc(Handle()); dc.Get()) formDpi_ = GetDeviceCaps(dc.Get(), LOGPIXELSY);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    uiFont_ = win::FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
    BuildMenus();

    const auto controls = FormControls();
    windows_.assign(controls.size(), nullptr);
    buttons_.resize(controls.size());
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Handle(), GWLP_HINSTANCE));
    for (size_t row = 0; row < controls.size(); ++row) {
        const FormControl& c = controls[row];
        HWND parent = ParentOf(c);
        const int x = TwipsToPixels(c.left), y = TwipsToPixels(c.top), w = TwipsToPixels(c.width),
                  h = TwipsToPixels(c.height);
        const auto id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kFirstControlId + row));
        const wchar_t* caption = c.caption ? c.caption : L"";
        HWND made = nullptr;
        switch (c.kind) {
            case ControlKind::Frame:
                made = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, caption,
                                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, w, h, parent,
                                       id, instance, nullptr);
                break;
            case ControlKind::Button:
                if (!HostButton(c, parent, row)) return false;
                continue;
            case ControlKind::ComboBox:
                made = CreateWindowExW(0, WC_COMBOBOXW, L"",
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, x, y, w, h * 8,
                                       parent, id, instance, nullptr);
                break;
            case ControlKind::RichText:
                made = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
                                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, x, y, w, h,
                                       parent, id, instance, nullptr);
                break;
            case ControlKind::Option:
                made = CreateWindowExW(0, WC_BUTTONW, caption, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, x, y, w, h,
                                       parent, id, instance, nullptr);
                break;
            case ControlKind::Label:
                made = CreateWindowExW(0, WC_STATICW, caption, WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTER, x, y, w,
                                       h, parent, id, instance, nullptr);
                break;
            case ControlKind::Splitter:
            case ControlKind::Picture:
                made = CreateWindowExW(0, WC_STATICW, L"",
                                       WS_CHILD | (c.kind == ControlKind::Splitter ? SS_ETCHEDHORZ : 0), x, y, w, h,
                                       parent, id, instance, nullptr);
                break;
            case ControlKind::StatusBar:
                made = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                       parent, id, instance, nullptr);
                break;
            case ControlKind::Editor:
                windows_[row] = nullptr;
                if (!CreateEditor()) return false;
                windows_[row] = editorWindow_;
                continue;
        }
        if (!made) return false;
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.Get()), FALSE);
        windows_[row] = made;
    }
    // Geometry as designed; the layout moves from here.
    auto rectOf = [](const FormControl* c) {
        return c ? TwipsRect{double(c->left), double(c->top), double(c->width), double(c->height)} : TwipsRect{};
    };
    geometry_.top = rectOf(FindControl("TopFaceFrame", -1));
    geometry_.side[0] = rectOf(FindControl("FaceFrame", 0));
    geometry_.side[1] = rectOf(FindControl("FaceFrame", 1));
    geometry_.editor = rectOf(FindControl("ZEVudu1", -1));
    geometry_.splitter = rectOf(FindControl("Picture1", -1));
    geometry_.picture = rectOf(FindControl("图片容器1", -1));
    for (int k = 0; k < kSidePanels; ++k)
        panels_.PanelStates[k].PanelHeight = static_cast<float>(geometry_.side[k].Height);
    geometry_.toolBarChecked[0] = geometry_.toolBarChecked[1] = true;
    CheckMenu("munToolBar", 0, true);
    CheckMenu("munToolBar", 1, true);
    CheckMenu("ShowTopBar", -1, true);
    LayOutStatusBar();  // the editor's first status came before the bar
    return true;
}

// The editor comes through the factory, hosted with the form's stored properties.
bool MainWindow::CreateEditor() {
    auto control = factory_.CreateEditor();
    if (!control) {
        MessageBoxW(Handle(), L"Notaline.dll", tessaly::kProgramTitle, MB_OK | MB_ICONERROR);
        return false;
    }
    const FormControl* c = FindControl("ZEVudu1", -1);
    RECT rect{TwipsToPixels(c->left), TwipsToPixels(c->top), TwipsToPixels(c->left + c->width),
              TwipsToPixels(c->top + c->height)};
    auto bag = com::PropertyBag::Create(kEditorProperties);
    if (FAILED(com::ControlSite::Host(control.Get(), Handle(), rect, bag.Get(), true, editorSite_))) return false;
    editor_ = control.As<IZEVudu>();
    if (!editor_) return false;
    LONG_PTR hwnd = 0;
    editor_->get_hwnd(&hwnd);
    editorWindow_ = reinterpret_cast<HWND>(hwnd);
    if (!editorWindow_) editorWindow_ = editorSite_->ControlWindow();
    factory_.EditorHosted(control.Get());
    return true;
}

HWND MainWindow::ControlWindow(std::string_view name, int index) const {
    const auto controls = FormControls();
    const FormControl* c = FindControl(name, index);
    if (!c || windows_.empty()) return nullptr;
    return windows_[static_cast<size_t>(c - controls.data())];
}

IDispatch* MainWindow::Button(std::string_view name, int index) const {
    const auto controls = FormControls();
    const FormControl* c = FindControl(name, index);
    if (!c || buttons_.empty()) return nullptr;
    return buttons_[static_cast<size_t>(c - controls.data())].Get();
}

void MainWindow::PutButton(std::string_view name, int index, DISPID id, const VARIANT& value) {
    IDispatch* button = Button(name, index);
    if (!button) return;
    VARIANT arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    button->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

// The status puts a property only when it changes: each put redraws the button at once.
int32_t MainWindow::GetButtonLong(std::string_view name, int index, DISPID id) const {
    IDispatch* button = Button(name, index);
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none{};
    if (!button ||
        FAILED(button->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                              nullptr)) ||
        FAILED(VariantChangeType(&result, &result, 0, VT_I4)))
        return INT32_MIN;
    return result.lVal;
}

void MainWindow::PutButtonBool(std::string_view name, int index, DISPID id, bool value) {
    if ((GetButtonLong(name, index, id) != 0) == value) return;
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    PutButton(name, index, id, v);
}

void MainWindow::PutButtonLong(std::string_view name, int index, DISPID id, int32_t value) {
    if (GetButtonLong(name, index, id) == value) return;
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    PutButton(name, index, id, v);
}

}  // namespace tavolin
