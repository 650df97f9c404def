// What other programs and files beside a document can do to a running program: messages with
// addresses that mean nothing here, a DLL planted in the current folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "com/Bstr.h"
#include "com/Create.h"
#include "win/KernelHandles.h"

namespace tavolin::test {
namespace {

namespace fs = std::filesystem;

std::string SavedBytes(IZEVudu* editor, const fs::path& file) {
    com::Bstr name(file.wstring());
    editor->SaveFile(name.Ref(), 0);
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int gDialogsSeen = 0;

// Dialogs and boxes a message opened are counted and closed, from inside their own loops.
BOOL CALLBACK CloseDialog(HWND w, LPARAM) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(w) && ++gDialogsSeen)
        for (int button : {IDCANCEL, IDNO}) PostMessageW(w, WM_COMMAND, button, 0);
    return TRUE;
}

void CALLBACK CloseDialogs(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
}

struct HostileMessagesTest : MainWindowTest {
    HostileMessagesTest() {
        beforeCreate = [](MainWindow& w) { RegisterModules(w); };
    }
};

TEST_F(HostileMessagesTest, PostedAndSentAddressesFromAnotherProcessAreRefused) {
    const fs::path folder = fs::temp_directory_path() / L"hostile";
    fs::create_directories(folder);
    SendMessageW(window->EditorWindow(), WM_CHAR, '5', 0);
    const std::string before = SavedBytes(window->Editor(), folder / L"before.DaDur");
    ASSERT_FALSE(before.empty());

    wchar_t handles[64];
    swprintf(handles, 64, L" %llx %llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window->Handle())),
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window->EditorWindow())));
    std::wstring command = L"\"" + com::ProgramFolder() + L"hostile_sender.exe\"" + handles;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    const win::KernelHandle thread(pi.hThread), process(pi.hProcess);
    const UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseDialogs);
    const ULONGLONG deadline = GetTickCount64() + 90000;
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount64() < deadline) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) continue;
            if (window->PreTranslate(m)) continue;
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    KillTimer(nullptr, closer);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi.hProcess, &code);
    if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 2);
    EXPECT_EQ(0u, code) << "the sender did not finish, or nothing reached the windows";
    Pump();
    ASSERT_TRUE(IsWindow(window->Handle()));
    EXPECT_EQ(0, gDialogsSeen);
    EXPECT_TRUE(IsWindowEnabled(window->ControlWindow("TopFaceFrame")));  // no stranger's playback lock
    EXPECT_EQ(before, SavedBytes(window->Editor(), folder / L"after.DaDur"));
}

// Before the search is limited a DLL in the current folder loads; after, it never does.
TEST(DllSearch, TheCurrentFolderIsNotSearched) {
    const fs::path folder = fs::temp_directory_path() / L"planted";
    fs::create_directories(folder);
    fs::copy_file(fs::path(com::ProgramFolder()) / L"Tickwell.dll", folder / L"planted_jp.dll",
                  fs::copy_options::overwrite_existing);
    const fs::path was = fs::current_path();
    fs::current_path(folder);
    HMODULE before = LoadLibraryW(L"planted_jp.dll");
    if (before) FreeLibrary(before);
    LimitDllSearch();
    HMODULE after = LoadLibraryW(L"planted_jp.dll");
    if (after) FreeLibrary(after);
    fs::current_path(was);
    EXPECT_TRUE(before) << "the planted DLL should load before";
    EXPECT_FALSE(after);
}

}  // namespace
}  // namespace tavolin::test
