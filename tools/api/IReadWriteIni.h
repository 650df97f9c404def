#pragma once
#include <windows.h>
#include <oaidl.h>

// INI values and file names. Stateless.
struct IReadWriteIni : IDispatch {
    // The value is a VT_BSTR, empty for a missing file, section or key. ValType is not used.
    virtual HRESULT STDMETHODCALLTYPE ReadINIFile(const wchar_t* AppName, const wchar_t* CurSection,
                                                  const wchar_t* Filename, LONG ValType, VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE WriteINIFile(const wchar_t* AppName, const wchar_t* CurSection,
                                                   const wchar_t* SectionVal, const wchar_t* Filename) = 0;
    virtual HRESULT STDMETHODCALLTYPE FileExists(const wchar_t* Filename, VARIANT_BOOL* exists) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeskTopPath(BSTR* path) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFileNameNoExt(const wchar_t* FilePathFileName, BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFileExtName(const wchar_t* FilePathFileName, BSTR* ext) = 0;
};
__CRT_UUID_DECL(IReadWriteIni, 0x2c3398d2, 0xdfc7, 0x472a, 0xb9, 0x01, 0x00, 0xa9, 0x09, 0xd3, 0xfc, 0xbb)

inline constexpr CLSID CLSID_ReadWriteIni = {
    0x2b0240b8, 0x8841, 0x4115, {0x86, 0xa6, 0x94, 0xa9, 0x4c, 0x91, 0xd6, 0xbd}};

namespace dispid::ReadWriteIni {
enum : DISPID { ReadINIFile = 1, WriteINIFile, FileExists, DeskTopPath, GetFileNameNoExt, GetFileExtName };
}
