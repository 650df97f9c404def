// A script client reaches the three components once regsvr32 has registered them.
#include "OutsideTestSupport_win.h"
#include "TimerWait_win.h"
#include "win/KernelHandles.h"

namespace {

// Runs a program and pumps meanwhile (the other side may send to our windows); its exit code.
int RunProgram(std::wstring commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    const win::KernelHandle thread(pi.hThread), process(pi.hProcess);
    DWORD code = DWORD(-1);
    if (outside::test::PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000))
        GetExitCodeProcess(pi.hProcess, &code);
    return int(code);
}

TEST(ScriptClient, CreatesEachComponentByProgIdAndCallsItsMembersByName) {
    const wchar_t* dlls[] = {L"Quibbet.dll", L"Pavrot.dll", L"Selmoda.dll"};
    for (auto dll : dlls) ASSERT_EQ(0, RunProgram(std::wstring(L"regsvr32.exe /s ") + dll));
    auto host = outside::test::HostWindow(200, 100);
    const int result = RunProgram(L"cscript.exe //nologo ScriptClient.vbs " + std::to_wstring(intptr_t(host.get())));
    for (auto dll : dlls) RunProgram(std::wstring(L"regsvr32.exe /u /s ") + dll);
    EXPECT_EQ(64, result) << "the script failed checks (its output says which) or stopped";
}

}  // namespace
