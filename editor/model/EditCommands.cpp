#include "model/EditCommands.h"

#include <utility>

namespace notaline {

EditCommands::EditCommands(EditorData& data, const std::filesystem::path& ProgramFolder)
    : Arrays(data),
      Undo(data, Arrays, ProgramFolder),
      Typed(data, Arrays, Undo),
      Clipboard(data, Arrays, Undo),
      Marks(data, Undo),
      Ranges(data, Undo),
      Values(data, Undo),
      Graces(data, Undo),
      Chars(data, Undo),
      Spacing(data, Undo),
      Paragraphs(data, Arrays, Undo),
      Pages(data, Arrays, Undo),
      Items(data, Arrays, Undo) {
    Connect();
}

EditCommands::EditCommands(EditorData& data, std::unique_ptr<UndoJournal> journal)
    : Arrays(data),
      Undo(data, Arrays, std::move(journal)),
      Typed(data, Arrays, Undo),
      Clipboard(data, Arrays, Undo),
      Marks(data, Undo),
      Ranges(data, Undo),
      Values(data, Undo),
      Graces(data, Undo),
      Chars(data, Undo),
      Spacing(data, Undo),
      Paragraphs(data, Arrays, Undo),
      Pages(data, Arrays, Undo),
      Items(data, Arrays, Undo) {
    Connect();
}

// Typing into a vertical stack stacks the new characters too.
void EditCommands::Connect() {
    Typed.MustFormatShuPai = [this](int32_t FormatType, int32_t tSpace) {
        return Spacing.MustFormatShuPai(FormatType, tSpace);
    };
}

}  // namespace notaline
