// The exports of Kavrel.dll, an in-process COM server.
#include <span>

#include "com/Server.h"

namespace {

// The control joins this list once it exists.
constexpr std::span<const com::ClassEntry> kClasses{};

}  // namespace

extern "C" {
HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return com::ServerGetClassObject(kClasses, clsid, iid, out);
}
HRESULT STDAPICALLTYPE DllCanUnloadNow() { return com::ServerCanUnloadNow(); }
HRESULT STDAPICALLTYPE DllRegisterServer() { return com::ServerRegister(kClasses); }
HRESULT STDAPICALLTYPE DllUnregisterServer() { return com::ServerUnregister(kClasses); }
}
