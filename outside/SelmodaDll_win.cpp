// The exports of Selmoda.dll, an in-process COM server.
#include "Selmoda_win.h"
#include "com/Server.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_Selmoda, L"Selmoda.BarList", L"Selmoda bar list", &outside::Selmoda::Create},
};

}  // namespace

COM_SERVER_EXPORTS(kClasses)
