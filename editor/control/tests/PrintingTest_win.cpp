#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DocumentBuilder.h"
#include "PrintedInk_win.h"
#include "ScreenTestSupport_win.h"
#include "com/Bstr.h"
#include "com/Container.h"
#include "com/Dispatch.h"
#include "control/Handlers_win.h"
#include "control/Printing_win.h"
#include "control/ZEVudu_win.h"
#include "model/document/MarkCodes.h"
#include "paint/LineSpans.h"
#include "render/NotationFont_win.h"
#include "render/PrintDevice_win.h"
#include "render/ScreenRenderer_win.h"
#include "win/GdiHandles.h"
#include "win/Gdip_win.h"
#include "win/KernelHandles.h"
#include "win/tests/Capture_win.h"

namespace notaline {
namespace {

namespace flat = Gdiplus::DllExports;
using test::Decode;
using test::ExpectInkAgrees;
using test::FillPages;
using test::InkOf;
using test::Pixels;
using test::TypeNotes;

// As the program starts: the notation font before any font is asked for, so notes have ink.
class NotationFontEnvironment : public testing::Environment {
public:
    void SetUp() override { LoadNotationFont(); }
};
[[maybe_unused]] testing::Environment* const kFontEnvironment =
    testing::AddGlobalTestEnvironment(new NotationFontEnvironment);

// The next dialog box this thread activates (a question, a message, the position dialog) is
// handed to `answer` as it appears, which posts what the user would do.
class DialogAnswerer {
public:
    // Every dialog when `every`, else the first only.
    explicit DialogAnswerer(std::function<void(HWND)> answer, bool every = false) : every_(every) {
        current_ = this;
        answer_ = std::move(answer);
        hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~DialogAnswerer() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    int Seen = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l) {
        if (code == HCBT_ACTIVATE && current_) {
            wchar_t cls[16]{};
            GetClassNameW(reinterpret_cast<HWND>(w), cls, 16);
            // A dialog activated again (another program took the focus meanwhile) is the same dialog.
            const HWND dialog = reinterpret_cast<HWND>(w);
            if (std::wstring(cls) == L"#32770" && dialog != current_->last_ &&
                (current_->Seen++ == 0 || current_->every_))
                current_->answer_(dialog);
            if (std::wstring(cls) == L"#32770") current_->last_ = dialog;
        }
        return CallNextHookEx(nullptr, code, w, l);
    }
    static inline DialogAnswerer* current_ = nullptr;
    std::function<void(HWND)> answer_;
    bool every_;
    HHOOK hook_ = nullptr;
    HWND last_ = nullptr;
};

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Every static text of a message box, joined.
std::wstring BoxText(HWND box) {
    std::wstring all;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM p) {
            wchar_t text[512]{};
            GetWindowTextW(child, text, 512);
            *reinterpret_cast<std::wstring*>(p) += text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

// A printer at 600 dpi whose pages are enhanced metafiles framed to the paper.
class MetafilePrinter final : public PrintDevice {
public:
    MetafilePrinter(SIZE paper, POINT offset) : paper_(paper), offset_(offset) {}
    ~MetafilePrinter() override {
        for (HENHMETAFILE m : Pages) DeleteEnhMetaFile(m);
    }
    int32_t DotsPerInch() override { return 600; }
    bool StartJob(const std::u16string& job) override {
        Job = job;
        return true;
    }
    bool StartPage() override {
        const win::ScreenDc screen;
        // The frame in hundredths of a millimetre of the screen the metafile refers to.
        const RECT frame{
            0, 0, MulDiv(paper_.cx, GetDeviceCaps(screen.Get(), HORZSIZE) * 100, GetDeviceCaps(screen.Get(), HORZRES)),
            MulDiv(paper_.cy, GetDeviceCaps(screen.Get(), VERTSIZE) * 100, GetDeviceCaps(screen.Get(), VERTRES))};
        dc_ = CreateEnhMetaFileW(screen.Get(), nullptr, &frame, nullptr);
        return dc_ != nullptr;
    }
    void DrawPage(const std::function<void(Canvas&)>& draw) override { DrawOnDeviceContext(dc_, offset_, draw); }
    bool EndPage() override {
        Pages.push_back(CloseEnhMetaFile(dc_));
        return Pages.back() != nullptr;
    }
    bool EndDoc() override { return true; }
    void AbortDoc() override {}

    // A page played back at the screen's size.
    Pixels Played(size_t page, SIZE size) const {
        const win::ScreenDc screen;
        const win::BitmapHandle bmp(CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
        {
            const win::OwnedDc dc(CreateCompatibleDC(screen.Get()));
            const win::SelectScope select(dc.Get(), bmp.Get());
            RECT all{0, 0, size.cx, size.cy};
            FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            PlayEnhMetaFile(dc.Get(), Pages[page], &all);
        }
        Gdiplus::GpBitmap* image = nullptr;
        flat::GdipCreateBitmapFromHBITMAP(bmp.Get(), nullptr, &image);
        const win::gdip::Image owned(image);
        return InkOf(image);
    }

    std::vector<HENHMETAFILE> Pages;
    std::u16string Job;

private:
    SIZE paper_;
    POINT offset_;
    HDC dc_ = nullptr;
};

// A picture's pixels as 0xRRGGBB.
struct Colours {
    int32_t Width = 0, Height = 0;
    std::vector<uint32_t> Rgb;
    uint32_t At(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < Width && y < Height ? Rgb[static_cast<size_t>(y) * Width + x] : 0;
    }
};

Colours ColoursOf(const std::wstring& file) {
    Gdiplus::GpImage* image = nullptr;
    if (flat::GdipLoadImageFromFile(file.c_str(), &image) != Gdiplus::Ok) return {};
    const win::gdip::Image owned(image);
    UINT w = 0, h = 0;
    flat::GdipGetImageWidth(image, &w);
    flat::GdipGetImageHeight(image, &h);
    Colours c{static_cast<int32_t>(w), static_cast<int32_t>(h), std::vector<uint32_t>(size_t{w} * h)};
    for (UINT y = 0; y < h; ++y)
        for (UINT x = 0; x < w; ++x) {
            Gdiplus::ARGB argb = 0;
            flat::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(image), static_cast<INT>(x), static_cast<INT>(y),
                                     &argb);
            c.Rgb[size_t{y} * w + x] = argb & 0xFFFFFF;
        }
    return c;
}

// The pictures of the first test, kept beside the tests for the image tool's check.
const std::wstring kPictures = L"control_pictures\\";

// The files of a folder, by name.
std::vector<std::wstring> Files(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW f;
    const win::FindHandle h(FindFirstFileW((folder + L"*").c_str(), &f));
    if (!h) return names;
    do
        if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(f.cFileName);
    while (FindNextFileW(h.Get(), &f));
    return names;
}

int FileCount(const std::wstring& folder) {
    return static_cast<int>(Files(folder).size());
}

void ClearFolder(const std::wstring& folder) {
    for (const auto& name : Files(folder)) DeleteFileW((folder + name).c_str());
    CreateDirectoryW(folder.c_str(), nullptr);
}

struct PrintingTest : ::testing::Test {
    static inline std::vector<int32_t> progress;
    static inline WNDPROC hostProc = nullptr;
    static inline UINT lastTold = 0;

    static LRESULT CALLBACK HostProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == tessaly::EM_RunPre) progress.push_back(*reinterpret_cast<const int32_t*>(l));
        if (msg == tessaly::EM_RunPre || msg == tessaly::EM_SendMsg) lastTold = msg;
        return CallWindowProcW(hostProc, h, msg, w, l);
    }

    void SetUp() override {
        progress.clear();
        parent = CreateWindowExW(0, L"STATIC", L"Tavolin--测试", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
        hostProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PrintingTest::HostProc)));
        com::Ptr<IZEVudu> z;
        ASSERT_EQ(S_OK, ZEVudu::Create(__uuidof(IZEVudu), z.OutVoid()));
        auto bag = com::PropertyBag::Create({});
        ASSERT_EQ(S_OK, com::ControlSite::Host(z.Get(), parent, RECT{0, 0, 600, 400}, bag.Get(), true, site));
        control = static_cast<ZEVudu*>(z.Get());
        ASSERT_TRUE(control->Running());
        ed = control->Running();
    }
    void TearDown() override {
        if (site) site->Close();
        DestroyWindow(parent);
    }

    void Type(std::string_view notes) { TypeNotes(*ed, notes); }
    void Pages(int32_t pages) { FillPages(*ed, pages); }
    // Pictures that fail or ask: the one box shown is answered with `button`; its text.
    std::wstring SaveAnswering(const std::wstring& file, int button) {
        std::wstring text;
        DialogAnswerer answer([&](HWND box) {
            text = BoxText(box);
            PostMessageW(box, WM_COMMAND, button, 0);
        });
        EXPECT_FALSE(SavePagePictures(*ed, file));
        EXPECT_EQ(1, answer.Seen);
        return text;
    }
    double Zoom() const { return ed->Data.AboutPageInfo.nScale; }

    HWND parent = nullptr;
    com::Ptr<com::ControlSite> site;
    ZEVudu* control = nullptr;
    Editor* ed = nullptr;
};

TEST_F(PrintingTest, ThreePagesAsPicturesInEachFormatAtZoomOneAndTheZoomKept) {
    Pages(3);
    ASSERT_EQ(3, ed->Data.PageCount());
    ed->Data.AboutPageInfo.nScale = 1.25;
    const PixelSize page = PageSizeAt(ed->Data, 1);
    ClearFolder(kPictures);
    const auto before = test::DocumentBytes(ed->Data);
    const wchar_t* names[][3] = {{L"song.png", L"song.png", L"song_2.png"},
                                 {L"song.jpg", L"song.jpg", L"song_2.jpg"},
                                 {L"song.bmp", L"song.bmp", L"song_2.bmp"},
                                 {L"song.gif", L"song.gif", L"song_2.gif"}};
    for (const auto& n : names) {
        SCOPED_TRACE(::testing::Message() << static_cast<const void*>(n[0]));
        ASSERT_TRUE(SavePagePictures(*ed, kPictures + n[0]));
        for (const std::wstring& file : {std::wstring(n[1]), std::wstring(n[1]).insert(4, L"_1"), std::wstring(n[2])}) {
            const Pixels p = Decode(kPictures + file);
            EXPECT_EQ(page.Width, p.Width);
            EXPECT_EQ(page.Height, p.Height);
            EXPECT_GT(p.Count(0, 0, p.Width, p.Height), 100);
        }
    }
    EXPECT_EQ(12, FileCount(kPictures));
    EXPECT_DOUBLE_EQ(1.25, Zoom());
    EXPECT_EQ(before, test::DocumentBytes(ed->Data));
    // For the image tool's check beside the tests: the page size.
    if (FILE* f = _wfopen((kPictures + L"size.txt").c_str(), L"w")) {
        fprintf(f, "%d %d\n", page.Width, page.Height);
        fclose(f);
    }
}

TEST_F(PrintingTest, PicturesLeaveParagraphEndsBlank) {
    Type("1234");
    const std::wstring folder = L"control_pictures_ends\\";
    ClearFolder(folder);
    ASSERT_TRUE(SavePagePictures(*ed, folder + L"end.png"));
    const Pixels p = Decode(folder + L"end.PNG");
    int ends = 0;
    for (const auto& w : ed->Data.WordInfo)
        if (w.IsJpGcCtl == 3 && w.Bottom < p.Height) {
            ++ends;
            EXPECT_EQ(0, p.Count(static_cast<int32_t>(w.Left), static_cast<int32_t>(w.Top),
                                 static_cast<int32_t>(w.Left + w.WdSize.cx), static_cast<int32_t>(w.Bottom)));
        }
    EXPECT_GT(ends, 0);
    ClearFolder(folder);
}

TEST_F(PrintingTest, CancellingTheOverwriteWritesNothingAndUnknownFormatsAreTold) {
    const std::wstring folder = L"control_pictures_cancel\\";
    ClearFolder(folder);
    Pages(2);
    ASSERT_TRUE(SavePagePictures(*ed, folder + L"song.png"));
    ASSERT_EQ(2, FileCount(folder));
    // The second page exists too: asked about like the first, and Cancel stops before any write.
    win::KernelHandle(CreateFileW((folder + L"song.PNG").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr))
        .Close();
    const std::wstring question = SaveAnswering(folder + L"song.png", IDCANCEL);
    EXPECT_NE(std::wstring::npos, question.find(L"已经存在，覆盖保存？"));
    EXPECT_EQ(2, FileCount(folder));
    WIN32_FILE_ATTRIBUTE_DATA a{};
    GetFileAttributesExW((folder + L"song.PNG").c_str(), GetFileExInfoStandard, &a);
    EXPECT_EQ(0u, a.nFileSizeLow);  // left as it was

    const std::wstring told = SaveAnswering(folder + L"other.tif", IDOK);
    EXPECT_NE(std::wstring::npos, told.find(L"“.tif”"));  // as typed
    EXPECT_EQ(2, FileCount(folder));

    // A name too short for an extension is the caller's mistake, refused before any question.
    try {
        SavePagePictures(*ed, L"a.p");
        ADD_FAILURE() << "no error";
    } catch (const com::Error& e) {
        EXPECT_EQ(E_INVALIDARG, e.hr);
    }
    ClearFolder(folder);
    RemoveDirectoryW(folder.c_str());
}

// The bytes of a file; empty when it cannot be read.
std::string FileBytes(const std::wstring& file) {
    std::string bytes;
    if (FILE* f = _wfopen(file.c_str(), L"rb")) {
        char buffer[65536];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
        fclose(f);
    }
    return bytes;
}

struct BackgroundPicturesTest : PrintingTest {
    // The host's command: returns at once, the pages written beside the window.
    HRESULT StartBeside(const std::wstring& file) {
        progress.clear();
        lastTold = 0;
        com::Ptr<IZEVuduHost> host;
        control->QueryInterface(__uuidof(IZEVuduHost), host.OutVoid());
        return host ? host->SavePicturesBeside(com::Bstr(file).Get()) : E_NOINTERFACE;
    }
    bool WaitDone() {
        return test::PumpUntil([&] { return !ed->Background.Pictures.Running() && lastTold == tessaly::EM_SendMsg; });
    }
};

TEST_F(BackgroundPicturesTest, TheUsersPicturesAreTheDocumentAsItStoodWhileEditingGoesOn) {
    Pages(3);
    const std::wstring before = L"control_pictures_sync\\", beside = L"control_pictures_beside\\";
    ClearFolder(before);
    ClearFolder(beside);
    ASSERT_TRUE(SavePagePictures(*ed, before + L"song.png"));
    const auto document = test::DocumentBytes(ed->Data);
    EXPECT_EQ(S_OK, StartBeside(beside + L"song.png"));
    EXPECT_TRUE(ed->Background.Pictures.Running());
    Type("1234567");  // typed while the pages are drawn: not in the pictures
    EXPECT_NE(document, test::DocumentBytes(ed->Data));
    ASSERT_TRUE(WaitDone());
    EXPECT_EQ((std::vector<int32_t>{0, 33, 66}), progress);
    EXPECT_EQ(Files(before).size(), Files(beside).size());
    for (const auto& name : Files(before)) {
        const std::string written = FileBytes(beside + name);
        EXPECT_FALSE(written.empty());
        EXPECT_TRUE(written == FileBytes(before + name));
    }
    // A second command while one runs is refused; a caller's export waits for the first.
    EXPECT_EQ(S_OK, StartBeside(beside + L"other.png"));
    EXPECT_EQ(S_FALSE, StartBeside(beside + L"third.png"));
    ASSERT_TRUE(SavePagePictures(*ed, beside + L"fourth.png"));
    EXPECT_FALSE(ed->Background.Pictures.Running());
    ASSERT_TRUE(WaitDone());
    // The first export's pages, then the second's and the fourth's of the document as typed on.
    const auto pagesNow = static_cast<size_t>(ed->Data.PageCount());
    EXPECT_EQ(Files(before).size() + 2 * pagesNow, Files(beside).size());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((beside + L"third.PNG").c_str()));
    ClearFolder(before);
    ClearFolder(beside);
}

TEST_F(BackgroundPicturesTest, EscStopsAfterThePageBeingWrittenAndKeepsTheWrittenOnes) {
    Pages(20);
    const std::wstring folder = L"control_pictures_stopped\\";
    ClearFolder(folder);
    int shown = 0;
    DialogAnswerer answer([&](HWND box) {
        ++shown;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    StartBeside(folder + L"song.bmp");
    ASSERT_TRUE(test::PumpUntil([&] { return !progress.empty(); }));
    SendMessageW(ed->Window, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitDone());
    const auto files = Files(folder);
    EXPECT_GE(files.size(), 1u);
    EXPECT_LT(files.size(), 20u);
    // The pages from the first on, each whole.
    for (size_t n = 0; n < files.size(); ++n) {
        const std::wstring file = folder + (n == 0 ? L"song.BMP" : L"song_" + std::to_wstring(n) + L".BMP");
        EXPECT_EQ(PageSizeAt(ed->Data, 1).Height, Decode(file).Height);
    }
    EXPECT_EQ(0, shown);  // the user's own stop is not told
    ClearFolder(folder);
}

TEST_F(BackgroundPicturesTest, AFailedPageIsToldWithItsReasonAndThePagesWrittenAndLeavesNoTornFile) {
    Pages(3);
    const std::wstring folder = L"control_pictures_held\\";
    ClearFolder(folder);
    // Another program holds the second page's old file open.
    win::KernelHandle old(
        CreateFileW((folder + L"song_1.PNG").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    std::vector<std::wstring> boxes;
    DialogAnswerer answer(
        [&](HWND box) {
            boxes.push_back(BoxText(box));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
        true);
    StartBeside(folder + L"song.png");
    ASSERT_TRUE(WaitDone());
    old.Close();
    ASSERT_EQ(2u, boxes.size());  // the overwrite question, then the failure
    EXPECT_NE(std::wstring::npos, boxes[1].find(L"没有权限")) << boxes[1];
    EXPECT_NE(std::wstring::npos, boxes[1].find(L"已保存 1 页图片，共 3 页")) << boxes[1];
    ClearFolder(folder);
}

// Waiting for the export shows its progress and Esc stops it; a control destroyed meanwhile
// writes every page first.
TEST_F(BackgroundPicturesTest, WaitingForTheExportShowsItsProgressEscStopsItAndAClosedControlWritesEveryPage) {
    Pages(12);
    const std::wstring folder = L"control_pictures_wait\\";
    ClearFolder(folder);
    StartBeside(folder + L"song.bmp");
    WaitForPagePictures(*ed);
    EXPECT_FALSE(ed->Background.Pictures.Running());
    EXPECT_EQ(12, FileCount(folder));
    EXPECT_FALSE(progress.empty());
    EXPECT_EQ(tessaly::EM_SendMsg, lastTold);  // the status bar back to the caret's
    ClearFolder(folder);
    StartBeside(folder + L"song.bmp");
    PostMessageW(ed->Window, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitForPagePictures(*ed);
    EXPECT_FALSE(ed->Background.Pictures.Running());
    EXPECT_LT(FileCount(folder), 12);
    ClearFolder(folder);
    StartBeside(folder + L"song.bmp");
    ASSERT_TRUE(ed->Background.Pictures.Running());
    site->Close();
    site.Reset();
    ed = nullptr;
    EXPECT_EQ(12, FileCount(folder));
    ClearFolder(folder);
}

TEST_F(PrintingTest, PrintsEveryPageFromACopyWithProgressAndInkWhereTheScreenHasIt) {
    Pages(3);
    ed->Data.AboutPageInfo.nScale = 1.25;
    ed->Data.PropertiesDpi = 96;
    const std::wstring folder = L"control_print_pages\\";
    ClearFolder(folder);
    ASSERT_TRUE(SavePagePictures(*ed, folder + L"page.png"));
    const auto before = test::DocumentBytes(ed->Data);
    const PixelSize screenPage = PageSizeAt(ed->Data, 1);
    const PixelSize paper = PageSizeAt(ed->Data, 6.25);
    MetafilePrinter printer({paper.Width, paper.Height}, {0, 0});
    progress.clear();
    ASSERT_TRUE(PrintOn(*ed, printer, L"song"));
    EXPECT_EQ((std::vector<int32_t>{0, 33, 66}), progress);
    EXPECT_EQ(tessaly::EM_SendMsg, lastTold);  // the status bar shows the position again, not the progress
    EXPECT_EQ(u"song", printer.Job);
    EXPECT_EQ(before, test::DocumentBytes(ed->Data));
    EXPECT_DOUBLE_EQ(1.25, Zoom());
    ASSERT_EQ(3u, printer.Pages.size());

    const wchar_t* shown[] = {L"page.PNG", L"page_1.PNG", L"page_2.PNG"};
    for (size_t j = 0; j < 3; ++j) {
        SCOPED_TRACE(j);
        const Pixels screen = Decode(folder + shown[j]);
        const Pixels paperInk = printer.Played(j, {screenPage.Width, screenPage.Height});
        ASSERT_EQ(screen.Width, paperInk.Width);
        ExpectInkAgrees(ed->Data, screen, paperInk);
    }
}

// A volta made as the menu makes it from two notes before a line break gains its line over the
// end of the line's last glyph in the picture (the pieces themselves: the paint tests).
TEST_F(PrintingTest, AVoltaCutByALineBreakRunsOverTheLinesLastGlyph) {
    Pages(2);
    auto& d = ed->Data;
    d.AboutPageInfo.nScale = 1;
    d.PropertiesDpi = 96;
    const int32_t last = LastDrawnWordOfLine(d, d.LineInfo[0]);
    const std::wstring folder = L"control_pictures_volta\\";
    ClearFolder(folder);
    // The ink in the band a volta of offset 18 stands in, over the last glyph's end.
    const auto ink = [&](const std::wstring& name) {
        EXPECT_TRUE(SavePagePictures(*ed, folder + name + L".png"));
        const auto& w = d.WordInfo[static_cast<size_t>(last)];
        const auto y = [&](float edge) { return static_cast<int32_t>(edge + 18 * w.nLogFont().lfHeight / 20.4); };
        const auto right = static_cast<int32_t>(w.Left + w.WdSize.cx);
        return Decode(folder + name + L".PNG").Count(right - 6, y(w.Top), right, y(w.Bottom));
    };
    const int plain = ink(L"plain");
    d.SelStart = last - 2;
    d.SelLength = d.LineInfo[1].Start + 5 - last;
    ed->Commands->Ranges.FormatTFZ("1.", 18, kMarkVoltaStart);
    ed->LayOutAndShow(tessaly::AllRefresh);
    EXPECT_GT(ink(L"volta"), plain + 2);
}

TEST_F(PrintingTest, PrintDocOnTheSystemQueueHasTheScreensInk) {
    // Run by print_queue.sh, which serves a cups-pdf queue for this run and rasterises the PDF
    // it receives into the folder.
    if (!_wgetenv(L"JP_PRINT_QUEUE")) GTEST_SKIP() << "no print queue served for this run";
    const std::wstring folder = L"control_print_queue\\";
    ClearFolder(folder);
    Type("1234567|1234567|");
    ASSERT_EQ(1, ed->Data.PageCount());
    // The second bar highlighted light yellow, as the palette gives it.
    const int32_t first = ed->Data.WordCount() - 9, last = first + 7;
    ASSERT_TRUE(ed->Commands->Chars.SelWordBkColor(first, last - first, 0x5000FFFF));
    ed->LayOutAndShow(tessaly::AllRefresh);
    ed->Data.AboutPageInfo.nScale = 1;
    ASSERT_TRUE(SavePagePictures(*ed, folder + L"screen.png"));
    {
        DialogAnswerer answer([](HWND dialog) { Click(dialog, IDOK); });
        ASSERT_EQ(S_OK, control->PrintDoc());
        EXPECT_EQ(1, answer.Seen);
    }
    ASSERT_EQ(1, test::PrintedPages(folder)) << "no page came out of the queue";
    ExpectInkAgrees(ed->Data, Decode(folder + L"screen.PNG"), Decode(folder + L"printed-1.png"));
    // The highlight prints blended with the paper, as the screen shows it: light yellow, not a bar.
    const Colours screen = ColoursOf(folder + L"screen.PNG"), paper = ColoursOf(folder + L"printed-1.png");
    const auto& a = ed->Data.WordInfo[static_cast<size_t>(first)];
    const auto& b = ed->Data.WordInfo[static_cast<size_t>(last - 1)];
    int lit = 0, alike = 0;
    for (auto y = static_cast<int32_t>(b.Top) + 2; y < static_cast<int32_t>(b.Bottom) - 2; ++y)
        for (auto x = static_cast<int32_t>(a.Left) + 2; x < static_cast<int32_t>(b.Right) - 2; ++x) {
            if (!win::test::NearRgb(screen.At(x, y), 0xFFFFAF, 6)) continue;
            ++lit;
            alike += win::test::NearRgb(paper.At(x, y), 0xFFFFAF, 24);
        }
    EXPECT_GT(lit, 100);
    EXPECT_GE(alike * 10, lit * 9) << alike << " of " << lit;
}

TEST_F(PrintingTest, ThePhysicalMarginMovesThePageOnTheDevice) {
    Pages(1);
    const PixelSize paper = PageSizeAt(ed->Data, 6.25);
    MetafilePrinter flush({paper.Width, paper.Height}, {0, 0});
    MetafilePrinter moved({paper.Width, paper.Height}, {625, 625});  // 100 screen pixels
    ASSERT_TRUE(PrintOn(*ed, flush, L""));
    ASSERT_TRUE(PrintOn(*ed, moved, L""));
    EXPECT_EQ(kDefaultJobName, flush.Job);
    const SIZE size{PageSizeAt(ed->Data, 1).Width, PageSizeAt(ed->Data, 1).Height};
    const Pixels a = flush.Played(0, size);
    const Pixels b = moved.Played(0, size);
    // What stood at (x, y) now stands at (x - 100, y - 100).
    int same = 0, total = 0;
    for (int32_t y = 100; y + 16 <= a.Height; y += 16)
        for (int32_t x = 100; x + 16 <= a.Width; x += 16) {
            const bool s = a.Count(x, y, x + 16, y + 16) > 2;
            if (!s) continue;
            ++total;
            same += b.Count(x - 100, y - 100, x - 84, y - 84) > 2;
        }
    EXPECT_GT(total, 20);
    EXPECT_GE(same * 10, total * 9);
}

struct PositionDialogTest : PrintingTest {
    // The first notation character of the document, with the caret before it.
    int32_t CaretOnNote() {
        Type("1234");
        for (int32_t i = 0; i < ed->Data.WordCount(); ++i)
            if (ed->Data.WordInfo[static_cast<size_t>(i)].IsJpGcCtl == 1) {
                ed->Data.SelStart = i;
                return ed->Data.WordInfo[static_cast<size_t>(i)].nLogFont().FontTblIndex;
            }
        ADD_FAILURE() << "no note";
        return 0;
    }
    // Opens the dialog as the host does and presses the buttons in order.
    std::wstring Press(std::vector<int> ids, bool* buttonsEnabled = nullptr) {
        std::wstring caption;
        DialogAnswerer answer([&](HWND dialog) {
            wchar_t text[256]{};
            GetWindowTextW(dialog, text, 256);
            caption = text;
            if (buttonsEnabled) *buttonsEnabled = IsWindowEnabled(GetDlgItem(dialog, 101));
            for (int id : ids) Click(dialog, id);
        });
        SendMessageW(control->Window(), tessaly::EM_ShowFormSetYcYgPos, 0, 0);
        EXPECT_EQ(1, answer.Seen);
        return caption;
    }
    static constexpr int kAPlus = 101, kAMinus = 102, kBPlus = 103, kBMinus = 104;
};

TEST_F(PositionDialogTest, ThreeStepsDownAreOneUndoStepAndCancelChangesNothing) {
    const int32_t row = CaretOnNote();
    const auto entry = ed->Data.FontTbl[static_cast<size_t>(row)];
    const std::wstring caption = Press({kBMinus, kBMinus, kBPlus, kBMinus, kBMinus, IDCANCEL});
    EXPECT_EQ(0u, caption.find(L"音高减时线位置 示例--"));
    EXPECT_EQ(entry.hYc, ed->Data.FontTbl[static_cast<size_t>(row)].hYc);
    EXPECT_FALSE(ed->Commands->Undo.CanUndo());

    Press({kAPlus, kAMinus, IDOK});  // back where it was: no step
    EXPECT_FALSE(ed->Commands->Undo.CanUndo());

    Press({kBMinus, kBMinus, kBMinus, IDOK});
    EXPECT_EQ(entry.hYc + 3, ed->Data.FontTbl[static_cast<size_t>(row)].hYc);
    EXPECT_EQ(entry.hYg, ed->Data.FontTbl[static_cast<size_t>(row)].hYg);
    ASSERT_TRUE(ed->Commands->Undo.CanUndo());
    ed->Commands->Undo.UserUndo();
    EXPECT_EQ(entry.hYc, ed->Data.FontTbl[static_cast<size_t>(row)].hYc);
    EXPECT_FALSE(ed->Commands->Undo.CanUndo());
}

TEST_F(PositionDialogTest, OnALyricTheButtonsAreOffAndOkChangesNothing) {
    int32_t lyric = -1;
    for (int32_t i = 0; i < ed->Data.WordCount() && lyric < 0; ++i)
        if (ed->Data.WordInfo[static_cast<size_t>(i)].IsJpGcCtl != 1) lyric = i;
    ASSERT_GE(lyric, 0);
    ed->Data.SelStart = lyric;
    const auto before = test::DocumentBytes(ed->Data);
    bool enabled = true;
    Press({kBMinus, kAPlus, IDOK}, &enabled);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(before, test::DocumentBytes(ed->Data));
    EXPECT_FALSE(ed->Commands->Undo.CanUndo());
}

}  // namespace
}  // namespace notaline
