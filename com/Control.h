#pragma once
#include <windows.h>
#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#include <cstdint>
#include <span>

#include "ComPtr.h"
#include "Events.h"
#include "Object.h"
#include "win/Window.h"

namespace com {

// Reads a control's stored properties; a missing or unreadable key gives the default.
class PropertyReader {
public:
    explicit PropertyReader(IPropertyBag* bag) : bag_(bag) {}
    int16_t Integer(const wchar_t* name, int16_t def);
    int32_t Long(const wchar_t* name, int32_t def);
    bool Boolean(const wchar_t* name, bool def);

private:
    bool Read(const wchar_t* name, VARTYPE vt, VARIANT& out);
    IPropertyBag* bag_;  // null: every key is missing (InitNew)
};

// Writes a control's stored properties; a value equal to its default is left out.
class PropertyWriter {
public:
    explicit PropertyWriter(IPropertyBag* bag) : bag_(bag) {}
    void Integer(const wchar_t* name, int16_t value, int16_t def);
    void Long(const wchar_t* name, int32_t value, int32_t def);
    void Boolean(const wchar_t* name, bool value, bool def);
    HRESULT Result() const { return hr_; }

private:
    void Write(const wchar_t* name, VARIANT& v);
    IPropertyBag* bag_;
    HRESULT hr_ = S_OK;
};

// Mouse and key events as a form's controls give them: Shift 1, Ctrl 2, Alt 4;
// buttons left 1, right 2, middle 4; positions in twips of the client area.
struct MouseEvent {
    int16_t Button = 0;
    int16_t Shift = 0;
    float X = 0;
    float Y = 0;
};

// The windowed subset of an ActiveX control: IOleObject, IOleInPlaceObject,
// IOleControl (ambient UserMode, frozen events), IPersistPropertyBag,
// IPersistStreamInit (InitNew) and the connection point of its events.
// The control's own window exists from construction, parked in a hidden
// window until a container activates it in place; its window procedure turns
// messages into the hooks below. Reference counts go to the owner.
class Control : public IOleObject,
                public IOleInPlaceObject,
                public IOleControl,
                public IPersistPropertyBag,
                public IPersistStreamInit {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return Owner()->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Owner()->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return Owner()->Release(); }

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** out) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** out) override;
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override { return GetClassID(clsid); }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR* out) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return OLE_E_NOCONNECTION; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IPersist, IPersistPropertyBag, IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override { return dirty_ ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }

    // The control's window; it lives as long as the control.
    HWND Window() const { return surface_.Handle(); }
    // The ambient UserMode of the container: false in a form designer. True
    // without a site or when the site does not answer.
    bool UserMode() const;
    // The window the control stands in, asked of the client site; null without one.
    HWND ContainerWindow() const;
    IOleClientSite* ClientSite() const { return site_.Get(); }
    // The client size in twips, as the control's Width and Height.
    float WidthTwips() const;
    float HeightTwips() const;
    // Raises an event on every sink unless the container froze events.
    void Fire(DISPID id, std::span<VARIANT> args = {});
    // The mouse pointer over the client area, as a form's MousePointer value
    // (0 default, 1 arrow, 2 cross, 3 I-beam, 5 size all, 6-9 sizing, 11 wait).
    void MousePointer(int16_t value) { mousePointer_ = value; }
    int16_t MousePointer() const { return mousePointer_; }

protected:
    // className names the control's window class, registered once per module;
    // it must outlive the control (a literal).
    Control(const CLSID& clsid, const IID& eventIid, const wchar_t* className);
    virtual ~Control();

    virtual IUnknown* Owner() = 0;
    // The interfaces of this subset and the connection point container; null for others.
    void* QueryControl(REFIID iid);

    // Lifecycle, called by the container's requests.
    virtual void ReadProperties(PropertyReader& bag) = 0;
    virtual void WriteProperties(PropertyWriter& bag) = 0;
    virtual void AmbientChanged(DISPID) {}
    // A stored property changed: the container's copy is out of date.
    void PropertyChanged() { dirty_ = true; }

    // The hooks of the control's own window procedure.
    virtual void OnResize() {}
    virtual void OnPaint(HDC) {}
    virtual void OnClick() {}
    virtual void OnDblClick() {}
    virtual void OnKeyDown(int16_t& keyCode, int16_t shift) { (void)keyCode, (void)shift; }
    virtual void OnKeyPress(int16_t& keyAscii) { (void)keyAscii; }
    virtual void OnKeyUp(int16_t& keyCode, int16_t shift) { (void)keyCode, (void)shift; }
    virtual void OnMouseDown(MouseEvent&) {}
    virtual void OnMouseMove(MouseEvent&) {}
    virtual void OnMouseUp(MouseEvent&) {}

private:
    // The control's own window procedure goes to Handle.
    class Surface final : public win::Window {
    public:
        explicit Surface(Control& owner) : owner_(owner) {}
        bool Create(const wchar_t* className, HWND parent);

    protected:
        LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
            return owner_.Handle(msg, wParam, lParam);
        }

    private:
        Control& owner_;
    };

    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Mouse(UINT msg, WPARAM wParam, LPARAM lParam);
    bool SetCursorFor(int16_t pointer);
    HRESULT ActivateInPlace(IOleClientSite* site, HWND parent, LPCRECT rect);
    bool MakeWindow(HWND parent);

    CLSID clsid_;
    const wchar_t* className_;
    Events events_;
    Surface surface_{*this};
    Ptr<IOleClientSite> site_;
    Ptr<IOleInPlaceSite> inPlaceSite_;
    SIZEL extent_{2540, 2540};  // HIMETRIC
    LONG frozen_ = 0;
    bool dirty_ = false;
    bool loaded_ = false;
    int16_t mousePointer_ = 0;
    bool leftDown_ = false;
};

// A control class: the table-driven dual interface Itf and the control subset.
// Derived supplies Members() as for DispatchObject and the Control hooks.
template <class Derived, class Itf>
class ControlObject : public DispatchObject<Derived, Itf>, public Control {
public:
    using Base = DispatchObject<Derived, Itf>;
    using Base::AddRef;
    using Base::QueryInterface;
    using Base::Release;

    void* QueryOther(REFIID iid) { return QueryControl(iid); }

protected:
    ControlObject(const CLSID& clsid, const IID& eventIid, const wchar_t* className)
        : Control(clsid, eventIid, className) {}
    IUnknown* Owner() override { return static_cast<Itf*>(this); }
};

}  // namespace com
