#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "win/GdiHandles.h"
#include "win/Window.h"

namespace {

constexpr wchar_t kClass[] = L"WinKitTestWindow";

// Records each message with whether the object knew its window at that moment.
class ProbeWindow : public win::Window {
public:
    struct Seen {
        UINT Msg;
        HWND Hwnd;
    };
    std::vector<Seen> Messages;

    bool Create() {
        WNDCLASSEXW wc{};
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        return win::RegisterWindowClass(wc) && CreateAttached(0, kClass, L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                                              nullptr, GetModuleHandleW(nullptr));
    }
    bool Saw(UINT msg) const {
        for (const auto& m : Messages)
            if (m.Msg == msg) return true;
        return false;
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        Messages.push_back({msg, Handle()});
        if (msg == WM_APP) throw std::runtime_error("handler failed");
        if (msg == WM_APP + 1) return 42;
        return Default(msg, wParam, lParam);
    }
};

TEST(WinKit, TheObjectIsAttachedFromNcCreateUntilNcDestroy) {
    ProbeWindow w;
    ASSERT_TRUE(w.Create());
    const HWND hwnd = w.Handle();
    ASSERT_NE(nullptr, hwnd);
    ASSERT_FALSE(w.Messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), w.Messages.front().Msg);
    EXPECT_EQ(hwnd, w.Messages.front().Hwnd);  // known already while being created
    EXPECT_TRUE(w.Saw(WM_CREATE));
    EXPECT_EQ(42, SendMessageW(hwnd, WM_APP + 1, 0, 0));

    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), w.Messages.back().Msg);
    EXPECT_EQ(hwnd, w.Messages.back().Hwnd);
    EXPECT_EQ(nullptr, w.Handle());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WinKit, AnExceptionDoesNotLeaveTheWindowProcedure) {
    ProbeWindow w;
    ASSERT_TRUE(w.Create());
    EXPECT_EQ(0, SendMessageW(w.Handle(), WM_APP, 0, 0));
    EXPECT_EQ(42, SendMessageW(w.Handle(), WM_APP + 1, 0, 0));  // still attached and answering
}

TEST(WinKit, AnObjectThatGoesAwayTakesItsWindowWithIt) {
    HWND hwnd = nullptr;
    {
        ProbeWindow w;
        ASSERT_TRUE(w.Create());
        hwnd = w.Handle();
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WinKit, AClassIsRegisteredOnceAndOnlyWithOurProcedure) {
    WNDCLASSEXW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WinKitTwice";
    EXPECT_TRUE(win::RegisterWindowClass(wc));
    EXPECT_TRUE(win::RegisterWindowClass(wc));

    WNDCLASSEXW other{};
    other.cbSize = sizeof other;
    other.lpfnWndProc = &DefWindowProcW;
    other.hInstance = GetModuleHandleW(nullptr);
    other.lpszClassName = L"WinKitForeign";
    ASSERT_TRUE(RegisterClassExW(&other));
    EXPECT_FALSE(win::RegisterWindowClass(other));
}

TEST(WinKit, TheScreenContextIsReleasedWithItsScope) {
    const win::ScreenDc screen;
    ASSERT_TRUE(screen.Get());
    EXPECT_GT(GetDeviceCaps(screen.Get(), LOGPIXELSX), 0);
}

TEST(WinKit, HandlesAreDeletedOnceAndSelectionsPutBack) {
    win::OwnedDc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc.Get());
    const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    HBRUSH raw = CreateSolidBrush(RGB(255, 0, 0));
    {
        win::BrushHandle brush(raw);
        {
            win::SelectScope select(dc.Get(), brush.Get());
            EXPECT_EQ(raw, GetCurrentObject(dc.Get(), OBJ_BRUSH));
        }
        EXPECT_EQ(original, GetCurrentObject(dc.Get(), OBJ_BRUSH));
        win::BrushHandle moved(std::move(brush));
        EXPECT_FALSE(brush);
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(moved.Get()));
    }
    EXPECT_EQ(0u, GetObjectType(raw));  // deleted by the one that owned it last
}

TEST(WinKit, AReleasedRegionOutlivesItsHandle) {
    HRGN raw = CreateRectRgn(0, 0, 4, 4);
    {
        win::RegionHandle region(raw);
        EXPECT_EQ(raw, region.Release());
        EXPECT_FALSE(region);
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_REGION), GetObjectType(raw));
    const win::RegionHandle newOwner(raw);
}

// A text is judged the same only when all of it is: long ones, and ones that differ at the end.
TEST(WinKit, ATextIsSetUnlessTheWindowHasItAlready) {
    const std::wstring longText(300, L'字');
    struct Row {
        std::wstring Now, Wanted;
        bool Set;
    };
    const Row rows[] = {{L"", L"", false},
                        {L"行距：0", L"行距：0", false},
                        {L"行距：0", L"行距：1", true},
                        {L"行距：0", L"行距：", true},
                        {L"", L"行距：0", true},
                        {longText, longText, false},
                        {longText, longText.substr(0, 299) + L"x", true},
                        {longText, longText.substr(0, 63), true}};
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    for (const Row& row : rows) {
        SetWindowTextW(w, row.Now.c_str());
        EXPECT_EQ(win::SetTextIfChanged(w, row.Wanted.c_str()), row.Set) << row.Wanted.size();
        std::wstring shown(static_cast<size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
        shown.resize(static_cast<size_t>(GetWindowTextW(w, shown.data(), static_cast<int>(shown.size()))));
        EXPECT_EQ(shown, row.Wanted);
    }
    DestroyWindow(w);
}

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const win::ChainLink link = win::ChainedTo(hwnd, &CountingProc);
    if (msg == WM_APP) ++*static_cast<int*>(link.Data);
    return CallWindowProcW(link.Previous, hwnd, msg, wParam, lParam);
}

// A chained procedure sees the window's messages with its pointer and hands them on; the window
// is chained to it once, and unchained it is as it was.
TEST(WinKit, AChainedProcedureSeesTheMessagesAndHandsThemOn) {
    HWND w = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC));
    int seen = 0;
    EXPECT_EQ(win::ChainProcedure(w, &CountingProc, &seen), own);
    EXPECT_EQ(win::ChainProcedure(w, &CountingProc, &seen), nullptr);
    SendMessageW(w, WM_APP, 0, 0);
    EXPECT_EQ(GetWindowTextLengthW(w), 1);
    win::UnchainProcedure(w, &CountingProc);
    SendMessageW(w, WM_APP, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)), own);
    DestroyWindow(w);
}

}  // namespace
