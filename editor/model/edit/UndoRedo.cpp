#include "model/edit/UndoRedo.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

#include "model/document/CharKinds.h"
#include "model/document/mGeneral.h"
#include "model/edit/UndoJournalFile.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/Pagination.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr int64_t kWordSlot = 316;
constexpr int64_t kRangeSlot = 28;
constexpr int32_t kJournalRun = 256;  // character images written or read at a time
const std::string kTempFolderMessage = "程序文件夹不能写入，撤销记录改存于临时文件夹：";
const std::string kJournalFullMessage = "撤销记录写不进磁盘（磁盘可能已满），腾出空间之前不能修改文档。";
static_assert(sizeof(tessaly::aWordInfo) == kWordSlot);

bool IsWordKind(int32_t kind) {
    return kind == kStepWords || kind == kStepWordsAfter || kind == kStepBackspace || kind == kStepDelete ||
           kind == kStepUpSpace || kind == kStepWordSpace || kind == kStepParaSpacing || kind == kStepMove ||
           kind == kStepMarkValues || kind == kStepJoin;
}

// A page setting or font-table row: the old value, then the new one.
bool IsPageKind(int32_t kind) {
    return kind == kStepBackGround || kind == kStepPaperType || kind == kStepMargins || kind == kStepFontRow ||
           kind == kStepPagePosIndex || kind == kStepPageNumberSize || kind == kStepPageSetup;
}

template <class Word>
bool IsParaEndWord(const Word& word) {
    return word.IsJpGcCtl == kCharParaEnd;
}

// A free item changed, deleted or inserted.
bool IsItemKind(int32_t kind) {
    return kind == kStepItem || kind == kStepItemDeleted || kind == kStepItemInserted;
}

int32_t CountOf(const aUndoRange& range) {
    return std::max(0, range.LastWord - range.FirstWord + 1);
}

// The range descriptor field by field: six Longs and an Integer in a 28-byte slot.
void PackRange(const aUndoRange& r, unsigned char* out) {
    std::memset(out, 0, kRangeSlot);
    const int32_t longs[6] = {r.FirstWord, r.LastWord, r.SelStart, r.SelLength, r.DelLength, r.AddLength};
    for (int i = 0; i < 6; ++i) std::memcpy(out + 4 * i, &longs[i], 4);
    std::memcpy(out + 24, &r.InputState, 2);
}

void UnpackRange(const unsigned char* in, aUndoRange& r) {
    int32_t longs[6];
    for (int i = 0; i < 6; ++i) std::memcpy(&longs[i], in + 4 * i, 4);
    r.FirstWord = longs[0];
    r.LastWord = longs[1];
    r.SelStart = longs[2];
    r.SelLength = longs[3];
    r.DelLength = longs[4];
    r.AddLength = longs[5];
    std::memcpy(&r.InputState, in + 24, 2);
}

}  // namespace

UndoRedo::UndoRedo(EditorData& data, DoArray& array, const std::filesystem::path& ProgramFolder, PageView& page,
                   ControlSite& control)
    : data_(data), array_(array), page_(page), control_(control) {
    data_.AboutPageInfo.PagePosIndexType = 1;
    data_.AboutPageInfo.PageNumberSize = 2;
    auto journal = OpenJournalIn(ProgramFolder / "tmp", journalName_);
    if (!journal) {
        std::error_code ec;
        const auto temp = std::filesystem::temp_directory_path(ec);
        if (!ec) journal = OpenJournalIn(temp / "tmp", journalName_);
        inTempFolder_ = journal != nullptr;
    }
    if (!journal) {
        journalName_.clear();
        journalError_ = "the undo journal could not be created";
    }
    journal_ = std::move(journal);
}

UndoRedo::UndoRedo(EditorData& data, DoArray& array, std::unique_ptr<UndoJournal> journal, PageView& page,
                   ControlSite& control)
    : data_(data), array_(array), page_(page), control_(control), journal_(std::move(journal)) {
    data_.AboutPageInfo.PagePosIndexType = 1;
    data_.AboutPageInfo.PageNumberSize = 2;
}

UndoRedo::~UndoRedo() {
    if (!journalName_.empty()) CloseJournalFile(*journal_, journalName_);
}

bool UndoRedo::Fail(const char* why) {
    journalError_ = why;
    return false;
}

void UndoRedo::Tell(const std::string& text) {
    control_.ShowMessage(text);
}

// A journal write failed: said once until the journal takes a step again.
bool UndoRedo::Refuse(const char* why) {
    if (!toldJournalFull_) {
        toldJournalFull_ = true;
        Tell(kJournalFullMessage);
    }
    return Fail(why);
}

// An after-image that could not be written when its coalesced step closed is written before
// anything else is recorded, undone or redone; until then they are refused.
bool UndoRedo::WriteOwedAfter() {
    if (owedAfterKind_ == 0) return true;
    if (!WriteWordAfter(owedAfterKind_)) return Refuse(kNotWritten);
    owedAfterKind_ = 0;
    beforeWords_.clear();
    journalError_.clear();
    toldJournalFull_ = false;
    return true;
}

// A new step discards everything that could still be redone.
aUndoStep& UndoRedo::OpenStep(int32_t kind) {
    journalError_.clear();
    if (inTempFolder_ && !toldTempFolder_) {
        toldTempFolder_ = true;
        const auto folder = journalName_.parent_path().u8string();
        Tell(kTempFolderMessage + std::string(folder.begin(), folder.end()));
    }
    stepStart_ = JournalPos;
    // The new step writes over the undone ones: a saved state among them is gone for good.
    if (SavedStep > StepIndex) SavedStep = -1;
    if (saving_.step > StepIndex) saving_.step = -1;
    ++StepIndex;
    StepTop = StepIndex;
    Steps.resize(static_cast<size_t>(StepIndex) + 1);
    auto& step = Steps[static_cast<size_t>(StepIndex)];
    step = {kind, 0, 0};
    return step;
}

void UndoRedo::DropOpenStep() {
    --StepIndex;
    StepTop = StepIndex;  // the undone steps' bytes may have been overwritten
    Steps.resize(static_cast<size_t>(StepIndex) + 1);
    JournalPos = stepStart_;
    beforeWords_.clear();
}

// Character images are the 316 bytes of the record: it holds no pointers or owned memory.
bool UndoRedo::JournalWords(int32_t kind, const aUndoRange& range, bool reverse, double& size) {
    if (!journal_) return false;
    const int32_t count = CountOf(range);
    if (!reverse && kind != kStepParaSpacing) {
        // A long image goes a run at a time: one write a run, not a record.
        if (count > 0 && (range.FirstWord < 0 || range.LastWord > data_.WordCount())) return false;
        std::vector<tessaly::aWordInfo> run(static_cast<size_t>(std::min(count, kJournalRun)));
        for (int32_t at = 0; at < count; at += kJournalRun) {
            const auto take = static_cast<size_t>(std::min(kJournalRun, count - at));
            data_.WordInfo.CopyOut(static_cast<size_t>(range.FirstWord + at), take, Expanding(run.begin()));
            const auto bytes = static_cast<int64_t>(take) * kWordSlot;
            if (!journal_->Write(JournalPos, run.data(), static_cast<size_t>(bytes))) return false;
            JournalPos += bytes;
            size += static_cast<double>(bytes);
        }
        return true;
    }
    for (int32_t k = 0; k < count; ++k) {
        const int32_t index = reverse ? range.LastWord - k : range.FirstWord + k;
        if (!data_.IsWord(index) && index != data_.WordCount()) return false;
        const StoredWord& stored = data_.WordInfo[static_cast<size_t>(index)];
        if (kind == kStepParaSpacing && !IsParaEndWord(stored)) continue;
        const tessaly::aWordInfo word = stored.Expand();
        if (!journal_->Write(JournalPos, &word, kWordSlot)) return false;
        JournalPos += kWordSlot;
        size += kWordSlot;
    }
    return true;
}

bool UndoRedo::WriteRange(const aUndoRange& range) {
    unsigned char bytes[kRangeSlot];
    PackRange(range, bytes);
    if (!journal_->Write(JournalPos, bytes, kRangeSlot)) return false;
    JournalPos += kRangeSlot;
    return true;
}

bool UndoRedo::ReadRange(int64_t pos, aUndoRange& range) {
    unsigned char bytes[kRangeSlot];
    if (!journal_ || !journal_->Read(pos, bytes, kRangeSlot)) return false;
    UnpackRange(bytes, range);
    return true;
}

bool UndoRedo::ReadWords(int64_t pos, int32_t count, std::vector<tessaly::aWordInfo>& words) {
    if (!journal_) return false;
    words.resize(static_cast<size_t>(std::max(0, count)));
    for (size_t at = 0; at < words.size(); at += kJournalRun) {
        const size_t take = std::min(words.size() - at, static_cast<size_t>(kJournalRun));
        if (!journal_->Read(pos, &words[at], take * kWordSlot)) return false;
        pos += static_cast<int64_t>(take) * kWordSlot;
    }
    return true;
}

bool UndoRedo::SaveUndoData(int32_t kind) {
    if (!WriteOwedAfter()) return false;
    if (IsItemKind(kind)) return SaveItemUndo(kind);
    if (IsPageKind(kind)) return SavePageUndo(kind);
    if (!IsWordKind(kind) || kind == kStepWordsAfter) return Fail("this kind of change is not journalled");
    auto& step = OpenStep(kind);
    DescBefore = CurBefore;
    if (kind == kStepJoin) return SaveJoinUndo();
    const int32_t count = CountOf(DescBefore);
    if (DescBefore.FirstWord < 0 || DescBefore.FirstWord + count > data_.WordCount() + 1 ||
        !JournalWords(kind, DescBefore, kind == kStepBackspace, step.BeforeSize) || !journal_->Flush()) {
        DropOpenStep();
        return Refuse(kNotWritten);
    }
    beforeWords_.resize(static_cast<size_t>(count));
    data_.WordInfo.CopyOut(static_cast<size_t>(DescBefore.FirstWord), beforeWords_.size(),
                           Expanding(beforeWords_.begin()));
    return true;
}

bool UndoRedo::SaveRedoData(int32_t kind) {
    if (StepIndex > 0 && IsItemKind(kind)) return SaveItemRedo(kind);
    if (StepIndex > 0 && IsPageKind(kind)) return SavePageRedo(kind);
    if (StepIndex <= 0 || !IsWordKind(kind)) return Fail("this kind of change is not journalled");
    const int32_t stepKind = Steps[static_cast<size_t>(StepIndex)].StepKind;
    if (kind == kStepBackspace) DescBefore = CurBefore;
    DescAfter = CurAfter;
    if (!WriteWordAfter(kind)) {
        // The step could never be undone: take the change back now instead.
        // A coalesced backspace grew its before range after the copy: the journal has it.
        auto words = beforeWords_;
        const int32_t imaged = stepKind == kStepJoin ? 2 : CountOf(DescBefore);
        if (static_cast<int32_t>(words.size()) != imaged) {
            std::vector<tessaly::aWordInfo> read;
            if (ReadWords(stepStart_, imaged, read)) {
                if (stepKind == kStepBackspace) std::reverse(read.begin(), read.end());
                words = std::move(read);
            }
        }
        if (static_cast<int32_t>(words.size()) == imaged) PutBack(stepKind, DescBefore, DescAfter, words);
        DropOpenStep();
        return Refuse("the undo journal could not be written; the change was not made");
    }
    beforeWords_.clear();
    toldJournalFull_ = false;
    return true;
}

// The after-image of the open character step from DescBefore and DescAfter, at JournalPos. A
// failed write leaves the position and the step's size where they were, so it can be tried again.
bool UndoRedo::WriteWordAfter(int32_t kind) {
    if (!journal_) return false;
    auto& step = Steps[static_cast<size_t>(StepIndex)];
    const int64_t at = JournalPos;
    const double size = step.AfterSize;
    const int32_t count = kind == kStepJoin ? 0 : CountOf(DescAfter);  // a join's after-image is its range alone
    const bool written = DescAfter.FirstWord >= 0 && DescAfter.FirstWord + count <= data_.WordCount() + 1 &&
                         (count == 0 || JournalWords(kind, DescAfter, false, step.AfterSize)) &&
                         (kind == kStepJoin || WriteRange(DescBefore)) && WriteRange(DescAfter) && journal_->Flush();
    if (!written) {
        JournalPos = at;
        step.AfterSize = size;
    }
    return written;
}

void UndoRedo::EndPendingStep() {
    int32_t afterKind = 0;
    switch (PendingKind) {
        case kPendingVal1:
        case kPendingVal2:
        case kPendingVal3:
        case kPendingMarkKind:
        case kPendingInputKind: afterKind = kStepWordsAfter; break;
        case kPendingTyping: afterKind = kStepWords; break;
        case kPendingBackspace: afterKind = kStepBackspace; break;
        case kPendingUpSpace: afterKind = kStepUpSpace; break;
        case kPendingWordSpace: afterKind = kStepWordSpace; break;
        case kPendingSpacingBefore: afterKind = kStepParaSpacing; break;
        default: return;
    }
    PendingKind = kPendingNone;
    // The run was reported as typed: it stays, and its step is finished once the journal takes it.
    if (afterKind == kStepBackspace) DescBefore = CurBefore;
    DescAfter = CurAfter;
    if (!WriteWordAfter(afterKind)) {
        owedAfterKind_ = afterKind;
        Refuse(kNotWritten);
        return;
    }
    beforeWords_.clear();
    toldJournalFull_ = false;
}

bool UndoRedo::CanCut() const {
    if (data_.InputState == tessaly::LpxState) return currentHwFocus_ != -1;
    return data_.SelLength != 0;
}

bool UndoRedo::CanCopy() const {
    return CanCut();
}

bool UndoRedo::CanDel() const {
    if (data_.InputState == tessaly::LpxState) return currentHwFocus_ != -1;
    return data_.SelStart < data_.WordCount() - 1 && data_.WordCount() > 1;
}

bool UndoRedo::CanPaste() {
    return control_.ReadClipboardWords();
}

// A paragraph join images the two paragraph ends, then its before range; they count as the
// step's before-image, so undo and redo find the step's start like any other.
bool UndoRedo::SaveJoinUndo() {
    auto& step = Steps[static_cast<size_t>(StepIndex)];
    const int32_t first = DescBefore.FirstWord;
    const int32_t last = DescBefore.LastWord;
    const bool written = data_.IsWord(first) && last > first && last <= data_.WordCount() &&
                         JournalWords(kStepJoin, {first, first}, false, step.BeforeSize) &&
                         JournalWords(kStepJoin, {last, last}, false, step.BeforeSize) && WriteRange(DescBefore) &&
                         journal_->Flush();
    if (!written) {
        DropOpenStep();
        return Refuse(kNotWritten);
    }
    beforeWords_ = {data_.WordInfo[static_cast<size_t>(first)].Expand(),
                    data_.WordInfo[static_cast<size_t>(last)].Expand()};
    return true;
}

bool UndoRedo::AddBackspaceWord(int32_t word) {
    if (StepIndex <= 0 || !journal_ || !data_.IsWord(word)) return false;
    auto& step = Steps[static_cast<size_t>(StepIndex)];
    if (step.StepKind != kStepBackspace) return false;
    const tessaly::aWordInfo w = data_.WordInfo[static_cast<size_t>(word)].Expand();
    if (!journal_->Write(JournalPos, &w, kWordSlot) || !journal_->Flush()) return Refuse(kNotWritten);
    JournalPos += kWordSlot;
    step.BeforeSize += kWordSlot;
    beforeWords_.insert(beforeWords_.begin(), w);
    CurBefore.FirstWord = word;
    CurBefore.SelStart = word;
    CurBefore.SelLength += 1;
    CurBefore.DelLength += 1;
    return true;
}

void UndoRedo::SetMoveInputDat(const aUndoRange& before, const aUndoRange& after) {
    const int32_t lo = std::min({before.FirstWord, after.FirstWord, before.SelStart, after.SelStart});
    const int32_t hi = std::max({before.LastWord, after.LastWord, before.SelStart + before.SelLength - 1,
                                 after.SelStart + after.SelLength - 1});
    SetInputDat(data_, lo, hi - lo, hi - lo);
}

void CopySlotCodes(EditorData& data, int32_t from, int32_t to) {
    const MarkSlotArray source = data.WordInfo[static_cast<size_t>(from)].Marks();
    data.WordInfo[static_cast<size_t>(to)].EditMarks([&](MarkSlotArray& target) {
        for (int s = 0; s < 8; ++s) {
            target[s].IndexType = source[s].IndexType;
            target[s].ExtralWordVal1 = source[s].ExtralWordVal1;
            target[s].ExtralWordVal2 = source[s].ExtralWordVal2;
        }
    });
}

bool UndoRedo::Begin(int32_t kind, const aUndoRange& before) {
    CurBefore = before;
    return SaveUndoData(kind);
}

bool UndoRedo::Finish(int32_t kind, const aUndoRange& after) {
    CurAfter = after;
    return SaveRedoData(kind);
}

bool UndoRedo::BeginPending(int32_t pendingKind, int32_t kind, const aUndoRange& before) {
    EndPendingStep();
    if (!Begin(kind, before)) return false;
    MakePending(pendingKind);
    return true;
}

void UndoRedo::MakePending(int32_t pendingKind) {
    PendingKind = pendingKind;
    PendingCount = 0;
}

bool UndoRedo::BeginInPlace(int32_t kind, int32_t First, int32_t Last) {
    EndPendingStep();
    CurBefore = {First, Last, data_.SelStart, data_.SelLength, 0, 0, static_cast<int16_t>(data_.InputState)};
    if (!SaveUndoData(kind)) return false;
    // The step keeps only First..Last, so the edit changes no other character.
    const int32_t n = std::max(0, Last - First + 1);
    SetInputDat(data_, First, n, n, n > 0);
    return true;
}

bool UndoRedo::EndInPlace(int32_t afterKind) {
    CurAfter = CurBefore;
    CurAfter.SelStart = data_.SelStart;
    CurAfter.SelLength = data_.SelLength;
    return SaveRedoData(afterKind);
}

void UndoRedo::ZeroUnDoReDoVal() {
    StepIndex = 0;
    StepTop = 0;
    SavedStep = 0;
    saving_ = {};
    currentHwFocus_ = -1;
    // An open coalesced step belongs to the old document: closing it later would record
    // the new document under it.
    if (PendingKind > kPendingNone) PendingKind = kPendingNone;
    owedAfterKind_ = 0;
    beforeWords_.clear();
}

bool UndoRedo::Modified() {
    EndPendingStep();
    return SavedStep != StepIndex || data_.ModifiedDrum || data_.ModifiedPlay ||
           (saving_.active && (saving_.drum || saving_.play));
}

void UndoRedo::Modified(bool Value) {
    if (Value) return;
    EndPendingStep();
    SavedStep = StepIndex;
    data_.ModifiedDrum = false;
    data_.ModifiedPlay = false;
    saving_.drum = saving_.play = false;
}

// The save takes the flags as they are: one set again while it is written is a change the file
// does not hold, and stays set whatever the save's outcome.
void UndoRedo::SaveBegun() {
    SaveFailed();  // a save begun before and never told counts as not written
    EndPendingStep();
    saving_ = {true, StepIndex, std::exchange(data_.ModifiedDrum, false), std::exchange(data_.ModifiedPlay, false)};
}

void UndoRedo::SaveWritten() {
    EndPendingStep();
    if (!saving_.active) return;
    if (saving_.step >= 0) SavedStep = saving_.step;
    saving_ = {};
}

void UndoRedo::SaveFailed() {
    if (!saving_.active) return;
    data_.ModifiedDrum = data_.ModifiedDrum || saving_.drum;
    data_.ModifiedPlay = data_.ModifiedPlay || saving_.play;
    saving_ = {};
}

// The before-image back into the document: what undo does, and what a failed close does.
void UndoRedo::PutBack(int32_t kind, const aUndoRange& before, const aUndoRange& after,
                       const std::vector<tessaly::aWordInfo>& words) {
    aUndoRange sel = before;
    int32_t add = after.AddLength;
    int32_t del = before.DelLength;
    if (kind == kStepJoin) {
        // One character of room where the first paragraph end was; both ends as they were.
        SetInputDat(data_, before.FirstWord, 0, 1);
        array_.InstrWordArray(before.FirstWord, 1);
        data_.WordInfo[static_cast<size_t>(before.FirstWord)] = words[0];
        data_.WordInfo[static_cast<size_t>(before.LastWord)] = words[1];
        RefreshAfter(sel, before);
        return;
    }
    if (kind == kStepParaSpacing || kind == kStepUpSpace || kind == kStepWordSpace) {
        DescribeRestore(before.SelStart, 0, 0, before);
    } else if (kind == kStepMove) {
        SetMoveInputDat(before, after);
        int32_t at = after.SelStart, n = after.SelLength;
        array_.DelWordArray(at, n);
        array_.InstrWordArray(before.SelStart, n);
    } else {
        const int32_t pos = kind == kStepBackspace ? after.SelStart : before.SelStart;
        // A change that reached the end selects from the last character, if there is one; the
        // room opens where the characters were, also in a document the change left empty.
        if ((kind == kStepWords || kind == kStepMarkValues) && pos == data_.WordCount() && pos > 0)
            sel.SelStart = pos - 1;
        DescribeRestore(pos, add, del, before);
        int32_t at = pos;
        array_.DelWordArray(at, add);
        array_.InstrWordArray(pos, del);
    }
    std::copy(words.begin(), words.end(), data_.WordInfo.begin() + before.FirstWord);
    RefreshAfter(sel, before);
}

// Tells the layout what an undo or redo changes: `removed` characters at pos give way to
// `inserted`, and the imaged characters of `result` are written back. The rewritten characters
// need not lie in the caret's paragraph, so the edit record takes in both.
void UndoRedo::DescribeRestore(int32_t pos, int32_t removed, int32_t inserted, const aUndoRange& result) {
    int32_t start = pos;
    int32_t resultEnd = pos + inserted;
    if (result.LastWord >= result.FirstWord) {
        start = std::min(start, result.FirstWord);
        resultEnd = std::max(resultEnd, result.LastWord + 1);
    }
    const int32_t currentEnd = resultEnd - inserted + removed;  // past the resized stretch
    SetInputDat(data_, start, currentEnd - start, resultEnd - start, true);
}

// The paragraph-end images of a spacing step back among the characters they came from.
bool UndoRedo::SpreadOverParaEnds(const aUndoRange& range, std::vector<tessaly::aWordInfo>& words) const {
    std::vector<tessaly::aWordInfo> full;
    size_t next = 0;
    for (int32_t i = range.FirstWord; i <= range.LastWord; ++i) {
        if (!data_.IsWord(i)) return false;
        const StoredWord& word = data_.WordInfo[static_cast<size_t>(i)];
        if (!IsParaEndWord(word)) {
            full.push_back(word.Expand());
        } else {
            if (next >= words.size()) return false;
            full.push_back(words[next++]);
        }
    }
    if (next != words.size()) return false;
    words = std::move(full);
    return true;
}

void UndoRedo::RefreshAfter(const aUndoRange& sel, const aUndoRange& state) {
    data_.SelStart = sel.SelStart;
    data_.SelLength = sel.SelLength;
    data_.InputState = static_cast<tessaly::InputState>(state.InputState);
    if (data_.LineCount() > 0) LayOutEdit(data_, page_);
}

// The view after a character step was undone (the caret line and column follow) or redone.
void UndoRedo::ShowAfter(bool undone) {
    if (undone) {
        if (data_.IsWord(data_.SelStart))
            data_.CaretColumnX =
                static_cast<int16_t>(tessaly::CInt(data_.WordInfo[static_cast<size_t>(data_.SelStart)].Left));
        data_.CurLine = GetLineOfWord(data_, data_.SelStart + data_.SelLength);
    }
    page_.EnsureWordVisible(data_.SelStart);
    page_.RefreshView(data_.SelStart, data_.SelLength, tessaly::AllRefresh);
}

void UndoRedo::UserUndo() {
    EndPendingStep();
    if (!CanUndo() || !WriteOwedAfter()) return;
    const aUndoStep step = Steps[static_cast<size_t>(StepIndex)];
    if (IsItemKind(step.StepKind)) {
        UndoItem(step.StepKind);
        return;
    }
    if (IsPageKind(step.StepKind)) {
        MovePageValue(step.StepKind, true);
        return;
    }
    if (!IsWordKind(step.StepKind)) return;
    const int64_t end = JournalPos;
    const int64_t start = end - 2 * kRangeSlot - static_cast<int64_t>(step.BeforeSize + step.AfterSize);
    aUndoRange before, after;
    std::vector<tessaly::aWordInfo> words;
    // Everything is read before the document is touched, so a failed read changes nothing.
    if (!ReadRange(end - 2 * kRangeSlot, before) || !ReadRange(end - kRangeSlot, after) ||
        !ReadWords(start, static_cast<int32_t>(step.BeforeSize) / kWordSlot, words)) {
        Fail("the undo journal could not be read");
        return;
    }
    if (step.StepKind == kStepBackspace) std::reverse(words.begin(), words.end());
    if (step.StepKind == kStepParaSpacing && !SpreadOverParaEnds(before, words)) {
        Fail("the undo journal does not match the document");
        return;
    }
    journalError_.clear();
    PutBack(step.StepKind, before, after, words);
    DescBefore = before;
    DescAfter = after;
    JournalPos = start;
    --StepIndex;
    ShowAfter(true);
}

void UndoRedo::UserRedo() {
    if (!CanRedo() || !WriteOwedAfter()) return;
    const aUndoStep step = Steps[static_cast<size_t>(StepIndex) + 1];
    if (IsItemKind(step.StepKind)) {
        RedoItem(step.StepKind);
        return;
    }
    if (IsPageKind(step.StepKind)) {
        MovePageValue(step.StepKind, false);
        return;
    }
    if (!IsWordKind(step.StepKind)) return;
    const int64_t start = JournalPos;
    const int64_t ranges = start + static_cast<int64_t>(step.BeforeSize + step.AfterSize);
    aUndoRange before, after;
    std::vector<tessaly::aWordInfo> words;
    if (!ReadRange(ranges, before) || !ReadRange(ranges + kRangeSlot, after) ||
        !ReadWords(start + static_cast<int64_t>(step.BeforeSize), static_cast<int32_t>(step.AfterSize) / kWordSlot,
                   words)) {
        Fail("the undo journal could not be read");
        return;
    }
    const int32_t kind = step.StepKind;
    if (kind == kStepParaSpacing && !SpreadOverParaEnds(after, words)) {
        Fail("the undo journal does not match the document");
        return;
    }
    journalError_.clear();
    if (kind == kStepJoin) {
        SetInputDat(data_, before.FirstWord, 1, 0);
        CopySlotCodes(data_, before.FirstWord, before.LastWord);
        int32_t at = before.FirstWord, one = 1;
        array_.DelWordArray(at, one);
    } else if (kind == kStepParaSpacing || kind == kStepUpSpace || kind == kStepWordSpace) {
        DescribeRestore(before.SelStart, 0, 0, after);
    } else if (kind == kStepMove) {
        SetMoveInputDat(before, after);
        int32_t at = before.SelStart, n = before.SelLength;
        array_.DelWordArray(at, n);
        array_.InstrWordArray(after.SelStart, n);
    } else {
        const bool inserts = kind != kStepBackspace && kind != kStepDelete;
        DescribeRestore(before.FirstWord, before.DelLength, inserts ? after.AddLength : 0, after);
        int32_t pos = before.FirstWord;
        int32_t del = before.DelLength;
        array_.DelWordArray(pos, del);
        if (inserts) array_.InstrWordArray(after.FirstWord, after.AddLength);
    }
    std::copy(words.begin(), words.end(), data_.WordInfo.begin() + after.FirstWord);
    DescBefore = before;
    DescAfter = after;
    RefreshAfter(after, before);
    JournalPos = ranges + 2 * kRangeSlot;
    ++StepIndex;
    ShowAfter(false);
}

}  // namespace notaline
