#include "ControlFactory_win.h"

#include "button/api/IButton.h"
#include "com/Create.h"
#include "control/IZEVudu.h"

namespace tavolin {

com::Ptr<IUnknown> DllControlFactory::CreateEditor() {
    return com::CreateFromDll<IUnknown>(L"Notaline.dll", CLSID_ZEVudu);
}

com::Ptr<IUnknown> DllControlFactory::CreateButton() {
    return com::CreateFromDll<IUnknown>(L"Kavrel.dll", CLSID_Button);
}

}  // namespace tavolin
