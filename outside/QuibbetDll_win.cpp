// The exports of Quibbet.dll, an in-process COM server.
#include "QuibbetCom_win.h"
#include "com/Server.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_Quibbet, L"Quibbet.ToolTip", L"Quibbet tool tips", &outside::QuibbetCom::Create},
};

}  // namespace

COM_SERVER_EXPORTS(kClasses)
