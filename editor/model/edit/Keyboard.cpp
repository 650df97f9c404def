#include "model/edit/Keyboard.h"

#include <algorithm>

#include "model/document/ControlSite.h"
#include "model/document/VirtualKeys.h"
#include "model/document/mGeneral.h"
#include "model/edit/AlignToSource.h"
#include "model/edit/EditCommands.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/Pagination.h"

namespace notaline {
namespace {

constexpr int32_t kBackspace = 8;
constexpr int32_t kEnter = 13;

constexpr char kNoAlignmentMessage[] = "请先设置当前行为小节相应的对齐属性。";

}  // namespace

int16_t Keyboard::LeftOf(int32_t word) const {
    if (!data_.IsWord(word)) return 0;
    return static_cast<int16_t>(data_.WordInfo[static_cast<size_t>(word)].Left);
}

int32_t Keyboard::LineOf(int32_t word) const {
    return std::clamp(GetLineOfWord(data_, word), 0, std::max(data_.LineCount() - 1, 0));
}

// A key that reads a line from the one a key cut short on has the paragraph broken again first,
// so that the caret goes where it goes in the layout shown. Other keys leave it to the idle time.
void Keyboard::SettleFrom(int32_t line, int32_t key) {
    const auto& lines = data_.LineInfo;
    if (key >= kVkEnd && key <= kVkDown && lines.HasCutLine() && line >= static_cast<int32_t>(lines.CutLine()))
        JoinUp(data_, page_);
}

void Keyboard::Finish(int32_t visible, bool notify) {
    page_.EnsureWordVisible(visible);
    page_.RefreshView(data_.SelStart, data_.SelLength, tessaly::AutoRefresh);
    if (notify) host_.NotifySelChange(data_.SelStart, data_.SelLength);
}

void Keyboard::CheckSourceLines() {
    CheckSourceLineAndShow(data_, page_, SourceKind::CpDq);
    CheckSourceLineAndShow(data_, page_, SourceKind::XjDq);
}

void Keyboard::Relayout() {
    LayOutEdit(data_, page_);
    page_.EnsureWordVisible(data_.SelStart);
    page_.RefreshView(data_.SelStart, data_.SelLength, tessaly::MainExtralRefresh);
}

void Keyboard::KeyDownNoShift(int32_t key) {
    EditorData& d = data_;
    SettleFrom(d.CurLine + 1, key);
    const int32_t count = d.WordCount();
    // Keys that need the caret line refuse a line table out of step with the caret.
    const bool onLine = d.CurLine >= 0 && d.CurLine < d.LineCount();
    switch (key) {
        case kVkPrior:
        case kVkNext:
            host_.ScrollByPage(key == kVkNext);
            page_.RefreshView(d.SelStart, d.SelLength, tessaly::AutoRefresh);
            host_.NotifySelChange(d.SelStart, d.SelLength);
            return;
        case kVkEnd: {
            if (!onLine) return;
            const auto& l = d.LineInfo[static_cast<size_t>(d.CurLine)];
            const bool paragraphLast = l.LineIsCtl != tessaly::kFalse;
            d.SelStart = std::clamp(l.Start + l.Length - (paragraphLast ? 1 : 0), 0, std::max(count - 1, 0));
            d.CaretAtLineEnd = !paragraphLast;
            d.CaretColumnX = LeftOf(l.Start + l.Length - 1);
            break;
        }
        case kVkHome: {
            if (!onLine) return;
            d.SelStart = d.LineInfo[static_cast<size_t>(d.CurLine)].Start;
            d.CaretAtLineEnd = false;
            d.CaretColumnX = LeftOf(d.SelStart);
            break;
        }
        case kVkLeft:
        case kVkRight:
            d.SelStart = key == kVkLeft ? d.SelStart - 1 : d.SelStart + 1;
            d.SelStart = std::clamp(d.SelStart, 0, std::max(count - 1, 0));
            d.CaretAtLineEnd = false;
            d.CaretColumnX = LeftOf(d.SelStart);
            d.CurLine = LineOf(d.SelStart);
            break;
        case kVkUp:
        case kVkDown: {
            if (key == kVkUp ? d.CurLine < 1 : d.CurLine >= d.LineCount() - 1) return;
            if (d.CaretAtLineEnd) {
                d.SelStart = std::max(d.SelStart - 1, 0);
                d.CaretColumnX = LeftOf(d.SelStart);
                d.CaretAtLineEnd = false;
            }
            d.CurLine += key == kVkUp ? -1 : 1;
            d.SelStart = GetWordIndexAtX(d, d.CurLine, d.CaretColumnX);
            break;
        }
        default: return;
    }
    d.SelLength = 0;
    Finish(d.SelStart, true);
}

void Keyboard::KeyDownShift(int32_t key) {
    EditorData& d = data_;
    SettleFrom(d.CurLine + 1, key);
    const int32_t count = d.WordCount();
    const int32_t end = d.SelStart + d.SelLength;  // the moving end
    const bool onLine = d.CurLine >= 0 && d.CurLine < d.LineCount();
    int32_t visible = d.SelStart;
    // At the document's ends the moving end has nowhere to go: nothing changes.
    switch (key) {
        case kVkEnd:
        case kVkHome: {
            if (!onLine) return;
            const auto& l = d.LineInfo[static_cast<size_t>(d.CurLine)];
            d.SelLength = (key == kVkEnd ? std::min(l.Start + l.Length, count) : l.Start) - d.SelStart;
            break;
        }
        case kVkLeft:
            if (end <= 0) return;
            d.CaretColumnX = LeftOf(d.SelStart);
            d.SelLength -= 1;
            d.CurLine = LineOf(d.SelStart + d.SelLength);
            break;
        case kVkRight:
            if (end >= count - 1) return;
            d.SelLength += 1;
            d.CaretColumnX = LeftOf(d.SelStart + d.SelLength - 1);
            d.CurLine = LineOf(d.SelStart);
            visible = d.SelStart + d.SelLength - 1;
            break;
        case kVkUp:
            if (d.CurLine > 0 && onLine) {
                d.CurLine -= 1;
                d.SelLength = GetWordIndexAtX(d, d.CurLine, d.CaretColumnX) - d.SelStart + 1;
            } else {
                if (end < 1) return;
                d.SelLength -= 1;
            }
            break;
        case kVkDown:
            if (d.CurLine < d.LineCount() - 1 && d.CurLine >= 0) {
                d.CurLine += 1;
                d.SelLength = GetWordIndexAtX(d, d.CurLine, d.CaretColumnX) - d.SelStart + 1;
            } else {
                if (end + 1 >= count) return;
                d.SelLength += 1;
            }
            visible = d.SelStart + d.SelLength - 1;
            break;
        default: return;
    }
    Finish(visible, true);
}

void Keyboard::ToggleStyle(int32_t key) {
    EditorData& d = data_;
    CharAttributes& c = edit_.Chars;
    bool done = false;
    switch (key) {
        case 'B': done = c.Bold(d.SelStart, d.SelLength, !c.Bold(d.SelStart, d.SelLength)); break;
        case 'I': done = c.Italic(d.SelStart, d.SelLength, !c.Italic(d.SelStart, d.SelLength)); break;
        case 'U': done = c.Underline(d.SelStart, d.SelLength, !c.Underline(d.SelStart, d.SelLength)); break;
        case 'K': done = c.StrikeOut(d.SelStart, d.SelLength, !c.StrikeOut(d.SelStart, d.SelLength)); break;
        default: return;
    }
    // Bold and italic change the characters' widths.
    if (done) LayOutEdit(d, page_);
    page_.RefreshView(d.SelStart, d.SelLength, tessaly::MainRefresh);
    CheckSourceLines();
}

void Keyboard::KeyDownCtrl(int32_t key) {
    EditorData& d = data_;
    switch (key) {
        case 'B':
        case 'I':
        case 'U':
        case 'K': ToggleStyle(key); return;
        case kVkHome:
        case kVkEnd:
            if (key == kVkEnd) SettleFrom(d.LineCount() - 1, key);
            d.SelStart = key == kVkHome ? 0 : std::max(d.WordCount() - 1, 0);
            d.SelLength = 0;
            d.CaretAtLineEnd = false;
            d.CurLine = key == kVkHome ? 0 : LineOf(d.SelStart);
            d.CaretColumnX = LeftOf(d.SelStart);
            Finish(d.SelStart, true);  // the status bar shows where the caret went
            return;
        default: return;
    }
}

void Keyboard::KeyDownCtrlShift(int32_t key) {
    EditorData& d = data_;
    if (key == kVkEnd) {
        SettleFrom(d.LineCount() - 1, key);
        d.SelLength = std::max(d.WordCount() - d.SelStart - 1, 0);
        Finish(d.SelStart, false);
        d.CurLine = LineOf(d.SelStart + d.SelLength);
        d.CaretColumnX = LeftOf(d.SelStart + d.SelLength - 1);
    } else if (key == kVkHome) {
        d.SelLength = -d.SelStart;
        Finish(d.SelStart, false);
        d.CurLine = 0;
        d.CaretColumnX = LeftOf(0);
    } else {
        return;
    }
    d.CaretAtLineEnd = false;
    host_.NotifySelChange(d.SelStart, d.SelLength);  // with the caret line set
}

void Keyboard::KeyPressInput(int32_t ascii) {
    EditorData& d = data_;
    if (ascii == kBackspace) {
        edit_.Typed.BackSpaceWord(d.SelStart, d.SelLength);
        LayOutEdit(d, page_);
        d.CurLine = LineOf(d.SelStart + d.SelLength);
        d.CaretColumnX = LeftOf(d.SelStart);
        page_.EnsureWordVisible(d.SelStart);
        page_.RefreshView(d.SelStart, d.SelLength, tessaly::OnePageRefresh);
        CheckSourceLines();
        host_.NotifySelChange(d.SelStart, d.SelLength);  // else the status bar keeps the old position
    } else if (ascii == kEnter) {
        d.CaretAtLineEnd = false;
        d.InputWords = MakeInputWordInfo(d, d.SelStart, d.SelLength, "\r");
        if (!d.InputWords.empty() && edit_.Typed.InputWord(d.SelStart, d.SelLength)) LayOutEdit(d, page_);
        CheckSourceLines();
        // The caret's own line: after a refused insert it has not moved on.
        d.CurLine = LineOf(d.SelStart);
        page_.EnsureWordVisible(d.SelStart);
        page_.RefreshView(d.SelStart, d.SelLength, tessaly::MainExtralRefresh);
        host_.NotifySelChange(d.SelStart, d.SelLength);
    }
}

void Keyboard::ChangeSpaceAbove(int32_t delta) {
    EditorData& d = data_;
    if (d.SelLength != 0) {
        const float v = edit_.Spacing.UpSpace(d.SelStart, d.SelLength);
        // Characters raised by different amounts have no one value to step from.
        if (v == MixedValue) return BeepOn(d);
        edit_.Spacing.UpSpace(d.SelStart, d.SelLength, v + static_cast<float>(delta));
    } else {
        const int32_t v = edit_.Paragraphs.SelSpacingBefore(d.SelStart, 0);
        if (v == kMixedSpacing) return BeepOn(d);
        edit_.Paragraphs.SelSpacingBefore(d.SelStart, 0, v - delta);
        GetAllPartInfo(d);
    }
    Relayout();
}

void Keyboard::AlignToSource() {
    EditorData& d = data_;
    KeepSourceLines(d);
    const int32_t alignment = edit_.Paragraphs.Alignment(d.SelStart, 0);
    const char* message = nullptr;
    if (alignment == tessaly::AlignmentCpDq) {
        if (!CanAlignToSource(d, SourceKind::CpDq, alignment, message)) return control_.ShowMessage(message);
        d.InputWords = {MakeAlignSpaceWord(d, host_.CurrentInput())};
        if (edit_.Typed.InputWord(d.SelStart, d.SelLength)) LayOutEdit(d, page_);
    } else if (alignment == tessaly::AlignmentxjDq) {
        if (!CanAlignToSource(d, SourceKind::XjDq, alignment, message)) return control_.ShowMessage(message);
        // The spacing after the character before it becomes the gap: one undo step.
        const auto gap = BarAlignmentGap(d);
        if (gap && edit_.Spacing.SelWordSpace(d.SelStart - 1, 0, *gap)) LayOutEdit(d, page_);
    } else {
        return control_.ShowMessage(kNoAlignmentMessage);
    }
    page_.EnsureWordVisible(d.SelStart);
    page_.RefreshView(d.SelStart, d.SelLength, tessaly::OnePageRefresh);
}

void Keyboard::KeyUpCtrl(int32_t key) {
    EditorData& d = data_;
    switch (key) {
        case kVkUp: ChangeSpaceAbove(1); return;
        case kVkDown: ChangeSpaceAbove(-1); return;
        case kVkLeft:
        case kVkRight:
            edit_.Spacing.SetWordSpace(d.SelStart, d.SelLength, key == kVkLeft ? -1 : 1);
            Relayout();
            CheckSourceLines();
            return;
        case kVkTab: AlignToSource(); return;
        default: return;
    }
}

}  // namespace notaline
