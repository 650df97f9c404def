#include "Modules_win.h"

#include <windows.h>

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

void LimitDllSearch() {
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

}  // namespace tavolin
