#pragma once
#include <windows.h>

#include <span>

namespace com {

// One creatable class of an in-process server.
struct ClassEntry {
    const CLSID* clsid;
    const wchar_t* progId;       // "Tessaly.VbGetWindowsZoom"
    const wchar_t* description;  // shown in registry tools
    HRESULT (*create)(REFIID iid, void** out);
};

// The bodies of the four exports of an in-process server.
HRESULT ServerGetClassObject(std::span<const ClassEntry> classes, REFCLSID clsid, REFIID iid, void** out);
HRESULT ServerCanUnloadNow();
HRESULT ServerRegister(std::span<const ClassEntry> classes);
HRESULT ServerUnregister(std::span<const ClassEntry> classes);

}  // namespace com

// The four exports of an in-process server over its table of classes; written once in each DLL.
#define COM_SERVER_EXPORTS(classes)                                                    \
    extern "C" {                                                                       \
    HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) { \
        return com::ServerGetClassObject(classes, clsid, iid, out);                    \
    }                                                                                  \
    HRESULT STDAPICALLTYPE DllCanUnloadNow() {                                         \
        return com::ServerCanUnloadNow();                                              \
    }                                                                                  \
    HRESULT STDAPICALLTYPE DllRegisterServer() {                                       \
        return com::ServerRegister(classes);                                           \
    }                                                                                  \
    HRESULT STDAPICALLTYPE DllUnregisterServer() {                                     \
        return com::ServerUnregister(classes);                                         \
    }                                                                                  \
    }
