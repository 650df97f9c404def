#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "DocumentBuilder.h"
#include "FileErrors.h"
#include "com/Create.h"
#include "model/document/MarkSlots.h"
#include "model/layout/LayoutSetup.h"
#include "paint/RecordingCanvas.h"
#include "records/Numbers.h"
#include "render/GdiTextMeasurer_win.h"
#include "render/PictureExport_win.h"
#include "render/ScreenRenderer_win.h"
#include "render/ScrollInfoView_win.h"
#include "win/Gdip_win.h"
#include "win/KernelHandles.h"
#include "win/tests/Capture_win.h"

namespace notaline {
namespace {

namespace flat = Gdiplus::DllExports;
using test::SetMark;

// The pixels of a bitmap, top-down, 0x00RRGGBB.
struct Pixels {
    int32_t Width = 0, Height = 0;
    std::vector<uint32_t> Bits;

    static Pixels Of(HDC dc, HBITMAP bitmap, PixelSize size) {
        Pixels p{size.Width, size.Height, std::vector<uint32_t>(static_cast<size_t>(size.Width) * size.Height)};
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = size.Width;
        bi.bmiHeader.biHeight = -size.Height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.Height), p.Bits.data(), &bi, DIB_RGB_COLORS);
        for (auto& b : p.Bits) b &= 0xFFFFFFu;
        return p;
    }
    static Pixels Of(const MemoryBuffer& b) { return Of(b.Dc(), b.Bitmap(), b.Size()); }
    uint32_t At(int32_t x, int32_t y) const { return Bits[static_cast<size_t>(y) * Width + x]; }
    // Pixels other than `background` inside the box (clipped to the bitmap).
    int Ink(IntRect r, uint32_t background = 0xFFFFFFu) const {
        int n = 0;
        for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, Height); ++y)
            for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, Width); ++x) n += At(x, y) != background;
        return n;
    }
};

IntRect Inflate(const IntRect& r, int32_t d) {
    return {std::min(r.Left, r.Right) - d, std::min(r.Top, r.Bottom) - d, std::max(r.Left, r.Right) + d,
            std::max(r.Top, r.Bottom) + d};
}

// A page of every cell kind: notes with one to three duration lines and every octave dot, a raised
// note, lyrics in 宋体, notation symbols; the five free items; and a mark of several kinds.
void BuildFixture(EditorData& data) {
    test::SetWords(data, "12345671|\xB0\xA1\xB0\xA1|**12|");
    data.NotationFontName = "Tolvane";
    data.FontTbl = {{"Tolvane", 2, 15, 3}, {"\xCB\xCE\xCC\xE5", 134, 15, 3}};
    data.AboutFileInfo.FontTblCount = 2;
    data.ColorTbl = {0x000000u, 0x0000FFu, 0xFF00FF00u};
    data.AboutFileInfo.ColorTblCount = 3;
    data.AboutPageInfo.nScale = 1;
    data.AboutPageInfo.PagePosIndexType = 1;
    data.PageWidthPx = 794;
    data.PageHeightPx = 1123;
    data.WriteLeft = 94, data.WriteTop = 75, data.WriteRight = 700, data.WriteBottom = 1048;
    // Lines: notes, lyrics (two double-byte characters, stored as four pattern bytes), symbols.
    const int32_t starts[] = {0, 9, 14};
    const int32_t lengths[] = {9, 5, 5};
    data.LineInfo.clear();
    for (int32_t l = 0; l < 3; ++l) {
        tessaly::aLineInfo line;
        line.Start = starts[l];
        line.Length = lengths[l];
        line.Top = 150 + 150.0f * static_cast<float>(l);
        line.Bottom = line.Top + 70;
        data.LineInfo.push_back(line);
    }
    data.PageInfo = {{0, 3, 0, data.WordCount()}};
    for (int32_t i = 0; i < data.WordCount(); ++i) {
        auto& w = data.WordInfo[static_cast<size_t>(i)];
        const int32_t line = i < 9 ? 0 : i < 14 ? 1 : 2;
        const int32_t column = i - starts[line];
        w.Left = 120 + 60.0f * static_cast<float>(column);
        w.Right = w.Left + 60;
        w.Top = data.LineInfo[static_cast<size_t>(line)].Top;
        w.Bottom = w.Top + 59;
        w.WdSize = {30, 59};
        w.EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -51; });
        w.EditFont([&](tessaly::mLogFont& f) { f.lfWeight = 400; });
        w.cb = -1;
        if (line == 2 && w.IsJpGcCtl == 0) w.IsJpGcCtl = 2;
        if (w.IsJpGcCtl == 3) w.WdAsc = '-';  // as the readers store a paragraph end
    }
    // The two lyric characters: one double-byte code each, then a filler paragraph end is kept.
    for (int32_t i : {9, 10}) {
        auto& w = data.WordInfo[static_cast<size_t>(i)];
        w.WdAsc = static_cast<int16_t>(0xB0A1);
        w.IsJpGcCtl = 0;
        w.EditFont([&](tessaly::mLogFont& f) { f.FontTblIndex = 1; });
        w.WdSize.cx = 51;
    }
    for (int32_t i : {11, 12}) data.WordInfo[static_cast<size_t>(i)].WdAsc = ' ';
    auto word = [&](int32_t i) -> StoredWord& { return data.WordInfo[static_cast<size_t>(i)]; };
    word(0).Yc = 1;
    word(1).Yc = 2;
    word(2).Yc = 3;
    for (int32_t i = 0; i < 6; ++i) word(i + 1).YG = static_cast<uint8_t>(i + 1);
    word(3).UpSpace = 20;
    word(4).cf = 1;
    word(5).cb = 2;
    word(6).cb = 2;
    word(14).Yc = 1;  // a symbol's lines follow the note before it
    SetMark(data, 0, 0, 2, 8);
    SetMark(data, 1, 0, 72, 0, 1);
    SetMark(data, 3, 0, 73, 0, 1);
    SetMark(data, 4, 0, 8, 10, 3);
    SetMark(data, 6, 0, 33, 3, 4);
    SetMark(data, 0, 1, 74, 14, 2);  // tuplet over three notes
    SetExtralWordVal3(data, 0, 1, "3");
    SetMark(data, 2, 1, 75, 14, 2);
    SetMark(data, 1, 1, 131, -18, 0);  // framed bar number
    SetExtralWordVal3(data, 1, 1, "12");
    SetMark(data, 14, 0, 81, -22, 3);  // crescendo under the symbols
    SetMark(data, 16, 0, 119, 10, 0);  // a text
    SetExtralWordVal3(data, 16, 0, "rit.");
    SetMark(data, 17, 0, 170, 12, 0);  // tempo term
    SetMark(data, 7, 0, 117, 0, 1);    // arpeggio
    SetMark(data, 7, 1, 16, 12, -20);  // bar-rest number
    data.HwWordInfo.clear();
    for (int16_t kind = 1; kind <= 5; ++kind) data.HwWordInfo.push_back({0, kind, 0, 100.0f * kind, 700, 200, 16});
    data.AboutFileInfo.HwWordCount = 5;
}

// A plain window of the page view's size, its own page grid for scrolling.
class ViewWindow : public tessaly::ScrollBarSink {
public:
    ViewWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PageScreenTestWindow";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"页面", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 700, nullptr, nullptr,
                               wc.hInstance, nullptr);
        grid.SetEditView(true);
    }
    ~ViewWindow() override { DestroyWindow(hwnd); }
    void ClientSize(int32_t& w, int32_t& h) override {
        RECT r{};
        GetClientRect(hwnd, &r);
        w = r.right;
        h = r.bottom;
    }
    void ShowBar(bool, bool) override {}
    void SetBar(bool, int32_t, int32_t) override {}
    void SetBarPosition(bool, int32_t) override {}
    int32_t TrackPosition(bool) override { return 0; }
    // What the window shows now.
    Pixels Capture() {
        RECT r{};
        GetClientRect(hwnd, &r);
        const win::WindowDc dc(hwnd);
        const win::BitmapHandle bmp = win::test::CopyOf(dc.Get(), r);
        return Pixels::Of(dc.Get(), bmp.Get(), {r.right, r.bottom});
    }

    HWND hwnd = nullptr;
    tessaly::PageGrid grid{*this};
    GridScroll scroll{grid};
};

struct ScreenRendererTest : ::testing::Test {
    static void SetUpTestSuite() { ASSERT_EQ(Gdiplus::Ok, win::InitGDIPlus(false, L"", 0, L"")); }

    EditorData data;
    GdiTextMeasurer measurer;
    ViewWindow window;
    std::unique_ptr<ScreenRenderer> renderer;

    void SetUp() override {
        BuildFixture(data);
        data.Measurer = measurer;
        Start();
    }
    void Start() {
        const double z = data.AboutPageInfo.nScale;
        window.grid.InitPageScrollInfo(tessaly::CLng(794 * z), tessaly::CLng(1123 * z), 1, data.PageCount());
        renderer = std::make_unique<ScreenRenderer>(data, window.hwnd, nullptr, window.scroll);
        ASSERT_TRUE(renderer->InitPageBuffers());
        ASSERT_TRUE(renderer->ResetPageBuffers());
    }
    // What the recorder says each layer of slot 0 gets.
    std::vector<RecordingCanvas::Op> Predicted(PageLayer layer) {
        struct Recorder : PageSurface {
            PageLayer Wanted;
            RecordingCanvas Canvas;
            bool MakePageBuffers(PixelSize) override { return true; }
            bool MakeViewBuffer(PixelSize) override { return true; }
            bool KeepPageBuffers(PixelSize) override { return true; }
            bool KeepViewBuffer(PixelSize) override { return true; }
            void ReleaseBuffers() override {}
            void DrawLayer(int32_t slot, PageLayer l, const std::function<void(notaline::Canvas&)>& draw,
                           const IntRect*) override {
                if (slot == 0 && l == Wanted) draw(Canvas);
            }
            void FillView(uint32_t, const IntRect&) override {}
            void ComposePart(int32_t, int32_t, int32_t, const IntRect&, bool) override {}
            void MoveView(const IntRect&, int32_t) override {}
            void AndSelection(const IntRect&, int32_t, int32_t) override {}
            void Present(int32_t, int32_t) override {}
            void PresentRows(int32_t, int32_t, int32_t, int32_t) override {}
            void PresentPart(int32_t, int32_t, const IntRect&) override {}
            void HideCaret() override {}
            void PlaceCaret(int32_t, int32_t, int32_t, int32_t, bool) override {}
            bool InsertKeyOn() override { return false; }
        } recorder;
        recorder.Wanted = layer;
        PageScreen view(data, window.scroll, recorder);
        view.InitPageBuffers();
        view.DrawPages(0, 0, {true, true, true});
        return recorder.Canvas.Ops;
    }
    std::vector<uint8_t> Bytes() const {
        // The zoom being tried is not part of what painting may change.
        EditorData copy = data;
        copy.AboutPageInfo.nScale = 1;
        return test::DocumentBytes(copy);
    }
};

TEST_F(ScreenRendererTest, CellsInkWhereTheRecorderPutsThem) {
    renderer->RefreshView(0, 0, tessaly::AllRefresh);
    const Pixels text = Pixels::Of(*renderer->Buffers().Layer(0, PageLayer::Text));
    int checked = 0;
    for (const auto& op : Predicted(PageLayer::Text)) {
        if (op.What != RecordingCanvas::Kind::Text || op.Text == " ") continue;
        SCOPED_TRACE(::testing::Message() << "text " << op.Text << " box " << op.Box.Left << "," << op.Box.Top);
        if (op.Flags & kDtNoClip) {
            // Centred at the box's foot: the glyph is within a character's height of it.
            EXPECT_GT(text.Ink(Inflate(op.Box, 6)), 0);
        } else {
            // Clipped runs of lines and the page number, alone at the foot: inside their box.
            EXPECT_GT(text.Ink(op.Box), 0);
            if (op.Text == "-1-") {
                EXPECT_EQ(text.Ink({0, 1000, 794, 1123}), text.Ink(op.Box));
            }
        }
        ++checked;
    }
    EXPECT_GE(checked, 25);
    // Nothing outside the written lines and the page number's band.
    EXPECT_EQ(text.Ink({0, 0, 794, 100}), 0);
    EXPECT_EQ(text.Ink({0, 560, 794, 1040}), 0);

    const Pixels items = Pixels::Of(*renderer->Buffers().Layer(0, PageLayer::Items));
    for (const auto& op : Predicted(PageLayer::Items)) {
        if (op.What != RecordingCanvas::Kind::TextAt) continue;
        SCOPED_TRACE(op.Text);
        // Rotated a quarter turn: the glyph runs up from its foot, at least the item's height.
        const IntRect column{op.Box.Left - 10, op.Box.Top - 240, op.Box.Left + 60, op.Box.Top + 10};
        EXPECT_GT(items.Ink(column), 0);
    }
    EXPECT_EQ(items.Ink({0, 0, 794, 400}), 0);

    const Pixels marks = Pixels::Of(*renderer->Buffers().Layer(0, PageLayer::Marks));
    int markOps = 0;
    for (const auto& op : Predicted(PageLayer::Marks)) {
        using Kind = RecordingCanvas::Kind;
        SCOPED_TRACE(::testing::Message()
                     << "mark " << static_cast<int>(op.What) << " " << op.Text << " box " << op.Box.Left << ","
                     << op.Box.Top << "," << op.Box.Right << "," << op.Box.Bottom);
        const int em = std::abs(op.Font.lfHeight);
        if (op.What == Kind::Text && !op.Text.empty() && op.Box.Right - op.Box.Left >= 8) {
            EXPECT_GT(marks.Ink(Inflate(op.Box, (op.Flags & kDtNoClip) ? em : 1)), 0);
            ++markOps;
        } else if (op.What == Kind::TextAt) {
            EXPECT_GT(marks.Ink(Inflate(op.Box, 2 * em)), 0);
            ++markOps;
        } else if (op.What == Kind::Line) {
            EXPECT_GT(marks.Ink(Inflate(op.Box, static_cast<int32_t>(op.Width) + 1)), 0);
            ++markOps;
        }
    }
    EXPECT_GE(markOps, 20);
    EXPECT_GT(marks.Ink({120, 140, 660, 230}), 0);               // the marks over line 0
    EXPECT_GT(marks.Ink({94 - 31, 75 - 1, 94 + 1, 75 + 2}), 0);  // a corner mark
    EXPECT_GT(marks.Ink({420, 150, 540, 210}, 0xFFFFFFu), 0);    // the green background run
    EXPECT_EQ(marks.At(460, 180), 0x00FF00u);
}

TEST_F(ScreenRendererTest, TheWindowShowsThePageOnTheDeskWithTheSelection) {
    data.SelStart = 1;
    data.SelLength = 1;
    renderer->RefreshView(1, 1, tessaly::AllRefresh);
    const Pixels shown = window.Capture();
    const int32_t x0 = window.scroll.PageSpaceX();
    EXPECT_EQ(shown.At(5, 5), 0x646464u);                // the desk
    EXPECT_EQ(shown.At(x0 + 50, 40 + 50), 0xFFFFFFu);    // the page
    EXPECT_EQ(shown.At(x0 + 460, 40 + 180), 0x00FF00u);  // a background colour under the characters
    // The selected character's box is darkened, the one beside it is not.
    EXPECT_EQ(shown.At(x0 + 181, 40 + 151), 0xC0C0C0u);
    EXPECT_EQ(shown.At(x0 + 241, 40 + 151), 0xFFFFFFu);
    EXPECT_GT(shown.Ink({x0 + 120, 40 + 150, x0 + 660, 40 + 220}, 0xFFFFFFu), 0);

    // The screenshot kept beside the tests.
    EXPECT_TRUE(win::test::SavePng(renderer->Buffers().View()->Bitmap(), L"render-fixture-view.png"));
}

// After each edit the band of its lines is drawn and shown alone; the window then holds exactly what
// a redraw of the whole page shows: nothing stale around the band, nothing cut at its edges.
TEST_F(ScreenRendererTest, ABandRedrawShowsWhatAFullRedrawShows) {
    // The trill and the arpeggio reach past their line: a page with them is always drawn whole.
    data.WordInfo[4].SetMark(0, tessaly::aExtralWordInfo{});
    data.WordInfo[7].SetMark(0, tessaly::aExtralWordInfo{});
    ASSERT_TRUE(StampPage(data, 0, 1, u"").has_value());
    auto word = [&](int32_t i) -> StoredWord& { return data.WordInfo[static_cast<size_t>(i)]; };
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"a note of the first line", [&] { word(3).WdAsc = '5'; }},
        {"a lyric coloured", [&] { word(9).cf = 1; }},
        {"the symbols' line raised",
         [&] {
             data.LineInfo[2].Top -= 40, data.LineInfo[2].Bottom -= 40;
             for (int32_t i = 14; i < data.WordCount(); ++i) word(i).Top -= 40, word(i).Bottom -= 40;
         }},
        {"a note shorter, its neighbours moved", [&] {
             word(1).Yc = 0;
             for (int32_t i = 2; i < 9; ++i) word(i).Left -= 20, word(i).Right -= 20;
         }}};
    renderer->RefreshView(0, 0, tessaly::AllRefresh);
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        const Pixels before = window.Capture();
        edit();
        renderer->RefreshView(0, 0, tessaly::OnePageRefresh);
        const Pixels band = window.Capture();
        EXPECT_TRUE(win::test::SavePng(renderer->Buffers().View()->Bitmap(), L"band-redraw-view.png"));
        renderer->RefreshView(0, 0, tessaly::AllRefresh);
        const Pixels full = window.Capture();
        EXPECT_NE(before.Bits, full.Bits);  // the edit shows
        int differing = 0;
        for (size_t k = 0; k < full.Bits.size(); ++k) differing += band.Bits[k] != full.Bits[k];
        EXPECT_EQ(differing, 0);
    }
}

// At a zoom where a page is far larger than the window only the part in view (and a margin) is
// drawn: scrolling, an edit's band, and zoom steps in and out (on the buffers already made) then
// show exactly what a renderer drawing afresh at that place shows.
TEST_F(ScreenRendererTest, APartlyDrawnPageScrolledAndZoomedShowsWhatAFreshDrawShows) {
    data.WordInfo[4].SetMark(0, {});  // marks reaching past their line draw pages whole
    data.WordInfo[7].SetMark(0, {});
    data.AboutPageInfo.nScale = 2.5f;
    Start();
    renderer->RefreshView(0, 0, tessaly::AllRefresh);
    const HBITMAP made = renderer->Buffers().Layer(0, PageLayer::Text)->Bitmap();
    auto fresh = [&] {
        ScreenRenderer other(data, window.hwnd, nullptr, window.scroll);
        EXPECT_TRUE(other.InitPageBuffers() && other.ResetPageBuffers());
        other.RefreshView(0, 0, tessaly::AllRefresh);
        return window.Capture();
    };
    auto same = [&](const char* what) {
        SCOPED_TRACE(what);
        const Pixels shown = window.Capture();
        const Pixels expected = fresh();
        int differing = 0;
        for (size_t k = 0; k < shown.Bits.size(); ++k) differing += shown.Bits[k] != expected.Bits[k];
        EXPECT_EQ(differing, 0);
        renderer->RefreshView(0, 0, tessaly::SelColorRefresh);  // back to this renderer's view
        return shown;
    };
    auto scrollTo = [&](int64_t x, int64_t y) {
        window.grid.SetFirstPageScrollX(x * tessaly::kFixedOne);
        window.grid.SetFirstPageScrollY(y * tessaly::kFixedOne);
        renderer->RefreshView(0, 0, tessaly::AutoRefresh);  // what a scroll bar asks for
    };
    const std::pair<int64_t, int64_t> places[] = {{0, 250}, {0, 700}, {500, 700}, {900, 1100}, {300, 2300}, {0, 0}};
    for (const auto& [x, y] : places) {
        scrollTo(x, y);
        same("scrolled");
    }
    scrollTo(400, 250);
    const Pixels before = same("over the notes");
    EXPECT_GT(before.Ink({0, 0, 1000, 700}), 10000);
    data.WordInfo[3].WdAsc = '5';  // an edit's band, partly in view
    renderer->RefreshView(0, 0, tessaly::OnePageRefresh);
    EXPECT_NE(same("after an edit").Bits, before.Bits);
    const win::WindowDc dc(window.hwnd);
    const win::BitmapHandle picture = win::test::CopyOf(dc.Get(), RECT{0, 0, 1000, 700});
    EXPECT_TRUE(win::test::SavePng(picture.Get(), L"zoomed-scrolled-view.png"));
    for (float zoom : {1.0f, 2.45f, 2.5f, 2.0f, 2.5f}) {
        data.AboutPageInfo.nScale = zoom;
        window.grid.InitPageScrollInfo(tessaly::CLng(794 * zoom), tessaly::CLng(1123 * zoom), -1, -1);
        ASSERT_TRUE(renderer->ResetPageBuffers() && renderer->InitPageBuffers());
        renderer->RefreshView(0, 0, tessaly::AllRefresh);
        same("zoomed");
        EXPECT_EQ(renderer->Buffers().Layer(0, PageLayer::Text)->Bitmap(), made) << zoom;
    }
}

TEST_F(ScreenRendererTest, LayerSizesFollowTheZoomAndPaintingKeepsTheDocument) {
    const auto before = Bytes();
    for (float zoom : {0.5f, 1.25f, 2.5f}) {
        data.AboutPageInfo.nScale = zoom;
        Start();
        renderer->RefreshView(0, 0, tessaly::AllRefresh);
        EXPECT_EQ(Bytes(), before) << zoom;
        if (zoom == 1.25f) {
            // Used at the page's size, made for the top zoom so that zoom steps keep them.
            for (PageLayer layer : {PageLayer::Text, PageLayer::Marks, PageLayer::Items}) {
                const MemoryBuffer* b = renderer->Buffers().Layer(1, layer);
                EXPECT_EQ(b->Size(), (PixelSize{992, 1404}));
                BITMAP bm{};
                GetObjectW(b->Bitmap(), sizeof bm, &bm);
                EXPECT_EQ(bm.bmWidth, 1985);
                EXPECT_EQ(bm.bmHeight, 2808);
            }
        }
    }
}

TEST_F(ScreenRendererTest, TheCaretIsMadeOnlyWithTheFocus) {
    auto caretWindow = [] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetCurrentThreadId(), &info);
        return info.hwndCaret;
    };
    HWND other =
        CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    SetFocus(other);
    ASSERT_EQ(GetFocus(), other);
    const HWND before = caretWindow();
    renderer->RefreshView(0, 0, tessaly::SelColorRefresh);
    EXPECT_EQ(caretWindow(), before);
    EXPECT_EQ(GetFocus(), other);
    DestroyWindow(other);
    SetFocus(window.hwnd);
    renderer->RefreshView(0, 0, tessaly::SelColorRefresh);
    EXPECT_EQ(caretWindow(), window.hwnd);
    POINT at{};
    GetCaretPos(&at);
    EXPECT_EQ(at.x, window.scroll.PageSpaceX() + 120);
    EXPECT_EQ(at.y, 40 + 150);
    DestroyCaret();
}

TEST_F(ScreenRendererTest, TheTextureIsDrawnOnlyWhenItsPictureIsThere) {
    data.AboutPageInfo.BackGroundType = 5;
    renderer->Screen().TextureFile = u"Z:\\nowhere\\纹理.jpg";
    renderer->RefreshView(0, 0, tessaly::AllRefresh);
    EXPECT_EQ(Pixels::Of(*renderer->Buffers().Layer(0, PageLayer::Text)).At(30, 30), 0xFFFFFFu);

    // A small orange picture, tiled over the page.
    ASSERT_TRUE(win::test::WritePicture(L"render-texture.png", 8, 8, 4, 0xFFFF8000u));
    wchar_t full[MAX_PATH];
    GetFullPathNameW(L"render-texture.png", MAX_PATH, full, nullptr);
    const std::wstring path(full);
    renderer->Screen().TextureFile.assign(path.begin(), path.end());
    renderer->RefreshView(0, 0, tessaly::MainRefresh);
    EXPECT_EQ(Pixels::Of(*renderer->Buffers().Layer(0, PageLayer::Text)).At(30, 30), 0xFF8000u);
    DeleteFileW(full);
}

// A window shrunk and grown, centred page and not, shows after its paint what a renderer drawing
// afresh at that size shows: the view kept, moved with the page, and its uncovered strips composed.
TEST_F(ScreenRendererTest, AResizedWindowShowsWhatAFreshDrawShows) {
    renderer->RefreshView(0, 0, tessaly::AllRefresh);
    const std::pair<int, int> sizes[] = {{900, 650}, {960, 690}, {820, 600}, {700, 560}, {860, 640}, {1000, 700}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(w);
        SetWindowPos(window.hwnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
        window.grid.InitPageScrollInfo(-1, -1, -1, -1);
        ASSERT_TRUE(renderer->ResetPageBuffers());
        renderer->RefreshView(0, 0, tessaly::SelColorRefresh);  // the paint that follows
        const Pixels shown = window.Capture();
        ScreenRenderer other(data, window.hwnd, nullptr, window.scroll);
        ASSERT_TRUE(other.InitPageBuffers() && other.ResetPageBuffers());
        other.RefreshView(0, 0, tessaly::AllRefresh);
        EXPECT_EQ(window.Capture().Bits, shown.Bits);
        if (w == 860) {
            const win::WindowDc dc(window.hwnd);
            const win::BitmapHandle picture = win::test::CopyOf(dc.Get(), RECT{0, 0, w, h});
            EXPECT_TRUE(win::test::SavePng(picture.Get(), L"resized-view.png"));
        }
        renderer->RefreshView(0, 0, tessaly::SelColorRefresh);  // back to this renderer's view
    }
}

// Through the control's scroll service of Tessaly.dll: the caret's character scrolled into view,
// the view back at the start after a reset.
TEST_F(ScreenRendererTest, ScrollsThroughTheScrollService) {
    auto info = com::CreateFromDll<IMyScrollInfo>(L"Tessaly.dll", CLSID_MyScrollInfo);
    ASSERT_TRUE(info);
    SetWindowPos(window.hwnd, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    info->put_hwnd(VARIANT_TRUE, reinterpret_cast<LONG_PTR>(window.hwnd));
    ScrollInfoView scroll(info.Get());
    scroll.InitPageScrollInfo(794, 1123, 1, 1);
    ScreenRenderer shown(data, window.hwnd, nullptr, scroll);
    EXPECT_EQ(shown.CurrentDpi(), 96);
    EXPECT_EQ(shown.WindowsZoomPercentage(), 100);
    ASSERT_TRUE(shown.InitPageBuffers());
    ASSERT_TRUE(shown.ResetPageBuffers());
    shown.EnsureWordVisible(16);  // line 2, 450 to 509 on the page
    const tessaly::Fixed y = scroll.FirstPageScrollY();
    EXPECT_LE(y, -(40 + 509 - 300) * tessaly::kFixedOne);
    data.SelStart = 16;
    shown.RefreshView(16, 0, tessaly::AllRefresh);
    EXPECT_EQ(window.Capture().At(5, 5), 0x646464u);
    shown.ResetView();
    EXPECT_EQ(scroll.FirstPageScrollY(), 0);
    EXPECT_EQ(data.SelStart, 0);
}

// A fresh folder under the temporary folder, removed with what the export wrote.
struct TempFolder {
    std::wstring Path;
    TempFolder() {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        Path = std::wstring(tmp) + L"pic" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::to_wstring(GetTickCount()) + L"\\";
        CreateDirectoryW(Path.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAW f;
        if (const win::FindHandle h{FindFirstFileW((Path + L"*").c_str(), &f)}) {
            do DeleteFileW((Path + f.cFileName).c_str());
            while (FindNextFileW(h.Get(), &f));
        }
        RemoveDirectoryW(Path.c_str());
    }
    int Count() const {
        int n = 0;
        WIN32_FIND_DATAW f;
        const win::FindHandle h(FindFirstFileW((Path + L"*").c_str(), &f));
        if (!h) return 0;
        do n += !(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        while (FindNextFileW(h.Get(), &f));
        return n;
    }
};

bool Exists(const std::wstring& f) {
    return GetFileAttributesW(f.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A picture file decoded by GDI+; pixels far from white count as ink (JPEG blurs edges).
Pixels Decode(const std::wstring& file) {
    win::GpImage* image = nullptr;
    if (const auto s = flat::GdipLoadImageFromFile(file.c_str(), &image); s != Gdiplus::Ok) {
        ADD_FAILURE() << "status " << s;
        return {};
    }
    const win::gdip::Image owned(image);
    auto* bmp = static_cast<Gdiplus::GpBitmap*>(image);
    UINT w = 0, h = 0;
    flat::GdipGetImageWidth(bmp, &w);
    flat::GdipGetImageHeight(bmp, &h);
    Pixels p{static_cast<int32_t>(w), static_cast<int32_t>(h), std::vector<uint32_t>(size_t{w} * h)};
    for (UINT y = 0; y < h; ++y)
        for (UINT x = 0; x < w; ++x) {
            win::ARGB c = 0;
            flat::GdipBitmapGetPixel(bmp, static_cast<INT>(x), static_cast<INT>(y), &c);
            const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
            p.Bits[size_t{y} * w + x] = r + g + b > 3 * 200 ? 0xFFFFFFu : c & 0xFFFFFFu;
        }
    return p;
}

struct PictureExportTest : ScreenRendererTest {
    // Pairs the start this suite inherits.
    static void TearDownTestSuite() { win::TerminateGDIPlus(); }
    TempFolder folder;
    NoPageView view;
    std::vector<std::wstring> asked;
    bool answer = true;

    void SetUp() override {
        BuildFixture(data);
        // Two pages: the notes, then the lyrics and symbols.
        data.PageInfo = {{0, 1, 0, 9}, {1, 2, 9, data.WordCount() - 9}};
        data.Measurer = measurer;
        data.AboutPageInfo.nScale = 1.5;
        Start();
        renderer->RefreshView(0, 0, tessaly::AllRefresh);
    }
    PictureExportStatus Export(const std::wstring& name) {
        return renderer->SavePagePictures(JoinUp(data, view), folder.Path + name, [&](const std::wstring& f) {
            asked.push_back(f);
            return answer;
        });
    }
    void ExpectPages(const wchar_t* ext) {
        const auto before = Bytes();
        const auto status = Export(std::wstring(L"song") + ext);
        EXPECT_EQ(PictureExportResult::Saved, status.Result);
        EXPECT_EQ(2, status.Written);
        EXPECT_TRUE(asked.empty());
        std::wstring upper = ext;
        for (auto& c : upper) c = static_cast<wchar_t>(towupper(c));
        const Pixels first = Decode(folder.Path + L"song" + upper);
        const Pixels second = Decode(folder.Path + L"song_1" + upper);
        EXPECT_EQ(2, folder.Count());
        // At zoom 1 whatever the view's zoom.
        for (const Pixels* p : {&first, &second}) {
            EXPECT_EQ(794, p->Width);
            EXPECT_EQ(1123, p->Height);
        }
        if (first.Width != 794 || second.Width != 794) return;
        // The first page's notes on its first line, none of the second page's lines.
        EXPECT_GT(first.Ink({120, 150, 660, 220}), 50);
        EXPECT_EQ(first.Ink({94, 290, 700, 520}), 0);
        // The second page: lyrics and symbols, and its free items.
        EXPECT_GT(second.Ink({120, 300, 420, 370}), 20);
        EXPECT_GT(second.Ink({120, 450, 420, 520}), 20);
        // The zoom, the buffers and the document as before.
        EXPECT_DOUBLE_EQ(1.5, data.AboutPageInfo.nScale);
        EXPECT_DOUBLE_EQ(1.5, renderer->Screen().Scale());
        EXPECT_EQ(tessaly::CLng(794 * 1.5), renderer->Buffers().Layer(0, PageLayer::Text)->Size().Width);
        EXPECT_EQ(Bytes(), before);
    }
};

TEST_F(PictureExportTest, PngPagesAtZoomOneWithTheirInk) {
    ExpectPages(L".png");
}

TEST_F(PictureExportTest, JpgBmpAndGifPagesLikewise) {
    {
        SCOPED_TRACE("jpg");
        ExpectPages(L".jpg");
    }
    for (const wchar_t* ext : {L".bmp", L".GIF"}) {
        SCOPED_TRACE(::testing::Message() << (ext[1] == 'b' ? "bmp" : "gif"));
        const auto status = Export(std::wstring(L"other") + ext);
        EXPECT_EQ(PictureExportResult::Saved, status.Result);
        std::wstring upper = ext;
        for (auto& c : upper) c = static_cast<wchar_t>(towupper(c));
        const Pixels p = Decode(folder.Path + L"other_1" + upper);
        EXPECT_EQ(794, p.Width);
        EXPECT_EQ(1123, p.Height);
    }
}

TEST_F(PictureExportTest, ExistingPagesAreAskedAndCancelWritesNothing) {
    const std::wstring later = folder.Path + L"song_1.png";  // the pages are named as typed
    win::KernelHandle h(CreateFileW(later.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_NE(INVALID_HANDLE_VALUE, h.Get());
    h.Close();
    answer = false;
    const auto before = Bytes();
    EXPECT_EQ(PictureExportResult::Cancelled, Export(L"song.png").Result);
    // The later page is asked about like the first, not written elsewhere.
    EXPECT_EQ(std::vector<std::wstring>{later}, asked);
    EXPECT_EQ(1, folder.Count());
    EXPECT_FALSE(Exists(folder.Path + L"song.PNG"));
    EXPECT_EQ(Bytes(), before);
    EXPECT_DOUBLE_EQ(1.5, renderer->Screen().Scale());

    answer = true;
    EXPECT_EQ(PictureExportResult::Saved, Export(L"song.png").Result);
    EXPECT_EQ(2u, asked.size());
    EXPECT_EQ(2, folder.Count());
    EXPECT_EQ(1123, Decode(later).Height);
}

TEST_F(PictureExportTest, UnknownExtensionsAndShortNamesWriteNothingAndAskNothing) {
    const std::wstring existing = folder.Path + L"song.TIF";
    win::KernelHandle h(CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_NE(INVALID_HANDLE_VALUE, h.Get());
    h.Close();
    EXPECT_EQ(PictureExportResult::UnsupportedExtension, Export(L"song.tif").Result);
    EXPECT_EQ(PictureExportResult::UnsupportedExtension, Export(L"song.jpe").Result);
    const auto shortName =
        SavePagePictures(data, JoinUp(data, view), u"", L"a.p", [&](const std::wstring&) { return true; });
    EXPECT_EQ(PictureExportResult::BadName, shortName.Result);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(1, folder.Count());
}

PictureName NameOf(const std::wstring& file) {
    PictureName name;
    EXPECT_TRUE(SplitPictureName(file, name));
    return name;
}

TEST_F(PictureExportTest, AJobDrawsTheDocumentAsItStoodWhenMadeOnAThreadOfItsOwn) {
    ASSERT_EQ(PictureExportResult::Saved, Export(L"before.png").Result);
    PictureJob job(data, JoinUp(data, view), u"", NameOf(folder.Path + L"job.png"));
    // Changed after the job was made: its characters, and the pages they are laid out on.
    for (int32_t i = 0; i < 9; ++i) data.WordInfo[static_cast<size_t>(i)].WdAsc = 32;
    data.PageInfo.pop_back();
    PictureExportStatus status;
    std::vector<int32_t> asked;
    std::thread drawing([&] {
        status = job.Write([&](int32_t page, int32_t pages) {
            asked.push_back(page * 10 + pages);
            return true;
        });
    });
    drawing.join();
    EXPECT_EQ(PictureExportResult::Saved, status.Result);
    EXPECT_EQ(2, status.Written);
    EXPECT_EQ((std::vector<int32_t>{2, 12}), asked);
    for (const wchar_t* page : {L"", L"_1"}) {
        const Pixels was = Decode(folder.Path + L"before" + page + L".PNG");
        const Pixels drawn = Decode(folder.Path + L"job" + page + L".PNG");
        EXPECT_GT(was.Ink({0, 0, was.Width, was.Height}), 100);
        EXPECT_TRUE(was.Bits == drawn.Bits) << (page[0] ? "second page" : "first page");
    }
}

TEST_F(PictureExportTest, AFailedPageOrAStopEndsTheExportKeepingTheEarlierPages) {
    // The second page's name taken by a folder: its file cannot be written.
    const std::wstring taken = folder.Path + L"song_1.png";
    ASSERT_TRUE(CreateDirectoryW(taken.c_str(), nullptr));
    const auto failed = Export(L"song.png");
    RemoveDirectoryW(taken.c_str());
    EXPECT_EQ(PictureExportResult::WriteFailed, failed.Result);
    EXPECT_EQ(1, failed.Written);
    EXPECT_EQ(taken, failed.FailedFile);
    EXPECT_EQ(1123, Decode(folder.Path + L"song.PNG").Height);

    PictureJob job(data, JoinUp(data, view), u"", NameOf(folder.Path + L"stop.bmp"));
    const auto stopped = job.Write([](int32_t page, int32_t) { return page < 1; });
    EXPECT_EQ(PictureExportResult::Stopped, stopped.Result);
    EXPECT_EQ(1, stopped.Written);
    EXPECT_EQ(1123, Decode(folder.Path + L"stop.BMP").Height);
    EXPECT_FALSE(Exists(folder.Path + L"stop_1.BMP"));
}

TEST_F(PictureExportTest, APageIsWrittenBesideItsNameAndTakesItOnlyWhenWhole) {
    // Another program holds the second page's old file open: it cannot be replaced.
    const std::wstring held = folder.Path + L"song_1.png";  // the pages are named as typed
    win::KernelHandle old(CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(old.Get(), "old", 3, &n, nullptr));
    const auto status = Export(L"song.png");
    old.Close();
    EXPECT_EQ(PictureExportResult::WriteFailed, status.Result);
    EXPECT_EQ(tessaly::kErrPermissionDenied, status.Error);
    EXPECT_EQ(held, status.FailedFile);
    EXPECT_EQ(1, status.Written);
    WIN32_FILE_ATTRIBUTE_DATA kept{};
    GetFileAttributesExW(held.c_str(), GetFileExInfoStandard, &kept);
    EXPECT_EQ(3u, kept.nFileSizeLow);  // the old file as it was, never a torn picture
    EXPECT_EQ(2, folder.Count());      // and no temporary file left
}

TEST_F(PictureExportTest, AnUnwritableFolderIsReportedWithItsFile) {
    const auto status = Export(L"missing\\song.png");
    EXPECT_EQ(PictureExportResult::WriteFailed, status.Result);
    EXPECT_EQ(tessaly::kErrPathNotFound, status.Error);
    EXPECT_EQ(0, status.Written);
    EXPECT_EQ(folder.Path + L"missing\\song.png", status.FailedFile);
    EXPECT_DOUBLE_EQ(1.5, renderer->Screen().Scale());
}

}  // namespace
}  // namespace notaline
