#pragma once
#include <windows.h>
#include <oaidl.h>
#include <olectl.h>

#include <cstdint>

struct IZEVudu;
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

// The editor control's dual interface `_ZEVudu` and its events `__ZEVudu`. C++ callers reach
// the members through these methods, scripts through IDispatch; both end in the same member.
// A failed call returns the member's error code with an error object holding its text.
struct IZEVudu : IDispatch {
    STDMETHOD(get_Appearance)(zevudu::Appearance* value) PURE;
    STDMETHOD(put_Appearance)(zevudu::Appearance value) PURE;
    STDMETHOD(get_BackStyle)(zevudu::BackStyle* value) PURE;
    STDMETHOD(put_BackStyle)(zevudu::BackStyle value) PURE;
    STDMETHOD(get_BorderStyle)(zevudu::BorderStyle* value) PURE;
    STDMETHOD(put_BorderStyle)(zevudu::BorderStyle value) PURE;
    STDMETHOD(get_Enabled)(VARIANT_BOOL* value) PURE;
    STDMETHOD(put_Enabled)(VARIANT_BOOL value) PURE;
    STDMETHOD(get_SelLength)(LONG* value) PURE;
    STDMETHOD(put_SelLength)(LONG value) PURE;
    STDMETHOD(get_SelStart)(LONG* value) PURE;
    STDMETHOD(put_SelStart)(LONG value) PURE;
    STDMETHOD(get_WordYg)(LONG* value) PURE;
    STDMETHOD(put_WordYg)(LONG value) PURE;
    STDMETHOD(CanSetWordYg)(VARIANT_BOOL* result) PURE;
    STDMETHOD(CanSetWordYc)(VARIANT_BOOL* result) PURE;
    STDMETHOD(get_WordYC)(LONG* value) PURE;
    STDMETHOD(put_WordYC)(LONG value) PURE;
    STDMETHOD(get_hwnd)(LONG_PTR* value) PURE;
    STDMETHOD(get_HwWordColor)(OLE_COLOR* value) PURE;
    STDMETHOD(put_HwWordColor)(OLE_COLOR value) PURE;
    STDMETHOD(get_HwWordFocus)(LONG* value) PURE;
    STDMETHOD(SetFocus)() PURE;
    STDMETHOD(get_SelWordSpace)(short* value) PURE;
    STDMETHOD(put_SelWordSpace)(short value) PURE;
    STDMETHOD(get_SelWordUpSpace)(short* value) PURE;
    STDMETHOD(put_SelWordUpSpace)(short value) PURE;
    STDMETHOD(get_InputState)(LONG* value) PURE;
    STDMETHOD(put_InputState)(LONG value) PURE;
    STDMETHOD(HuXianYPos)(float* result) PURE;
    STDMETHOD(get_ScrollBars)(zevudu::ERECScrollBarConstants* value) PURE;
    STDMETHOD(put_ScrollBars)(zevudu::ERECScrollBarConstants value) PURE;
    STDMETHOD(get_ChangMingScale)(short* value) PURE;
    STDMETHOD(put_ChangMingScale)(short value) PURE;
    STDMETHOD(CanCopy)(VARIANT_BOOL* result) PURE;
    STDMETHOD(CanUndo)(VARIANT_BOOL* result) PURE;
    STDMETHOD(CanRedo)(VARIANT_BOOL* result) PURE;
    STDMETHOD(CanCut)(VARIANT_BOOL* result) PURE;
    STDMETHOD(CanPaste)(VARIANT_BOOL* result) PURE;
    STDMETHOD(get_SelIsCtl)(LONG SelStart, VARIANT_BOOL* value) PURE;
    STDMETHOD(CanDel)(VARIANT_BOOL* result) PURE;
    STDMETHOD(DelYY)() PURE;
    STDMETHOD(CanFormatYYInfo)(VARIANT_BOOL* result) PURE;
    STDMETHOD(put_SetQianYY)(VARIANT_BOOL value) PURE;
    STDMETHOD(get_ExtralWordVal1)(LONG SelStart, short Index, LONG* value) PURE;
    STDMETHOD(put_ExtralWordVal1)(LONG SelStart, short Index, LONG value) PURE;
    STDMETHOD(get_ExtralWordVal2)(LONG SelStart, short Index, LONG* value) PURE;
    STDMETHOD(put_ExtralWordVal2)(LONG SelStart, short Index, LONG value) PURE;
    STDMETHOD(get_ExtralWordVal3)(LONG SelStart, short Index, BSTR* value) PURE;
    STDMETHOD(put_ExtralWordVal3)(LONG SelStart, short Index, BSTR value) PURE;
    STDMETHOD(get_ExtralType)(LONG SelStart, short Index, short* value) PURE;
    STDMETHOD(put_ExtralType)(LONG SelStart, short Index, short value) PURE;
    STDMETHOD(get_CurLine)(LONG* value) PURE;
    STDMETHOD(ChangExtralType)(LONG DelExtralType, LONG AddExtralType, LONG DelExtralType2, LONG AddExtralType2) PURE;
    STDMETHOD(ConChangInputWord)(LONG dType, LONG iType) PURE;
    STDMETHOD(get_WordShuPaiSpace)(short* value) PURE;
    STDMETHOD(DelSelZhuYing)() PURE;
    STDMETHOD(get_SelZhuYingPosY)(short* value) PURE;
    STDMETHOD(put_SelZhuYingPosY)(short value) PURE;
    STDMETHOD(hdc)(LONG_PTR* result) PURE;
    STDMETHOD(SelAll)() PURE;
    STDMETHOD(get_WordFont)(OLE_COLOR* lColor, IFontDisp** value) PURE;
    STDMETHOD(putref_WordFont)(OLE_COLOR* lColor, IFontDisp* value) PURE;
    STDMETHOD(get_SelFontName)(BSTR* value) PURE;
    STDMETHOD(put_SelFontName)(BSTR value) PURE;
    STDMETHOD(get_SelFontBold)(VARIANT_BOOL* value) PURE;
    STDMETHOD(put_SelFontBold)(VARIANT_BOOL value) PURE;
    STDMETHOD(get_SelFontItalic)(VARIANT_BOOL* value) PURE;
    STDMETHOD(put_SelFontItalic)(VARIANT_BOOL value) PURE;
    STDMETHOD(get_SelFontUnderline)(VARIANT_BOOL* value) PURE;
    STDMETHOD(put_SelFontUnderline)(VARIANT_BOOL value) PURE;
    STDMETHOD(get_SelFontStrikeOut)(VARIANT_BOOL* value) PURE;
    STDMETHOD(put_SelFontStrikeOut)(VARIANT_BOOL value) PURE;
    STDMETHOD(get_SelFontSize)(short* value) PURE;
    STDMETHOD(put_SelFontSize)(short value) PURE;
    STDMETHOD(get_SelForeColor)(OLE_COLOR* value) PURE;
    STDMETHOD(put_SelForeColor)(OLE_COLOR value) PURE;
    STDMETHOD(get_SelWordBkColor)(OLE_COLOR* value) PURE;
    STDMETHOD(put_SelWordBkColor)(OLE_COLOR value) PURE;
    STDMETHOD(GetColorLng)(short* ColorTblIndex, LONG* result) PURE;
    STDMETHOD(RefreshExtralChang)() PURE;
    STDMETHOD(RefreshAll)() PURE;
    STDMETHOD(RefreshSel)() PURE;
    STDMETHOD(get_CanDelYY)(short* value) PURE;
    STDMETHOD(get_CanDelAreaInfo)(LONG* i, short* value) PURE;
    STDMETHOD(get_IsKfKhTFZRight)(VARIANT_BOOL* value) PURE;
    STDMETHOD(get_IsKhHuXianRight)(VARIANT_BOOL* value) PURE;
    STDMETHOD(get_IsKhLingYingRight)(VARIANT_BOOL* value) PURE;
    STDMETHOD(get_IsKHTFZRight)(VARIANT_BOOL* value) PURE;
    STDMETHOD(InsterHwWord)(short* Index) PURE;
    STDMETHOD(TurnToYFWord)() PURE;
    STDMETHOD(CanShuPaiWord)(VARIANT_BOOL* result) PURE;
    STDMETHOD(get_Alignment)(LONG* value) PURE;
    STDMETHOD(put_Alignment)(LONG value) PURE;
    STDMETHOD(get_FristLineStr)(BSTR* value) PURE;
    STDMETHOD(PrintDoc)() PURE;
    STDMETHOD(get_pScale)(float* value) PURE;
    STDMETHOD(put_pScale)(float value) PURE;
    STDMETHOD(get_Modified)(VARIANT_BOOL* value) PURE;
    STDMETHOD(put_Modified)(VARIANT_BOOL value) PURE;
    STDMETHOD(get_LineSpace)(LONG* value) PURE;
    STDMETHOD(put_LineSpace)(LONG value) PURE;
    STDMETHOD(get_CPdqLine)(LONG* value) PURE;
    STDMETHOD(put_CPdqLine)(LONG value) PURE;
    STDMETHOD(get_XjdqLine)(LONG* value) PURE;
    STDMETHOD(put_XjdqLine)(LONG value) PURE;
    STDMETHOD(JiePaiHaoWidth)(short* Values1, short* Values2) PURE;
    STDMETHOD(get_Paper)(LONG* value) PURE;
    STDMETHOD(put_Paper)(LONG value) PURE;
    STDMETHOD(get_BoxBackGroundType)(short* value) PURE;
    STDMETHOD(put_BoxBackGroundType)(short value) PURE;
    STDMETHOD(get_PagePosType)(short* value) PURE;
    STDMETHOD(put_PagePosType)(short value) PURE;
    STDMETHOD(get_PgNumberSize)(short* value) PURE;
    STDMETHOD(put_PgNumberSize)(short value) PURE;
    STDMETHOD(SavePic)(BSTR* FileName, VARIANT* result) PURE;
    STDMETHOD(关闭音乐)() PURE;
    STDMETHOD(get_暂停)(VARIANT_BOOL* value) PURE;
    STDMETHOD(put_暂停)(VARIANT_BOOL* value) PURE;
    STDMETHOD(get_正在播放)(VARIANT_BOOL* value) PURE;
    STDMETHOD(EditDrum)() PURE;
    STDMETHOD(播放音乐)() PURE;
    STDMETHOD(设置演唱参数)() PURE;
    // The name (and Modified) as the user's save under way will leave it: read after it is told.
    STDMETHOD(get_FileName)(BSTR* value) PURE;
    STDMETHOD(put_FileName)(BSTR value) PURE;
    STDMETHOD(SaveFile)(BSTR* aFileName, LONG_PTR m_hWndParent) PURE;
    STDMETHOD(SaveMidFile)(BSTR* FileName) PURE;
    // The paragraph settings as a 16-byte array.
    STDMETHOD(get_PartAtt)(VARIANT* value) PURE;
    STDMETHOD(put_PartAtt)(VARIANT* value) PURE;
    STDMETHOD(get_UpSpace)(float* value) PURE;
    STDMETHOD(put_UpSpace)(float* value) PURE;
    STDMETHOD(Refresh)() PURE;
};

// What only the program that hosts the control asks of it, in its own process: its writes
// beside the window. A script's SaveFile is written before the call returns; these return at once.
struct IZEVuduHost;
__CRT_UUID_DECL(IZEVuduHost, 0x4e3b5a13, 0x7c2d, 0x4f61, 0x9b, 0x0e, 0x3d, 0x5a, 0x8c, 0x21, 0x64, 0xf0)
struct IZEVuduHost : IUnknown {
    // Starts writing the backup copy of the document as it is now. S_FALSE: the last copy is still
    // being written, and none is started; a failure of the last copy fails this call, once.
    STDMETHOD(WriteBackup)(BSTR FileName) PURE;
    // The user's save of the document as it is now to FileName, reported to HostWindow as SaveFile
    // with a window reports, once written; then kSaveDoneMessage is sent to HostWindow (wParam 1
    // when written, 0 when not, lParam the name as a const wchar_t*). S_FALSE: the user kept the
    // file another program wrote, and nothing is written. A save under way is waited for first.
    STDMETHOD(SaveBeside)(BSTR FileName, LONG_PTR HostWindow) PURE;
    // Until no save started by SaveBeside is under way, its outcome told.
    STDMETHOD(WaitForSaves)() PURE;
    // The user's pictures of the document as it is now, every page under FileName's pattern:
    // written beside the window, their progress and outcome told to the host later (a caller's
    // SavePic returns when its pictures are written). S_FALSE: refused with a beep (an export under
    // way, a document still being read) or not started after the questions (a refused overwrite,
    // a bad name, told).
    STDMETHOD(SavePicturesBeside)(BSTR FileName) PURE;
    // S_OK while pictures started by SavePicturesBeside are being written, S_FALSE when none are.
    STDMETHOD(PicturesUnderWay)() PURE;
    // Until those pictures are written, their progress shown to the host and Esc stopping them
    // after the page being written; their outcome told. S_FALSE: none were under way.
    STDMETHOD(WaitForPictures)() PURE;
};
// The name of the registered message that tells the host a SaveBeside ended.
inline constexpr wchar_t kSaveDoneMessage[] = L"Notaline.SaveDone";

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
