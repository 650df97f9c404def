#pragma once
// The enabled states and changing captions of the menus' items, computed from the editor each
// time a top menu opens; nothing is kept in between.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolin {

// The editor's state the menus read; a menu asks only for what it needs.
class MenuStateSource {
public:
    virtual ~MenuStateSource() = default;
    virtual bool CanUndo() = 0;
    virtual bool CanRedo() = 0;
    virtual bool CanCut() = 0;
    virtual bool CanCopy() = 0;
    virtual bool CanPaste() = 0;
    virtual bool CanDel() = 0;
    virtual int32_t InputState() = 0;
    virtual int32_t SelLength() = 0;
    virtual int32_t CPdqLine() = 0;
    virtual int32_t XjdqLine() = 0;
    virtual bool Playing() = 0;
    virtual bool Paused() = 0;
};

// One item's new state; what is absent stays as it is.
struct MenuItemState {
    const char* name;
    int index;  // -1 outside arrays
    std::optional<bool> enabled;
    std::optional<std::wstring> caption;
};

// What the top menu sets as it opens: "FileEdit", "Setting", "Common", "YueQi" or "Play"; none for others.
std::vector<MenuItemState> MenuStates(std::string_view menu, MenuStateSource& editor);

// The playback menu right after pause was toggled, from the pause flag read back.
std::vector<MenuItemState> PauseToggledStates(bool paused);
// The pause item's caption for the editor's pause flag.
const wchar_t* PauseCaption(bool paused);

}  // namespace tavolin
