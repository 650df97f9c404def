#include "ReadWriteRtf_win.h"

#include "com/Bstr.h"
#include "text/Cp936.h"

namespace tessaly {

namespace {

std::filesystem::path PathOf(BSTR name) {
    return name ? std::filesystem::path(std::wstring(name, SysStringLen(name))) : std::filesystem::path();
}

std::wstring Wide(std::string_view utf8) {
    const std::u16string utf16 = Utf8ToUtf16(utf8).value_or(u"");
    return std::wstring(utf16.begin(), utf16.end());
}

}  // namespace

HRESULT ReadWriteRtf::Answer(const DaDurStatus& status, VARIANT_BOOL* ok) {
    if (ok) *ok = status.ok ? VARIANT_TRUE : VARIANT_FALSE;
    // A file read as far as it goes is ok, and says why it ends early.
    lastFailure_ = Wide(status.reason);
    return status.ok ? S_OK : E_FAIL;
}

HRESULT ReadWriteRtf::ReadRtfFile(LONG_PTR hwndParent, BSTR fileName, VARIANT_BOOL* ok) {
    if (ok) *ok = VARIANT_FALSE;
    try {
        return Answer(file_.ReadRtfFile(hwndParent, PathOf(fileName)), ok);
    } catch (...) {
        return Answer(DaDurStatus::Failure(kErrFileAccess, std::string(FileErrorText(kErrFileAccess))), ok);
    }
}

HRESULT ReadWriteRtf::GetJpData(JpData* data) {
    if (!data) return E_POINTER;
    try {
        file_.GetJpData(*data);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ReadWriteRtf::LetJpData(const JpData* data) {
    if (!data) return E_POINTER;
    try {
        file_.LetJpData(*data);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ReadWriteRtf::WriteRtfFile(BSTR fileName, LONG_PTR hwndParent, VARIANT_BOOL* ok) {
    if (ok) *ok = VARIANT_FALSE;
    try {
        return Answer(file_.WriteRtfFile(PathOf(fileName), hwndParent), ok);
    } catch (...) {
        return Answer(DaDurStatus::Failure(kErrFileAccess, std::string(FileErrorText(kErrFileAccess))), ok);
    }
}

HRESULT ReadWriteRtf::SetV3ArrToStr(LONG i, SHORT j, BSTR* text) {
    if (!text) return E_POINTER;
    const std::u16string utf16 = Cp936ToUtf16(file_.SetV3ArrToStr(i, j)).value_or(u"");
    *text = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(utf16.data()), static_cast<UINT>(utf16.size()));
    return *text ? S_OK : E_OUTOFMEMORY;
}

std::span<const com::Member<ReadWriteRtf>> ReadWriteRtf::Members() {
    namespace id = dispid::ReadWriteRtf;
    // Calls by name: file names as strings, the document by its address.
    static const com::Member<ReadWriteRtf> table[] = {
        {id::ReadRtfFile, L"ReadRtfFile", com::kMethod,
         [](ReadWriteRtf& s, com::Args& a, VARIANT* r) {
             const std::wstring name = a.Count() > 1 ? a[1].Str() : L"";
             const com::Bstr b(name);
             VARIANT_BOOL ok = VARIANT_FALSE;
             s.ReadRtfFile(a.Count() > 0 ? a[0].Handle() : 0, b.Get(), &ok);
             if (!ok) throw com::Error{E_FAIL, s.LastFailure()};
             com::Return(r, true);
         }},
        {id::GetJpData, L"GetJpData", com::kMethod,
         [](ReadWriteRtf& s, com::Args& a, VARIANT*) {
             if (FAILED(s.GetJpData(reinterpret_cast<JpData*>(a.Count() > 0 ? a[0].Handle() : 0))))
                 throw com::Error{E_POINTER, L"no document"};
         }},
        {id::LetJpData, L"LetJpData", com::kMethod,
         [](ReadWriteRtf& s, com::Args& a, VARIANT*) {
             if (FAILED(s.LetJpData(reinterpret_cast<const JpData*>(a.Count() > 0 ? a[0].Handle() : 0))))
                 throw com::Error{E_POINTER, L"no document"};
         }},
        {id::WriteRtfFile, L"WriteRtfFile", com::kMethod,
         [](ReadWriteRtf& s, com::Args& a, VARIANT* r) {
             const std::wstring name = a.Count() > 0 ? a[0].Str() : L"";
             const com::Bstr b(name);
             VARIANT_BOOL ok = VARIANT_FALSE;
             s.WriteRtfFile(b.Get(), a.Count() > 1 ? a[1].Handle() : 0, &ok);
             if (!ok) throw com::Error{E_FAIL, s.LastFailure()};
             com::Return(r, true);
         }},
        {id::SetV3ArrToStr, L"SetV3ArrToStr", com::kMethod,
         [](ReadWriteRtf& s, com::Args& a, VARIANT* r) {
             com::Bstr text;
             s.SetV3ArrToStr(a.Count() > 0 ? a[0].Long() : 0, a.Count() > 1 ? a[1].Short() : 0, text.Out());
             com::Return(r, std::wstring_view(text.Str()));
         }},
    };
    return table;
}

}  // namespace tessaly
