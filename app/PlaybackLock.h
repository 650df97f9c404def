#pragma once
// What playback locks: top menus, single items and panels. While locked, the commands of these
// (and of everything under them) are refused whatever their source, shortcut keys included.
#include <span>
#include <string_view>

namespace tavolin {

struct LockedSource {
    const char* name;
    int index;  // -1 outside arrays
};

// The top menus; the playback menu itself stays open so that pause and stop remain reachable.
std::span<const LockedSource> LockedMenus();
// Single menu items, among them the start of playback.
std::span<const LockedSource> LockedItems();
std::span<const LockedSource> LockedPanels();

// Whether a command source (menu item or form control) lies in a locked menu or panel.
bool IsLockedSource(std::string_view name, int index);

}  // namespace tavolin
