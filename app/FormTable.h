#pragma once
// The main form's controls as one table: kind, container, place and size in twips (relative to
// the container), caption, and for the image buttons their stored ButtonType and ButtonIndex.
#include <cstdint>
#include <span>
#include <string_view>

namespace tavolin {

enum class ControlKind {
    Frame,     // a panel with a caption
    Button,    // Kavrel's image button
    ComboBox,  // an editable drop-down box
    RichText,  // the help box
    Option,    // an option button
    Label,
    Splitter,
    Picture,  // room for the picture container
    Editor,
    StatusBar,
};

struct FormControl {
    const char* name;
    int16_t index;  // -1 outside arrays
    ControlKind kind;
    const char* container;  // "" for the form
    int16_t containerIndex;
    int32_t left, top, width, height;
    const wchar_t* caption;
    int32_t buttonType, buttonIndex;
};

std::span<const FormControl> FormControls();
// The row of a control, or null.
const FormControl* FindControl(std::string_view name, int index);

inline constexpr int kStatusPanels = 7;

}  // namespace tavolin
