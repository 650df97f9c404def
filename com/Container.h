#pragma once
#include <windows.h>
#include <ocidl.h>
#include <ole2.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ComPtr.h"

namespace com {

// One stored property of a form's control, as the form keeps it.
struct StoredProperty {
    const wchar_t* name;
    VARTYPE type;  // VT_I2, VT_I4, VT_BOOL or VT_BSTR
    int32_t number = 0;
    const wchar_t* text = nullptr;
};

// A property bag in memory; it keeps its keys in the order they were written.
class PropertyBag final : public IPropertyBag {
public:
    static Ptr<PropertyBag> Create(std::span<const StoredProperty> table = {});
    PropertyBag(const PropertyBag&) = delete;
    PropertyBag& operator=(const PropertyBag&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

    std::vector<std::wstring> Names() const;
    // The stored value, or null.
    const VARIANT* Find(const wchar_t* name) const;

private:
    PropertyBag() = default;
    ~PropertyBag();
    struct Entry {
        std::wstring name;
        VARIANT value;
    };
    std::vector<Entry> entries_;
    LONG refs_ = 0;
};

// The container side of one control: client site, in-place site and frame,
// and the ambient properties (UserMode) through IDispatch.
class ControlSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
public:
    // Sets the site, loads the control's properties from the bag (InitNew
    // without one) and activates it in place in `parent` at `rect`.
    static HRESULT Host(IUnknown* control, HWND parent, const RECT& rect, IPropertyBag* bag, bool userMode,
                        Ptr<ControlSite>& out);
    ControlSite(const ControlSite&) = delete;
    ControlSite& operator=(const ControlSite&) = delete;

    IUnknown* Control() const { return control_.Get(); }
    template <class T>
    Ptr<T> As() const {
        return control_.As<T>();
    }
    HWND ControlWindow() const;
    HRESULT Move(const RECT& rect);
    HRESULT Save(IPropertyBag* bag);
    // Deactivates and closes the control and lets go of it.
    void Close();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (site and frame alike: the parent window)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT rect) override;

    // IOleInPlaceUIWindow, IOleInPlaceFrame: no menus, tools or borders to share.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the ambient properties.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override;

    bool UserMode() const { return userMode_; }
    bool InPlaceActive() const { return active_; }

private:
    ControlSite(HWND parent, const RECT& rect, bool userMode) : parent_(parent), rect_(rect), userMode_(userMode) {}
    ~ControlSite() = default;

    Ptr<IUnknown> control_;
    HWND parent_;
    RECT rect_;
    bool userMode_;
    bool active_ = false;
    LONG refs_ = 0;
};

}  // namespace com
