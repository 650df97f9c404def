#pragma once
// What the format panel keeps beside the editor.
namespace tavolin {

struct FormatState {
    float fontSize = 0;  // the size the size box last chose, as the font object of the form holds it
};

FormatState& TheFormatState();

}  // namespace tavolin
