#pragma once
#include <windows.h>
#include <oaidl.h>

#include "records/JpData.h"

// Reads and writes ZoRiv documents. One object serves one load (ReadDocFile, then GetJpData) or
// one save (LetJpData, then WriteDocFile). Failures come back as HRESULTs of the form
// 0x800A0000 + error number, with the description in the thread's error info.
struct IReadWriteDoc : IDispatch {
    // Progress (EM_RunPre) goes to *hwndParent; *ok is VARIANT_TRUE when the file was read.
    virtual HRESULT STDMETHODCALLTYPE ReadDocFile(LONG_PTR* hwndParent, BSTR fileName, VARIANT_BOOL* ok) = 0;
    // Progress goes to hwndParent when it is not 0.
    virtual HRESULT STDMETHODCALLTYPE WriteDocFile(BSTR fileName, LONG_PTR hwndParent) = 0;
    // Deep copies of the whole document, out of and into the object.
    virtual HRESULT STDMETHODCALLTYPE GetJpData(tessaly::JpData* data) = 0;
    virtual HRESULT STDMETHODCALLTYPE LetJpData(const tessaly::JpData* data) = 0;
};
__CRT_UUID_DECL(IReadWriteDoc, 0x4c898e7a, 0x6fc4, 0x41c1, 0xb9, 0x7e, 0xd3, 0x55, 0x5d, 0xc5, 0xab, 0x2e)

inline constexpr CLSID CLSID_ReadWriteDoc = {
    0xc76e4528, 0x2679, 0x4219, {0xb2, 0xa4, 0x43, 0x8d, 0xca, 0x55, 0xcd, 0xe0}};

// By dispatch, GetJpData and LetJpData take the address of a tessaly::JpData.
namespace dispid::ReadWriteDoc {
enum : DISPID { ReadDocFile = 1, WriteDocFile = 2, GetJpData = 3, LetJpData = 4 };
}
