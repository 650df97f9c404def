// The exports of Kavrel.dll, an in-process COM server.
#include "Button_win.h"
#include "cGDIPlusObject_win.h"
#include "com/Server.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_Button, L"Kavrel.Button", L"Kavrel Button", &kavrel::Button::Create},
    {&CLSID_cGDIPlus, L"Kavrel.cGDIPlus", L"Kavrel cGDIPlus", &kavrel::cGDIPlusObject::Create},
    {&CLSID_cGDIPlusGlobal, L"Kavrel.cGDIPlusGlobal", L"Kavrel cGDIPlusGlobal", &kavrel::cGDIPlusGlobalObject::Create},
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
