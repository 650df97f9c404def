#pragma once
#include <windows.h>
#include <oaidl.h>

// The image button Button of Kavrel.dll: a dispatch interface (its members
// are reached by dispatch identifier), the empty interface of the library's
// global drawing class, and the events.
struct IButton : IDispatch {};
__CRT_UUID_DECL(IButton, 0x3c1f6a40, 0x7d2b, 0x4e5a, 0x9b, 0x61, 0x2f, 0x0d, 0x84, 0xa7, 0x5e, 0x11)

struct IcGDIPlusGlobal : IDispatch {};
__CRT_UUID_DECL(IcGDIPlusGlobal, 0x3c1f6a41, 0x7d2b, 0x4e5a, 0x9b, 0x61, 0x2f, 0x0d, 0x84, 0xa7, 0x5e, 0x11)

inline constexpr IID DIID_ButtonEvents = {0x3c1f6a42, 0x7d2b, 0x4e5a, {0x9b, 0x61, 0x2f, 0x0d, 0x84, 0xa7, 0x5e, 0x11}};
inline constexpr CLSID CLSID_Button = {0x3c1f6a43, 0x7d2b, 0x4e5a, {0x9b, 0x61, 0x2f, 0x0d, 0x84, 0xa7, 0x5e, 0x11}};

namespace dispid::Button {
enum : DISPID {
    hwnd = 1,
    hDC,
    UserControlMouseUp,
    Enabled,
    ButtonIndex,
    RefreshDraw,
    RgnForm,
    ButtonType,
    ForeColor,
    ButtonDown,
    RGBtoARGB,
    BackColor,
    TranColor,
    PressDownType,
    GetDpi,
};
}

namespace dispid::ButtonEvents {
enum : DISPID { Click = 1, MouseEnter, MouseExit, MouseDown, MouseMove, MouseUp };
}

// The library's drawing class, public for other clients (the button uses it directly).
struct IcGDIPlus : IDispatch {};
__CRT_UUID_DECL(IcGDIPlus, 0x3c1f6a44, 0x7d2b, 0x4e5a, 0x9b, 0x61, 0x2f, 0x0d, 0x84, 0xa7, 0x5e, 0x11)
inline constexpr CLSID CLSID_cGDIPlus = {0x3c1f6a45, 0x7d2b, 0x4e5a, {0x9b, 0x61, 0x2f, 0x0d, 0x84, 0xa7, 0x5e, 0x11}};
inline constexpr CLSID CLSID_cGDIPlusGlobal = {
    0x3c1f6a46, 0x7d2b, 0x4e5a, {0x9b, 0x61, 0x2f, 0x0d, 0x84, 0xa7, 0x5e, 0x11}};

namespace dispid::cGDIPlus {
enum : DISPID {
    m_uLastStatus = 1,
    CreateGraphicsWithImage,
    CreateBitmapFromGraphics,
    ShowImageToHDC,
    SaveFile,
    CreateGraphicsFromHDC,
    CreateGraphicsFromHWND,
    GetRBGFromOLEColour,
    DrawRectangleI,
    DrawLineI,
    SolidFillRectangle,
    SetSmoothingMode,
    DrawEllipseI,
    DrawEllipseI_Angle,
    SolidFillEllipse,
    GradualChangeFillRectangle,
    GradualChangeFillEllipse,
    DrawNormalText,
    SaveImageToPNG,
    SaveImageToGIF,
    SaveImageToBMP,
    SaveImageToJPG,
    SaveImageToTIF,
    DrawImageFromFile,
    DrawImageFromStream,
    DrawImageFormPictureHandle,
    DrawSpecialText,
    DrawImageFormIcoHandle,
    DrawTexture,
    GraphicsClear,
    RotateWorldTransform,
    TranslateWorldTransform,
    DrawImagePartScale,
    DrawPieI,
    SolidFillPie,
    DrawArc,
    SaveHDCToFile,
    DrawImageFromStream_ToWH,
    DrawPath,
};
}
