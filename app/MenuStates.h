#pragma once
// The enabled states and changing captions of the menus' items, computed from the editor each
// time a top menu opens; nothing is kept in between.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolin {

// The editor's state the menus read, all of it at each opening: it costs a few calls.
struct MenuEditorState {
    bool canUndo = false, canRedo = false, canCut = false, canCopy = false, canPaste = false, canDel = false;
    int32_t inputState = 1;
    int32_t selLength = 0;
    int32_t cpdqLine = -1, xjdqLine = -1;
    bool playing = false, paused = false;
};

// One item's new state; what is absent stays as it is.
struct MenuItemState {
    const char* name;
    int index;  // -1 outside arrays
    std::optional<bool> enabled;
    std::optional<std::wstring> caption;
};

// What the top menu sets as it opens: "FileEdit", "Setting", "Common", "YueQi" or "Play"; none for others.
std::vector<MenuItemState> MenuStates(std::string_view menu, const MenuEditorState& editor);

// The playback menu right after pause was toggled, from the pause flag read back.
std::vector<MenuItemState> PauseToggledStates(bool paused);
// The pause item's caption for the editor's pause flag.
const wchar_t* PauseCaption(bool paused);

}  // namespace tavolin
