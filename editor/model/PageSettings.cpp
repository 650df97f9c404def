#include "model/PageSettings.h"

#include <cmath>
#include <utility>

#include "model/LayoutSetup.h"
#include "model/mGeneral.h"

namespace notaline {

namespace {

struct Millimetres {
    int64_t Width = 0;
    int64_t Height = 0;
};

// The paper as CalcPageSize lays it out; a zero size when it cannot.
Millimetres PaperSize(const tessaly::AboutPageInfo& page) {
    Millimetres mm;
    switch (page.PaperType) {
        case pA4: mm = {210, 297}; break;
        case pA3: mm = {297, 420}; break;
        case pCustom: mm = {page.PageSize.cx, page.PageSize.cy}; break;
        default: return {};
    }
    if (page.PageFX == 1) std::swap(mm.Width, mm.Height);
    if (page.PageFX > 1 || mm.Width <= 0 || mm.Height <= 0) return {};
    return mm;
}

bool SameRect(const tessaly::RECT& a, const tessaly::RECT& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

}  // namespace

bool IsUsablePaper(const tessaly::AboutPageInfo& page) {
    return PaperSize(page).Width > 0;
}

// The writable area mirrors the left and top margins; the right and bottom ones are kept too.
bool MarginsFit(const tessaly::AboutPageInfo& page, const tessaly::RECT& margins) {
    const Millimetres mm = PaperSize(page);
    const int64_t width = mm.Width * 10;
    const int64_t height = mm.Height * 10;
    const int64_t left = margins.Left, top = margins.Top, right = margins.Right, bottom = margins.Bottom;
    if (left < 0 || top < 0 || right < 0 || bottom < 0) return false;
    return 2 * left < width && 2 * top < height && left + right < width && top + bottom < height;
}

bool IsUsableScale(float scale) {
    return std::isfinite(scale) && scale > 0;
}

PageSettings::PageSettings(EditorData& data, DoArray&, UndoRedo& undo) : data_(data), undo_(undo) {}

bool PageSettings::Refuse() {
    BeepOn(data_);
    return false;
}

template <class Change>
bool PageSettings::Record(int32_t kind, Change change) {
    undo_.EndPendingStep();
    if (!undo_.SaveUndoData(kind)) return false;
    change(data_.AboutPageInfo);
    return undo_.SaveRedoData(kind);
}

bool PageSettings::SetByteField(uint8_t tessaly::AboutPageInfo::*field, int32_t kind, int32_t value) {
    if (value == data_.AboutPageInfo.*field) return false;
    if (value < 0 || value > 255) return Refuse();
    return Record(kind, [&](tessaly::AboutPageInfo& page) { page.*field = static_cast<uint8_t>(value); });
}

bool PageSettings::BackGroundType(int16_t value) {
    return SetByteField(&tessaly::AboutPageInfo::BackGroundType, kStepBackGround, value);
}

bool PageSettings::PaperType(int32_t value) {
    if (value == data_.AboutPageInfo.PaperType) return false;
    tessaly::AboutPageInfo page = data_.AboutPageInfo;
    page.PaperType = static_cast<uint8_t>(value);
    if (value < 0 || value > 255 || !IsUsablePaper(page) || !MarginsFit(page, page.PageMarginRect)) return Refuse();
    return SetByteField(&tessaly::AboutPageInfo::PaperType, kStepPaperType, value);
}

bool PageSettings::SetPageWordRect(const tessaly::RECT& rect) {
    if (SameRect(rect, data_.AboutPageInfo.PageMarginRect)) return false;
    if (!MarginsFit(data_.AboutPageInfo, rect)) return Refuse();
    return Record(kStepMargins, [&](tessaly::AboutPageInfo& page) { page.PageMarginRect = rect; });
}

bool PageSettings::PagePosIndexType(int16_t value) {
    return SetByteField(&tessaly::AboutPageInfo::PagePosIndexType, kStepPagePosIndex, value);
}

bool PageSettings::PageNumberSize(int16_t value) {
    if (value == data_.AboutPageInfo.PageNumberSize) return false;
    return Record(kStepPageNumberSize, [&](tessaly::AboutPageInfo& page) { page.PageNumberSize = value; });
}

bool PageSettings::SetPageSeting(const tessaly::AboutPageInfo& page) {
    if (!IsUsablePaper(page) || !MarginsFit(page, page.PageMarginRect) || !IsUsableScale(page.nScale)) return Refuse();
    return Record(kStepPageSetup, [&](tessaly::AboutPageInfo& stored) { stored = page; });
}

}  // namespace notaline
