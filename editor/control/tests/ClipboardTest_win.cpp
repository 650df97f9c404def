#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "HostedControlTest_win.h"
#include "model/document/Tables.h"
#include "model/edit/ClipboardFormat.h"
#include "win/KernelHandles.h"

namespace notaline {
namespace {

constexpr int32_t kArcStart = 72;
constexpr int32_t kSlideStart = 121;
constexpr uint32_t kGreen = 0xFF00FF00u;
// Set in the second program this test starts: where it writes what it pasted.
constexpr const wchar_t* kPastedFileVar = L"JP_CLIPBOARD_PASTED_FILE";

// A character as the comparison sees it: code, kind, colour value and its marks.
std::string Describe(const EditorData& d, const StoredWord& w) {
    std::ostringstream s;
    s << w.WdAsc << ' ' << int{w.IsJpGcCtl} << ' ' << std::hex << d.ColorTbl[static_cast<size_t>(w.cf)] << std::dec;
    for (const auto& slot : w.ExtralWordInfo)
        if (slot.IndexType) s << " m" << slot.IndexType << ':' << slot.ExtralWordVal1;
    return s.str();
}

std::vector<std::string> Describe(const EditorData& d, int32_t start, int32_t n) {
    std::vector<std::string> out;
    for (int32_t i = start; i < start + n; ++i) out.push_back(Describe(d, d.WordInfo[static_cast<size_t>(i)]));
    return out;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

void PutOnClipboard(UINT format, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    EXPECT_TRUE(SetClipboardData(format, h));
    CloseClipboard();
}

struct ClipboardTest : test::HostedControlTest {
    Editor& HostEditor() {
        Editor& ed = *Host().Running();
        ed.Data.System = system;
        return ed;
    }
    static void Send(Editor& ed, UINT msg, WPARAM w = 0) { SendMessageW(ed.Window, msg, w, 0); }

    // Notes 1 to 4 typed at the start, an arc over 1-3 and a slide over 3-4, all in green.
    void Notes(Editor& ed) {
        ed.Data.SelStart = 0;
        ed.Data.SelLength = 0;
        for (char c : {'1', '2', '3', '4'}) Send(ed, WM_CHAR, static_cast<WPARAM>(c));
        ed.Commands->Ranges.FormatHuXian(0, 3, kArcStart, 0);
        ed.Commands->Ranges.FormatHuXian(2, 2, kSlideStart, 0);
        const int16_t green = GetColorTblIndex(ed.Data, kGreen);
        for (int32_t i = 0; i < 4; ++i) ed.Data.WordInfo[static_cast<size_t>(i)].cf = green;
    }

    test::CountedBeeps system;  // outlives the controls, which close in TearDown
};

TEST_F(ClipboardTest, PlainTextFromAnotherProgramPastesAsLinesOfNotes) {
    Editor& to = HostEditor();
    const std::string text = "12\r\n34\r\n";
    PutOnClipboard(CF_TEXT, std::vector<uint8_t>(text.begin(), text.end() + 1));
    const int32_t before = to.Data.WordCount();
    to.Data.SelStart = 0;
    to.Data.SelLength = 0;
    to.Data.InputState = tessaly::JpState;  // plain text comes in as the input mode says
    Send(to, WM_PASTE);
    ASSERT_EQ(before + 6, to.Data.WordCount());
    EXPECT_EQ("Text-Format", to.PasteFormatName);
    const int kinds[] = {1, 1, 3, 1, 1, 3};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(kinds[i], to.Data.WordInfo[static_cast<size_t>(i)].IsJpGcCtl) << i;
    EXPECT_EQ('3', to.Data.WordInfo[3].WdAsc);
}

TEST_F(ClipboardTest, ABadBlockIsRefusedWithABeepAndAFailedCopyCutsNothing) {
    Editor& ed = HostEditor();
    Notes(ed);
    const int32_t count = ed.Data.WordCount();
    const size_t colours = ed.Data.ColorTbl.size();
    std::vector<uint8_t> million(100, 0);
    const int32_t claims[] = {1, 0, 1, 0, 1'000'000};
    std::memcpy(million.data(), claims, sizeof claims);
    PutOnClipboard(RegisterClipboardFormatA("DuZazidaWordInfo-Format"), million);
    ed.Data.SelStart = 1;
    Send(ed, WM_PASTE);
    EXPECT_EQ(count, ed.Data.WordCount());
    EXPECT_EQ(colours, ed.Data.ColorTbl.size());
    EXPECT_EQ(1, system.beeps);
    // Asking whether there is something to paste (a menu opening) does not beep again.
    EXPECT_FALSE(ed.Commands->Undo.CanPaste());
    EXPECT_EQ(1, system.beeps);

    // Another program holds the clipboard: the cut keeps the characters.
    const win::KernelHandle opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const win::KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread holder([&] {
        const BOOL ok = OpenClipboard(nullptr);
        SetEvent(opened.Get());
        WaitForSingleObject(release.Get(), 30000);
        if (ok) CloseClipboard();
    });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(opened.Get(), 30000));
    ed.Data.SelStart = 0;
    ed.Data.SelLength = 2;
    const std::vector<std::string> kept = Describe(ed.Data, 0, count);
    Send(ed, WM_CUT);
    SetEvent(release.Get());
    holder.join();
    EXPECT_EQ(kept, Describe(ed.Data, 0, count));
    EXPECT_EQ(2, system.beeps);
}

// A window's own copy is pasted as it was copied, edits after the copy notwithstanding, and the
// block another program reads is made from the same characters when it asks.
TEST_F(ClipboardTest, AWindowPastesItsOwnCopyAsItWasCopied) {
    Editor& ed = HostEditor();
    Notes(ed);
    const std::vector<std::string> copied = Describe(ed.Data, 0, 4);
    ed.Data.SelStart = 0;
    ed.Data.SelLength = 4;
    Send(ed, WM_COPY);
    ed.Data.SelLength = 1;
    Send(ed, WM_CHAR, '7');  // over the first note, after the copy
    ed.Data.SelStart = 1;
    ed.Data.SelLength = 0;
    Send(ed, WM_PASTE);
    EXPECT_EQ(copied, Describe(ed.Data, 1, 4));
    EXPECT_EQ('7', ed.Data.WordInfo[0].WdAsc);
    EXPECT_EQ(0, system.beeps);

    std::vector<uint8_t> block;
    ASSERT_TRUE(OpenClipboard(nullptr));
    if (HANDLE h = GetClipboardData(RegisterClipboardFormatA("DuZazidaWordInfo-Format"))) {
        const auto* p = static_cast<const uint8_t*>(GlobalLock(h));
        block.assign(p, p + GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    EditorData other;  // another program's, its tables empty
    std::vector<tessaly::aWordInfo> words;
    ASSERT_TRUE(ParseWordBlock(other, block, words));
    ASSERT_EQ(4u, words.size());
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(copied[i], Describe(other, StoredWord(words[i]))) << i;
}

// The second program's side of the test below; it runs only when started by it.
struct SecondProgramTest : ClipboardTest {
    SecondProgramTest() { keepClipboard = true; }
};

TEST_F(SecondProgramTest, DISABLED_PasteWhatTheFirstCopied) {
    wchar_t file[MAX_PATH] = {};
    ASSERT_TRUE(GetEnvironmentVariableW(kPastedFileVar, file, MAX_PATH));
    Editor& to = HostEditor();
    to.Data.SelStart = 0;
    to.Data.SelLength = 0;
    const int32_t before = to.Data.WordCount();
    Send(to, WM_PASTE);
    std::ofstream out(file);
    for (const auto& line : Describe(to.Data, 0, to.Data.WordCount() - before)) out << line << '\n';
}

TEST_F(ClipboardTest, CharactersCopiedInOneProgramPasteInAnotherWithTheirMarksAndText) {
    Editor& from = HostEditor();
    Notes(from);
    const int32_t n = from.Data.WordCount();  // the notes and what the new document held
    from.Data.SelStart = n;
    from.Data.SelLength = -n;  // made backwards
    Send(from, WM_COPY);
    const std::string text = ClipboardText();
    EXPECT_EQ(0u, text.find("1234"));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));  // the paragraph end
    for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) EXPECT_EQ('\r', text[i - 1]);

    wchar_t exe[MAX_PATH] = {}, dir[MAX_PATH] = {}, file[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"clp", 0, file);
    SetEnvironmentVariableW(kPastedFileVar, file);
    std::wstring command =
        std::wstring(L"\"") + exe +
        L"\" --gtest_also_run_disabled_tests --gtest_filter=SecondProgramTest.DISABLED_PasteWhatTheFirstCopied";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    const win::KernelHandle thread(pi.hThread), process(pi.hProcess);
    SetEnvironmentVariableW(kPastedFileVar, nullptr);
    // The copy's block is made when the second program asks for it: this window answers meanwhile.
    const DWORD started = GetTickCount();
    HANDLE second = process.Get();
    DWORD waited = WAIT_TIMEOUT;
    while (waited != WAIT_OBJECT_0 && GetTickCount() - started < 120000) {
        waited = MsgWaitForMultipleObjects(1, &second, FALSE, 1000, QS_ALLINPUT);
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    }
    ASSERT_EQ(WAIT_OBJECT_0, waited);
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    EXPECT_EQ(0u, code);

    std::vector<std::string> pasted;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) pasted.push_back(line);
    in.close();
    DeleteFileW(file);
    EXPECT_EQ(Describe(from.Data, 0, n), pasted);
}

}  // namespace
}  // namespace notaline
