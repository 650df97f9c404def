#include "model/edit/FreeItems.h"

#include <algorithm>

#include "model/document/Tables.h"
#include "model/document/mGeneral.h"
#include "model/edit/PageSettings.h"
#include "model/layout/PageSetupRules.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr int16_t kFirstItemKind = 1;
constexpr int16_t kLastItemKind = 5;
constexpr float kNewItemHeight = 120;
constexpr float kNewItemWidth = 30;
constexpr int16_t kHostInsertPoint = 120;

}  // namespace

bool IsItemKind(int16_t kind) {
    return kind >= kFirstItemKind && kind <= kLastItemKind;
}

FreeItems::FreeItems(EditorData& data, DoArray& array, UndoRedo& undo, ControlSite& control)
    : data_(data), control_(control), array_(array), undo_(undo) {}

bool FreeItems::HasFocus() const {
    const int32_t focus = undo_.CurrentHwFocus();
    return focus >= 0 && static_cast<size_t>(focus) < data_.HwWordInfo.size();
}

tessaly::aHwWordInfo& FreeItems::Focused() {
    return data_.HwWordInfo[static_cast<size_t>(undo_.CurrentHwFocus())];
}

uint32_t FreeItems::HwWordColor() const {
    if (!HasFocus()) return 0;
    const int16_t cf = data_.HwWordInfo[static_cast<size_t>(undo_.CurrentHwFocus())].cf;
    return cf >= 0 && static_cast<size_t>(cf) < data_.ColorTbl.size() ? data_.ColorTbl[static_cast<size_t>(cf)] : 0;
}

bool FreeItems::HwWordColor(uint32_t colour) {
    if (!HasFocus()) return false;
    const int16_t index = GetColorTblIndex(data_, colour);
    if (index < 0) {
        BeepOn(data_);
        return false;
    }
    if (Focused().cf == index) return false;
    undo_.EndPendingStep();
    if (!undo_.SaveUndoData(kStepItem)) return false;
    Focused().cf = index;
    return undo_.SaveRedoData(kStepItem);
}

bool FreeItems::ChangHwWordInfo() {
    if (!HasFocus()) return false;
    undo_.EndPendingStep();
    if (!undo_.SaveUndoData(kStepItem)) return false;
    Focused() = data_.EditHwWordInfo;
    return undo_.SaveRedoData(kStepItem);
}

void FreeItems::PlaceOnPage(const PageGridInfo& grid, int32_t x, int32_t y, bool fixedPoint,
                            tessaly::aHwWordInfo& item) const {
    const int32_t lastPage = std::max(data_.PageCount() - 1, 0);
    const int32_t page = std::clamp(grid.MousePageY(x, y), 0, lastPage);
    const float scale = IsUsableScale(data_.AboutPageInfo.nScale) ? data_.AboutPageInfo.nScale : 1.0f;
    int16_t px = kHostInsertPoint;
    int16_t py = kHostInsertPoint;
    if (!fixedPoint) {
        // The pages stand one below the other, each with the gap above it.
        const double pageStep = double{scale} * data_.PageHeightPx + grid.PageSpaceY();
        px = tessaly::CInt(x - grid.FristVisiblelPageScrollX() - grid.PageSpaceX());
        py = tessaly::CInt(y - grid.FristVisiblelPageScrollY() - grid.PageSpaceY() - pageStep * page);
    }
    item.iPage = page;
    item.X = px / scale;
    item.Y = py / scale;
}

bool FreeItems::Append(const tessaly::aHwWordInfo& item) {
    const int32_t oldFocus = undo_.CurrentHwFocus();
    undo_.EndPendingStep();
    if (!undo_.SaveUndoData(kStepItemInserted)) return false;
    int32_t at = static_cast<int32_t>(data_.HwWordInfo.size());
    int32_t one = 1;
    array_.AddHwWordInfo(at, one);
    data_.HwWordInfo[static_cast<size_t>(at)] = item;
    undo_.CurrentHwFocus(at);
    if (undo_.SaveRedoData(kStepItemInserted)) return true;
    undo_.CurrentHwFocus(oldFocus);
    return false;
}

bool FreeItems::InsterHwWord(const PageGridInfo& grid, int32_t x, int32_t y, int16_t iType, bool IntupMun) {
    if (!IsItemKind(iType)) return false;
    tessaly::aHwWordInfo item;
    PlaceOnPage(grid, x, y, IntupMun, item);
    item.HwWordtype = iType;
    item.cf = data_.WordInfo.empty() ? int16_t{0} : data_.WordInfo[0].cf;
    item.Height = kNewItemHeight;
    item.Width = kNewItemWidth;
    return Append(item);
}

bool FreeItems::PasteHwWord(const PageGridInfo& grid, int32_t x, int32_t y) {
    auto& clip = data_.ClipHwWordInfo;
    // Nothing was cut, or the clipboard held an item this document cannot draw.
    if (!IsItemKind(clip.HwWordtype) || clip.cf < 0 || static_cast<size_t>(clip.cf) >= data_.ColorTbl.size()) {
        BeepOn(data_);
        return false;
    }
    PlaceOnPage(grid, x, y, false, clip);
    return Append(clip);
}

bool FreeItems::RemoveFocused(bool toClipboard) {
    if (!HasFocus()) return false;
    // A cut whose copy failed keeps the item: it would be lost.
    if (toClipboard && !control_.CopyWordsToClipboard(data_.SelStart, data_.SelLength)) {
        BeepOn(data_);
        return false;
    }
    undo_.EndPendingStep();
    if (!undo_.SaveUndoData(kStepItemDeleted)) return false;
    if (toClipboard) data_.ClipHwWordInfo = Focused();
    int32_t at = undo_.CurrentHwFocus();
    int32_t one = 1;
    array_.DelHwWordInfo(at, one);
    if (!undo_.SaveRedoData(kStepItemDeleted)) return false;
    // The index now names another item or none.
    undo_.CurrentHwFocus(-1);
    return true;
}

bool FreeItems::DelHwWord() {
    return RemoveFocused(false);
}

bool FreeItems::CutHwWord() {
    return RemoveFocused(true);
}

}  // namespace notaline
