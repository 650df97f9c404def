// The main window's menu bar, built from the menu table, and the states of its items.
#include <algorithm>

#include "MainWindow_win.h"
#include "MenuTable.h"

namespace tavolin {

void MainWindow::BuildMenus() {
    const auto items = MenuItems();
    menus_.assign(items.size(), {});
    menuBar_ = CreateMenu();
    for (size_t row = 0; row < items.size(); ++row) {
        menus_[row].caption = items[row].caption;
        menus_[row].hidden = items[row].hidden;
        const std::string_view name = items[row].name;
        if (name.empty()) continue;
        const bool holder =
            std::any_of(items.begin(), items.end(), [&](const MenuItem& m) { return name == m.parent; });
        if (holder) menus_[row].handle = CreatePopupMenu();
    }
    RebuildMenu("");
    for (size_t row = 0; row < items.size(); ++row)
        if (menus_[row].handle) RebuildMenu(items[row].name);
    SetMenu(Handle(), menuBar_);
}

// Lays out one menu again from the table and the items' states; hidden items are left out.
void MainWindow::RebuildMenu(const std::string& parent) {
    const auto items = MenuItems();
    HMENU menu = menuBar_;
    if (!parent.empty()) {
        const int row = FindMenuItem(parent, -1);
        if (row < 0 || !menus_[row].handle) return;
        menu = menus_[row].handle;
    }
    while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
    for (size_t row = 0; row < items.size(); ++row) {
        if (parent != items[row].parent || menus_[row].hidden) continue;
        const MenuState& s = menus_[row];
        UINT flags = (s.checked ? MF_CHECKED : 0) | (s.enabled ? 0 : MF_GRAYED);
        if (s.caption == L"-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = s.caption;
        if (items[row].shortcut) text += std::wstring(L"\t") + items[row].shortcut;
        if (s.handle)
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(s.handle), text.c_str());
        else
            AppendMenuW(menu, flags | MF_STRING, kFirstMenuCommand + row, text.c_str());
    }
    if (menu == menuBar_ && Handle()) DrawMenuBar(Handle());
}

UINT MainWindow::MenuCommand(std::string_view name, int index) const {
    const int row = FindMenuItem(name, index);
    return row < 0 || menus_[row].handle ? 0 : kFirstMenuCommand + static_cast<UINT>(row);
}

void MainWindow::CheckMenu(std::string_view name, int index, bool checked) {
    const int row = FindMenuItem(name, index);
    if (row < 0 || menus_[row].checked == checked) return;
    menus_[row].checked = checked;
    if (menus_[row].handle || menus_[row].hidden) return RebuildMenu(MenuItems()[row].parent);
    const int parent = FindMenuItem(MenuItems()[row].parent, -1);
    CheckMenuItem(parent < 0 ? menuBar_ : menus_[parent].handle, kFirstMenuCommand + row,
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MainWindow::MenuChecked(std::string_view name, int index) const {
    const int row = FindMenuItem(name, index);
    return row >= 0 && menus_[row].checked;
}

void MainWindow::EnableMenu(std::string_view name, int index, bool enabled) {
    const int row = FindMenuItem(name, index);
    if (row < 0 || menus_[row].enabled == enabled) return;
    menus_[row].enabled = enabled;
    // A shown item of a submenu changes in place: a menu opening sets dozens of them.
    const int parent = FindMenuItem(MenuItems()[row].parent, -1);
    if (parent < 0 || menus_[row].hidden) return RebuildMenu(MenuItems()[row].parent);
    HMENU menu = menus_[parent].handle;
    const UINT flag = enabled ? MF_ENABLED : MF_GRAYED;
    if (!menus_[row].handle) {
        EnableMenuItem(menu, kFirstMenuCommand + row, MF_BYCOMMAND | flag);
        return;
    }
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (GetSubMenu(menu, i) == menus_[row].handle) EnableMenuItem(menu, i, MF_BYPOSITION | flag);
}

bool MainWindow::MenuEnabled(std::string_view name, int index) const {
    const int row = FindMenuItem(name, index);
    return row >= 0 && menus_[row].enabled;
}

void MainWindow::SetMenuCaption(std::string_view name, int index, const std::wstring& caption) {
    const int row = FindMenuItem(name, index);
    if (row < 0 || menus_[row].caption == caption) return;
    menus_[row].caption = caption;
    RebuildMenu(MenuItems()[row].parent);
}

std::wstring MainWindow::MenuCaption(std::string_view name, int index) const {
    const int row = FindMenuItem(name, index);
    return row < 0 ? std::wstring() : menus_[row].caption;
}

void MainWindow::ShowMenu(std::string_view name, int index, bool shown) {
    const int row = FindMenuItem(name, index);
    if (row < 0 || menus_[row].hidden == !shown) return;
    menus_[row].hidden = !shown;
    RebuildMenu(MenuItems()[row].parent);
}

bool MainWindow::MenuShown(std::string_view name, int index) const {
    const int row = FindMenuItem(name, index);
    return row >= 0 && !menus_[row].hidden;
}

// A top-level menu about to open runs its own command first (its states are computed then).
void MainWindow::OnInitMenuPopup(HMENU menu, LPARAM lParam) {
    if (HIWORD(lParam)) return;
    const auto items = MenuItems();
    for (size_t row = 0; row < items.size(); ++row)
        if (menus_[row].handle == menu && !*items[row].parent) {
            router_.Run(items[row].name, -1);
            return;
        }
}

}  // namespace tavolin
