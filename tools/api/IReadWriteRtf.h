#pragma once
#include <windows.h>
#include <oaidl.h>

#include "records/JpData.h"

// Reads a DaDur document, or the built-in default document, and writes one.
// One object serves one read (ReadRtfFile, then GetJpData) or one save
// (LetJpData, then WriteRtfFile). A failed call answers a failure HRESULT
// with *ok false: a failed read keeps the document held before it, a failed
// write keeps the file as it was.
struct IReadWriteRtf : IDispatch {
    // An empty name reads the built-in default document. Progress goes to hwndParent.
    virtual HRESULT STDMETHODCALLTYPE ReadRtfFile(LONG_PTR hwndParent, BSTR fileName, VARIANT_BOOL* ok) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetJpData(tessaly::JpData* data) = 0;
    virtual HRESULT STDMETHODCALLTYPE LetJpData(const tessaly::JpData* data) = 0;
    // Progress goes to hwndParent unless it is 0.
    virtual HRESULT STDMETHODCALLTYPE WriteRtfFile(BSTR fileName, LONG_PTR hwndParent, VARIANT_BOOL* ok) = 0;
    // The text of mark slot j (0 to 7) of character i.
    virtual HRESULT STDMETHODCALLTYPE SetV3ArrToStr(LONG i, SHORT j, BSTR* text) = 0;
};
__CRT_UUID_DECL(IReadWriteRtf, 0x53ac9f2c, 0x967f, 0x4b57, 0xae, 0x4f, 0x02, 0x4d, 0xba, 0x8e, 0x4e, 0x96)

inline constexpr CLSID CLSID_ReadWriteRtf = {
    0x2763dcd7, 0x1761, 0x44fd, {0x99, 0x0a, 0x0d, 0xff, 0x8f, 0x50, 0x63, 0xb4}};

namespace dispid::ReadWriteRtf {
enum : DISPID { ReadRtfFile = 1, GetJpData = 2, LetJpData = 3, WriteRtfFile = 4, SetV3ArrToStr = 5 };
}
