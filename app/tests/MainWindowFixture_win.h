#pragma once
// The main window with the control classes linked in, made through the same factory seam as the
// program; messages are pumped through the window's key preview as the program's loop does.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "InProcessFactory_win.h"
#include "MainWindow_win.h"
#include "control/Editor_win.h"

namespace tavolin::test {

inline std::wstring TextOf(HWND w) {
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    return text;
}

inline int32_t GetButtonLong(IDispatch* button, DISPID id) {
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none{};
    button->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    VariantChangeType(&result, &result, 0, VT_I4);
    return result.lVal;
}

struct MainWindowTest : ::testing::Test {
    void SetUp() override {
        window = std::make_unique<MainWindow>(factory);
        if (beforeCreate) beforeCreate(*window);
        ASSERT_TRUE(window->Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, commandLine));
        ASSERT_TRUE(factory.hosted);
    }
    void TearDown() override {
        if (window && window->Handle()) DestroyWindow(window->Handle());
        window.reset();
        // The window's end posts a quit message, which would end the next test's modal loops.
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // Pumps until the condition holds (at most 10 s).
    bool PumpUntil(const std::function<bool()>& done) {
        const ULONGLONG deadline = GetTickCount64() + 10000;
        for (;;) {
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.message == WM_QUIT) return done();
                if (window && window->Handle() && window->PreTranslate(m)) continue;
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
            if (done()) return true;
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) return false;
            MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    notaline::Editor& Ed() { return *factory.hosted->Running(); }
    IZEVudu* Z() { return window->Editor(); }
    void Run(const char* name, int index = -1) { ASSERT_TRUE(window->Router().Run(name, index)) << name; }
    // Types as the message loop delivers it (a new document already holds some characters).
    void TypeChars(const std::string& text) {
        const int32_t want = Ed().Data.WordCount() + static_cast<int32_t>(text.size());
        for (char c : text) PostMessageW(window->EditorWindow(), WM_CHAR, static_cast<unsigned char>(c), 0);
        ASSERT_TRUE(PumpUntil([&] { return Ed().Data.WordCount() == want; })) << text;
    }
    void Select(int32_t start, int32_t length) { Z()->put_SelStart(start), Z()->put_SelLength(length); }
    // Runs what is queued now.
    void Pump() {
        PostMessageW(window->Handle(), WM_NULL, 0, 0);
        PumpUntil([] { return true; });
    }
    // A key as the system's keyboard sends it to `target`, with Ctrl held or not, then run.
    void PressKey(HWND target, WPARAM key, bool ctrl = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(target, WM_KEYDOWN, key, 1);
        Pump();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }

    InProcessFactory factory;
    std::unique_ptr<MainWindow> window;
    std::function<void(MainWindow&)> beforeCreate;
    std::wstring commandLine;
};

}  // namespace tavolin::test
