#include "ButtonFace.h"

#include <cwchar>

#include "records/Numbers.h"

namespace kavrel {

namespace {

std::vector<int> Ids(int first, int last, int step = 1) {
    std::vector<int> ids;
    for (int id = first; id <= last; id += step) ids.push_back(id);
    return ids;
}
std::vector<int> NormalAndDisabled(int count) {
    std::vector<int> ids = Ids(101, 100 + count);
    for (int id : Ids(201, 200 + count)) ids.push_back(id);
    return ids;
}

// The images of one button type: its background group and its foreground group.
struct TypeImages {
    const wchar_t* background;
    const wchar_t* foreground;
};

std::optional<TypeImages> ImagesOf(int32_t type) {
    switch (type) {
        case Pic1_Yc: return TypeImages{L"FORMAT1_BK", L"FORMAT1_YC"};
        case Pic1_Yg: return TypeImages{L"FORMAT1_BK", L"FORMAT1_YG"};
        case Pic_Yc: return TypeImages{L"FORMAT_BK", L"FORMAT_YC"};
        case Pic_Yg: return TypeImages{L"FORMAT_BK", L"FORMAT_YG"};
        case Pic_dq: return TypeImages{L"DQ_BK", L"DQ_BUT"};
        case Pic_val: return TypeImages{L"VAL_BK", L"VAL_BUT"};
        case Pic_info: return TypeImages{L"INFO_BK", L"INFO_BUT"};
        case Pic_Font: return TypeImages{L"FONT_BK", L"FONT_BUT"};
        case MunButtom: return TypeImages{L"VAL_BK", L"MUNBUTTOM"};
        default: return std::nullopt;
    }
}

FaceStep FillStep(uint32_t argb) {
    return {FaceStep::Fill, argb, nullptr, 0};
}
FaceStep ImageStep(const wchar_t* type, int id) {
    return {FaceStep::Image, 0, type, id};
}

}  // namespace

int32_t RGBtoARGB(uint8_t alpha, int32_t rgbValue) {
    const uint32_t rgb = static_cast<uint32_t>(rgbValue);
    const uint32_t red = rgb & 0xFF, green = (rgb >> 8) & 0xFF, blue = (rgb >> 16) & 0xFF;
    return static_cast<int32_t>(uint32_t{alpha} << 24 | red << 16 | green << 8 | blue);
}

const std::vector<ImageGroup>& ImageGroups() {
    static const std::vector<ImageGroup> groups = {
        {L"FORMAT1_BK", 84, 37, Ids(101, 401, 100)},
        {L"FORMAT1_YC", 84, 37, Ids(101, 108)},
        {L"FORMAT1_YG", 84, 37, Ids(101, 108)},
        {L"FORMAT_BK", 24, 32, Ids(101, 104)},
        {L"FORMAT_YC", 24, 32, NormalAndDisabled(6)},
        {L"FORMAT_YG", 24, 32, NormalAndDisabled(9)},
        {L"DQ_BK", 40, 25, Ids(101, 104)},
        {L"DQ_BUT", 24, 32, NormalAndDisabled(6)},
        {L"VAL_BK", 24, 32, Ids(101, 104)},
        {L"VAL_BUT", 24, 32, NormalAndDisabled(8)},
        {L"INFO_BK", 40, 25, Ids(101, 104)},
        {L"INFO_BUT", 24, 24, NormalAndDisabled(3)},
        {L"FONT_BK", 40, 25, Ids(101, 104)},
        {L"FONT_BUT", 20, 32, NormalAndDisabled(4)},
        {L"BKCOLOR_W", 20, 32, {101, 201}},
        {L"FRCOLOR_A", 20, 32, {101, 201}},
        {L"MUNBUTTOM", 24, 32, NormalAndDisabled(43)},
    };
    return groups;
}

bool HasImage(const wchar_t* type, int id) {
    for (const auto& g : ImageGroups()) {
        if (std::wcscmp(g.type, type) != 0) continue;
        for (int i : g.ids)
            if (i == id) return true;
    }
    return false;
}

std::vector<FaceStep> PlanFace(int32_t type, int32_t state, int32_t index, const FaceColours& colours) {
    const uint32_t back = static_cast<uint32_t>(RGBtoARGB(255, colours.backColor));
    std::vector<FaceStep> steps;
    if (type == Pic_BKColor) {
        // Both as they stand: a back colour without alpha leaves the fill under it visible.
        steps = {FillStep(static_cast<uint32_t>(colours.tranColor)), FillStep(static_cast<uint32_t>(colours.backColor)),
                 ImageStep(L"BKCOLOR_W", 101)};
        return steps;
    }
    if (type == Pic_FrColor) {
        steps = {FillStep(static_cast<uint32_t>(colours.tranColor)),
                 ImageStep(L"FRCOLOR_A", 101),
                 {FaceStep::ColourBar, static_cast<uint32_t>(RGBtoARGB(255, colours.foreColor)), nullptr, 0}};
        return steps;
    }
    const auto images = ImagesOf(type);
    if (!images || state < kNormal || state > kDisabled) return steps;
    const int fg = index + 100;
    if (type == Pic1_Yc || type == Pic1_Yg) {
        // One background per state, the foreground alike in all four.
        if (state == kNormal) steps.push_back(FillStep(back));
        steps.push_back(ImageStep(images->background, state * 100 + 1));
        steps.push_back(ImageStep(images->foreground, fg));
        return steps;
    }
    switch (state) {
        case kNormal: steps = {FillStep(back), ImageStep(images->foreground, fg)}; break;
        case kHover: steps = {ImageStep(images->background, 102), ImageStep(images->foreground, fg)}; break;
        case kPressed: steps = {ImageStep(images->background, 103), ImageStep(images->foreground, fg)}; break;
        default: steps = {FillStep(back), ImageStep(images->foreground, index + 200)}; break;
    }
    return steps;
}

Rect ColourBarRect(int faceWidth, int faceHeight) {
    using tessaly::CLng;
    return {CLng(faceWidth / 6.0), CLng(2.0 * faceHeight / 3.0), CLng(2.0 * faceWidth / 3.0), CLng(faceHeight / 6.0)};
}

std::optional<int32_t> LargestIndex(int32_t type) {
    // By the images each type really has, so no index shows an empty face.
    switch (type) {
        case Pic1_Yc:
        case Pic1_Yg: return 8;
        case Pic_Yc: return 6;
        case Pic_Yg: return 9;
        case Pic_dq: return 6;
        case Pic_val: return 8;
        case Pic_info: return 3;
        case Pic_Font: return 4;
        case Pic_BKColor:
        case Pic_FrColor: return 1;
        default: return std::nullopt;
    }
}

std::optional<TwipsSize> DesignSize(int32_t type) {
    switch (type) {
        case Pic1_Yc:
        case Pic1_Yg: return TwipsSize{975, 555};
        case Pic_Yc:
        case Pic_Yg: return TwipsSize{480, 480};
        case Pic_dq: return TwipsSize{360, 480};
        case Pic_val: return TwipsSize{600, 480};
        case Pic_info: return TwipsSize{360, 360};
        case Pic_Font:
        case Pic_BKColor:
        case Pic_FrColor: return TwipsSize{300, 480};
        default: return std::nullopt;
    }
}

}  // namespace kavrel
