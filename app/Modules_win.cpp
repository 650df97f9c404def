#include "Modules_win.h"

#include <windows.h>

#include <cassert>

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
    // The router drops a row whose name no table knows: its command would be dead.
    assert(form.Router().Refused().empty());
}

void LimitDllSearch() {
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

}  // namespace tavolin
