#include <map>
#include <mutex>
#include <string>

#include "Create.h"

namespace com {

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return L".\\";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

HRESULT CreateFromDll(const wchar_t* dllName, REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    // Loaded DLLs stay loaded: objects handed out may outlive any caller.
    static std::mutex lock;
    static std::map<std::wstring, GetClassObject> loaded;
    GetClassObject get = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock);
        auto it = loaded.find(dllName);
        if (it == loaded.end()) {
            const std::wstring path = ProgramFolder() + dllName;
            HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                            LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
            if (!module) return HRESULT_FROM_WIN32(GetLastError());
            get =
                reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
            if (!get) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
            loaded.emplace(dllName, get);
        } else {
            get = it->second;
        }
    }
    Ptr<IClassFactory> factory;
    HRESULT hr = get(clsid, IID_IClassFactory, factory.OutVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(nullptr, iid, out);
}

}  // namespace com
