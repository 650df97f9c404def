#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {

void RegisterFileCommands(MainWindow&) {}

}  // namespace tavolin
