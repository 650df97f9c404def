#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {

void RegisterPanelSetup(MainWindow&) {}

}  // namespace tavolin
