// Another process that posts and sends the program's message range to the windows named on its
// command line (hexadecimal handles; or "--caption <start>": the main window whose caption starts
// so, and its editor), with addresses that mean nothing in the receiver.
#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    std::vector<HWND> targets;
    if (argc == 3 && std::wstring(argv[1]) == L"--caption") {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            wchar_t title[256] = {};
            GetWindowTextW(w, title, 256);
            if (std::wstring(title).rfind(argv[2], 0) != 0) continue;
            targets = {w, FindWindowExW(w, nullptr, L"ZEVudu", nullptr)};
            if (!targets[1])
                EnumChildWindows(
                    w,
                    [](HWND c, LPARAM out) {
                        wchar_t cls[32] = {};
                        GetClassNameW(c, cls, 32);
                        if (std::wstring(cls) != L"ZEVudu") return TRUE;
                        *reinterpret_cast<HWND*>(out) = c;
                        return FALSE;
                    },
                    reinterpret_cast<LPARAM>(&targets[1]));
            break;
        }
    } else {
        for (int i = 1; i < argc; ++i)
            targets.push_back(reinterpret_cast<HWND>(static_cast<uintptr_t>(wcstoull(argv[i], nullptr, 16))));
    }
    static char own[4096] = {1, 2, 3};
    const LPARAM hostile[] = {0x10, static_cast<LPARAM>(0xFFFF800000001000ull), reinterpret_cast<LPARAM>(own)};
    int sent = 0;
    for (HWND target : targets) {
        if (!target) continue;
        for (UINT msg = WM_USER; msg <= 1200; ++msg)
            for (LPARAM l : hostile) {
                PostMessageW(target, msg, 0, l);
                DWORD_PTR result = 0;
                if (SendMessageTimeoutW(target, msg, 0, l, SMTO_ABORTIFHUNG, 2000, &result)) ++sent;
            }
    }
    return sent > 0 ? 0 : 1;
}
