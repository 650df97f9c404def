#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/document/ControlSite.h"
#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/document/PageView.h"
#include "model/edit/UndoJournalFile.h"

namespace notaline {

// Step kinds: what one step of the journal images (aUndoStep.StepKind, and the kind given to
// Begin/Finish and SaveUndoData/SaveRedoData).
inline constexpr int32_t kStepWords = 1;            // characters of a range
inline constexpr int32_t kStepItem = 2;             // one free-placed item changed
inline constexpr int32_t kStepBackGround = 3;       // BackGroundType
inline constexpr int32_t kStepWordsAfter = 4;       // the after-image of a coalesced step; never opened
inline constexpr int32_t kStepPaperType = 5;        // PaperType
inline constexpr int32_t kStepMargins = 6;          // PageMarginRect
inline constexpr int32_t kStepBackspace = 7;        // characters deleted backwards, imaged last first
inline constexpr int32_t kStepDelete = 8;           // characters deleted forwards
inline constexpr int32_t kStepUpSpace = 9;          // space above characters
inline constexpr int32_t kStepWordSpace = 10;       // character spacing steps
inline constexpr int32_t kStepFontRow = 11;         // one font-table row's heights
inline constexpr int32_t kStepPagePosIndex = 12;    // PagePosIndexType
inline constexpr int32_t kStepPageNumberSize = 13;  // PageNumberSize
inline constexpr int32_t kStepParaSpacing = 14;     // paragraph ends only
inline constexpr int32_t kStepMove = 15;            // drag and drop
inline constexpr int32_t kStepMarkValues = 16;      // mark values and kinds; closed as kStepWordsAfter
inline constexpr int32_t kStepJoin = 17;            // two paragraphs joined
inline constexpr int32_t kStepItemDeleted = 18;
inline constexpr int32_t kStepItemInserted = 19;
inline constexpr int32_t kStepPageSetup = 20;  // the whole AboutPageInfo

// Pending kinds: which coalescing member left its step open.
inline constexpr int32_t kPendingNone = 1;
inline constexpr int32_t kPendingVal1 = 2;
inline constexpr int32_t kPendingVal2 = 3;
inline constexpr int32_t kPendingVal3 = 4;
inline constexpr int32_t kPendingTyping = 5;
inline constexpr int32_t kPendingMarkKind = 6;
inline constexpr int32_t kPendingInputKind = 7;
inline constexpr int32_t kPendingBackspace = 8;
inline constexpr int32_t kPendingUpSpace = 10;
inline constexpr int32_t kPendingWordSpace = 11;
inline constexpr int32_t kPendingSpacingBefore = 12;

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

// The codes and the two values of all eight mark slots of character `from` into `to`: what a
// paragraph join does to the merged paragraph's end.
void CopySlotCodes(EditorData& data, int32_t from, int32_t to);

// The edit history: each change is one step, its images kept in the journal file.
class UndoRedo {
public:
    // The journal goes to ProgramFolder\tmp, or to the user's temporary folder when that
    // cannot be written.
    UndoRedo(EditorData& data, DoArray& array, const std::filesystem::path& ProgramFolder, PageView& page,
             ControlSite& control);
    UndoRedo(EditorData& data, DoArray& array, std::unique_ptr<UndoJournal> journal, PageView& page,
             ControlSite& control);
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
    // A save of the document as it is now, written later: once written (SaveWritten), the history's
    // place at the start counts as saved, unless a later step wrote over it. Changes made while
    // it was written keep Modified; a save not written (SaveFailed) leaves Modified as it was.
    void SaveBegun();
    void SaveWritten();
    void SaveFailed();
    int32_t CurrentHwFocus() const { return currentHwFocus_; }
    void CurrentHwFocus(int32_t Value) { currentHwFocus_ = Value; }

    const std::filesystem::path& JournalName() const { return journalName_; }
    // Set once when the program folder could not take the journal.
    bool JournalInTempFolder() const { return inTempFolder_; }
    // Why the last journal write or read failed; empty after a success.
    const std::string& JournalError() const { return journalError_; }

    // The recording of a change, for the edit members: Begin with the before-image (false: the
    // document must not be changed), change the document, Finish with the after-image (false:
    // the document is back as it was before the change and the step is dropped).
    bool Begin(int32_t kind, const aUndoRange& before);
    bool Finish(int32_t kind, const aUndoRange& after);
    const aUndoRange& BeforeImage() const { return CurBefore; }

    // A coalescing member closes any open step and begins its own, left open under its pending
    // kind; while IsPending says the open step is its own at the caret, it extends it, giving
    // the after-image EndPendingStep will close the step with.
    bool BeginPending(int32_t pendingKind, int32_t kind, const aUndoRange& before);
    // The step just begun stays open under the pending kind.
    void MakePending(int32_t pendingKind);
    bool IsPending(int32_t pendingKind, int32_t pos) const { return PendingKind == pendingKind && PendingPos == pos; }
    int32_t OpenPendingKind() const { return PendingKind; }
    void SetPendingPos(int32_t pos) { PendingPos = pos; }
    // What the open step covers beyond its position: characters typed, or a range's length.
    int32_t PendingSize() const { return PendingCount; }
    void SetPendingSize(int32_t count) { PendingCount = count; }
    void SetPendingAfter(const aUndoRange& after) { CurAfter = after; }

    // Page kinds (background, paper, margins, font row, page index, page number size, page
    // setup) image the value as the document holds it at the call: SaveUndoData before the
    // change, SaveRedoData after it; the font row is EditFontTblIndex. Free-item kinds image the
    // item CurrentHwFocus. Character kinds take the images Begin and Finish were given.
    bool SaveUndoData(int32_t kind);
    bool SaveRedoData(int32_t kind);
    void EndPendingStep();

    // The common recording of a change made in place to characters First..Last: closes an
    // open step, opens one of `kind` with those characters and the current selection as the
    // before-image, and describes the edit to the layout. False: nothing may be changed.
    bool BeginInPlace(int32_t kind, int32_t First, int32_t Last);
    // Closes it: the same characters and the selection as it is now are the after-image.
    bool EndInPlace(int32_t afterKind);

    // A coalesced backspace grows the open backspace step: the character goes to the end of its
    // journal image, which holds the deleted run from its last character to its first, and the
    // before-image takes it in front.
    bool AddBackspaceWord(int32_t word);
    // The layout range of a move step: everything between and inside the two ranges.
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
    bool WriteOwedAfter();
    bool WriteWordAfter(int32_t kind);
    aUndoStep& OpenStep(int32_t kind);
    void DropOpenStep();
    bool SaveItemUndo(int32_t kind);
    bool SaveItemRedo(int32_t kind);
    void UndoItem(int32_t kind);
    void RedoItem(int32_t kind);

    aUndoRange CurBefore;
    aUndoRange CurAfter;
    int32_t PendingKind = 0;  // 0 before the first step is closed, then kPendingNone when none is open
    int32_t PendingPos = 0;
    int32_t PendingCount = 0;

    EditorData& data_;
    DoArray& array_;
    PageView& page_;
    ControlSite& control_;
    std::unique_ptr<UndoJournal> journal_;
    std::filesystem::path journalName_;
    bool inTempFolder_ = false;
    bool toldTempFolder_ = false;
    std::string journalError_;

    std::vector<aUndoStep> Steps = std::vector<aUndoStep>(1);
    int32_t StepIndex = 0;
    int32_t StepTop = 0;
    int32_t SavedStep = 0;
    // A save being written: its place in the history (-1 once a step wrote over it) and the
    // flags it took, which count as Modified until it is written.
    struct Saving {
        bool active = false;
        int32_t step = -1;
        bool drum = false;
        bool play = false;
    } saving_;
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

// Whether `change`, an edit in place of characters first..last only, would alter them: it is run on
// them and they are put back byte for byte. A command that would leave them as they are records
// no step, and so keeps what can still be redone.
template <class Change>
bool ChangesWords(EditorData& data, int32_t first, int32_t last, Change&& change) {
    first = std::max(first, 0);
    last = std::min(last, static_cast<int32_t>(data.WordInfo.size()) - 1);
    if (first > last) return false;
    // Byte copies, padding included: a change is any change of the stored bytes.
    std::vector<StoredWord> kept(static_cast<size_t>(last - first + 1));
    for (size_t k = 0; k < kept.size(); ++k)
        std::memcpy(&kept[k], &data.WordInfo[static_cast<size_t>(first) + k], sizeof kept[k]);
    change();
    bool changed = false;
    for (size_t k = 0; k < kept.size(); ++k) {
        auto& word = data.WordInfo[static_cast<size_t>(first) + k];
        changed = changed || std::memcmp(&kept[k], &word, sizeof word) != 0;
        std::memcpy(&word, &kept[k], sizeof word);
    }
    return changed;
}

}  // namespace notaline
