#pragma once
// Composes a button's face on its drawing object's bitmap from the
// library's PNG resources; the control shows that bitmap when it paints.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ButtonFace.h"
#include "cGDIPlus_win.h"

namespace kavrel {

// What the painter reads of its control.
struct FaceInput {
    int faceWidth = 0, faceHeight = 0;  // pixels at 96 dpi
    float dpiFactor = 1.0F;
    FaceColours colours;
};

// The bytes of one image resource (language 2052) of a module.
std::optional<std::vector<BYTE>> LoadButtonImage(HMODULE module, const wchar_t* type, int id);

class ButtonPainter {
public:
    ButtonPainter(cGDIPlus& gdi, HMODULE images);
    ~ButtonPainter();
    ButtonPainter(const ButtonPainter&) = delete;
    ButtonPainter& operator=(const ButtonPainter&) = delete;

    void Paint(const FaceInput& in, int32_t type, int32_t state, int32_t index);
    // Shows the kept bitmap again, at the size of its last showing.
    void ShowKept(HDC dc);

private:
    void DrawImage(const FaceInput& in, const wchar_t* type, int id);
    void Keep(int width, int height);
    void PaintArcs(const FaceInput& in);

    cGDIPlus& gdi_;
    HMODULE images_;
    int arcCounter_ = 0;
    int arcWidth_ = 0;
    int shownWidth_ = 0, shownHeight_ = 0;
};

}  // namespace kavrel
