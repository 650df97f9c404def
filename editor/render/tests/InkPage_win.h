#pragma once
// A white page layer for ink tests: a top-down DIB on a memory DC with GDI+ graphics set up as
// the page buffers' (anti-aliased, pixels), and the box helpers the tests compare ink with.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "model/document/EditorData.h"
#include "paint/Canvas.h"
#include "render/PageGraphics_win.h"
#include "win/GdiHandles.h"
#include "win/Gdip_win.h"
#include "win/tests/Capture_win.h"

namespace notaline {
namespace ink {

// A white page layer: a top-down DIB on a memory DC, with GDI+ graphics set up as the page
// buffers' (anti-aliased, pixels).
template <int kWidth = 960, int kHeight = 480>
class Page {
public:
    Page() : dc_(CreateCompatibleDC(nullptr)) {
        void* bits = nullptr;
        bitmap_ = win::test::TopDownDib(dc_.Get(), kWidth, kHeight, &bits);
        bits_ = static_cast<uint32_t*>(bits);
        select_ = std::make_unique<win::SelectScope>(dc_.Get(), bitmap_.Get());
        graphics_ = std::make_unique<PageGraphics>(dc_.Get());
        Clear();
    }
    ~Page() {
        graphics_.reset();
        select_.reset();
    }
    void Clear() {
        graphics_->Flush();
        GdiFlush();
        std::fill(bits_, bits_ + kWidth * kHeight, 0x00FFFFFFu);
    }
    uint32_t At(int x, int y) const { return bits_[y * kWidth + x] & 0xFFFFFFu; }
    // The box around every pixel that is not white; empty (Left > Right) without ink.
    IntRect Ink() {
        graphics_->Flush();
        GdiFlush();
        IntRect r{kWidth, kHeight, -1, -1};
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (At(x, y) != 0xFFFFFFu) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r;
    }
    // Pixels that are not white inside the box, clipped to the page.
    int InkIn(const IntRect& box) {
        graphics_->Flush();
        GdiFlush();
        int n = 0;
        for (int y = std::max(box.Top, 0); y < std::min(box.Bottom, kHeight); ++y)
            for (int x = std::max(box.Left, 0); x < std::min(box.Right, kWidth); ++x) n += At(x, y) != 0xFFFFFFu;
        return n;
    }
    void SavePng(const std::wstring& name) {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        SavePngAs(std::wstring(dir) + name);
    }
    void SavePngAs(const std::wstring& path) {
        graphics_->Flush();
        GdiFlush();
        win::test::SavePng(bitmap_.Get(), path);
    }
    HDC Dc() const { return dc_.Get(); }
    win::GpGraphics* Graphics() const { return graphics_->Get(); }

private:
    win::OwnedDc dc_;
    win::BitmapHandle bitmap_;
    uint32_t* bits_ = nullptr;
    std::unique_ptr<win::SelectScope> select_;
    std::unique_ptr<PageGraphics> graphics_;
};

inline bool Empty(const IntRect& r) {
    return r.Left >= r.Right || r.Top >= r.Bottom;
}

inline IntRect Inflate(IntRect r, int d) {
    return {std::min(r.Left, r.Right) - d, std::min(r.Top, r.Bottom) - d, std::max(r.Left, r.Right) + d,
            std::max(r.Top, r.Bottom) + d};
}

inline bool Intersects(const IntRect& a, const IntRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

inline bool Inside(const IntRect& inner, const IntRect& outer) {
    return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Top >= outer.Top &&
           inner.Bottom <= outer.Bottom;
}

// The notation font as the only font, black and red as the colours.
inline void UseNotationTables(EditorData& data) {
    data.NotationFontName = "Tolvane";
    data.FontTbl = {{"Tolvane", 2, 15, 3}};
    data.AboutFileInfo.FontTblCount = 1;
    data.ColorTbl = {0x000000u, 0x0000FFu};
    data.AboutFileInfo.ColorTblCount = 2;
}

}  // namespace ink
}  // namespace notaline
