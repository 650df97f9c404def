#pragma once
// The bar list: a windowed control listing the bars of a song, one line each
// with its number, kind letter, volta text and, in red, its playing block.
#include <string>
#include <vector>

#include "api/ISelmoda.h"
#include "com/Control.h"
#include "records/Playback.h"

namespace outside {

class Selmoda final : public com::ControlObject<Selmoda, ISelmoda> {
public:
    // One shown line.
    struct Row {
        std::wstring number, kind, volta, block;
    };
    static constexpr LONG kMaxUpperBound = 100000;

    Selmoda();
    ~Selmoda() override;
    static std::span<const com::Member<Selmoda>> Members();

    HRESULT STDMETHODCALLTYPE ShowBars(LONG_PTR firstBar, LONG upperBound) override;

    static Row RowOf(int index, const tessaly::aXjInfo& bar);
    HWND List() const { return list_; }

protected:
    void ReadProperties(com::PropertyReader&) override {}
    void WriteProperties(com::PropertyWriter&) override {}
    void OnResize() override;

private:
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    void DrawRow(const DRAWITEMSTRUCT& item) const;

    HWND list_ = nullptr;
    std::vector<Row> rows_;
};

}  // namespace outside
