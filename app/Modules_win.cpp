#include "Modules_win.h"

#include "MainWindow_win.h"

namespace tavolin {

void RegisterModules(MainWindow& form) {
    RegisterFileCommands(form);
    RegisterPanelSetup(form);
    RegisterEditFormat(form);
    RegisterMarkPanel(form);
    RegisterNotationMenus(form);
    RegisterMenuStates(form);
    RegisterPlaySettings(form);
    RegisterDialogs(form);
}

}  // namespace tavolin
