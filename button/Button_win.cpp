#include "Button_win.h"

#include <windows.h>
#include <commctrl.h>

#include "com/Module.h"
#include "com/Variant.h"
#include "records/Dialogs.h"
#include "records/Numbers.h"
#include "win/GdiHandles.h"

namespace kavrel {

namespace {

constexpr UINT_PTR kSubclassId = 1;

int32_t HandleValue(void* h) {
    // Window and device-context handles have 32 significant bits.
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(h));
}

}  // namespace

Button::Button()
    : ControlObject(CLSID_Button, DIID_ButtonEvents, L"KavrelButton"),
      gdi_(std::make_unique<cGDIPlus>()),
      painter_(*gdi_, com::ThisModule()) {
    dpiFactor_ = static_cast<float>(GetDpi()) / 96.0F;
    // The kit's window procedure has no hooks for these two messages.
    SetWindowSubclass(Window(), &Button::Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

Button::~Button() {
    if (Window()) {
        RemoveWindowSubclass(Window(), &Button::Subclass, kSubclassId);
        keptDc_ = win::WindowDc();
    }
}

void* Button::QueryOther(REFIID iid) {
    if (iid == __uuidof(IcGDIPlusGlobal)) return static_cast<IButton*>(this);
    return ControlObject::QueryOther(iid);
}

LRESULT CALLBACK Button::Subclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    try {
        auto* button = reinterpret_cast<Button*>(self);
        if (msg == WM_MOUSELEAVE) button->OnMouseLeave();
        if (msg == WM_KILLFOCUS) button->OnLostFocus();
        if (msg == WM_ENABLE) button->OnEnable(wParam != 0);
        if (msg == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) &&
            button->rgnForm_)
            button->ApplyRegion();
    } catch (...) {
        // nothing crosses the window procedure
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// ---- members

int32_t Button::hDC() {
    // One device context for the life of the control, as its callers keep it.
    if (!keptDc_.Get()) keptDc_ = win::WindowDc(Window());
    return HandleValue(keptDc_.Get());
}

void Button::UserControlMouseUp() {
    PaintState(kNormal);
}

void Button::Enabled(bool value) {
    const int32_t state = value ? kNormal : kDisabled;
    if (loaded_ && value == enabled_ && state == state_) return;
    enabled_ = value;
    EnableWindow(Window(), value);
    state_ = state;
    Repaint();
    Changed();
}

void Button::ButtonIndex(int32_t value) {
    const auto largest = LargestIndex(type_);
    if (largest && value > *largest) {
        Message(L"超出范围");
        return;
    }
    index_ = value;
    // At run time the new picture waits for the next change of state.
    if (UserMode()) return;
    Repaint();
    Changed();
}

void Button::RgnForm(bool value) {
    rgnForm_ = value;
    if (value) ApplyRegion();
    Changed();
}

void Button::ButtonType(int32_t value) {
    type_ = value;
    if (!UserMode()) SizeForType();
}

void Button::ForeColor(int32_t value) {
    foreColor_ = value;
    if (!UserMode()) return;
    Repaint();
    Changed();
}

void Button::ButtonDown(bool value) {
    const bool same = value == buttonDown_;
    buttonDown_ = value;
    if (!UserMode()) return;
    const int32_t state = value ? kPressed : kNormal;
    // The host sets every button's state after each key: a face as it is is not painted again.
    if (same && state == state_) return;
    state_ = state;
    Repaint();
}

void Button::BackColor(int32_t value) {
    backColor_ = value;
    Repaint();
    Changed();
}

void Button::TranColor(int32_t value) {
    tranColor_ = value;
    Repaint();
    Changed();
}

void Button::PressDownType(bool value) {
    latching_ = value;
    Changed();
}

void Button::Changed() {
    // Loading applies properties through their setters: that changes nothing stored.
    if (loaded_) PropertyChanged();
}

int32_t Button::GetDpi() {
    const win::ScreenDc screen;
    return screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
}

// ---- life in the form

void Button::ReadProperties(com::PropertyReader& bag) {
    const int width = tessaly::CLng(WidthTwips()) / 15, height = tessaly::CLng(HeightTwips()) / 15;
    if (gdi_->m_uLastStatus == Gdiplus::Ok &&
        gdi_->CreateGraphicsWithImage(width, height, PixelFormat32bppARGB) == Gdiplus::Ok) {
        bitmapWidth_ = width;
        bitmapHeight_ = height;
    }
    if (gdi_->m_uLastStatus == Gdiplus::Ok) gdi_->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    backColor_ = bag.Long(L"BackColor", AmbientBackColor());
    type_ = bag.Long(L"ButtonType", Pic1_Yc);
    state_ = kNormal;
    index_ = bag.Long(L"ButtonIndex", 1);
    latching_ = bag.Boolean(L"PressDownType", false);
    foreColor_ = bag.Long(L"ForeColor", 0xFFFFFF);
    if (UserMode()) EnableWindow(Window(), enabled_);
    Enabled(bag.Boolean(L"Enabled", true));
    RgnForm(bag.Boolean(L"IsRgnForm", true));
    if (!enabled_) state_ = kDisabled;
    loaded_ = true;
    Resize();
}

void Button::WriteProperties(com::PropertyWriter& bag) {
    // The writer leaves out a value equal to the default it is given; the
    // last three keys have none and are always written.
    bag.Boolean(L"Enabled", enabled_, true);
    bag.Long(L"ButtonType", type_, Pic1_Yc);
    bag.Long(L"BackColor", backColor_, AmbientBackColor());
    bag.Long(L"ButtonIndex", index_, 1);
    bag.Boolean(L"IsRgnForm", rgnForm_, !rgnForm_);
    bag.Boolean(L"PressDownType", latching_, !latching_);
    bag.Long(L"ForeColor", foreColor_, ~foreColor_);
}

int32_t Button::AmbientBackColor() const {
    COLORREF rgb = GetSysColor(COLOR_BTNFACE);  // a form's own back colour when the container says nothing
    com::Ptr<IDispatch> ambient;
    if (ClientSite() && SUCCEEDED(ClientSite()->QueryInterface(IID_IDispatch, ambient.OutVoid()))) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        com::Variant v;
        if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_BACKCOLOR, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                      &none, v.Out(), nullptr, nullptr)) &&
            SUCCEEDED(VariantChangeType(&v.Raw(), &v.Raw(), 0, VT_I4))) {
            // A system colour is resolved: the painter reads the bytes as red, green and blue.
            OleTranslateColor(static_cast<OLE_COLOR>(V_I4(&v.Raw())), nullptr, &rgb);
        }
    }
    return static_cast<int32_t>(rgb);
}

void Button::OnResize() {
    if (loaded_) Resize();
}

void Button::Resize() {
    faceWidth_ = tessaly::CLng(WidthTwips() / 15.0);
    faceHeight_ = tessaly::CLng(HeightTwips() / 15.0);
    // A bitmap of another size than the face would show the face stretched.
    // The arc type keeps the bitmap its one painting made.
    const bool otherSize = faceWidth_ != bitmapWidth_ || faceHeight_ != bitmapHeight_;
    if (otherSize && type_ != HuXian && faceWidth_ > 0 && faceHeight_ > 0 && gdi_->m_uLastStatus == Gdiplus::Ok &&
        gdi_->CreateGraphicsWithImage(faceWidth_, faceHeight_, PixelFormat32bppARGB) == Gdiplus::Ok) {
        bitmapWidth_ = faceWidth_;
        bitmapHeight_ = faceHeight_;
        gdi_->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    }
    // The window gets its real size only after loading: its shape follows.
    if (rgnForm_) ApplyRegion();
    Repaint();
}

void Button::ApplyRegion() {
    // A window waiting for its container takes its shape as it is shown there, at its real size.
    if (!(GetWindowLongPtrW(Window(), GWL_STYLE) & WS_VISIBLE)) return;
    // In screen pixels, whatever the resolution.
    RECT client{};
    GetClientRect(Window(), &client);
    // Setting a shape costs the system a repaint: the one it has for its size stays.
    if (client.right == regionSize_.cx && client.bottom == regionSize_.cy) return;
    win::RegionHandle region(CreateRoundRectRgn(0, 0, client.right, client.bottom, 10, 10));
    // The window owns the region once it is set.
    if (region && SetWindowRgn(Window(), region.Get(), TRUE)) {
        region.Release();
        regionSize_ = {client.right, client.bottom};
    }
}

void Button::SizeForType() {
    if (const auto size = DesignSize(type_)) {
        const auto largest = LargestIndex(type_);
        if (largest && index_ > *largest) {
            Message(L"ButtonIndex属性超出范围，此次调整无效");
            return;
        }
        RECT r{};
        GetWindowRect(Window(), &r);
        MapWindowPoints(nullptr, GetParent(Window()), reinterpret_cast<POINT*>(&r), 2);
        r.right = r.left + size->width / 15;
        r.bottom = r.top + size->height / 15;
        com::Ptr<IOleInPlaceSite> site;
        if (ClientSite()) ClientSite()->QueryInterface(IID_IOleInPlaceSite, site.OutVoid());
        // The container moves the window; without one it is moved here.
        if (!site || FAILED(site->OnPosRectChange(&r)))
            SetWindowPos(Window(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Resize();
    Changed();
}

void Button::Message(const wchar_t* text) const {
    HWND owner = ContainerWindow();
    MessageBoxW(owner ? owner : Window(), text, tessaly::kProgramTitle, MB_OK | MB_ICONINFORMATION);
}

// The face is composed at the next paint, from the last state it was given: the host sets
// several properties of many buttons after each key, and they all show in one paint.
void Button::PaintState(int32_t state) {
    pendingState_ = state;
    if (Window()) InvalidateRect(Window(), nullptr, FALSE);
}

void Button::PaintFace(int32_t state) {
    if (!gdi_->CurrentGraphics() && type_ != HuXian) return;
    FaceInput in;
    in.faceWidth = faceWidth_;
    in.faceHeight = faceHeight_;
    in.dpiFactor = dpiFactor_;
    in.colours = {backColor_, foreColor_, tranColor_};
    // A face without a fill of its own shows over the normal face, as it comes after it on screen:
    // composed at the paint, it cannot count on the faces asked for before it.
    const std::vector<FaceStep> steps = PlanFace(type_, state, index_, in.colours);
    if (state != kNormal && !steps.empty() && steps.front().kind != FaceStep::Fill)
        painter_.Paint(in, type_, kNormal, index_);
    painter_.Paint(in, type_, state, index_);
}

void Button::OnPaint(HDC dc) {
    // The face is kept on the bitmap: a covered button shows it again as it was.
    if (pendingState_ >= 0) {
        PaintFace(pendingState_);
        pendingState_ = -1;
    }
    painter_.ShowKept(dc);
}

// ---- the mouse

void Button::FireMouse(DISPID id, const com::MouseEvent& e) {
    int16_t button = e.Button, shift = e.Shift;
    float x = e.X, y = e.Y;
    VARIANT args[4];
    V_VT(&args[0]) = VT_I2 | VT_BYREF;
    V_I2REF(&args[0]) = &button;
    V_VT(&args[1]) = VT_I2 | VT_BYREF;
    V_I2REF(&args[1]) = &shift;
    V_VT(&args[2]) = VT_R4 | VT_BYREF;
    V_R4REF(&args[2]) = &x;
    V_VT(&args[3]) = VT_R4 | VT_BYREF;
    V_R4REF(&args[3]) = &y;
    Fire(id, args);
}

void Button::OnMouseDown(com::MouseEvent& e) {
    if (UserMode() && e.Button == 1) {
        pressFlag_ = 1;
        state_ = kPressed;
        if (latching_) {
            buttonDown_ = !buttonDown_;
            Fire(dispid::ButtonEvents::Click);
        }
        Repaint();
    }
    FireMouse(dispid::ButtonEvents::MouseDown, e);
}

void Button::TrackLeave() {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Window(), 0};
    TrackMouseEvent(&track);
}

void Button::OnMouseMove(com::MouseEvent& e) {
    if (UserMode()) {
        if (buttonDown_) return;
        if (e.Button != 1) {
            const bool outside = e.X < 0 || e.X > WidthTwips() || e.Y < 0 || e.Y > HeightTwips();
            if (outside) {
                if (hover_) {
                    hover_ = false;
                    state_ = kNormal;
                    Repaint();
                    Fire(dispid::ButtonEvents::MouseExit);
                }
            } else if (!hover_) {
                hover_ = true;
                state_ = kHover;
                Repaint();
                // Leaving is reported by the system; the capture stays free for other windows.
                TrackLeave();
                Fire(dispid::ButtonEvents::MouseEnter);
            }
        } else if (pressFlag_ == 1 && GetCapture() != Window()) {
            SetCapture(Window());
        }
    }
    FireMouse(dispid::ButtonEvents::MouseMove, e);
}

void Button::OnMouseUp(com::MouseEvent& e) {
    if (UserMode()) {
        if (buttonDown_) return;
        if (e.Button == 1 && pressFlag_ == 1) {
            const bool inside = e.X > 0 && e.X < WidthTwips() && e.Y > 0 && e.Y < HeightTwips();
            if (inside) {
                hover_ = false;
                pressFlag_ = 0;
                state_ = kHover;
                Repaint();
                TrackLeave();
                if (!latching_) Fire(dispid::ButtonEvents::Click);
            } else {
                state_ = kNormal;
                Repaint();
            }
        }
        pressFlag_ = 0;
        hover_ = false;
    }
    FireMouse(dispid::ButtonEvents::MouseUp, e);
}

void Button::OnMouseLeave() {
    if (!UserMode() || buttonDown_ || pressFlag_ == 1) return;
    // A click leaves the hover face up without the hover flag: leaving ends it too.
    if (!hover_ && state_ != kHover) return;
    const bool wasHovering = hover_;
    hover_ = false;
    state_ = kNormal;
    Repaint();
    if (wasHovering) Fire(dispid::ButtonEvents::MouseExit);
}

// Disabled with its panel, not through Enabled: the face shows it all the same.
void Button::OnEnable(bool on) {
    if (!UserMode()) return;
    state_ = on ? (buttonDown_ ? kPressed : kNormal) : kDisabled;
    Repaint();
}

void Button::OnLostFocus() {
    // No press goes on without the focus: a later release must not click. A hover face drawn
    // after a click stays until the pointer leaves, which ends it (a click's handler often moves
    // the focus first).
    pressFlag_ = 0;
    if (state_ == kPressed && !buttonDown_) {
        state_ = kNormal;
        Repaint();
    }
}

// ---- dispatch

std::span<const com::Member<Button>> Button::Members() {
    namespace id = dispid::Button;
    using com::Args;
    using com::kGet;
    using com::kMethod;
    using com::kPut;
    using com::Return;
    static const com::Member<Button> table[] = {
        {id::hwnd, L"hwnd", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, HandleValue(b.Window())); }},
        {id::hDC, L"hDC", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.hDC()); }},
        {id::UserControlMouseUp, L"UserControlMouseUp", kMethod,
         [](Button& b, Args&, VARIANT*) { b.UserControlMouseUp(); }},
        {id::Enabled, L"Enabled", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.Enabled()); }},
        {id::Enabled, L"Enabled", kPut, [](Button& b, Args& a, VARIANT*) { b.Enabled(a.Value().Bool()); }},
        {id::ButtonIndex, L"ButtonIndex", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.ButtonIndex()); }},
        {id::ButtonIndex, L"ButtonIndex", kPut, [](Button& b, Args& a, VARIANT*) { b.ButtonIndex(a.Value().Long()); }},
        {id::RefreshDraw, L"RefreshDraw", kMethod, [](Button& b, Args&, VARIANT*) { b.RefreshDraw(); }},
        {id::RgnForm, L"RgnForm", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.RgnForm()); }},
        {id::RgnForm, L"RgnForm", kPut, [](Button& b, Args& a, VARIANT*) { b.RgnForm(a.Value().Bool()); }},
        {id::ButtonType, L"ButtonType", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.ButtonType()); }},
        {id::ButtonType, L"ButtonType", kPut, [](Button& b, Args& a, VARIANT*) { b.ButtonType(a.Value().Long()); }},
        {id::ForeColor, L"ForeColor", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.ForeColor()); }},
        {id::ForeColor, L"ForeColor", kPut, [](Button& b, Args& a, VARIANT*) { b.ForeColor(a.Value().Long()); }},
        {id::ButtonDown, L"ButtonDown", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.ButtonDown()); }},
        {id::ButtonDown, L"ButtonDown", kPut, [](Button& b, Args& a, VARIANT*) { b.ButtonDown(a.Value().Bool()); }},
        {id::RGBtoARGB, L"RGBtoARGB", kMethod,
         [](Button&, Args& a, VARIANT* r) {
             if (a.Count() < 2) throw com::Error{DISP_E_BADPARAMCOUNT, L"RGBtoARGB takes an alpha and a colour"};
             Return(r, RGBtoARGB(a[0].Byte(), a[1].Long()));
         }},
        {id::BackColor, L"BackColor", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.BackColor()); }},
        {id::BackColor, L"BackColor", kPut, [](Button& b, Args& a, VARIANT*) { b.BackColor(a.Value().Long()); }},
        {id::TranColor, L"TranColor", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.TranColor()); }},
        {id::TranColor, L"TranColor", kPut, [](Button& b, Args& a, VARIANT*) { b.TranColor(a.Value().Long()); }},
        {id::PressDownType, L"PressDownType", kGet, [](Button& b, Args&, VARIANT* r) { Return(r, b.PressDownType()); }},
        {id::PressDownType, L"PressDownType", kPut,
         [](Button& b, Args& a, VARIANT*) { b.PressDownType(a.Value().Bool()); }},
        {id::GetDpi, L"GetDpi", kMethod, [](Button&, Args&, VARIANT* r) { Return(r, GetDpi()); }},
    };
    return table;
}

}  // namespace kavrel
