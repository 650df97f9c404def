// Another process that posts and sends the program's message range to the windows named on its
// command line (hexadecimal handles), with addresses that mean nothing in the receiver.
#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    std::vector<HWND> targets;
    for (int i = 1; i < argc; ++i)
        targets.push_back(reinterpret_cast<HWND>(static_cast<uintptr_t>(wcstoull(argv[i], nullptr, 16))));
    static char own[4096] = {1, 2, 3};
    const LPARAM hostile[] = {0x10, static_cast<LPARAM>(0xFFFF800000001000ull), reinterpret_cast<LPARAM>(own)};
    int sent = 0;
    for (HWND target : targets)
        for (UINT msg = WM_USER; msg <= 1200; ++msg)
            for (LPARAM l : hostile) {
                PostMessageW(target, msg, 0, l);
                DWORD_PTR result = 0;
                if (SendMessageTimeoutW(target, msg, 0, l, SMTO_ABORTIFHUNG, 2000, &result)) ++sent;
            }
    return sent > 0 ? 0 : 1;
}
