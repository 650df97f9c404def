#include <windows.h>
#include <objbase.h>
#include <olectl.h>

#include <new>
#include <string>

#include "Module.h"
#include "Server.h"
#include "win/KernelHandles.h"

namespace com {
namespace {

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(const ClassEntry& entry) : entry_(entry) { ModuleLock(); }
    ~ClassFactory() { ModuleUnlock(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return n;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return entry_.create(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lock ? ModuleLock() : ModuleUnlock();
        return S_OK;
    }

private:
    const ClassEntry& entry_;
    LONG refs_ = 0;
};

std::wstring GuidText(const GUID& g) {
    wchar_t buf[40] = {};
    StringFromGUID2(g, buf, 40);
    return buf;
}

LSTATUS SetString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    win::RegistryKey k;
    const LSTATUS s = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, k.Out(), nullptr);
    if (s != ERROR_SUCCESS) return s;
    return RegSetValueExW(k.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

HRESULT ServerGetClassObject(std::span<const ClassEntry> classes, REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const auto& entry : classes) {
        if (*entry.clsid != clsid) continue;
        auto* factory = new (std::nothrow) ClassFactory(entry);
        if (!factory) return E_OUTOFMEMORY;
        factory->AddRef();
        HRESULT hr = factory->QueryInterface(iid, out);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ServerCanUnloadNow() {
    return ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

HRESULT ServerRegister(std::span<const ClassEntry> classes) {
    wchar_t path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(ThisModule(), path, static_cast<DWORD>(std::size(path)));
    if (n == 0 || n >= std::size(path)) return SELFREG_E_CLASS;
    for (const auto& entry : classes) {
        const std::wstring clsid = GuidText(*entry.clsid);
        const std::wstring key = L"CLSID\\" + clsid;
        const std::wstring prog = entry.progId;
        if (SetString(HKEY_CLASSES_ROOT, key, nullptr, entry.description) ||
            SetString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", nullptr, path) ||
            SetString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") ||
            SetString(HKEY_CLASSES_ROOT, key + L"\\ProgID", nullptr, prog) ||
            SetString(HKEY_CLASSES_ROOT, prog, nullptr, entry.description) ||
            SetString(HKEY_CLASSES_ROOT, prog + L"\\CLSID", nullptr, clsid)) {
            ServerUnregister(classes);
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT ServerUnregister(std::span<const ClassEntry> classes) {
    for (const auto& entry : classes) {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(*entry.clsid)).c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, entry.progId);
    }
    return S_OK;
}

}  // namespace com
