#pragma once
#include <windows.h>
#include <oaidl.h>

// The picture box of Pavrot.dll (ProgID "Pavrot.PictureBox"), a windowed control reached by
// dispatch. Putting PicturePath loads that file (BMP, JPEG, GIF, PNG, WMF, EMF, ICO) and shows it
// scaled to fit, its aspect ratio kept; a file it cannot read leaves the box empty. Getting it gives
// the path last put, whether or not it loaded; Loaded (get) says whether it did.
struct IPavrot : IDispatch {};
__CRT_UUID_DECL(IPavrot, 0x4a8f1e26, 0x9d3b, 0x47c0, 0xa5, 0x6e, 0x13, 0xb7, 0x2f, 0x80, 0xc4, 0x59)

inline constexpr CLSID CLSID_Pavrot = {0x4a8f1e27, 0x9d3b, 0x47c0, {0xa5, 0x6e, 0x13, 0xb7, 0x2f, 0x80, 0xc4, 0x59}};
// The outgoing dispinterface; the box raises no events.
inline constexpr IID DIID_PavrotEvents = {0x4a8f1e28, 0x9d3b, 0x47c0, {0xa5, 0x6e, 0x13, 0xb7, 0x2f, 0x80, 0xc4, 0x59}};

namespace dispid::Pavrot {
enum : DISPID { PicturePath = 1, Loaded = 2 };
}
