#pragma once
#include <windows.h>

#include <memory>

#include "api/IMyScrollInfo.h"
#include "control/PageRenderer.h"
#include "model/document/EditorData.h"

namespace notaline {

// Where the renderer draws: the control's window with its page grid, for the host window's screen.
struct RenderTarget {
    EditorData& Data;
    HWND Window;
    HWND Host;
    IMyScrollInfo* Scroll;
};

// The page renderer of the control's window.
std::unique_ptr<PageRenderer> MakePageRenderer(const RenderTarget& target);

}  // namespace notaline
