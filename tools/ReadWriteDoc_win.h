#pragma once
#include "ZoRivFormat.h"
#include "api/IReadWriteDoc.h"
#include "api/IVbGetWindowsZoom.h"
#include "com/ComPtr.h"
#include "com/Object.h"

namespace tessaly {

// Progress to a window by SendMessage only: nothing is pumped while a file is half read or written.
class WindowProgress final : public ProgressSink {
public:
    explicit WindowProgress(HWND window) : window_(window) {}
    void Progress(int32_t percent) override;

private:
    HWND window_;
};

class ReadWriteDoc final : public com::DispatchObject<ReadWriteDoc, IReadWriteDoc> {
public:
    // Takes the zoom factor once, from a VbGetWindowsZoom kept for the object's life.
    ReadWriteDoc();
    static std::span<const com::Member<ReadWriteDoc>> Members();

    HRESULT STDMETHODCALLTYPE ReadDocFile(LONG_PTR* hwndParent, BSTR fileName, VARIANT_BOOL* ok) override;
    HRESULT STDMETHODCALLTYPE WriteDocFile(BSTR fileName, LONG_PTR hwndParent) override;
    HRESULT STDMETHODCALLTYPE GetJpData(JpData* data) override;
    HRESULT STDMETHODCALLTYPE LetJpData(const JpData* data) override;

    // The C++ forms behind both the vtable and the dispatch table; a failure is a com::Error.
    bool Read(HWND window, const std::wstring& fileName);
    void Write(const std::wstring& fileName, HWND window);

private:
    com::Ptr<IVbGetWindowsZoom> zoomSource_;
    double zoom_ = 1.0;
    JpData doc_;
};

}  // namespace tessaly
