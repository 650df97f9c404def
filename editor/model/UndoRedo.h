#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/DoArray.h"
#include "model/EditorData.h"

namespace notaline {

struct aUndoStep {
    int32_t StepKind = 0;
    double BeforeSize = 0;
    double AfterSize = 0;
};

struct aUndoRange {
    int32_t FirstWord = 0;
    int32_t LastWord = -1;  // below FirstWord: no characters
    int32_t SelStart = 0;
    int32_t SelLength = 0;
    int32_t DelLength = 0;
    int32_t AddLength = 0;
    int16_t InputState = 0;
};

// The bytes of the journal at 1-based positions: a file normally, a fake in tests.
class UndoJournal {
public:
    virtual ~UndoJournal() = default;
    virtual bool Write(int64_t Pos, const void* Bytes, size_t Count) = 0;
    virtual bool Read(int64_t Pos, void* Bytes, size_t Count) = 0;
    // True when everything written so far has reached the disk.
    virtual bool Flush() = 0;
};

// The codes and the two values of all eight mark slots of character `from` into `to`: what a
// paragraph join does to the merged paragraph's end.
void CopySlotCodes(EditorData& data, int32_t from, int32_t to);

// The edit history: each change is one step, its images kept in the journal file.
class UndoRedo {
public:
    // The journal goes to ProgramFolder\tmp, or to the user's temporary folder when that
    // cannot be written.
    UndoRedo(EditorData& data, DoArray& array, const std::filesystem::path& ProgramFolder);
    UndoRedo(EditorData& data, DoArray& array, std::unique_ptr<UndoJournal> journal);
    ~UndoRedo();
    UndoRedo(const UndoRedo&) = delete;
    UndoRedo& operator=(const UndoRedo&) = delete;

    void UserUndo();
    void UserRedo();
    // Forgets the history when another document is shown.
    void ZeroUnDoReDoVal();
    bool CanUndo() const { return StepIndex > 0; }
    bool CanRedo() const { return StepIndex < StepTop; }
    bool CanCut() const;
    bool CanCopy() const;
    bool CanDel() const;
    // Asks the control to read the clipboard, which also loads the paste buffer.
    bool CanPaste();
    bool Modified();
    void Modified(bool Value);
    int32_t CurrentHwFocus() const { return currentHwFocus_; }
    void CurrentHwFocus(int32_t Value) { currentHwFocus_ = Value; }

    const std::filesystem::path& JournalName() const { return journalName_; }
    // Set once when the program folder could not take the journal.
    bool JournalInTempFolder() const { return inTempFolder_; }
    // Why the last journal write or read failed; empty after a success.
    const std::string& JournalError() const { return journalError_; }

    // The recording of a change, for the edit members: fill CurBefore, SaveUndoData, change
    // the document, fill CurAfter, SaveRedoData (or leave the step open in PendingKind).
    // A false SaveUndoData means the document must not be changed; a false SaveRedoData has
    // put the document back as it was before the change and dropped the step.
    aUndoRange CurBefore;
    aUndoRange CurAfter;
    int32_t PendingKind = 0;
    int32_t PendingPos = 0;
    int32_t PendingCount = 0;
    // Page kinds (3, 5, 6, 11, 12, 13, 20) image the value as the document holds it at the
    // call: SaveUndoData before the change, SaveRedoData after it; kind 11 the font-table row
    // EditFontTblIndex. Free-item kinds (2, 18, 19) image the item CurrentHwFocus.
    bool SaveUndoData(int32_t kind);
    bool SaveRedoData(int32_t kind);
    void EndPendingStep();

    // The common recording of a change made in place to characters First..Last: closes an
    // open step, opens one of `kind` with those characters and the current selection as the
    // before-image, and describes the edit to the layout. False: nothing may be changed.
    bool BeginInPlace(int32_t kind, int32_t First, int32_t Last);
    // Closes it: the same characters and the selection as it is now are the after-image.
    bool EndInPlace(int32_t afterKind);

    // A coalesced backspace grows the open kind-7 step: the character goes to the end of its
    // before-image, which holds the deleted run from its last character to its first.
    bool AddBackspaceWord(int32_t word);
    // The layout range of a move (kind 15): everything between and inside the two ranges.
    void SetMoveInputDat(const aUndoRange& before, const aUndoRange& after);

private:
    bool JournalWords(int32_t kind, const aUndoRange& range, bool reverse, double& size);
    bool WriteRange(const aUndoRange& range);
    bool ReadRange(int64_t pos, aUndoRange& range);
    bool ReadWords(int64_t pos, int32_t count, std::vector<tessaly::aWordInfo>& words);
    void PutBack(int32_t kind, const aUndoRange& before, const aUndoRange& after,
                 const std::vector<tessaly::aWordInfo>& words);
    bool SaveJoinUndo();
    void RefreshAfter(const aUndoRange& sel, const aUndoRange& state);
    void ShowAfter(bool undone);
    void DescribeRestore(int32_t pos, int32_t removed, int32_t inserted, const aUndoRange& result);
    bool SpreadOverParaEnds(const aUndoRange& range, std::vector<tessaly::aWordInfo>& words) const;
    std::vector<unsigned char> PageValue(int32_t kind) const;
    void SetPageValue(int32_t kind, const std::vector<unsigned char>& bytes, int32_t row);
    void ShowPageValue(int32_t kind);
    bool FontRowValid() const;
    bool SavePageUndo(int32_t kind);
    bool SavePageRedo(int32_t kind);
    void MovePageValue(int32_t kind, bool undo);
    bool Fail(const char* why);
    bool Refuse(const char* why);
    void Tell(const std::string& text);
    bool Settle();
    bool WriteWordAfter(int32_t kind);
    aUndoStep& OpenStep(int32_t kind);
    void DropOpenStep();
    bool SaveItemUndo(int32_t kind);
    bool SaveItemRedo(int32_t kind);
    void UndoItem(int32_t kind);
    void RedoItem(int32_t kind);

    EditorData& data_;
    DoArray& array_;
    std::unique_ptr<UndoJournal> journal_;
    std::filesystem::path journalName_;
    bool inTempFolder_ = false;
    bool toldTempFolder_ = false;
    std::string journalError_;

    std::vector<aUndoStep> Steps = std::vector<aUndoStep>(1);
    int32_t StepIndex = 0;
    int32_t StepTop = 0;
    int32_t SavedStep = 0;
    int64_t JournalPos = 1;
    int64_t stepStart_ = 1;
    aUndoRange DescBefore;
    aUndoRange DescAfter;
    std::vector<tessaly::aWordInfo> beforeWords_;  // the open step's before-image, for a failed close
    tessaly::aHwWordInfo beforeItem_;
    std::vector<unsigned char> beforePage_;  // the open page step's old value, for a failed close
    int32_t currentHwFocus_ = -1;
    int32_t owedAfterKind_ = 0;     // after-image kind of a closed step the journal did not take yet
    bool toldJournalFull_ = false;  // the failure was told; again only after the journal recovered
};

}  // namespace notaline
