// The exports of Tickwell.dll, an in-process COM server.
#include "TickwellCom_win.h"
#include "com/Server.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_Tickwell, L"Tickwell.Tickwell", L"Tickwell timer", &outside::TickwellCom::Create},
};

}  // namespace

COM_SERVER_EXPORTS(kClasses)
