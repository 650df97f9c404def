#include "model/edit/UndoJournalFile.h"
#include "model/edit/UndoRedo.h"

namespace notaline {
namespace {

// The journal's length of a free-item step: items of 24 bytes, the index of 4.
int64_t ItemStepLength(int32_t kind) {
    return kind == kStepItem ? 52 : 28;
}

}  // namespace

// Free items are 24 bytes of numbers, no pointers: written as they are.
bool UndoRedo::SaveItemUndo(int32_t kind) {
    OpenStep(kind);
    if (kind == kStepItemInserted) return true;
    const auto index = static_cast<size_t>(currentHwFocus_);
    if (currentHwFocus_ < 0 || index >= data_.HwWordInfo.size() || !journal_ ||
        !journal_->Write(JournalPos, &data_.HwWordInfo[index], 24) || !journal_->Flush()) {
        DropOpenStep();
        return Refuse(kNotWritten);
    }
    beforeItem_ = data_.HwWordInfo[index];
    JournalPos += 24;
    return true;
}

bool UndoRedo::SaveItemRedo(int32_t kind) {
    const int32_t stepKind = Steps[static_cast<size_t>(StepIndex)].StepKind;
    const int32_t indexValue = currentHwFocus_;
    const auto index = static_cast<size_t>(indexValue);
    bool written = journal_ != nullptr && indexValue >= 0;
    if (written && kind != kStepItemDeleted) {
        written = index < data_.HwWordInfo.size() && journal_->Write(JournalPos, &data_.HwWordInfo[index], 24);
        if (written) JournalPos += 24;
    }
    written = written && journal_->Write(JournalPos, &indexValue, 4) && journal_->Flush();
    if (!written) {
        // Take the change back rather than keep a step that cannot be undone.
        int32_t at = indexValue, one = 1;
        if (stepKind == kStepItem && indexValue >= 0 && index < data_.HwWordInfo.size())
            data_.HwWordInfo[index] = beforeItem_;
        if (stepKind == kStepItemDeleted && indexValue >= 0 && index <= data_.HwWordInfo.size()) {
            array_.AddHwWordInfo(at, one);
            data_.HwWordInfo[index] = beforeItem_;
        }
        if (stepKind == kStepItemInserted && indexValue >= 0 && index < data_.HwWordInfo.size())
            array_.DelHwWordInfo(at, one);
        DropOpenStep();
        return Refuse("the undo journal could not be written; the change was not made");
    }
    JournalPos += 4;
    toldJournalFull_ = false;
    return true;
}

void UndoRedo::UndoItem(int32_t kind) {
    const int64_t end = JournalPos;
    const int64_t start = end - ItemStepLength(kind);
    int32_t index = 0;
    tessaly::aHwWordInfo old;
    if (!journal_ || !journal_->Read(end - 4, &index, 4) ||
        (kind != kStepItemInserted && !journal_->Read(start, &old, 24))) {
        Fail("the undo journal could not be read");
        return;
    }
    journalError_.clear();
    currentHwFocus_ = index;
    int32_t at = index, one = 1;
    if (kind == kStepItem) data_.HwWordInfo[static_cast<size_t>(index)] = old;
    if (kind == kStepItemDeleted) {
        array_.AddHwWordInfo(at, one);
        data_.HwWordInfo[static_cast<size_t>(index)] = old;
    }
    if (kind == kStepItemInserted) array_.DelHwWordInfo(at, one);
    JournalPos = start;
    --StepIndex;
    page_.RefreshView(data_.SelStart, data_.SelLength, tessaly::LpxRefresh);
}

void UndoRedo::RedoItem(int32_t kind) {
    const int64_t start = JournalPos;
    const int64_t end = start + ItemStepLength(kind);
    int32_t index = 0;
    tessaly::aHwWordInfo item;
    if (!journal_ || !journal_->Read(end - 4, &index, 4) ||
        (kind != kStepItemDeleted && !journal_->Read(end - 28, &item, 24))) {
        Fail("the undo journal could not be read");
        return;
    }
    journalError_.clear();
    currentHwFocus_ = index;
    int32_t at = index, one = 1;
    if (kind == kStepItem) data_.HwWordInfo[static_cast<size_t>(index)] = item;
    if (kind == kStepItemDeleted) array_.DelHwWordInfo(at, one);
    if (kind == kStepItemInserted) {
        array_.AddHwWordInfo(at, one);
        data_.HwWordInfo[static_cast<size_t>(index)] = item;
    }
    JournalPos = end;
    ++StepIndex;
    page_.RefreshView(data_.SelStart, data_.SelLength, tessaly::LpxRefresh);
}

}  // namespace notaline
