#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {

void RegisterPlaySettings(MainWindow&) {}

}  // namespace tavolin
