#pragma once

#include <cstdint>
#include <functional>

#include "model/document/EditorData.h"
#include "model/document/PageView.h"
#include "model/document/WholeLayout.h"
#include "paint/PageScreen.h"

namespace notaline {

class ScreenRenderer;

// The page renderer of the control's window: what the editing objects ask of it, and what the
// control itself needs for its window.
class PageRenderer : public PageView {
public:
    // The pages themselves, for printing and pictures; null when the control shows none.
    virtual ScreenRenderer* Screen() { return nullptr; }
    // Before the control's window goes back to its own procedure.
    virtual void DeletePageBufferDCs() = 0;
    // Takes the zoom only once page buffers of its size are made: on refusal (with a beep) the
    // document's zoom, the scroll grid and the buffers all stay at the old one. True when taken.
    virtual bool ZoomTo(float scale) = 0;
    // Where the input method's composition window goes.
    virtual CaretBox CaretRect() = 0;
    // Told after the view went back to the document's start (a load, a full re-layout).
    std::function<void()> OnViewReset;
    // Told when joining up a line a key cut short changed the page count or the caret's line.
    std::function<void()> OnPagesCounted;

    // Every join of the control's layout goes through these two, so that OnPagesCounted tells
    // the host the counts the layout gives once it is whole: JoinUp joins the line a key cut
    // short up, JoinUpStep takes the idle time's step of that work (false when no line is cut).
    WholeLayout JoinUp(EditorData& data);
    bool JoinUpStep(EditorData& data, int32_t lines);
};

}  // namespace notaline
