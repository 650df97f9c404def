#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/Layout.h"

namespace notaline {

// One item of the editor's right-button menu; its identifier is its index, 0 to 14.
struct MenuItem {
    bool Separator = false;
    std::string Text;  // UTF-8
    bool Enabled = true;
    bool operator==(const MenuItem&) const = default;
};

constexpr int32_t kMenuItemCount = 15;
using MenuItems = std::array<MenuItem, kMenuItemCount>;

// What decides the items' texts and grey states when the menu is shown.
struct MenuFacts {
    tessaly::InputState State = tessaly::JpState;
    bool CanUndo = false;
    bool CanRedo = false;
    bool CanCopy = false;
    bool CanCut = false;
    bool CanPaste = false;
    bool CanDel = false;
    int32_t SourceLine = -1;   // lyric-alignment source line, -1 none
    bool ItemFocused = false;  // a free item has the focus
};

// The items as the menu is shown in that state.
MenuItems ContextMenuLayout(const MenuFacts& facts);
// The items the menu is made with, before it is first shown.
MenuItems InitialContextMenuLayout(tessaly::InputState state);

// The commands of the items, by layout.
enum class MenuCommand {
    None,
    ToggleLyricInput,
    Undo,
    Redo,
    SelectAll,
    Copy,
    Cut,
    Paste,
    Delete,
    SetSourceLine,
    ClearSourceLine,
    CustomWord,
    InsertItem,  // the kind is the identifier + 1
    ItemColour,
};
MenuCommand ContextMenuCommandOf(tessaly::InputState state, int32_t id);

}  // namespace notaline
