#include "ReadWriteIni_win.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "FileAccess.h"
#include "FileNames.h"
#include "text/WideText_win.h"
#include "win/KernelHandles.h"

namespace tessaly {
namespace {

// Values are read whole, then cut as a 255-byte ANSI buffer would cut them.
constexpr DWORD kReadBuffer = 32768;
constexpr size_t kValueBytes = 254;

}  // namespace

std::wstring ReadIniValue(std::wstring_view section, std::wstring_view key, std::wstring_view file) {
    const std::wstring s(section), k(key), f(file);
    if (SettingsFileTooLarge(f)) return {};
    std::vector<wchar_t> buffer(kReadBuffer, L'\0');
    const DWORD n = GetPrivateProfileStringW(s.c_str(), k.c_str(), L"", buffer.data(), kReadBuffer, f.c_str());
    const std::wstring_view read(buffer.data(), std::min<DWORD>(n, kReadBuffer - 1));
    return ToWide(CutToAnsiBytes(UpToNul(ToU16(read)), kValueBytes));
}

void WriteIniValue(std::wstring_view section, std::wstring_view key, std::wstring_view value, std::wstring_view file) {
    const std::wstring s(section), k(key), v(value), f(file);
    if (SettingsFileTooLarge(f)) return;
    WritePrivateProfileStringW(s.c_str(), k.c_str(), v.c_str(), f.c_str());
}

bool NormalFileExists(std::wstring_view pattern) {
    if (pattern.empty()) return false;
    const std::wstring p(pattern);
    WIN32_FIND_DATAW data;
    const win::FindHandle find(FindFirstFileW(p.c_str(), &data));
    if (!find) return false;
    // Folders, hidden and system files are not what the callers look for.
    constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    bool found = false;
    do {
        if (!(data.dwFileAttributes & kNotNormal)) found = true;
    } while (!found && FindNextFileW(find.Get(), &data));
    return found;
}

std::wstring DesktopFolder() {
    win::TaskMemory<ITEMIDLIST_ABSOLUTE> list;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, list.Out())) || !list) return {};
    wchar_t path[MAX_PATH + 1] = {};
    return SHGetPathFromIDListW(list.Get(), path) ? std::wstring(path) : std::wstring();
}

HRESULT ReadWriteIni::ReadINIFile(const wchar_t* AppName, const wchar_t* CurSection, const wchar_t* Filename, LONG,
                                  VARIANT* value) {
    if (!value) return E_POINTER;
    return com::Guard([&] {
        const std::wstring text = ReadIniValue(Text(AppName), Text(CurSection), Text(Filename));
        VariantInit(value);
        V_VT(value) = VT_BSTR;
        V_BSTR(value) = AllocBstr(text);
    });
}

HRESULT ReadWriteIni::WriteINIFile(const wchar_t* AppName, const wchar_t* CurSection, const wchar_t* SectionVal,
                                   const wchar_t* Filename) {
    return com::Guard([&] { WriteIniValue(Text(AppName), Text(CurSection), Text(SectionVal), Text(Filename)); });
}

HRESULT ReadWriteIni::FileExists(const wchar_t* Filename, VARIANT_BOOL* exists) {
    if (!exists) return E_POINTER;
    *exists = VARIANT_FALSE;
    return com::Guard([&] { *exists = NormalFileExists(Text(Filename)) ? VARIANT_TRUE : VARIANT_FALSE; });
}

HRESULT ReadWriteIni::DeskTopPath(BSTR* path) {
    if (!path) return E_POINTER;
    *path = nullptr;
    return com::Guard([&] { *path = AllocBstr(DesktopFolder()); });
}

HRESULT ReadWriteIni::GetFileNameNoExt(const wchar_t* FilePathFileName, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    return com::Guard([&] { *name = AllocBstr(ToWide(FileNameNoExt(ToU16(Text(FilePathFileName))))); });
}

HRESULT ReadWriteIni::GetFileExtName(const wchar_t* FilePathFileName, BSTR* ext) {
    if (!ext) return E_POINTER;
    *ext = nullptr;
    return com::Guard([&] { *ext = AllocBstr(ToWide(FileExtName(ToU16(Text(FilePathFileName))))); });
}

std::span<const com::Member<ReadWriteIni>> ReadWriteIni::Members() {
    namespace id = dispid::ReadWriteIni;
    using S = ReadWriteIni;
    using A = com::Args;
    static const com::Member<S> table[] = {
        {id::ReadINIFile, L"ReadINIFile", com::kMethod,
         [](S&, A& a, VARIANT* r) { com::Return(r, ReadIniValue(a[0].Str(), a[1].Str(), a[2].Str())); }},
        {id::WriteINIFile, L"WriteINIFile", com::kMethod,
         [](S&, A& a, VARIANT*) { WriteIniValue(a[0].Str(), a[1].Str(), a[2].Str(), a[3].Str()); }},
        {id::FileExists, L"FileExists", com::kMethod,
         [](S&, A& a, VARIANT* r) { com::Return(r, NormalFileExists(a[0].Str())); }},
        {id::DeskTopPath, L"DeskTopPath", com::kMethod | com::kGet,
         [](S&, A&, VARIANT* r) { com::Return(r, std::wstring_view(DesktopFolder())); }},
        {id::GetFileNameNoExt, L"GetFileNameNoExt", com::kMethod,
         [](S&, A& a, VARIANT* r) { com::Return(r, std::wstring_view(ToWide(FileNameNoExt(ToU16(a[0].Str()))))); }},
        {id::GetFileExtName, L"GetFileExtName", com::kMethod,
         [](S&, A& a, VARIANT* r) { com::Return(r, std::wstring_view(ToWide(FileExtName(ToU16(a[0].Str()))))); }},
    };
    return table;
}

}  // namespace tessaly
