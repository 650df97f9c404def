#pragma once
// What the format bar's two colour buttons and the palette's swatches are given for a colour as
// the document keeps it (red in the low byte, alpha on top). Every colour shown there comes
// through here, so a highlight looks the same on the button, in the palette and on paper.
#include <cstdint>

namespace tavolin {

// The background button fills with GDI+ ARGB as given: its alpha is kept, as on paper.
int32_t BackButtonColour(uint32_t documentColour);
// The background button without a colour: the panel's face (a GDI colour), opaque.
int32_t NoBackButtonColour(uint32_t faceColour);
// The text button takes an OLE colour and draws its bar opaque.
int32_t TextButtonColour(uint32_t documentColour);
// A swatch painted with a GDI brush: the colour without its alpha.
uint32_t SwatchColour(uint32_t documentColour);

}  // namespace tavolin
