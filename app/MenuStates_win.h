#pragma once
// Applies the menu states to the main window's menu bar.
#include <string_view>
#include <vector>

#include "MenuStates.h"

namespace tavolin {

class MainWindow;

// The items of a top menu computed from the editor, as the menu opens.
void ApplyMenuStates(MainWindow& form, std::string_view menu);
void ApplyMenuStates(MainWindow& form, const std::vector<MenuItemState>& states);

}  // namespace tavolin
