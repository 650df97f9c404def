#include "model/edit/PageSettings.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "model/document/mGeneral.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/PageSetupRules.h"

namespace notaline {

namespace {

bool SameRect(const tessaly::RECT& a, const tessaly::RECT& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

}  // namespace

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
    if (value < 0 || value > kMaxPagePos) return Refuse();
    return SetByteField(&tessaly::AboutPageInfo::PagePosIndexType, kStepPagePosIndex, value);
}

bool PageSettings::PageNumberSize(int16_t value) {
    if (value == data_.AboutPageInfo.PageNumberSize) return false;
    if (value < 0 || value > kMaxPageNumberSize) return Refuse();
    return Record(kStepPageNumberSize, [&](tessaly::AboutPageInfo& page) { page.PageNumberSize = value; });
}

bool PageSettings::SetPageSeting(const tessaly::AboutPageInfo& page) {
    if (std::memcmp(&page, &data_.AboutPageInfo, sizeof page) == 0) return false;
    if (!IsUsablePageSetup(page)) return Refuse();
    return Record(kStepPageSetup, [&](tessaly::AboutPageInfo& stored) { stored = page; });
}

}  // namespace notaline
