#include "MainWindow_win.h"
#include "Modules_win.h"

namespace tavolin {

void RegisterEditFormat(MainWindow&) {}

}  // namespace tavolin
