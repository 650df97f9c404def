#pragma once
#include <windows.h>
#include <oaidl.h>

// {6B1D2C4E-3A5F-4E7B-9C21-5D8E0F1A2B3C}  CLSID_Selmoda
// {6B1D2C4E-3A5F-4E7B-9C21-5D8E0F1A2B3D}  IID_ISelmoda
// The bar list of Selmoda.dll (ProgID "Selmoda.BarList"): a windowed control listing the bars of a
// song with their kind, volta text and block number.
struct ISelmoda : IDispatch {
    // Copies the bars bar[0..upperBound] (aXjInfo, tools/records/Playback.h) during the call.
    // upperBound -1 empties the list. Bad bound (< -1 or > 100000) or null address with a
    // bound >= 0: E_INVALIDARG, nothing read.
    virtual HRESULT STDMETHODCALLTYPE ShowBars(LONG_PTR firstBar, LONG upperBound) = 0;
};
__CRT_UUID_DECL(ISelmoda, 0x6b1d2c4e, 0x3a5f, 0x4e7b, 0x9c, 0x21, 0x5d, 0x8e, 0x0f, 0x1a, 0x2b, 0x3d)

inline constexpr CLSID CLSID_Selmoda = {0x6b1d2c4e, 0x3a5f, 0x4e7b, {0x9c, 0x21, 0x5d, 0x8e, 0x0f, 0x1a, 0x2b, 0x3c}};

namespace dispid::Selmoda {
enum : DISPID { ShowBars = 1 };
}

// The outgoing dispinterface; the list raises no events.
inline constexpr IID DIID_SelmodaEvents = {
    0x6b1d2c4e, 0x3a5f, 0x4e7b, {0x9c, 0x21, 0x5d, 0x8e, 0x0f, 0x1a, 0x2b, 0x3e}};
