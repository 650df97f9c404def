#pragma once

#include <filesystem>
#include <memory>
#include <utility>

#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/CharAttributes.h"
#include "model/edit/ClipboardEdits.h"
#include "model/edit/FreeItems.h"
#include "model/edit/GraceGroups.h"
#include "model/edit/MarkCommands.h"
#include "model/edit/MarkValues.h"
#include "model/edit/PageSettings.h"
#include "model/edit/ParagraphCommands.h"
#include "model/edit/RangeMarks.h"
#include "model/edit/SpacingCommands.h"
#include "model/edit/Typing.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// The editing objects of one editor control, made together when the control starts running:
// the array operations, the edit history with its journal, and the command groups that record
// every change in it. The page renderer and the control they report to outlive them.
class EditCommands {
public:
    // The journal goes to ProgramFolder\tmp (or the user's temporary folder).
    EditCommands(EditorData& data, const std::filesystem::path& ProgramFolder, PageView& page, ControlSite& control);
    EditCommands(EditorData& data, std::unique_ptr<UndoJournal> journal, PageView& page, ControlSite& control);
    EditCommands(const EditCommands&) = delete;
    EditCommands& operator=(const EditCommands&) = delete;

    DoArray Arrays;
    UndoRedo Undo;
    notaline::Typing Typed;
    ClipboardEdits Clipboard;
    MarkCommands Marks;
    RangeMarks Ranges;
    MarkValues Values;
    GraceGroups Graces;
    CharAttributes Chars;
    SpacingCommands Spacing;
    ParagraphCommands Paragraphs;
    PageSettings Pages;
    FreeItems Items;

private:
    // Where the journal comes from: the program's folder, or a journal made by the caller.
    template <class JournalSource>
    EditCommands(EditorData& data, JournalSource&& journal, PageView& page, ControlSite& control, int)
        : Arrays(data, control),
          Undo(data, Arrays, std::forward<JournalSource>(journal), page, control),
          Typed(data, Arrays, Undo, control),
          Clipboard(data, Arrays, Undo, control),
          Marks(data, Undo),
          Ranges(data, Undo, page, control),
          Values(data, Undo),
          Graces(data, Undo),
          Chars(data, Undo),
          Spacing(data, Undo),
          Paragraphs(data, Arrays, Undo),
          Pages(data, Arrays, Undo),
          Items(data, Arrays, Undo, control) {
        Connect();
    }
    void Connect();
};

}  // namespace notaline
