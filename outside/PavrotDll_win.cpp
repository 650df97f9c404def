// The exports of Pavrot.dll, an in-process COM server.
#include "Pavrot_win.h"
#include "com/Server.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_Pavrot, L"Pavrot.PictureBox", L"Pavrot picture box", &outside::Pavrot::Create},
};

}  // namespace

COM_SERVER_EXPORTS(kClasses)
