#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {

void RegisterDialogs(MainWindow&) {}

}  // namespace tavolin
