#pragma once
// What printing tests share: a document of whole pages typed into a running control, pictures
// read back as ink, and the comparison of a screen page with a printed one.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "win/Gdip_win.h"

namespace notaline::test {

struct Pixels {
    int32_t Width = 0, Height = 0;
    std::vector<uint8_t> Ink;  // 1 where far from white
    int Count(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const {
        int n = 0;
        for (int32_t y = y0; y < y1 && y < Height; ++y)
            for (int32_t x = x0; x < x1 && x < Width; ++x) n += Ink[static_cast<size_t>(y) * Width + x];
        return n;
    }
};

inline Pixels InkOf(Gdiplus::GpBitmap* bmp) {
    namespace flat = Gdiplus::DllExports;
    UINT w = 0, h = 0;
    flat::GdipGetImageWidth(bmp, &w);
    flat::GdipGetImageHeight(bmp, &h);
    Pixels p{static_cast<int32_t>(w), static_cast<int32_t>(h), std::vector<uint8_t>(size_t{w} * h)};
    const Gdiplus::GpRect all{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
    Gdiplus::BitmapData bits{};
    if (flat::GdipBitmapLockBits(bmp, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &bits) != Gdiplus::Ok)
        return p;
    for (UINT y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(bits.Scan0) + y * bits.Stride);
        for (UINT x = 0; x < w; ++x) {
            const uint32_t c = row[x];
            p.Ink[size_t{y} * w + x] = ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255) < 3 * 200;
        }
    }
    flat::GdipBitmapUnlockBits(bmp, &bits);
    return p;
}

inline Pixels Decode(const std::wstring& file) {
    namespace flat = Gdiplus::DllExports;
    Gdiplus::GpImage* image = nullptr;
    if (flat::GdipLoadImageFromFile(file.c_str(), &image) != Gdiplus::Ok) return {};
    const win::gdip::Image owned(image);
    return InkOf(static_cast<Gdiplus::GpBitmap*>(image));
}

// In cells of 16 pixels of the writable area (the screen's corner marks point out of it): where
// the screen has ink the paper has too, and the reverse; a few cells differ (the paragraph marks,
// anti-aliasing at edges).
inline void ExpectInkAgrees(const EditorData& d, const Pixels& screen, const Pixels& paper) {
    ASSERT_EQ(screen.Width, paper.Width);
    int inked = 0, both = 0, paperOnly = 0;
    for (int32_t y = d.WriteTop + 1; y + 16 < d.WriteBottom; y += 16)
        for (int32_t x = d.WriteLeft + 1; x + 16 < d.WriteRight; x += 16) {
            const bool s = screen.Count(x, y, x + 16, y + 16) > 2;
            const bool p = paper.Count(x, y, x + 16, y + 16) > 2;
            inked += s;
            both += s && p;
            paperOnly += p && !s;
        }
    EXPECT_GT(inked, 0);
    EXPECT_LE(inked - both, inked / 5 + 1) << both << " of " << inked;  // + 1: the paragraph mark
    EXPECT_LE(paperOnly, inked / 10 + 1) << paperOnly;
}

// The number of pages print_queue.sh rasterised into the folder as printed-<n>.png once the queue's
// PDF arrived; 0 when it wrote why there is none, or nothing came.
inline int PrintedPages(const std::wstring& folder) {
    const std::wstring pages = folder + L"printed.pages", failed = folder + L"printed.failed";
    for (int i = 0; i < 1200 && GetFileAttributesW(failed.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
        if (FILE* f = _wfopen(pages.c_str(), L"r")) {
            int n = 0;
            if (fscanf(f, "%d", &n) != 1) n = 0;
            fclose(f);
            return n;
        }
        Sleep(100);
    }
    return 0;
}

// Notes typed before the last paragraph end.
inline void TypeNotes(Editor& ed, std::string_view notes) {
    EditorData& d = ed.Data;
    d.InputState = tessaly::JpState;
    d.SelStart = d.WordCount() - 1;
    d.SelLength = 0;
    TextToWordsByState(ed, notes);
    ASSERT_TRUE(ed.Commands->Typed.InputWord(d.SelStart, 0));
    // Black, as the host's colour would give them; the table's first colour is white.
    for (int32_t i = 0; i < d.WordCount(); ++i) d.WordInfo[static_cast<size_t>(i)].cf = 1;
    ed.LayOutAndShow(tessaly::AllRefresh);
    ed.Commands->Undo.ZeroUnDoReDoVal();
}

// The default title and notes after it, to fill `pages` pages exactly: more than enough typed at
// once, then the last pages' notes taken off.
inline void FillPages(Editor& ed, int32_t pages) {
    std::string notes;
    for (int i = 0; i < 300; ++i) notes += "1234567";
    while (ed.Data.PageCount() < pages) TypeNotes(ed, notes);
    EditorData& d = ed.Data;
    while (d.PageCount() > pages) {
        const int32_t start = d.PageInfo.back().StartWord;
        ASSERT_LT(start, d.WordCount() - 1);
        ed.Commands->Typed.DeleteWord(start, d.WordCount() - 1 - start);
        ed.LayOutAndShow(tessaly::AllRefresh);
    }
    ASSERT_EQ(pages, d.PageCount());
    ed.Commands->Undo.ZeroUnDoReDoVal();
    d.SelStart = 0;
}

}  // namespace notaline::test
