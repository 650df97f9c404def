#pragma once
// What the image button draws for a button type, state and index: the plan
// of fills and images that the painter carries out on its GDI+ bitmap.
#include <cstdint>
#include <optional>
#include <vector>

namespace kavrel {

enum ButtonType : int32_t {
    Pic1_Yc = 1,
    Pic1_Yg = 2,
    Pic_Yc = 3,
    Pic_Yg = 4,
    Pic_dq = 5,
    Pic_val = 6,
    Pic_info = 7,
    Pic_Font = 8,
    Pic_BKColor = 9,
    Pic_FrColor = 10,
    HuXian = 11,
    nYc = 12,
    nYg = 13,
    MunButtom = 14,
};

enum FaceState : int32_t { kNormal = 1, kHover = 2, kPressed = 3, kDisabled = 4 };

// The ARGB value with alpha on top of the red, green and blue bytes of an
// RGB value (red in its low byte).
int32_t RGBtoARGB(uint8_t alpha, int32_t rgbValue);

// One image group of the library's resources: its type name, the size of
// its pictures and its identifiers.
struct ImageGroup {
    const wchar_t* type;
    int width, height;
    std::vector<int> ids;
};
const std::vector<ImageGroup>& ImageGroups();
bool HasImage(const wchar_t* type, int id);

struct FaceStep {
    enum Kind { Fill, Image, ColourBar } kind;
    uint32_t argb = 0;              // Fill, ColourBar
    const wchar_t* type = nullptr;  // Image
    int id = 0;                     // Image
};

struct FaceColours {
    int32_t backColor = 0;  // RGB
    int32_t foreColor = 0;  // RGB
    int32_t tranColor = 0;  // ARGB
};

// The steps that compose a face, in order. Empty for the arc type and for
// the types that draw nothing.
std::vector<FaceStep> PlanFace(int32_t type, int32_t state, int32_t index, const FaceColours& colours);

struct Rect {
    int x, y, width, height;
};
// The colour bar of the text-colour button under its letter.
Rect ColourBarRect(int faceWidth, int faceHeight);

// The largest button index that has an image for a type; nullopt where any
// index is taken.
std::optional<int32_t> LargestIndex(int32_t type);

// The size a type gives the control in a form designer, in twips; nullopt
// where the type keeps the size.
struct TwipsSize {
    int width, height;
};
std::optional<TwipsSize> DesignSize(int32_t type);

}  // namespace kavrel
