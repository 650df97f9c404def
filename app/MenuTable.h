#pragma once
// The main window's menu bar as one table, in menu order. An item whose name other rows give as
// their parent is a submenu; "-" is a separator.
#include <cstdint>
#include <span>
#include <string_view>

namespace tavolin {

struct MenuItem {
    const char* parent;  // the submenu's name; "" for the bar
    const char* name;    // arrays share one name
    int16_t index;       // -1 outside arrays
    const wchar_t* caption;
    const wchar_t* shortcut;  // "Ctrl+N", "Del" or null
    bool hidden;
};

std::span<const MenuItem> MenuItems();
// The row of a named item, or -1.
int FindMenuItem(std::string_view name, int index);

// A shortcut as a virtual key with its Ctrl state; key 0 when the text is none.
struct ShortcutKey {
    uint16_t key = 0;
    bool ctrl = false;
};
ShortcutKey ParseShortcut(const wchar_t* shortcut);

// A key a text box of the form handles itself (select all, copy, paste, cut, undo, redo,
// delete, backspace): pressed there it never runs the document's command.
bool IsTextBoxKey(ShortcutKey key);

}  // namespace tavolin
