#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "DocumentBuilder.h"
#include "FakeServices.h"
#include "paint/PageScreen.h"
#include "paint/RecordingCanvas.h"

namespace notaline::test {

// A grid sink with a fixed client area and no bars; two A4 pages at zoom 1 are in view.
class FixedClient : public tessaly::ScrollBarSink {
public:
    int32_t Width = 1000, Height = 2400;
    void ClientSize(int32_t& w, int32_t& h) override {
        w = Width;
        h = Height;
    }
    void ShowBar(bool, bool) override {}
    void SetBar(bool, int32_t, int32_t) override {}
    void SetBarPosition(bool, int32_t) override {}
    int32_t TrackPosition(bool) override { return 0; }
};

// Buffers as recorders: each layer a recording canvas, every call on the view counted.
class RecordingSurface : public PageSurface {
public:
    struct Compose {
        int32_t Slot, X, Y;
        IntRect Part;
        bool Items;
    };
    struct AndOp {
        IntRect Box;
        int32_t X, Y;
    };
    std::map<std::pair<int32_t, PageLayer>, RecordingCanvas> Layers;
    std::map<std::pair<int32_t, PageLayer>, int> Draws;
    std::vector<Compose> Composed;
    std::vector<AndOp> Anded;
    std::vector<IntRect> Clips;  // each layer drawing's clip; empty for the whole layer
    std::vector<std::pair<int32_t, int32_t>> PresentedRows;
    std::vector<IntRect> PresentedParts;
    PixelSize Page, View;
    int32_t PresentX = 0, PresentY = 0, Presents = 0;
    bool CaretPlaced = false, CaretShown = false, InsertOn = false;
    int64_t Memory = INT64_MAX;  // bytes the surface can hold at once
    int64_t Peak = 0;            // the most it held at once
    int32_t CaretX = 0, CaretY = 0, CaretW = 0, CaretH = 0;

    int DrawCount() const {
        int n = 0;
        for (const auto& [key, count] : Draws) n += count;
        return n;
    }
    void Reset() {
        Draws.clear();
        Composed.clear();
        Anded.clear();
        Layers.clear();
        Clips.clear();
        PresentedRows.clear();
        PresentedParts.clear();
        Presents = 0;
        CaretPlaced = CaretShown = false;
    }

    bool MakePageBuffers(PixelSize page) override { return Make(Page, page); }
    bool MakeViewBuffer(PixelSize view) override { return Make(View, view); }
    bool KeepPageBuffers(PixelSize page) override { return page.Width <= Page.Width && page.Height <= Page.Height; }
    // View stays the size made: that is what the surface holds.
    bool KeepViewBuffer(PixelSize view) override { return view.Width <= View.Width && view.Height <= View.Height; }
    int64_t Held() const {
        return 4 * (kPageBufferCount * int64_t{Page.Width} * Page.Height + int64_t{View.Width} * View.Height);
    }
    void ReleaseBuffers() override {}
    void DrawLayer(int32_t slot, PageLayer layer, const std::function<void(Canvas&)>& draw,
                   const IntRect* clip) override {
        ++Draws[{slot, layer}];
        Clips.push_back(clip ? *clip : IntRect{});
        draw(Layers[{slot, layer}]);
    }
    void FillView(uint32_t, const IntRect&) override {}
    void ComposePart(int32_t slot, int32_t x, int32_t y, const IntRect& part, bool items) override {
        Composed.push_back({slot, x, y, part, items});
    }
    void MoveView(const IntRect&, int32_t) override {}
    void PresentRows(int32_t, int32_t, int32_t top, int32_t bottom) override { PresentedRows.push_back({top, bottom}); }
    void PresentPart(int32_t, int32_t, const IntRect& part) override { PresentedParts.push_back(part); }
    void AndSelection(const IntRect& box, int32_t x, int32_t y) override { Anded.push_back({box, x, y}); }
    void Present(int32_t x, int32_t y) override {
        PresentX = x;
        PresentY = y;
        ++Presents;
    }
    void HideCaret() override { CaretShown = false; }
    void PlaceCaret(int32_t x, int32_t y, int32_t w, int32_t h, bool show) override {
        CaretPlaced = true;
        CaretShown = show;
        CaretX = x, CaretY = y, CaretW = w, CaretH = h;
    }
    bool InsertKeyOn() override { return InsertOn; }

private:
    // As the surfaces do: the old buffers go first, and none is held when the new do not fit.
    bool Make(PixelSize& held, PixelSize made) {
        held = made;
        if (Held() > Memory) {
            held = {};
            return false;
        }
        Peak = std::max(Peak, Held());
        return true;
    }
};

// Pages of A4 (794 by 1123 at zoom 1), `perLine` characters 40 pixels apart on lines 60 high,
// `linesPerPage` lines a page. Font 0 the notation font, 1 a Song face for lyrics.
struct PageTest : ::testing::Test {
    EditorData data;
    FakeTextMeasurer measurer;
    FakeSystem system;
    FixedClient client;
    tessaly::PageGrid grid{client};
    GridScroll scroll{grid};
    RecordingSurface surface;

    void Build(int32_t pages, int32_t linesPerPage = 3, int32_t perLine = 10) {
        std::string pattern;
        for (int32_t p = 0; p < pages * linesPerPage; ++p)
            pattern += std::string(static_cast<size_t>(perLine) - 1, '5') + '|';
        SetWords(data, pattern);
        data.Measurer = measurer;
        data.System = system;
        data.NotationFontName = "Tolvane";
        data.FontTbl = {{"Tolvane", 2, 15, 3}, {"\xCB\xCE\xCC\xE5", 134, 15, 3}};
        data.ColorTbl = {0x000000u, 0x0000FFu, 0x800000FFu, 0xFF00FF00u};
        data.AboutFileInfo.FontTblCount = 2;
        data.AboutFileInfo.ColorTblCount = 4;
        data.AboutPageInfo.nScale = 1;
        data.AboutPageInfo.PagePosIndexType = 1;
        data.PageWidthPx = 794;
        data.PageHeightPx = 1123;
        data.WriteLeft = 94, data.WriteTop = 75, data.WriteRight = 700, data.WriteBottom = 1048;
        data.LineInfo.clear();
        data.PageInfo.clear();
        for (int32_t p = 0; p < pages; ++p) {
            tessaly::aPageInfo page;
            page.StartLine = p * linesPerPage;
            page.LengthLine = linesPerPage;
            page.StartWord = p * linesPerPage * perLine;
            page.LengthWord = linesPerPage * perLine;
            data.PageInfo.push_back(page);
            for (int32_t l = 0; l < linesPerPage; ++l) {
                tessaly::aLineInfo line;
                line.Start = (p * linesPerPage + l) * perLine;
                line.Length = perLine;
                line.Top = 100 + 60.0f * static_cast<float>(l);
                line.Bottom = line.Top + 60;
                data.LineInfo.push_back(line);
                for (int32_t i = 0; i < perLine; ++i) {
                    auto& w = data.WordInfo[static_cast<size_t>(line.Start + i)];
                    w.Left = 100 + 40.0f * static_cast<float>(i);
                    w.Right = w.Left + 40;
                    w.Top = line.Top;
                    w.Bottom = line.Top + 51;
                    w.WdSize = {30, 51};
                    w.EditFont([](tessaly::mLogFont& f) {
                        f.lfHeight = -51;
                        f.lfWeight = 400;
                    });
                    w.cb = -1;
                }
            }
        }
        grid.SetEditView(true);
        grid.InitPageScrollInfo(794, 1123, 1, pages);
    }

    std::vector<uint8_t> Bytes() const { return DocumentBytes(data); }
};

}  // namespace notaline::test
