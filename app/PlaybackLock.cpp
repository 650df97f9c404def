#include "PlaybackLock.h"

#include "FormTable.h"
#include "MenuTable.h"

namespace tavolin {

namespace {

constexpr LockedSource kMenus[] = {{"File", -1},   {"FileEdit", -1}, {"Setting", -1},
                                   {"Common", -1}, {"YueQi", -1},    {"Help", -1}};
constexpr LockedSource kItems[] = {{"PlayMusic", -1}, {"SetPlaying", -1}};
constexpr LockedSource kPanels[] = {{"TopFaceFrame", -1}, {"FaceFrame", 0}, {"FaceFrame", 1}};

bool Listed(std::span<const LockedSource> list, std::string_view name, int index) {
    for (const auto& s : list)
        if (name == s.name && index == s.index) return true;
    return false;
}

bool MenuLocked(std::string_view name, int index) {
    // Menus nest a few levels at most; the bound guards a table that names itself.
    for (int depth = 0; depth < 16; ++depth) {
        if (Listed(kMenus, name, index) || Listed(kItems, name, index)) return true;
        const int row = FindMenuItem(name, index);
        if (row < 0) return false;
        name = MenuItems()[row].parent;
        index = -1;
        if (name.empty()) return false;
    }
    return false;
}

bool ControlLocked(std::string_view name, int index) {
    for (int depth = 0; depth < 16; ++depth) {
        if (Listed(kPanels, name, index)) return true;
        const FormControl* c = FindControl(name, index);
        if (!c || !*c->container) return false;
        name = c->container;
        index = c->containerIndex;
    }
    return false;
}

}  // namespace

std::span<const LockedSource> LockedMenus() {
    return kMenus;
}
std::span<const LockedSource> LockedItems() {
    return kItems;
}
std::span<const LockedSource> LockedPanels() {
    return kPanels;
}

bool IsLockedSource(std::string_view name, int index) {
    return MenuLocked(name, index) || ControlLocked(name, index);
}

}  // namespace tavolin
