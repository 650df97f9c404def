#pragma once
#include "DaDurFile.h"
#include "DaDurSystem_win.h"
#include "api/IReadWriteRtf.h"
#include "com/Object.h"

namespace tessaly {

class ReadWriteRtf final : public com::DispatchObject<ReadWriteRtf, IReadWriteRtf> {
public:
    ReadWriteRtf() : file_(system_) {}
    static std::span<const com::Member<ReadWriteRtf>> Members();

    HRESULT STDMETHODCALLTYPE ReadRtfFile(LONG_PTR hwndParent, BSTR fileName, VARIANT_BOOL* ok) override;
    HRESULT STDMETHODCALLTYPE GetJpData(JpData* data) override;
    HRESULT STDMETHODCALLTYPE LetJpData(const JpData* data) override;
    HRESULT STDMETHODCALLTYPE WriteRtfFile(BSTR fileName, LONG_PTR hwndParent, VARIANT_BOOL* ok) override;
    HRESULT STDMETHODCALLTYPE SetV3ArrToStr(LONG i, SHORT j, BSTR* text) override;

    // Why the last read or write failed, for the dispatch caller's exception.
    const std::wstring& LastFailure() const { return lastFailure_; }

private:
    HRESULT Answer(const DaDurStatus& status, VARIANT_BOOL* ok);

    WindowsDaDurSystem system_;
    DaDurFile file_;
    std::wstring lastFailure_;
};

}  // namespace tessaly
