#include "ReadWriteDoc_win.h"

#include <filesystem>
#include <new>

#include "VbGetWindowsZoom_win.h"
#include "records/Messages.h"
#include "text/Cp936.h"

namespace tessaly {
namespace {

HRESULT ErrorNumberResult(int32_t number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

[[noreturn]] void Raise(const ZoRivStatus& status, const std::wstring& fileName) {
    const auto wide =
        Utf8ToUtf16(status.number == kErrFileNotFound ? FileErrorText(kErrFileNotFound) : status.reason).value_or(u"");
    std::wstring description(wide.begin(), wide.end());
    if (status.number == kErrFileNotFound) description += L": " + fileName;  // the name exactly as the caller gave it
    throw com::Error{ErrorNumberResult(status.number), description};
}

std::wstring FromBstr(BSTR b) {
    return b ? std::wstring(b, SysStringLen(b)) : std::wstring();
}

// Runs a member for the vtable: a failure becomes its HRESULT, with its description left in the
// thread's error info for the caller.
template <class F>
HRESULT AtBoundary(F&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (const com::Error& e) {
        ICreateErrorInfo* create = nullptr;
        if (SUCCEEDED(CreateErrorInfo(&create))) {
            create->SetGUID(__uuidof(IReadWriteDoc));
            create->SetSource(const_cast<LPOLESTR>(L"Tessaly.ReadWriteDoc"));
            create->SetDescription(const_cast<LPOLESTR>(e.description.c_str()));
            IErrorInfo* info = nullptr;
            if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
                SetErrorInfo(0, info);
                info->Release();
            }
            create->Release();
        }
        return e.hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

JpData* DocumentAt(com::Args& a) {
    auto* data = reinterpret_cast<JpData*>(a.Count() > 0 ? a[0].Handle() : 0);
    if (!data) throw com::Error{E_POINTER, L"no document"};
    return data;
}

}  // namespace

void WindowProgress::Progress(int32_t percent) {
    int32_t value = percent;  // the receiver reads it during the call
    if (window_) SendMessageW(window_, EM_RunPre, 0, reinterpret_cast<LPARAM>(&value));
}

ReadWriteDoc::ReadWriteDoc() {
    if (SUCCEEDED(VbGetWindowsZoom::Create(__uuidof(IVbGetWindowsZoom), zoomSource_.OutVoid()))) {
        double factor = 1.0;
        if (SUCCEEDED(zoomSource_->GetWindowsZoomFactor(&factor)) && factor > 0) zoom_ = factor;
    }
}

bool ReadWriteDoc::Read(HWND window, const std::wstring& fileName) {
    WindowProgress progress(window);
    const ZoRivStatus status = ReadZoRivFile(std::filesystem::path(fileName), zoom_, doc_, &progress);
    if (!status.Ok()) Raise(status, fileName);
    return true;
}

void ReadWriteDoc::Write(const std::wstring& fileName, HWND window) {
    WindowProgress progress(window);
    const ZoRivStatus status =
        WriteZoRivFile(std::filesystem::path(fileName), doc_, zoom_, window ? &progress : nullptr);
    if (!status.Ok()) Raise(status, fileName);
}

HRESULT ReadWriteDoc::ReadDocFile(LONG_PTR* hwndParent, BSTR fileName, VARIANT_BOOL* ok) {
    if (ok) *ok = VARIANT_FALSE;
    return AtBoundary([&] {
        const bool read = Read(reinterpret_cast<HWND>(hwndParent ? *hwndParent : 0), FromBstr(fileName));
        if (ok) *ok = read ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT ReadWriteDoc::WriteDocFile(BSTR fileName, LONG_PTR hwndParent) {
    return AtBoundary([&] { Write(FromBstr(fileName), reinterpret_cast<HWND>(hwndParent)); });
}

HRESULT ReadWriteDoc::GetJpData(JpData* data) {
    if (!data) return E_POINTER;
    return AtBoundary([&] { *data = doc_; });
}

HRESULT ReadWriteDoc::LetJpData(const JpData* data) {
    if (!data) return E_POINTER;
    return AtBoundary([&] { doc_ = *data; });
}

std::span<const com::Member<ReadWriteDoc>> ReadWriteDoc::Members() {
    namespace id = dispid::ReadWriteDoc;
    static const com::Member<ReadWriteDoc> table[] = {
        {id::ReadDocFile, L"ReadDocFile", com::kMethod,
         [](ReadWriteDoc& s, com::Args& a, VARIANT* r) {
             const HWND window = reinterpret_cast<HWND>(a.Count() > 0 ? a[0].Handle() : 0);
             com::Return(r, s.Read(window, a.Count() > 1 ? a[1].Str() : std::wstring()));
         }},
        {id::WriteDocFile, L"WriteDocFile", com::kMethod,
         [](ReadWriteDoc& s, com::Args& a, VARIANT*) {
             s.Write(a.Count() > 0 ? a[0].Str() : std::wstring(),
                     reinterpret_cast<HWND>(a.Count() > 1 && !a[1].Missing() ? a[1].Handle() : 0));
         }},
        {id::GetJpData, L"GetJpData", com::kMethod,
         [](ReadWriteDoc& s, com::Args& a, VARIANT*) { *DocumentAt(a) = s.doc_; }},
        {id::LetJpData, L"LetJpData", com::kMethod,
         [](ReadWriteDoc& s, com::Args& a, VARIANT*) { s.doc_ = *DocumentAt(a); }},
    };
    return table;
}

}  // namespace tessaly
