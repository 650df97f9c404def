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

COM_SERVER_EXPORTS(kClasses)
