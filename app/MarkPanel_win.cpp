#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {

void RegisterMarkPanel(MainWindow&) {}

}  // namespace tavolin
