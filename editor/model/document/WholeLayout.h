#pragma once

#include <cstdint>

#include "model/document/EditorData.h"
#include "model/document/PageView.h"

namespace notaline {

// Word that the layout is whole: no line a key cut short is left in it (see LineArray). Only
// JoinUp makes one, so what reads the whole layout (printing's copy, the pictures, a file that
// holds character boxes, the counts a dialog or the host is given, a script's line records) takes
// one and cannot forget to join up. It holds for the moment it is made: the next key may cut a
// line again, so it is made where it is read.
class WholeLayout {
public:
    // The page count and the caret's line of the layout joined up.
    int32_t PageCount() const { return data_->PageCount(); }
    int32_t CurLine() const { return data_->CurLine; }

private:
    explicit WholeLayout(const EditorData& data) : data_(&data) {}
    friend WholeLayout JoinUp(EditorData& data, PageView& page);

    const EditorData* data_;
};

}  // namespace notaline
