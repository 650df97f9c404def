#pragma once

#include <cstdint>

#include "model/document/EditorData.h"
#include "model/edit/CharAttributes.h"
#include "records/Messages.h"

namespace notaline {

class ParagraphCommands;

// Which input mode the caret is in and which characters give the status record's attributes.
struct StatusSource {
    tessaly::InputState State = tessaly::GcState;
    int32_t FontFrom = -1;     // gives font, size and spacing; -1: the default font
    int32_t ColoursFrom = -1;  // gives cb and cf; -1: cb of colour 0 and cf of DefaultAt
    int32_t DefaultAt = 0;
};

// The mode and characters the characters around the caret decide.
StatusSource DecideStatus(const EditorData& data, int32_t start, int32_t length);
// The characters of a mode the caller chose.
StatusSource DecideStatusByState(const EditorData& data, int32_t start, int32_t length, tessaly::InputState state);

// The caret, layout and paragraph fields, the length made positive first.
void FillStatusCommon(EditorData& data, const ParagraphCommands& paragraphs, int32_t start, int32_t length,
                      tessaly::aSendMsg& msg);
// The mode, colours, spacing and sizes from the source; the input font it gives.
StdFontInfo FillStatusAttributes(EditorData& data, const ParagraphCommands& paragraphs, const StatusSource& source,
                                 tessaly::aSendMsg& msg);

// Whether a mode-deciding record is due for the selection: when its start or length changed since
// the last one (the status bar counts the selected characters), when the document was edited or
// the marks of its character changed (an undo, a delete or the mark panel's own change under a
// caret that stayed: the host lists the caret character's marks), or a document was loaded since;
// remembers what it compared.
bool StatusDue(EditorData& data, const tessaly::aSendMsg& msg);

// The font of a position with no character of the mode to follow.
StdFontInfo DefaultInputFont();

}  // namespace notaline
