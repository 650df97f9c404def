#pragma once
// The play settings dialog and the drum editor driven as a user would, from another thread, while
// the member that opened them waits: the driver and the fixtures of their tests.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "HostedControlTest_win.h"
#include "MusicFixture.h"
#include "com/Create.h"
#include "com/Variant.h"
#include "control/DialogTexts_win.h"
#include "control/DrumEditorDialog_win.h"
#include "control/Editor_win.h"
#include "control/MusicPlayer_win.h"
#include "control/SetPlayInfoDialog_win.h"
#include "model/layout/LoadJpFile.h"
#include "text/Cp936.h"
#include "tools/tests/DialogCloser_win.h"

namespace notaline::test {

// Runs `script` on its own thread against the dialogs of this thread; every wait is bounded and
// the settings dialog is closed at the end whatever happened, so the member call returns.
class Driver {
public:
    explicit Driver(std::function<void(Driver&)> script) : ui_(GetCurrentThreadId()) {
        worker_ = std::thread([this, script] {
            script(*this);
            if (HWND d = Find(L"参数设置...", false)) PostMessageW(d, WM_CLOSE, 0, 0);
        });
    }
    ~Driver() { worker_.join(); }

    // A shown dialog box of the UI thread with this title.
    HWND Find(const wchar_t* title, bool wait = true) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(wait ? 10 : 0);
        do {
            struct Search {
                const wchar_t* title;
                HWND found;
            } s{title, nullptr};
            EnumThreadWindows(
                ui_,
                [](HWND w, LPARAM p) -> BOOL {
                    auto& s = *reinterpret_cast<Search*>(p);
                    wchar_t cls[16]{}, text[64]{};
                    GetClassNameW(w, cls, 16);
                    InternalGetWindowText(w, text, 64);  // sends nothing: the UI thread may be waiting
                    if (IsWindowVisible(w) && std::wstring(cls) == L"#32770" && std::wstring(text) == s.title)
                        return s.found = w, FALSE;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&s));
            if (s.found) return s.found;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < deadline);
        return nullptr;
    }
    // The message box titled so answered with `button`; its text, or "" when none came.
    std::wstring Answer(const wchar_t* title, int button = IDOK) {
        HWND box = Find(title);
        if (!box) return L"";
        wchar_t text[256]{};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        Press(box, button);
        while (IsWindow(box)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return text;
    }
    bool Open() { return (dialog = Find(L"参数设置...")) != nullptr; }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    std::wstring Text(int id) const {
        wchar_t text[256]{};
        GetWindowTextW(Item(id), text, 256);
        return text;
    }
    void SetText(int id, const wchar_t* text) const {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    void Type(int id, std::wstring_view keys) const {
        for (wchar_t c : keys) PostMessageW(Item(id), WM_CHAR, c, 1);
    }
    // The tab strip clicked: the dialog may refuse to leave its tab.
    void Tab(int index) const {
        RECT r{};
        SendMessageW(Item(play_settings::kTab), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageW(Item(play_settings::kTab), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(Item(play_settings::kTab), WM_LBUTTONUP, 0, at);
    }
    int CurrentTab() const { return static_cast<int>(SendMessageW(Item(play_settings::kTab), TCM_GETCURSEL, 0, 0)); }
    std::wstring TabCaption(int index) const {
        wchar_t text[32]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(Item(play_settings::kTab), TCM_GETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static void Press(HWND d, int id) {
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
    }
    template <class Condition>
    static bool Until(Condition done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    HWND dialog = nullptr;

private:
    DWORD ui_;
    std::thread worker_;
};

struct SetPlayInfoTest : HostedControlTest {
    void SetUp() override {
        HostedControlTest::SetUp();
        control = &Host();
        ed = control->Running();
        ASSERT_TRUE(ed);
        SongSource source(SongDocument("9[12|34|56:71|2]3"));  // blocks 1 and 2
        LoadJpFile(ed->Data, source, *ed->Renderer, *ed, reinterpret_cast<intptr_t>(parent), u"song.DaDur");
        ed->Commands->Undo.Modified(false);
        // Loading a pattern previews a sound: heard here without a MIDI device.
        ed->Player = std::make_unique<MusicPlayer>();
        midi.Open();
        ed->Player->Windows.Shared.Out = &midi;
    }
    // The member by name, as a script calls it; returns when the dialog has closed.
    HRESULT Call(const wchar_t* name, std::vector<VARIANT> args = {}) {
        auto* d = static_cast<IDispatch*>(static_cast<IZEVudu*>(control));
        DISPID id = 0;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        if (HRESULT hr = d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id); FAILED(hr)) return hr;
        DISPPARAMS p{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        return d->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr);
    }
    bool Modified() { return ed->Commands->Undo.Modified(); }
    // The document exported by the member SaveMidFile to a file of the program's folder; its bytes.
    std::string ExportMid(const wchar_t* file) {
        const std::wstring mid = com::ProgramFolder() + file;
        {
            DialogCloser box(IDOK);
            const com::Variant name(mid);
            EXPECT_EQ(S_OK, Call(L"SaveMidFile", {name.Raw()}));
        }
        std::ifstream in(std::filesystem::path(mid), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    ZEVudu* control = nullptr;
    Editor* ed = nullptr;
    tessaly::RecordingMidiOut midi;
};

// Right button released over a list at item `at`'s middle (the pointer put there first); the pop-up
// menu's item `choose` answered by its keys. The menu's captions, "" for a separator.
inline std::vector<std::wstring> ListMenu(HWND list, int at, const wchar_t* choose) {
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    const int y = (at - top) * height + height / 2;
    POINT p{10, y};
    ClientToScreen(list, &p);
    SetCursorPos(p.x, p.y);
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(10, y));
    HWND popup = nullptr;
    Driver::Until([&] {
        for (popup = nullptr; (popup = FindWindowExW(nullptr, popup, L"#32768", nullptr)) && !IsWindowVisible(popup);) {
        }
        return popup != nullptr;
    });
    std::vector<std::wstring> captions;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    int downs = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[32]{};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 32, MF_BYPOSITION);
        captions.push_back(text);
        if (*choose && captions.back() == choose)
            downs =
                static_cast<int>(std::count_if(captions.begin(), captions.end(), [](auto& c) { return !c.empty(); }));
    }
    for (int i = 0; i < downs; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, downs ? VK_RETURN : VK_ESCAPE, 0);
    Driver::Until([&] { return !IsWindowVisible(popup); });
    return captions;
}

inline std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        texts.push_back(dialog_texts::ListItemText(list, i));
    }
    return texts;
}

// Templates named as given in the program's folder for one test; the file as it was afterwards.
struct TemplateFile {
    explicit TemplateFile(std::initializer_list<const char16_t*> names) {
        std::error_code e;
        std::filesystem::rename(path, kept, e);
        tessaly::分析鼓点 t;
        t.DrumCount(static_cast<int32_t>(names.size()));
        int i = 0;
        for (const char16_t* n : names) t.DefDrumData(i), t.DrumName(i++, *tessaly::Utf16ToCp936(n));
        if (names.size())
            t.SaveDrum(path);
        else
            std::filesystem::create_directory(path);  // no file can be written there
    }
    ~TemplateFile() {
        std::error_code e;
        std::filesystem::remove_all(path, e);
        std::filesystem::rename(kept, path, e);
    }
    std::filesystem::path path{com::ProgramFolder() + L"DrumMod.dat"}, kept{com::ProgramFolder() + L"DrumMod.kept"};
};

inline void ShowTab(HWND editor, int tab) {
    HWND tabs = GetDlgItem(editor, drum_editor::kTab);
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tabs, WM_LBUTTONUP, 0, at);
    Driver::Until(
        [&] { return IsWindowVisible(GetDlgItem(editor, tab ? drum_editor::kTemplateList : drum_editor::kBarList)); });
}

// The editor opened by EditDrum on the tab given, `script` run on it, then closed without saving.
struct DrumEditorTest : SetPlayInfoTest {
    void Run(int tab, std::function<void(Driver&, HWND)> script) {
        Driver d([&](Driver& d) {
            HWND editor = d.Find(L"鼓点编辑...");
            if (!editor) return;
            ShowTab(editor, tab);
            script(d, editor);
            PostMessageW(editor, WM_CLOSE, 0, 0);
            Driver::Until([&] {
                if (HWND box = d.Find(L"Tavolin", false)) Driver::Press(box, IDNO);  // changed templates not saved
                return !IsWindow(editor);
            });
            if (d.Open()) Driver::Press(d.dialog, IDCANCEL);
        });
        EXPECT_EQ(S_OK, Call(L"EditDrum"));
    }
};

// The user's gestures on the song behind `dialog`: a click in the editor and a typed digit; returns
// when what they caused has run.
inline void ClickAndTypeOnTheSong(HWND song, HWND dialog) {
    RECT r{};
    GetWindowRect(song, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT input[4]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    input[2].type = input[3].type = INPUT_KEYBOARD;
    input[2].ki.wVk = input[3].ki.wVk = '5';
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
    // Round trips through both windows' queues.
    SendMessageW(song, WM_NULL, 0, 0);
    SendMessageW(dialog, WM_NULL, 0, 0);
}

}  // namespace notaline::test
