#pragma once
#include <windows.h>
#include <oaidl.h>

// The tool-tip object of Quibbet.dll (ProgID "Quibbet.ToolTip"), reached by dispatch. A control
// argument is an object with a "hwnd" property or a window handle; left-out arguments are missing
// VARIANTs.
//   AddTool(control, [text], [flags])         attaches the text as the control's tip. flags: 1 the
//                                             tip shows while the mouse rests on the control, 4 it
//                                             stands centred below it; 0 neither (balloons only).
//   SetDelayTime(popDelay)                    milliseconds a tip stays up.
//   ShowBalloon(control, text, -, -, balloon, title, icon, -, flags, -, -, width)
//                                             shows text as a tip at the mouse over the control
//                                             (balloon shape unless false; icon 1 information,
//                                             2 warning, 3 error; flags 4: at the control's centre
//                                             instead; width: widest line in pixels). An empty text
//                                             removes it. "-": accepted and unused.
struct IQuibbet : IDispatch {};
__CRT_UUID_DECL(IQuibbet, 0x2d7e4a90, 0x51c3, 0x4b6e, 0x8f, 0x02, 0x9a, 0x3c, 0x61, 0xe4, 0x7b, 0x15)

inline constexpr CLSID CLSID_Quibbet = {0x2d7e4a91, 0x51c3, 0x4b6e, {0x8f, 0x02, 0x9a, 0x3c, 0x61, 0xe4, 0x7b, 0x15}};

namespace dispid::Quibbet {
enum : DISPID { AddTool = 1, SetDelayTime, ShowBalloon };
}
