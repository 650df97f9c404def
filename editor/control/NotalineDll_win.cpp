// The exports of Notaline.dll, an in-process COM server.
#include "com/Server.h"
#include "control/ZEVudu_win.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_ZEVudu, L"Notaline.ZEVudu", L"Notaline ZEVudu", &notaline::ZEVudu::Create},
};

}  // namespace

COM_SERVER_EXPORTS(kClasses)
