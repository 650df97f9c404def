#include <windows.h>
#include <windowsx.h>

#include "Control.h"
#include "Module.h"
#include "Object.h"
#include "win/GdiHandles.h"
#include "win/Window.h"

namespace com {
namespace {

// Controls wait here, hidden, between creation and in-place activation and
// after deactivation. One per thread, as windows belong to their thread.
thread_local HWND gParking = nullptr;
thread_local int gParked = 0;

HWND Parking() {
    if (!gParking)
        gParking = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ThisModule(), nullptr);
    return gParking;
}

bool RegisterControlClass(const wchar_t* className) {
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.hInstance = ThisModule();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return win::RegisterWindowClass(wc);
}

int16_t ShiftNow() {
    int16_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= 1;
    if (GetKeyState(VK_CONTROL) < 0) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

int16_t ButtonsOf(WPARAM keys) {
    int16_t b = 0;
    if (keys & MK_LBUTTON) b |= 1;
    if (keys & MK_RBUTTON) b |= 2;
    if (keys & MK_MBUTTON) b |= 4;
    return b;
}

struct Dpi {
    int x = 96, y = 96;
    explicit Dpi(HWND hwnd) {
        if (const win::WindowDc dc(hwnd); dc.Get()) {
            x = GetDeviceCaps(dc.Get(), LOGPIXELSX);
            y = GetDeviceCaps(dc.Get(), LOGPIXELSY);
        }
        if (x <= 0) x = 96;
        if (y <= 0) y = 96;
    }
};

}  // namespace

int16_t PropertyReader::Integer(const wchar_t* name, int16_t def) {
    VARIANT v;
    return Read(name, VT_I2, v) ? V_I2(&v) : def;
}

int32_t PropertyReader::Long(const wchar_t* name, int32_t def) {
    VARIANT v;
    return Read(name, VT_I4, v) ? V_I4(&v) : def;
}

bool PropertyReader::Boolean(const wchar_t* name, bool def) {
    VARIANT v;
    return Read(name, VT_BOOL, v) ? V_BOOL(&v) != VARIANT_FALSE : def;
}

bool PropertyReader::Read(const wchar_t* name, VARTYPE vt, VARIANT& out) {
    VariantInit(&out);
    if (!bag_) return false;
    V_VT(&out) = vt;
    // A missing key is normal here, so no error log is handed on.
    if (FAILED(bag_->Read(name, &out, nullptr))) {
        VariantClear(&out);
        return false;
    }
    // Not every bag coerces to the type asked for.
    if (V_VT(&out) != vt && FAILED(VariantChangeType(&out, &out, 0, vt))) {
        VariantClear(&out);
        return false;
    }
    return true;
}

void PropertyWriter::Integer(const wchar_t* name, int16_t value, int16_t def) {
    if (value == def) return;
    VARIANT v;
    V_VT(&v) = VT_I2;
    V_I2(&v) = value;
    Write(name, v);
}

void PropertyWriter::Long(const wchar_t* name, int32_t value, int32_t def) {
    if (value == def) return;
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    Write(name, v);
}

void PropertyWriter::Boolean(const wchar_t* name, bool value, bool def) {
    if (value == def) return;
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    Write(name, v);
}

void PropertyWriter::Write(const wchar_t* name, VARIANT& v) {
    HRESULT hr = bag_ ? bag_->Write(name, &v) : E_POINTER;
    if (FAILED(hr) && SUCCEEDED(hr_)) hr_ = hr;
}

Control::Control(const CLSID& clsid, const IID& eventIid, const wchar_t* className)
    : clsid_(clsid), className_(className), events_(static_cast<IOleObject*>(this), eventIid) {
    ++gParked;
    MakeWindow(Parking());
}

// A window that could not be made at creation is tried again when the control is placed.
bool Control::MakeWindow(HWND parent) {
    return Window() || (parent && RegisterControlClass(className_) && surface_.Create(className_, parent));
}

bool Control::Surface::Create(const wchar_t* className, HWND parent) {
    return CreateAttached(0, className, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, 96, 96,
                          parent, nullptr, ThisModule());
}

Control::~Control() {
    if (HWND hwnd = Window()) DestroyWindow(hwnd);
    if (--gParked == 0 && gParking) {
        DestroyWindow(gParking);
        gParking = nullptr;
    }
}

void* Control::QueryControl(REFIID iid) {
    if (iid == IID_IOleObject) return static_cast<IOleObject*>(this);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) return static_cast<IOleInPlaceObject*>(this);
    if (iid == IID_IOleControl) return static_cast<IOleControl*>(this);
    if (iid == IID_IPersistPropertyBag) return static_cast<IPersistPropertyBag*>(this);
    if (iid == IID_IPersist || iid == IID_IPersistStreamInit) return static_cast<IPersistStreamInit*>(this);
    if (iid == IID_IConnectionPointContainer) return events_.Container();
    return nullptr;
}

LRESULT Control::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: OnResize(); return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Window(), &ps);
            OnPaint(dc);
            EndPaint(Window(), &ps);
            return 0;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            auto code = static_cast<int16_t>(wParam);
            OnKeyDown(code, ShiftNow());
            return msg == WM_SYSKEYDOWN ? DefWindowProcW(Window(), msg, wParam, lParam) : 0;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            auto code = static_cast<int16_t>(wParam);
            OnKeyUp(code, ShiftNow());
            return msg == WM_SYSKEYUP ? DefWindowProcW(Window(), msg, wParam, lParam) : 0;
        }
        case WM_CHAR: {
            auto ascii = static_cast<int16_t>(wParam);
            OnKeyPress(ascii);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE: Mouse(msg, wParam, lParam); return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && SetCursorFor(mousePointer_)) return TRUE;
            return DefWindowProcW(Window(), msg, wParam, lParam);
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
        default: return DefWindowProcW(Window(), msg, wParam, lParam);
    }
}

void Control::Mouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    const Dpi dpi(Window());
    MouseEvent e;
    e.Shift = ShiftNow();
    // Twips: 1440 to the inch, whatever the screen's resolution.
    e.X = static_cast<float>(GET_X_LPARAM(lParam)) * 1440.0f / static_cast<float>(dpi.x);
    e.Y = static_cast<float>(GET_Y_LPARAM(lParam)) * 1440.0f / static_cast<float>(dpi.y);
    switch (msg) {
        case WM_MOUSEMOVE:
            e.Button = ButtonsOf(wParam);
            OnMouseMove(e);
            return;
        case WM_LBUTTONDBLCLK: OnDblClick(); [[fallthrough]];
        case WM_LBUTTONDOWN: e.Button = 1; break;
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONDOWN: e.Button = 2; break;
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONDOWN: e.Button = 4; break;
        case WM_LBUTTONUP: e.Button = 1; break;
        case WM_RBUTTONUP: e.Button = 2; break;
        case WM_MBUTTONUP: e.Button = 4; break;
    }
    const bool down = msg != WM_LBUTTONUP && msg != WM_RBUTTONUP && msg != WM_MBUTTONUP;
    if (down) {
        if (GetFocus() != Window()) SetFocus(Window());
        // Moves outside the window still come while a button is held.
        SetCapture(Window());
        if (e.Button == 1) leftDown_ = true;
        OnMouseDown(e);
        return;
    }
    if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == Window()) ReleaseCapture();
    const bool click = e.Button == 1 && leftDown_;
    if (e.Button == 1) leftDown_ = false;
    OnMouseUp(e);
    if (click) OnClick();
}

bool Control::SetCursorFor(int16_t pointer) {
    const wchar_t* id = nullptr;
    switch (pointer) {
        case 1: id = IDC_ARROW; break;
        case 2: id = IDC_CROSS; break;
        case 3: id = IDC_IBEAM; break;
        case 5: id = IDC_SIZEALL; break;
        case 6: id = IDC_SIZENESW; break;
        case 7: id = IDC_SIZENS; break;
        case 8: id = IDC_SIZENWSE; break;
        case 9: id = IDC_SIZEWE; break;
        case 10: id = IDC_UPARROW; break;
        case 11: id = IDC_WAIT; break;
        case 12: id = IDC_NO; break;
        default: return false;  // 0: the class cursor
    }
    SetCursor(LoadCursorW(nullptr, id));
    return true;
}

bool Control::UserMode() const {
    Ptr<IDispatch> ambient;
    if (!site_ || FAILED(site_->QueryInterface(IID_IDispatch, ambient.OutVoid()))) return true;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                 &v, nullptr, nullptr);
    bool user = true;
    if (SUCCEEDED(hr) && SUCCEEDED(VariantChangeType(&v, &v, 0, VT_BOOL))) user = V_BOOL(&v) != VARIANT_FALSE;
    VariantClear(&v);
    return user;
}

HWND Control::ContainerWindow() const {
    Ptr<IOleInPlaceSite> ips = inPlaceSite_;
    if (!ips && site_) site_->QueryInterface(IID_IOleInPlaceSite, ips.OutVoid());
    HWND hwnd = nullptr;
    if (ips && FAILED(ips->GetWindow(&hwnd))) hwnd = nullptr;
    return hwnd;
}

float Control::WidthTwips() const {
    RECT r{};
    GetClientRect(Window(), &r);
    return static_cast<float>(r.right) * 1440.0f / static_cast<float>(Dpi(Window()).x);
}

float Control::HeightTwips() const {
    RECT r{};
    GetClientRect(Window(), &r);
    return static_cast<float>(r.bottom) * 1440.0f / static_cast<float>(Dpi(Window()).y);
}

void Control::Fire(DISPID id, std::span<VARIANT> args) {
    if (frozen_ > 0) return;
    events_.Fire(id, args);
}

HRESULT Control::SetClientSite(IOleClientSite* site) {
    site_ = Ptr<IOleClientSite>::Share(site);
    if (!site) inPlaceSite_.Reset();
    return S_OK;
}

HRESULT Control::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = site_.Get();
    if (*site) (*site)->AddRef();
    return S_OK;
}

HRESULT Control::Close(DWORD saveOption) {
    InPlaceDeactivate();
    if (saveOption == OLECLOSE_SAVEIFDIRTY && dirty_ && site_) site_->SaveObject();
    return S_OK;
}

HRESULT Control::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Control::GetClipboardData(DWORD, IDataObject** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Control::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) {
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE: return ActivateInPlace(site ? site : site_.Get(), parent, rect);
        case OLEIVERB_UIACTIVATE: {
            HRESULT hr = ActivateInPlace(site ? site : site_.Get(), parent, rect);
            if (SUCCEEDED(hr)) SetFocus(Window());
            return hr;
        }
        case OLEIVERB_HIDE: return InPlaceDeactivate();
        default: return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT Control::ActivateInPlace(IOleClientSite* site, HWND parent, LPCRECT rect) {
    if (!site || !MakeWindow(parent ? parent : Parking())) return E_UNEXPECTED;
    Ptr<IOleInPlaceSite> ips;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, ips.OutVoid()))) return E_NOINTERFACE;
    if (!inPlaceSite_) {
        if (ips->CanInPlaceActivate() != S_OK) return E_FAIL;
        ips->OnInPlaceActivate();
        inPlaceSite_ = ips;
    }
    if (!parent && FAILED(ips->GetWindow(&parent))) return E_FAIL;
    RECT pos{};
    if (rect) {
        pos = *rect;
    } else {
        Ptr<IOleInPlaceFrame> frame;
        Ptr<IOleInPlaceUIWindow> doc;
        RECT clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof info;
        ips->GetWindowContext(frame.Out(), doc.Out(), &pos, &clip, &info);
    }
    SetParent(Window(), parent);
    SetWindowPos(Window(), nullptr, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    site->ShowObject();
    return S_OK;
}

HRESULT Control::EnumVerbs(IEnumOLEVERB** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Control::GetUserType(DWORD, LPOLESTR* out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Control::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    return S_OK;
}

HRESULT Control::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

HRESULT Control::Advise(IAdviseSink*, DWORD* cookie) {
    if (cookie) *cookie = 0;
    return E_NOTIMPL;
}

HRESULT Control::EnumAdvise(IEnumSTATDATA** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Control::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    // The site comes before the properties: ReadProperties asks it for UserMode.
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT |
              OLEMISC_CANTLINKINSIDE;
    return S_OK;
}

HRESULT Control::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = Window();
    return Window() ? S_OK : E_FAIL;
}

HRESULT Control::InPlaceDeactivate() {
    if (!inPlaceSite_) return S_OK;
    Ptr<IOleInPlaceSite> ips = std::move(inPlaceSite_);
    if (Window()) {
        ShowWindow(Window(), SW_HIDE);
        SetParent(Window(), Parking());
    }
    ips->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT Control::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (!pos) return E_POINTER;
    win::MoveChild(Window(), *pos);
    return S_OK;
}

HRESULT Control::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT Control::OnAmbientPropertyChange(DISPID id) {
    return Guard([&] { AmbientChanged(id); });
}

HRESULT Control::FreezeEvents(BOOL freeze) {
    if (freeze) {
        ++frozen_;
    } else if (frozen_ > 0) {
        --frozen_;
    }
    return S_OK;
}

HRESULT Control::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

HRESULT Control::InitNew() {
    // A new control reads the defaults, as from an empty bag.
    return Load(nullptr, nullptr);
}

HRESULT Control::Load(IPropertyBag* bag, IErrorLog*) {
    if (loaded_) return E_UNEXPECTED;
    HRESULT hr = Guard([&] {
        PropertyReader reader(bag);
        ReadProperties(reader);
    });
    if (SUCCEEDED(hr)) loaded_ = true;
    return hr;
}

HRESULT Control::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    HRESULT result = S_OK;
    HRESULT hr = Guard([&] {
        PropertyWriter writer(bag);
        WriteProperties(writer);
        result = writer.Result();
    });
    if (FAILED(hr)) return hr;
    if (SUCCEEDED(result) && clearDirty) dirty_ = false;
    return result;
}

}  // namespace com
