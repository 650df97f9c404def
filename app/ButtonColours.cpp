#include "ButtonColours.h"

#include "records/Numbers.h"

namespace tavolin {

int32_t BackButtonColour(uint32_t documentColour) {
    return static_cast<int32_t>(tessaly::SwapRedBlue(documentColour));
}

int32_t NoBackButtonColour(uint32_t faceColour) {
    return BackButtonColour(0xFF000000u | faceColour);
}

int32_t TextButtonColour(uint32_t documentColour) {
    return static_cast<int32_t>(SwatchColour(documentColour));
}

uint32_t SwatchColour(uint32_t documentColour) {
    return documentColour & 0xFFFFFFu;
}

}  // namespace tavolin
