#include <cstring>

#include "model/edit/UndoJournalFile.h"
#include "model/edit/UndoRedo.h"
#include "model/layout/LayoutSetup.h"

namespace notaline {
namespace {

// The slot of one value of a page kind.
int64_t PageSlot(int32_t kind) {
    switch (kind) {
        case kStepPaperType: return 4;
        case kStepMargins: return 16;
        case kStepFontRow: return 8;
        case kStepPageSetup: return 40;
        default: return 2;
    }
}

// The whole step: both values, and the row index of a font-row step.
int64_t PageStepLength(int32_t kind) {
    return 2 * PageSlot(kind) + (kind == kStepFontRow ? 4 : 0);
}

// Only these kinds count their values in the step's sizes.
bool PageKindCountsSize(int32_t kind) {
    return kind == kStepBackGround || kind == kStepPaperType || kind == kStepPagePosIndex ||
           kind == kStepPageNumberSize;
}

}  // namespace

// The value of a page kind as the document holds it now, in its slot's bytes.
std::vector<unsigned char> UndoRedo::PageValue(int32_t kind) const {
    const auto& page = data_.AboutPageInfo;
    std::vector<unsigned char> bytes(static_cast<size_t>(PageSlot(kind)), 0);
    auto put = [&bytes](const void* value, size_t n) { std::memcpy(bytes.data(), value, n); };
    switch (kind) {
        case kStepBackGround: {
            const int16_t v = page.BackGroundType;
            put(&v, 2);
            break;
        }
        case kStepPaperType: {
            const int32_t v = page.PaperType;
            put(&v, 4);
            break;
        }
        case kStepMargins: put(&page.PageMarginRect, 16); break;
        case kStepFontRow: {
            const auto& row = data_.FontTbl[static_cast<size_t>(data_.EditFontTblIndex)];
            std::memcpy(bytes.data(), &row.hYg, 4);
            std::memcpy(bytes.data() + 4, &row.hYc, 4);
            break;
        }
        case kStepPagePosIndex: {
            const int16_t v = page.PagePosIndexType;
            put(&v, 2);
            break;
        }
        case kStepPageNumberSize: put(&page.PageNumberSize, 2); break;
        case kStepPageSetup: put(&page, 40); break;
        default: break;
    }
    return bytes;
}

// A journalled value back into the document. The byte fields take the low byte, as they
// always held it. Kind 11 writes into `row`.
void UndoRedo::SetPageValue(int32_t kind, const std::vector<unsigned char>& bytes, int32_t row) {
    auto& page = data_.AboutPageInfo;
    switch (kind) {
        case kStepBackGround: page.BackGroundType = bytes[0]; break;
        case kStepPaperType: page.PaperType = bytes[0]; break;
        case kStepMargins: std::memcpy(&page.PageMarginRect, bytes.data(), 16); break;
        case kStepFontRow: {
            auto& font = data_.FontTbl[static_cast<size_t>(row)];
            std::memcpy(&font.hYg, bytes.data(), 4);
            std::memcpy(&font.hYc, bytes.data() + 4, 4);
            break;
        }
        case kStepPagePosIndex: page.PagePosIndexType = bytes[0]; break;
        case kStepPageNumberSize: std::memcpy(&page.PageNumberSize, bytes.data(), 2); break;
        case kStepPageSetup: std::memcpy(&page, bytes.data(), 40); break;
        default: break;
    }
}

// What the document needs after a page value came back.
void UndoRedo::ShowPageValue(int32_t kind) {
    switch (kind) {
        case kStepBackGround:
        case kStepPagePosIndex:
        case kStepPageNumberSize: page_.RefreshView(data_.SelStart, data_.SelLength, tessaly::MainRefresh); break;
        case kStepPaperType: ApplyPaperType(data_, page_); break;
        case kStepMargins:
            CalcWriteRect(data_);
            ReFormatAll(data_, page_);
            break;
        case kStepFontRow: ReFormatAll(data_, page_); break;
        case kStepPageSetup: ReInitFormat(data_, page_); break;
        default: break;
    }
}

bool UndoRedo::FontRowValid() const {
    return data_.EditFontTblIndex >= 0 && static_cast<size_t>(data_.EditFontTblIndex) < data_.FontTbl.size();
}

bool UndoRedo::SavePageUndo(int32_t kind) {
    if (kind == kStepFontRow && !FontRowValid()) return Fail("no such font-table row");
    auto& step = OpenStep(kind);
    beforePage_ = PageValue(kind);
    if (!journal_ || !journal_->Write(JournalPos, beforePage_.data(), beforePage_.size()) || !journal_->Flush()) {
        DropOpenStep();
        return Refuse(kNotWritten);
    }
    JournalPos += PageSlot(kind);
    if (PageKindCountsSize(kind)) step.BeforeSize += static_cast<double>(PageSlot(kind));
    return true;
}

bool UndoRedo::SavePageRedo(int32_t kind) {
    const int32_t stepKind = Steps[static_cast<size_t>(StepIndex)].StepKind;
    const int32_t row = data_.EditFontTblIndex;
    bool written = stepKind == kind && journal_ != nullptr && (kind != kStepFontRow || FontRowValid());
    if (written) {
        const auto value = PageValue(kind);
        written = journal_->Write(JournalPos, value.data(), value.size()) &&
                  (kind != kStepFontRow || journal_->Write(JournalPos + PageSlot(kind), &row, 4)) && journal_->Flush();
    }
    if (!written) {
        // Take the change back rather than keep a step that cannot be undone.
        if (stepKind != kStepFontRow || FontRowValid()) SetPageValue(stepKind, beforePage_, row);
        DropOpenStep();
        return Refuse("the undo journal could not be written; the change was not made");
    }
    JournalPos += PageStepLength(kind) - PageSlot(kind);
    if (PageKindCountsSize(kind))
        Steps[static_cast<size_t>(StepIndex)].AfterSize += static_cast<double>(PageSlot(kind));
    toldJournalFull_ = false;
    return true;
}

// Undo reads the old value at the step's start, redo the new one after it.
void UndoRedo::MovePageValue(int32_t kind, bool undo) {
    const int64_t start = undo ? JournalPos - PageStepLength(kind) : JournalPos;
    std::vector<unsigned char> value(static_cast<size_t>(PageSlot(kind)));
    int32_t row = data_.EditFontTblIndex;
    const int64_t at = undo ? start : start + PageSlot(kind);
    if (!journal_ || !journal_->Read(at, value.data(), value.size()) ||
        (kind == kStepFontRow && !journal_->Read(start + 2 * PageSlot(kind), &row, 4))) {
        Fail("the undo journal could not be read");
        return;
    }
    if (kind == kStepFontRow) {
        if (row < 0 || static_cast<size_t>(row) >= data_.FontTbl.size()) {
            Fail("the undo journal does not match the document");
            return;
        }
        data_.EditFontTblIndex = row;
    }
    journalError_.clear();
    SetPageValue(kind, value, row);
    if (undo) {
        JournalPos = start;
        --StepIndex;
    } else {
        JournalPos = start + PageStepLength(kind);
        ++StepIndex;
    }
    ShowPageValue(kind);
}

}  // namespace notaline
