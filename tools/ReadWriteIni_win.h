#pragma once
#include <string>

#include "api/IReadWriteIni.h"
#include "com/Object.h"

namespace tessaly {

class ReadWriteIni final : public com::DispatchObject<ReadWriteIni, IReadWriteIni> {
public:
    static std::span<const com::Member<ReadWriteIni>> Members();

    HRESULT STDMETHODCALLTYPE ReadINIFile(const wchar_t* AppName, const wchar_t* CurSection, const wchar_t* Filename,
                                          LONG ValType, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE WriteINIFile(const wchar_t* AppName, const wchar_t* CurSection, const wchar_t* SectionVal,
                                           const wchar_t* Filename) override;
    HRESULT STDMETHODCALLTYPE FileExists(const wchar_t* Filename, VARIANT_BOOL* exists) override;
    HRESULT STDMETHODCALLTYPE DeskTopPath(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetFileNameNoExt(const wchar_t* FilePathFileName, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetFileExtName(const wchar_t* FilePathFileName, BSTR* ext) override;
};

// The services themselves, shared by the interface and the dispatch table.
std::wstring ReadIniValue(std::wstring_view section, std::wstring_view key, std::wstring_view file);
void WriteIniValue(std::wstring_view section, std::wstring_view key, std::wstring_view value, std::wstring_view file);
bool NormalFileExists(std::wstring_view pattern);
std::wstring DesktopFolder();

}  // namespace tessaly
