#pragma once

#include <cstdint>

#include "model/document/EditorData.h"
#include "model/document/PageView.h"
#include "model/edit/EditCommands.h"
#include "paint/Canvas.h"

namespace notaline {

// Where the pages stand in the window: one column, a gap before each page.
struct PageFrame {
    double OriginX = 0;  // window position of the document's origin: the scroll offsets negated
    double OriginY = 0;
    double GapX = 0;
    double GapY = 0;
    double Scale = 1;
    int32_t ClientWidth = 0;
    int32_t ClientHeight = 0;
};

// A page's top-left corner in client pixels.
double PageLeft(const PageFrame& f);
double PageTop(const EditorData& d, const PageFrame& f, int32_t page);

// What the mouse asks of the window it works in.
class MouseWindow {
public:
    virtual ~MouseWindow() = default;
    virtual PageFrame Frame() = 0;
    // The page row under a client point (the scroll service's answer); -1 for none.
    virtual int32_t MousePageY(int32_t x, int32_t y) = 0;
    // Tells the host the mouse came onto (true) or left the caret's character.
    virtual void HoverNotice(bool over) = 0;
    virtual void ShowCaret(bool show) = 0;
    // The system's focus-rectangle drawing, straight onto the window.
    virtual void DrawFocusRect(const IntRect& box) = 0;
};

// The page whose box holds the client point; -1 when the point is beside, between or past the pages.
int32_t PageHoldingPoint(const EditorData& d, MouseWindow& w, int32_t x, int32_t y);

// The text hit test: HitArea is one of tessaly::nMouseArea, 0 when nothing was found.
struct MouseHit {
    int32_t HitWord = 0;
    int32_t HitLine = 0;
    int32_t HitArea = 0;
};

// Cursor shapes, as the control's MousePointer takes them.
enum MouseCursor : int16_t {
    kCursorArrow = 0,
    kCursorIBeam = 3,
    kCursorMove = 5,
    kCursorSizeNESW = 6,
    kCursorSizeNS = 7,
    kCursorSizeNWSE = 8,
    kCursorSizeWE = 9,
};

// The zone of a point against a box with one unit of tolerance: column 1, 2, 3 (left edge,
// inside, right edge) plus row 10, 20, 30; negative outside. `cursor` gets the sizing shape.
int32_t HitHwZone(double x, double y, double left, double right, double top, double bottom, int16_t& cursor);

// Buttons and keys as the control's mouse events give them.
constexpr int16_t kLeftButton = 1;

// The mouse in one editor: caret placement, selection, moving the selection, and the free items
// of connecting-line mode. Positions are client pixels.
class MouseInput {
public:
    MouseInput(EditorData& data, EditCommands& commands, PageView& view, MouseWindow& window)
        : d_(data), c_(commands), view_(view), w_(window) {}

    // The character and line under a point; a left button at the end of a wrapped line sets
    // CaretAtLineEnd.
    MouseHit HitTestText(int16_t button, int32_t x, int32_t y);

    void DownText(int16_t button, int32_t x, int32_t y);
    void MoveText(int16_t button, int32_t x, int32_t y);
    // shift: the keys held at the release.
    void UpText(int16_t button, int16_t shift, int32_t x, int32_t y);

    void DownLpx(int16_t button, int32_t x, int32_t y);
    void MoveLpx(int16_t button, int32_t x, int32_t y);
    void UpLpx(int16_t button, int32_t x, int32_t y);

    int16_t Cursor() const { return cursor_; }
    const MouseHit& LastHit() const { return hit_; }
    bool SelectingByMouse() const { return selecting_; }
    bool DraggingSelection() const { return dragging_; }
    bool OverCaretWord() const { return overCaret_; }
    const IntRect& FocusRect() const { return focusRect_; }

private:
    bool HasItemFocus() const;
    bool OverCaretCharacter(int32_t x, int32_t y);
    void Hover(int32_t x, int32_t y);
    void DropSelection();
    IntRect ItemBox(const tessaly::aHwWordInfo& item, const PageFrame& f) const;

    EditorData& d_;
    EditCommands& c_;
    PageView& view_;
    MouseWindow& w_;

    MouseHit hit_;
    bool selecting_ = false;
    bool dragging_ = false;
    bool overCaret_ = false;
    bool caretHidden_ = false;  // hidden by the hover, to be shown again when the mouse leaves
    int16_t cursor_ = kCursorArrow;

    int32_t hwZone_ = 0;
    IntRect focusRect_;
    IntRect pressRect_;  // the focused item's box at the press
    int32_t lastX_ = 0;
    int32_t lastY_ = 0;
    tessaly::aHwWordInfo itemBefore_;
};

}  // namespace notaline
