// The exports of Tickwell.dll, an in-process COM server.
#include "TickwellCom_win.h"
#include "com/Server.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_Tickwell, L"Tickwell.Tickwell", L"Tickwell timer", &outside::TickwellCom::Create},
};

}  // namespace

extern "C" {
HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return com::ServerGetClassObject(kClasses, clsid, iid, out);
}
HRESULT STDAPICALLTYPE DllCanUnloadNow() { return com::ServerCanUnloadNow(); }
HRESULT STDAPICALLTYPE DllRegisterServer() { return com::ServerRegister(kClasses); }
HRESULT STDAPICALLTYPE DllUnregisterServer() { return com::ServerUnregister(kClasses); }
}
