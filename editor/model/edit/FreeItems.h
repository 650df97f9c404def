#pragma once

#include <cstdint>

#include "model/document/ControlSite.h"
#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// The kinds of free-placed item, 1 to 5.
bool IsItemKind(int16_t kind);

// What the page grid (MyScrollInfo) tells about the page under a point of the editor window.
class PageGridInfo {
public:
    virtual ~PageGridInfo() = default;
    // The page row under a client point, limited to the existing pages.
    virtual int32_t MousePageY(int32_t x, int32_t y) const = 0;
    virtual int32_t PageSpaceX() const = 0;
    virtual int32_t PageSpaceY() const = 0;
    virtual double FristVisiblelPageScrollX() const = 0;
    virtual double FristVisiblelPageScrollY() const = 0;
};

// The free-placed items (brackets, braces, connecting lines), each change one undoable step on
// the focused item, UndoRedo::CurrentHwFocus. Without a focused item the members do nothing.
// They answer whether they changed the document; the caller redraws the item layer.
class FreeItems {
public:
    FreeItems(EditorData& data, DoArray& array, UndoRedo& undo, ControlSite& control);

    // The colour-table value of the focused item; 0 without one.
    uint32_t HwWordColor() const;
    bool HwWordColor(uint32_t colour);
    // The focused item takes EditHwWordInfo, as the mouse moved or sized it.
    bool ChangHwWordInfo();
    // A new item of kind 1 to 5 on the page under the client point x, y, at that point or, with
    // IntupMun, at 120, 120 page pixels; it becomes the focused item.
    bool InsterHwWord(const PageGridInfo& grid, int32_t x, int32_t y, int16_t iType, bool IntupMun = false);
    // A copy of ClipHwWordInfo at the client point.
    bool PasteHwWord(const PageGridInfo& grid, int32_t x, int32_t y);
    bool DelHwWord();
    // The focused item onto the clipboard, then deleted.
    bool CutHwWord();

private:
    bool HasFocus() const;
    tessaly::aHwWordInfo& Focused();
    // The page under a client point, and the point in page pixels at the document's scale.
    void PlaceOnPage(const PageGridInfo& grid, int32_t x, int32_t y, bool fixedPoint, tessaly::aHwWordInfo& item) const;
    bool Append(const tessaly::aHwWordInfo& item);
    bool RemoveFocused(bool toClipboard);

    EditorData& data_;
    ControlSite& control_;
    DoArray& array_;
    UndoRedo& undo_;
};

}  // namespace notaline
