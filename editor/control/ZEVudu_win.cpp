#include "control/ZEVudu_win.h"

#include <atomic>

#include "api/IVbGetWindowsZoom.h"
#include "com/Create.h"
#include "control/EditWindow_win.h"
#include "control/Handlers_win.h"
#include "model/layout/LoadJpFile.h"
#include "render/NotationFont_win.h"
#include "win/Gdip_win.h"

namespace notaline {
namespace {

constexpr wchar_t kClassName[] = L"ZEVudu";

}  // namespace

ZEVudu::ZEVudu() : ControlObject(CLSID_ZEVudu, DIID_ZEVuduEvents, kClassName) {
    // The notation font before any font is asked for, or the documents' checks miss it.
    LoadNotationFont();
    scroll_ = com::CreateFromDll<IMyScrollInfo>(L"Tessaly.dll", CLSID_MyScrollInfo);
    if (scroll_) scroll_->put_hwnd(VARIANT_TRUE, reinterpret_cast<LONG_PTR>(Window()));
    win::InitGDIPlus(true, L"GDI+ 初始化错误。程序即将关闭。", MB_ICONERROR, L"初始化错误");
}

ZEVudu::~ZEVudu() {
    if (editor_) {
        Editor& ed = *editor_;
        // The window goes back to its own procedure before the buffers and the menu go.
        UninstallEditWndProc(ed);
        ed.Renderer->DeletePageBufferDCs();
        DestroyContextMenu(ed);
        ed.MemoryDc = win::OwnedDc();
        StopPlayMusic(ed);
        editor_.reset();
    }
    scroll_.Reset();
    // Last, once this control's GDI+ objects are gone; the starts are counted, so another control
    // keeps GDI+ running.
    win::TerminateGDIPlus();
}

void ZEVudu::ReadProperties(com::PropertyReader& bag) {
    // The container's window comes from the client site: the host handle is not kept yet.
    const HWND host = ContainerWindow();
    if (auto zoom = com::CreateFromDll<IVbGetWindowsZoom>(L"Tessaly.dll", CLSID_VbGetWindowsZoom)) {
        LONG dpi = 96;
        if (SUCCEEDED(zoom->GetCurrentDpi(reinterpret_cast<LONG_PTR>(host), &dpi)) && dpi > 0) screenDpi_ = dpi;
    }
    appearance_ = bag.Integer(L"Appearance", zevudu::Flat);
    backStyle_ = bag.Integer(L"BackStyle", zevudu::不透明);
    borderStyle_ = bag.Integer(L"BorderStyle", zevudu::简单边框);
    enabled_ = bag.Boolean(L"Enabled", true);
    SelForecolor = bag.Long(L"SelForecolor", static_cast<int32_t>(0x8000000E));
    SelBackColor = bag.Long(L"SelBackColor", static_cast<int32_t>(0x8000000D));
    scrollBars_ = bag.Long(L"ScrollBars", zevudu::ercScrollBarsBoth);
    ApplyBorder();
    EnableWindow(Window(), enabled_);
    ShowScrollBars();
    if (UserMode()) StartRunning();
}

void ZEVudu::StartRunning() {
    const HWND host = ContainerWindow();
    editor_ = std::make_unique<Editor>(Window(), host, scroll_.Get(), screenDpi_);
    Editor& ed = *editor_;
    ed.Dc = win::WindowDc(Window());
    ed.Metres = {"1/4", "2/4", "3/4", "4/4", "5/4", "3/8", "6/8", "7/8", "9/8", "12/8"};
    // The system's scroll bars cost a running window more than its pages at every size step: it
    // draws its own in its client area.
    if (ed.Strips) ed.Strips->DrawInWindow();
    ShowScrollBars();
    InstallEditWndProc(ed);
    CreateContextMenu(ed);
    LoadJpFile(ed.Data, ed.Source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(host), u"");
}

void ZEVudu::WriteProperties(com::PropertyWriter& bag) {
    // 0 is no scroll-bar setting: every valid one is stored.
    bag.Long(L"ScrollBars", scrollBars_, 0);
    bag.Integer(L"Appearance", appearance_, zevudu::Flat);
    bag.Integer(L"BackStyle", backStyle_, zevudu::不透明);
    bag.Integer(L"BorderStyle", borderStyle_, zevudu::简单边框);
    bag.Boolean(L"Enabled", enabled_, true);
    bag.Long(L"SelBackColor", SelBackColor, static_cast<int32_t>(0x8000000D));
    bag.Long(L"SelForecolor", SelForecolor, static_cast<int32_t>(0x8000000E));
}

void ZEVudu::ShowScrollBars() {
    if (scroll_) scroll_->pShowScrollBar(static_cast<SHORT>(scrollBars_));
}

void ZEVudu::ApplyBorder() {
    // A single border is sunken in 3D appearance and a plain line when flat.
    LONG_PTR style = GetWindowLongPtrW(Window(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    LONG_PTR ex = GetWindowLongPtrW(Window(), GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (borderStyle_ == zevudu::简单边框) {
        if (appearance_ == zevudu::ThreeD) {
            ex |= WS_EX_CLIENTEDGE;
        } else {
            style |= WS_BORDER;
        }
    }
    SetWindowLongPtrW(Window(), GWL_STYLE, style);
    SetWindowLongPtrW(Window(), GWL_EXSTYLE, ex);
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ZEVudu::Appearance(int16_t value) {
    appearance_ = value;
    ApplyBorder();
    PropertyChanged();
}

void ZEVudu::BackStyle(int16_t value) {
    backStyle_ = value;
    Repaint();
    PropertyChanged();
}

void ZEVudu::BorderStyle(int16_t value) {
    borderStyle_ = value;
    ApplyBorder();
    PropertyChanged();
}

void ZEVudu::Enabled(bool value) {
    enabled_ = value;
    EnableWindow(Window(), value);
    PropertyChanged();
}

void ZEVudu::ScrollBars(int32_t value) {
    scrollBars_ = value;
    ShowScrollBars();
    PropertyChanged();
}

void ZEVudu::Repaint() {
    InvalidateRect(Window(), nullptr, TRUE);
    UpdateWindow(Window());
}

// The bars are set with drawing off: a size change repaints the frame, and a bar drawn as it is set
// is drawn twice, each time costing more than the page's repaint.
void ZEVudu::OnResize() {
    HWND w = Window();
    const bool shown = (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0;
    if (editor_) {
        if (shown) SendMessageW(w, WM_SETREDRAW, FALSE, 0);
        if (scroll_) scroll_->InitPageScrollInfo(-1, -1, -1, -1);
        if (shown) SendMessageW(w, WM_SETREDRAW, TRUE, 0);
        editor_->Renderer->ResetPageBuffers();
    }
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void ZEVudu::OnClick() {
    Fire(dispid::ZEVuduEvents::Click);
}

bool ZEVudu::TypingState() const {
    return editor_ && (editor_->Data.InputState == tessaly::JpState || editor_->Data.InputState == tessaly::GcState);
}

void ZEVudu::OnKeyDown(int16_t& keyCode, int16_t shift) {
    if (TypingState()) {
        switch (shift) {
            case 0: KeyDownNoShift(*editor_, keyCode); break;
            case 1: KeyDownShift(*editor_, keyCode); break;
            case 2: KeyDownCtrl(*editor_, keyCode); break;
            case 3: KeyDownCtrlShift(*editor_, keyCode); break;
            default: break;
        }
    }
    FireKey(dispid::ZEVuduEvents::KeyDown, keyCode, shift);
}

void ZEVudu::OnKeyPress(int16_t& keyAscii) {
    if (TypingState()) KeyPressInput(*editor_, keyAscii);
    Fire(dispid::ZEVuduEvents::Change);
    Fire(dispid::ZEVuduEvents::SelectChange);
}

void ZEVudu::OnKeyUp(int16_t& keyCode, int16_t shift) {
    if (TypingState() && shift == 2) KeyUpCtrl(*editor_, keyCode);
    FireKey(dispid::ZEVuduEvents::KeyUp, keyCode, shift);
}

// Mouse events do nothing, and raise nothing, until a document is ready. Handlers run only with
// no key held, by the input state; false when the document is not ready.
bool ZEVudu::MouseByState(com::MouseEvent& e, MouseHandler text, MouseHandler lpx) {
    if (!editor_ || !editor_->Data.DocLoaded) return false;
    if (e.Shift == 0) {
        const auto state = editor_->Data.InputState;
        if (state == tessaly::JpState || state == tessaly::GcState) {
            text(*editor_, e);
        } else if (state == tessaly::LpxState) {
            lpx(*editor_, e);
        }
    }
    return true;
}

void ZEVudu::OnMouseDown(com::MouseEvent& e) {
    if (MouseByState(e, &MouseDownText, &MouseDownLpx)) FireMouse(dispid::ZEVuduEvents::MouseDown, e);
}

void ZEVudu::OnMouseMove(com::MouseEvent& e) {
    if (!MouseByState(e, &MouseMoveText, &MouseMoveLpx)) return;
    MousePointer(editor_->MousePointer);
    FireMouse(dispid::ZEVuduEvents::MouseMove, e);
}

void ZEVudu::OnMouseUp(com::MouseEvent& e) {
    if (!MouseByState(e, &MouseUpText, &MouseUpLpx)) return;
    if (e.Shift == 0) NotifySelChange(*editor_, editor_->Data.SelStart, editor_->Data.SelLength);
    Fire(dispid::ZEVuduEvents::SelectChange);
    FireMouse(dispid::ZEVuduEvents::MouseUp, e);
}

// Key codes and shift masks go by reference: a sink may change them.
void ZEVudu::FireKey(DISPID id, int16_t& keyCode, int16_t shift) {
    VARIANT args[2];
    V_VT(&args[0]) = VT_I2 | VT_BYREF;
    V_I2REF(&args[0]) = &keyCode;
    V_VT(&args[1]) = VT_I2 | VT_BYREF;
    V_I2REF(&args[1]) = &shift;
    Fire(id, args);
}

void ZEVudu::FireMouse(DISPID id, com::MouseEvent& e) {
    VARIANT args[4];
    V_VT(&args[0]) = VT_I2 | VT_BYREF;
    V_I2REF(&args[0]) = &e.Button;
    V_VT(&args[1]) = VT_I2 | VT_BYREF;
    V_I2REF(&args[1]) = &e.Shift;
    V_VT(&args[2]) = VT_R4 | VT_BYREF;
    V_R4REF(&args[2]) = &e.X;
    V_VT(&args[3]) = VT_R4 | VT_BYREF;
    V_R4REF(&args[3]) = &e.Y;
    Fire(id, args);
}

}  // namespace notaline
