#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {

void RegisterNotationMenus(MainWindow&) {}

}  // namespace tavolin
