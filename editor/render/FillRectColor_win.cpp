#include "render/FillRectColor_win.h"

#include "records/Numbers.h"
#include "win/GdiHandles.h"

namespace notaline {

void FillRectColor(HDC dc, float left, float top, float right, float bottom, uint32_t colour) {
    const RECT r{tessaly::CLng(left), tessaly::CLng(top), tessaly::CLng(right), tessaly::CLng(bottom)};
    win::BrushHandle brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.Get());
}

}  // namespace notaline
