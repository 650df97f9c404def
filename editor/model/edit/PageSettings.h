#pragma once

#include <cstdint>

#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// The document's page setup, each change one undoable step. A setter answers whether it changed
// the document: a value equal to the stored one records nothing, and a value the layout cannot
// use (a byte field out of 0 to 255, an unknown paper, margins that leave no room to write, a
// scale that is not positive) is refused with a beep. The caller lays out or redraws.
class PageSettings {
public:
    PageSettings(EditorData& data, DoArray& array, UndoRedo& undo);

    int16_t BackGroundType() const { return data_.AboutPageInfo.BackGroundType; }
    bool BackGroundType(int16_t value);

    int32_t PaperType() const { return data_.AboutPageInfo.PaperType; }
    bool PaperType(int32_t value);

    // The margins in tenths of a millimetre.
    bool SetPageWordRect(const tessaly::RECT& rect);

    int16_t PagePosIndexType() const { return data_.AboutPageInfo.PagePosIndexType; }
    bool PagePosIndexType(int16_t value);

    int16_t PageNumberSize() const { return data_.AboutPageInfo.PageNumberSize; }
    bool PageNumberSize(int16_t value);

    // The whole record, recorded even when nothing differs.
    bool SetPageSeting(const tessaly::AboutPageInfo& page);

private:
    bool SetByteField(uint8_t tessaly::AboutPageInfo::*field, int32_t kind, int32_t value);
    bool Refuse();
    // One step of a page kind around the change.
    template <class Change>
    bool Record(int32_t kind, Change change);

    EditorData& data_;
    UndoRedo& undo_;
};

}  // namespace notaline
