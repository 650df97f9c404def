#include "model/edit/EditCommands.h"

#include <utility>

namespace notaline {

EditCommands::EditCommands(EditorData& data, const std::filesystem::path& ProgramFolder, PageView& page,
                           ControlSite& control)
    : EditCommands(data, ProgramFolder, page, control, 0) {}

EditCommands::EditCommands(EditorData& data, std::unique_ptr<UndoJournal> journal, PageView& page, ControlSite& control)
    : EditCommands(data, std::move(journal), page, control, 0) {}

// Typing into a vertical stack stacks the new characters too.
void EditCommands::Connect() {
    Typed.MustFormatShuPai = [this](int32_t FormatType, int32_t tSpace) {
        return Spacing.MustFormatShuPai(FormatType, tSpace);
    };
}

}  // namespace notaline
