// A script client reaches the three components once regsvr32 has registered them.
#include "OutsideTestSupport_win.h"
#include "TimerWait_win.h"

namespace {

using namespace outside::test;

// Runs a program of the system folder with the working folder as this one; its exit code, or
// -1 when it did not start or end in time. Messages are pumped meanwhile: the other side may
// send to our windows.
int RunProgram(std::wstring commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    DWORD code = DWORD(-1);
    if (PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000))
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return int(code);
}

TEST(ScriptClient, CreatesEachComponentByProgIdAndCallsItsMembersByName) {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    const wchar_t* dlls[] = {L"Quibbet.dll", L"Pavrot.dll", L"Selmoda.dll"};
    for (auto dll : dlls)
        ASSERT_EQ(0, RunProgram(std::wstring(L"regsvr32.exe /s \"") + folder + L"\\" + dll + L"\"")) << "registering";
    HostWindow host{200, 100};
    const int result =
        RunProgram(L"cscript.exe //nologo ScriptClient.vbs " + std::to_wstring(reinterpret_cast<intptr_t>(host.Get())));
    for (auto dll : dlls) RunProgram(std::wstring(L"regsvr32.exe /u /s \"") + folder + L"\\" + dll + L"\"");
    EXPECT_EQ(64, result) << "the script failed checks (its output says which) or stopped";
}

}  // namespace
