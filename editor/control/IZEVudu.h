#pragma once
#include <oaidl.h>
#include <olectl.h>
#include <windows.h>

// The editor control's dispatch interface `_ZEVudu` and its events `__ZEVudu`. Members are
// reached by dispatch identifier only, so the interface declares nothing beyond IDispatch.
struct IZEVudu : IDispatch {};
__CRT_UUID_DECL(IZEVudu, 0x4e3b5a10, 0x7c2d, 0x4f61, 0x9b, 0x0e, 0x3d, 0x5a, 0x8c, 0x21, 0x64, 0xf0)

inline constexpr CLSID CLSID_ZEVudu = {0x4e3b5a11, 0x7c2d, 0x4f61, {0x9b, 0x0e, 0x3d, 0x5a, 0x8c, 0x21, 0x64, 0xf0}};
inline constexpr IID DIID_ZEVuduEvents = {0x4e3b5a12, 0x7c2d, 0x4f61, {0x9b, 0x0e, 0x3d, 0x5a, 0x8c, 0x21, 0x64, 0xf0}};

// The enumerations of the control's properties; InputState is the records' own.
namespace zevudu {
enum Appearance : int16_t {
    Flat = 0,
    ThreeD = 1,  // named "3D"
};
enum BackStyle : int16_t {
    透明 = 0,    // transparent
    不透明 = 1,  // opaque
};
enum BorderStyle : int16_t {
    无边框 = 0,    // no border
    简单边框 = 1,  // single border
};
enum ERECScrollBarConstants : int32_t {
    ercScrollBarsNone = 1,
    ercScrollBarsHorizontal = 2,
    ercScrollBarsVertical = 3,
    ercScrollBarsBoth = 4,
};
}  // namespace zevudu

// wingdi.h defines TRANSPARENT, the name of an event.
#pragma push_macro("TRANSPARENT")
#undef TRANSPARENT

// Members in the order of the interface.
namespace dispid::ZEVudu {
enum : DISPID {
    Appearance = 1,
    BackStyle,
    BorderStyle,
    Enabled,
    SelLength,
    SelStart,
    WordYg,
    CanSetWordYg,
    CanSetWordYc,
    WordYC,
    hwnd,
    HwWordColor,
    HwWordFocus,
    SetFocus,
    SelWordSpace,
    SelWordUpSpace,
    InputState,
    HuXianYPos,
    ScrollBars,
    ChangMingScale,
    CanCopy,
    CanUndo,
    CanRedo,
    CanCut,
    CanPaste,
    SelIsCtl,
    CanDel,
    DelYY,
    CanFormatYYInfo,
    SetQianYY,
    ExtralWordVal1,
    ExtralWordVal2,
    ExtralWordVal3,
    ExtralType,
    CurLine,
    ChangExtralType,
    ConChangInputWord,
    WordShuPaiSpace,
    DelSelZhuYing,
    SelZhuYingPosY,
    hdc,
    SelAll,
    WordFont,
    SelFontName,
    SelFontBold,
    SelFontItalic,
    SelFontUnderline,
    SelFontStrikeOut,
    SelFontSize,
    SelForeColor,
    SelWordBkColor,
    GetColorLng,
    RefreshExtralChang,
    RefreshAll,
    RefreshSel,
    CanDelYY,
    CanDelAreaInfo,
    IsKfKhTFZRight,
    IsKhHuXianRight,
    IsKhLingYingRight,
    IsKHTFZRight,
    InsterHwWord,
    TurnToYFWord,
    CanShuPaiWord,
    Alignment,
    FristLineStr,
    PrintDoc,
    pScale,
    Modified,
    LineSpace,
    CPdqLine,
    XjdqLine,
    JiePaiHaoWidth,
    Paper,
    BoxBackGroundType,
    PagePosType,
    PgNumberSize,
    SavePic,
    关闭音乐,
    暂停,
    正在播放,
    EditDrum,
    播放音乐,
    设置演唱参数,
    FileName,
    SaveFile,
    SaveMidFile,
    PartAtt,
    UpSpace,
    // The control's own Refresh, at the standard identifier.
    Refresh = DISPID_REFRESH,
};
static_assert(UpSpace == 89);
}  // namespace dispid::ZEVudu

namespace dispid::ZEVuduEvents {
enum : DISPID {
    Change = 1,
    Click,
    DblClick,
    KeyDown,
    KeyPress,
    KeyUp,
    MouseDown,
    MouseMove,
    MouseUp,
    SelectChange,
    OLEDragDrop,
    OLEDragOver,
    TRANSPARENT,
    Validate,
    VScroll,
    HScroll,
};
static_assert(HScroll == 16);
}  // namespace dispid::ZEVuduEvents

#pragma pop_macro("TRANSPARENT")
