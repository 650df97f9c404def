// The reference picture chosen through the menu and the open dialog, shown below the editor.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "outside/tests/OutsideTestSupport_win.h"
#include "win/Gdip_win.h"

namespace tavolin::test {
namespace {

std::wstring WritePicture(const wchar_t* name, int format) {
    win::test::WritePicture(name, 200, 120, format);
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(name, MAX_PATH, full, nullptr);
    return full;
}

// A dialog of this process: test programs running beside it show boxes of the same title.
HWND OwnDialog(const wchar_t* title) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", title));) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process == GetCurrentProcessId()) return w;
    }
    return nullptr;
}

struct RefPictureTest : MainWindowTest {
    RefPictureTest() {
        beforeCreate = [](MainWindow& w) { RegisterPanelSetup(w); };
    }
    // Chooses the file in the open dialog from another thread while the menu command runs.
    void Choose(const std::wstring& file) {
        std::atomic<bool> done{false};
        std::thread user([&] {
            while (!done) {  // until the command returns: a slow box is still answered
                if (HWND dialog = OwnDialog(L"选择打开文件")) {
                    SetDlgItemTextW(dialog, 0x47c, file.c_str());  // the file name box
                    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                    return;
                }
                Sleep(25);
            }
        });
        SendMessageW(window->Handle(), WM_COMMAND, window->MenuCommand("OpenPicFile", -1), 0);
        done = true;
        user.join();
    }
};

TEST_F(RefPictureTest, PngAndJpgShowInkBelowTheSplitterAndTheSameFileChangesNothing) {
    HWND room = window->ControlWindow("图片容器1");
    EXPECT_FALSE(IsWindowVisible(room));
    for (auto [name, format] : {std::pair{L"refpicture.png", 4}, std::pair{L"refpicture.jpg", 3}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        Choose(WritePicture(name, format));
        ASSERT_TRUE(IsWindowVisible(room));
        EXPECT_EQ(1, window->Panels().RefPictureShown);
        HWND box = GetWindow(room, GW_CHILD);
        ASSERT_TRUE(box);
        UpdateWindow(box);
        Pump();
        int w = 0, h = 0;
        const auto px = outside::test::Capture(box, w, h, (std::wstring(name) + L"_shot.png").c_str());
        size_t ink = 0;
        for (uint32_t p : px) ink += p != 0xFFFFFF;
        EXPECT_GT(ink, px.size() / 10) << "no picture in the container";
    }
    // A layout recomputes the editor's place; the window's activation after the dialog may move
    // the editor's window back, so the mark is put in the layout's figures.
    window->Geometry().editor.Left = -1;
    Choose(WritePicture(L"refpicture.jpg", 3));  // the same file again: no new layout
    EXPECT_EQ(-1, window->Geometry().editor.Left);
}

// Enlarged with a picture open, the status bar shows every panel's text, not a blank band: it
// keeps its bits, moved down before the picture above it.
TEST_F(RefPictureTest, AResizeWithAPictureOpenLeavesTheStatusBarWhole) {
    Choose(WritePicture(L"refpicture.png", 4));
    RECT at{};
    GetWindowRect(window->Handle(), &at);
    SetWindowPos(window->Handle(), nullptr, 0, 0, at.right - at.left + 160, at.bottom - at.top + 120, SWP_NOMOVE);
    HWND bar = window->ControlWindow("StatusBar1");
    UpdateWindow(bar);
    Pump();
    int w = 0, h = 0;
    const auto px = outside::test::Capture(bar, w, h, L"status_after_resize.png");
    for (int part = 0; part < 6; ++part) {
        RECT r{};
        SendMessageW(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
        int ink = 0;
        for (int y = std::max(0L, r.top); y < std::min<LONG>(h, r.bottom); ++y)
            for (int x = std::max(0L, r.left); x < std::min<LONG>(w, r.right); ++x)
                ink += (px[static_cast<size_t>(y) * w + x] & 0xFF) < 0xA0;
        EXPECT_GT(ink, 4) << "panel " << part;
    }
}

TEST_F(RefPictureTest, APictureThatCannotBeShownIsToldAndTheAreaStaysAsItWas) {
    HWND room = window->ControlWindow("图片容器1");
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(L"refpicture_bad.png", MAX_PATH, full, nullptr);
    if (FILE* f = _wfopen(full, L"wb")) {
        fputs("\x89PNG\r\n\x1a\n but nothing after", f);
        fclose(f);
    }
    std::wstring told;
    std::atomic<bool> done{false};
    std::thread user([&] {
        while (!done) {  // until the command returns: a slow box is still answered
            if (HWND box = OwnDialog(L"Tavolin")) {
                wchar_t text[512] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 512);
                told = text;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(25);
        }
    });
    Choose(full);
    done = true;
    user.join();
    EXPECT_EQ(0u, told.find(L"无法显示图片")) << told;
    EXPECT_FALSE(IsWindowVisible(room));
    EXPECT_NE(1, window->Panels().RefPictureShown);
}

}  // namespace
}  // namespace tavolin::test
