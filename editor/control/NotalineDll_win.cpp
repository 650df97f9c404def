// The exports of Notaline.dll, an in-process COM server.
#include "com/Server.h"
#include "control/ZEVudu_win.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_ZEVudu, L"Notaline.ZEVudu", L"Notaline ZEVudu", &notaline::ZEVudu::Create},
};

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return com::ServerGetClassObject(kClasses, clsid, iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return com::ServerCanUnloadNow();
}
HRESULT STDAPICALLTYPE DllRegisterServer() {
    return com::ServerRegister(kClasses);
}
HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return com::ServerUnregister(kClasses);
}
}
