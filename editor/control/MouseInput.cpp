#include "control/MouseInput.h"

#include <algorithm>
#include <cmath>

#include "model/document/GraceNotes.h"
#include "model/document/mGeneral.h"
#include "model/layout/LayoutSetup.h"

namespace notaline {
namespace {

// A point of a page relative to its corner, in client pixels (boxes are compared scaled).
struct PagePoint {
    double X = 0;
    double Y = 0;
};

PagePoint OnPage(const EditorData& d, const PageFrame& f, int32_t page, int32_t x, int32_t y) {
    return {x - PageLeft(f), y - PageTop(d, f, page)};
}

const StoredWord& Word(const EditorData& d, int32_t i) {
    return d.WordInfo[static_cast<size_t>(i)];
}

const tessaly::aLineInfo& Line(const EditorData& d, int32_t i) {
    return d.LineInfo[static_cast<size_t>(i)];
}

double Centre(const StoredWord& w, double scale) {
    return (w.Left + w.Right) / 2.0 * scale;
}

int32_t Round(double v) {
    return static_cast<int32_t>(std::lround(v));
}

// The selection as a forward range.
void SelectionRange(const EditorData& d, int32_t& first, int32_t& last) {
    first = std::min(d.SelStart, d.SelStart + d.SelLength);
    last = std::max(d.SelStart, d.SelStart + d.SelLength);
}

void Normalise(EditorData& d) {
    if (d.SelLength >= 0) return;
    d.SelStart += d.SelLength;
    d.SelLength = -d.SelLength;
}

int32_t Column(double v, double low, double high) {
    if (v >= low - 1 && v <= low + 1) return 1;
    if (v >= low + 1 && v <= high - 1) return 2;
    if (v >= high - 1 && v <= high + 1) return 3;
    return -100;
}

}  // namespace

double PageLeft(const PageFrame& f) {
    return f.OriginX + f.GapX;
}

double PageTop(const EditorData& d, const PageFrame& f, int32_t page) {
    return f.OriginY + f.GapY + page * (d.PageHeightPx * f.Scale + f.GapY);
}

int32_t PageHoldingPoint(const EditorData& d, MouseWindow& w, int32_t x, int32_t y) {
    const int32_t page = w.MousePageY(x, y);
    if (page < 0 || page >= d.PageCount()) return -1;
    const PageFrame f = w.Frame();
    const PagePoint p = OnPage(d, f, page, x, y);
    if (p.X < 0 || p.Y < 0 || p.X > d.PageWidthPx * f.Scale || p.Y > d.PageHeightPx * f.Scale) return -1;
    return page;
}

int32_t HitHwZone(double x, double y, double left, double right, double top, double bottom, int16_t& cursor) {
    const int32_t row = Column(y, top, bottom);
    const int32_t zone = Column(x, left, right) + (row < 0 ? row : 10 * row);
    switch (zone) {
        case 11:
        case 33: cursor = kCursorSizeNWSE; break;
        case 12:
        case 32: cursor = kCursorSizeNS; break;
        case 13:
        case 31: cursor = kCursorSizeNESW; break;
        case 21:
        case 23: cursor = kCursorSizeWE; break;
        case 22: cursor = kCursorMove; break;
        default: cursor = kCursorArrow; break;
    }
    return zone;
}

MouseHit MouseInput::HitTestText(int16_t button, int32_t x, int32_t y) {
    MouseHit hit;
    if (!d_.DocLoaded || d_.LineCount() == 0 || d_.PageCount() == 0) return hit;
    const PageFrame f = w_.Frame();
    hit.HitArea = tessaly::NameLessborder;
    if (button == 0 && (x < 0 || y < 0 || x > f.ClientWidth || y > f.ClientHeight)) return hit;
    const int32_t page = w_.MousePageY(x, y);
    if (page < 0 || page >= d_.PageCount()) return hit;
    const auto& pageInfo = d_.PageInfo[static_cast<size_t>(page)];
    const int32_t firstLine = pageInfo.StartLine;
    const int32_t lastLine = std::min(pageInfo.StartLine + pageInfo.LengthLine, d_.LineCount()) - 1;
    if (firstLine < 0 || lastLine < firstLine) return hit;
    const double s = f.Scale;
    const PagePoint p = OnPage(d_, f, page, x, y);

    // Above the first line counts as on it; between two lines, on the one above the gap.
    int32_t lineIndex = -1;
    if (p.Y < Line(d_, firstLine).Top * s) {
        lineIndex = firstLine;
    } else if (p.Y <= d_.PageHeightPx * s) {
        for (int32_t i = firstLine; i <= lastLine && Line(d_, i).Top * s <= p.Y; ++i) lineIndex = i;
    }
    if (lineIndex < 0) return hit;
    const auto& line = Line(d_, lineIndex);
    hit.HitLine = lineIndex;

    if (p.X >= 0 && p.X <= d_.WriteLeft * s) {
        hit.HitArea = tessaly::inLborder;
        hit.HitWord = line.Start;
        return hit;
    }
    const int32_t first = line.Start;
    const int32_t last = std::min(line.Start + line.Length, d_.WordCount()) - 1;
    if (last < first || p.X <= Centre(Word(d_, first), s)) {
        hit.HitWord = first;
    } else if (p.X > Centre(Word(d_, last), s)) {
        if (line.LineIsCtl) {
            hit.HitWord = last;
            d_.CaretAtLineEnd = false;
        } else {
            hit.HitWord = last + 1;
            if (button == kLeftButton) d_.CaretAtLineEnd = true;
        }
    } else {
        int32_t i = first;
        while (i < last && Centre(Word(d_, i), s) < p.X) ++i;
        hit.HitWord = i;
    }
    int32_t selFirst = 0, selLast = 0;
    SelectionRange(d_, selFirst, selLast);
    hit.HitArea =
        d_.SelLength != 0 && hit.HitWord >= selFirst && hit.HitWord <= selLast ? tessaly::inSelected : tessaly::inEdit;
    return hit;
}

void MouseInput::DownText(int16_t button, int32_t x, int32_t y) {
    hit_ = HitTestText(button, x, y);
    // A drag that another button began and never ended goes with the next press.
    selecting_ = dragging_ = false;
    switch (hit_.HitArea) {
        case tessaly::inLborder: {
            const auto& line = Line(d_, hit_.HitLine);
            d_.SelStart = hit_.HitWord;
            d_.CurLine = hit_.HitLine;
            if (button == kLeftButton) {
                // The document's closing paragraph mark is never selected.
                d_.SelLength = line.Length - (d_.SelStart + line.Length == d_.WordCount() ? 1 : 0);
            } else {
                d_.SelLength = d_.SelStart == d_.WordCount() ? -1 : 0;
            }
            view_.RefreshView(d_.SelStart, d_.SelLength, tessaly::SelColorRefresh);
            break;
        }
        case tessaly::inEdit:
            d_.SelStart = hit_.HitWord;
            d_.SelLength = 0;
            d_.CurLine = hit_.HitLine;
            selecting_ = true;
            view_.RefreshView(d_.SelStart, 0, tessaly::SelColorRefresh);
            break;
        case tessaly::inSelected: dragging_ = true; break;
        default: break;
    }
}

void MouseInput::MoveText(int16_t button, int32_t x, int32_t y) {
    hit_ = HitTestText(button, x, y);
    if (hit_.HitArea == tessaly::NameLessborder) return;
    if (button == kLeftButton) {
        if (selecting_) {
            d_.SelLength = hit_.HitWord - d_.SelStart;
        } else if (dragging_) {
            cursor_ = kCursorArrow;
            w_.DrawFocusRect({x, y, x + 8, y + 8});
        }
        return;
    }
    if (button != 0) return;
    cursor_ = hit_.HitArea == tessaly::inEdit ? kCursorIBeam : kCursorArrow;
    Hover(x, y);
}

bool MouseInput::OverCaretCharacter(int32_t x, int32_t y) {
    if (!d_.IsWord(d_.SelStart)) return false;
    const int32_t page = w_.MousePageY(x, y);
    // The caret's character is only under the mouse on its own page.
    if (page < 0 || page != GetPageOfWord(d_, d_.SelStart)) return false;
    const PageFrame f = w_.Frame();
    const PagePoint p = OnPage(d_, f, page, x, y);
    const auto& w = Word(d_, d_.SelStart);
    const double s = f.Scale;
    return p.X >= w.Left * s && p.X <= w.Right * s && p.Y >= w.Top * s && p.Y <= w.Bottom * s;
}

void MouseInput::Hover(int32_t x, int32_t y) {
    const bool over = OverCaretCharacter(x, y);
    if (over == overCaret_) return;
    overCaret_ = over;
    w_.HoverNotice(over);
    if (over && d_.SelLength == 0) {
        w_.ShowCaret(false);
        caretHidden_ = true;
    } else if (!over && caretHidden_) {
        w_.ShowCaret(true);
        caretHidden_ = false;
    }
}

void MouseInput::UpText(int16_t button, int16_t shift, int32_t x, int32_t y) {
    hit_ = HitTestText(button, x, y);
    if (hit_.HitArea == tessaly::NameLessborder) {
        Normalise(d_);
        // A left release ends a drag wherever it lands.
        if (button == kLeftButton) selecting_ = dragging_ = false;
        return;
    }
    if (shift != 0 || button != kLeftButton) return;
    if (selecting_) {
        selecting_ = false;
        d_.CurLine = hit_.HitLine;
        d_.SelLength = hit_.HitWord - d_.SelStart;
        Normalise(d_);
        view_.EnsureWordVisible(d_.SelStart);
        view_.RefreshView(d_.SelStart, d_.SelLength, tessaly::MainExtralRefresh);
    } else if (dragging_) {
        dragging_ = false;
        DropSelection();
    }
    if (d_.IsWord(d_.SelStart)) d_.CaretColumnX = static_cast<int16_t>(Word(d_, d_.SelStart).Left);
}

void MouseInput::DropSelection() {
    int32_t first = 0, last = 0;
    SelectionRange(d_, first, last);
    if (hit_.HitWord < first || hit_.HitWord > last) {
        d_.CurLine = hit_.HitLine;
        if (!CheckGraceNoteDrop(d_, hit_.HitWord)) return;
        int32_t to = hit_.HitWord;
        c_.Clipboard.DragDropWord(d_.SelStart, d_.SelLength, to);
        LayOutEdit(d_, view_);
        view_.EnsureWordVisible(d_.SelStart);
        view_.RefreshView(d_.SelStart, d_.SelLength, tessaly::MainExtralRefresh);
        return;
    }
    d_.SelLength = 0;
    d_.CurLine = hit_.HitLine;
    d_.SelStart = hit_.HitWord;
    view_.EnsureWordVisible(d_.SelStart);
    view_.RefreshView(d_.SelStart, 0, tessaly::MainExtralRefresh);
}

bool MouseInput::HasItemFocus() const {
    const int32_t focus = c_.Undo.CurrentHwFocus();
    return focus >= 0 && static_cast<size_t>(focus) < d_.HwWordInfo.size();
}

IntRect MouseInput::ItemBox(const tessaly::aHwWordInfo& item, const PageFrame& f) const {
    const double left = PageLeft(f) + item.X * f.Scale;
    const double top = PageTop(d_, f, item.iPage) + item.Y * f.Scale;
    return {Round(left), Round(top), Round(left + item.Width * f.Scale), Round(top + item.Height * f.Scale)};
}

void MouseInput::DownLpx(int16_t, int32_t x, int32_t y) {
    const int32_t page = w_.MousePageY(x, y);
    if (page < 0) return;
    c_.Undo.CurrentHwFocus(-1);
    cursor_ = kCursorArrow;
    const PageFrame f = w_.Frame();
    const PagePoint p = OnPage(d_, f, page, x, y);
    const double px = p.X / f.Scale, py = p.Y / f.Scale;
    for (size_t i = 0; i < d_.HwWordInfo.size(); ++i) {
        const auto& item = d_.HwWordInfo[i];
        if (item.iPage != page) continue;
        hwZone_ = HitHwZone(px, py, item.X, item.X + item.Width, item.Y, item.Y + item.Height, cursor_);
        if (hwZone_ <= 0) continue;
        focusRect_ = pressRect_ = ItemBox(item, f);
        c_.Undo.CurrentHwFocus(static_cast<int32_t>(i));
        w_.DrawFocusRect(focusRect_);
        itemBefore_ = item;
        d_.EditHwWordInfo = item;
        lastX_ = x;
        lastY_ = y;
        return;
    }
    cursor_ = kCursorArrow;
}

void MouseInput::MoveLpx(int16_t button, int32_t x, int32_t y) {
    if (w_.MousePageY(x, y) < 0 || !HasItemFocus()) return;
    IntRect& r = focusRect_;
    if (button == 0) {
        hwZone_ = HitHwZone(x, y, r.Left, r.Right, r.Top, r.Bottom, cursor_);
    } else if (button == kLeftButton) {
        const int32_t dx = x - lastX_, dy = y - lastY_;
        const int32_t column = hwZone_ % 10, row = hwZone_ / 10;
        if (hwZone_ <= 0 || column < 1 || column > 3 || row < 1 || row > 3) {
            cursor_ = kCursorArrow;
        } else {
            // The inside moves the whole box; an edge or corner moves only its own sides.
            if (column == 1 || column == 2) r.Left += dx;
            if (column == 3 || column == 2) r.Right += dx;
            if (row == 1 || row == 2) r.Top += dy;
            if (row == 3 || row == 2) r.Bottom += dy;
            w_.DrawFocusRect(r);
        }
    }
    lastX_ = x;
    lastY_ = y;
}

void MouseInput::UpLpx(int16_t button, int32_t x, int32_t y) {
    if (w_.MousePageY(x, y) < 0) return;
    if (!HasItemFocus()) {
        view_.RefreshView(d_.SelStart, d_.SelLength, tessaly::LpxRefresh);
        return;
    }
    if (button != kLeftButton) return;
    // The item takes what the box moved since the press, so that a release without a move
    // gives back the item exactly, at any zoom.
    const double s = w_.Frame().Scale;
    tessaly::aHwWordInfo edited = itemBefore_;
    edited.X = static_cast<float>(itemBefore_.X + (focusRect_.Left - pressRect_.Left) / s);
    edited.Y = static_cast<float>(itemBefore_.Y + (focusRect_.Top - pressRect_.Top) / s);
    edited.Width = static_cast<float>(
        itemBefore_.Width + ((focusRect_.Right - focusRect_.Left) - (pressRect_.Right - pressRect_.Left)) / s);
    edited.Height = static_cast<float>(
        itemBefore_.Height + ((focusRect_.Bottom - focusRect_.Top) - (pressRect_.Bottom - pressRect_.Top)) / s);
    d_.EditHwWordInfo = edited;
    const bool changed = edited.iPage != itemBefore_.iPage || edited.cf != itemBefore_.cf ||
                         edited.X != itemBefore_.X || edited.Y != itemBefore_.Y || edited.Width != itemBefore_.Width ||
                         edited.Height != itemBefore_.Height;
    if (changed && !c_.Items.ChangHwWordInfo()) {
        focusRect_ = pressRect_;  // the item stayed where it was
    } else {
        itemBefore_ = edited;
        pressRect_ = focusRect_;
    }
    view_.RefreshView(d_.SelStart, d_.SelLength, tessaly::LpxRefresh);
    w_.DrawFocusRect(focusRect_);
}

}  // namespace notaline
