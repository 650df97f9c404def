#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "DaDurFile.h"
#include "PrintedInk_win.h"
#include "ScreenTestSupport_win.h"
#include "com/Bstr.h"
#include "com/Container.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "control/Printing_win.h"
#include "control/ZEVudu_win.h"
#include "model/document/MarkCodes.h"
#include "model/document/mGeneral.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"
#include "model/layout/Pagination.h"
#include "model/layout/ParagraphEnds.h"
#include "model/layout/SourceLines.h"
#include "win/GdiHandles.h"

namespace notaline {
namespace {

using test::PumpUntil;

// What the host window hears: each status record as it was when it arrived.
std::vector<tessaly::aSendMsg> g_status;
WNDPROC g_hostProc = nullptr;

LRESULT CALLBACK RecordingHostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == tessaly::EM_SendMsg && lParam) g_status.push_back(*reinterpret_cast<const tessaly::aSendMsg*>(lParam));
    return CallWindowProcW(g_hostProc, hwnd, msg, wParam, lParam);
}

// The texts of the message boxes shown, each closed as soon as it opens.
std::vector<std::wstring> g_boxes;
HHOOK g_hook = nullptr;

LRESULT CALLBACK CloseBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16]{};
        GetClassNameW(box, cls, 16);
        if (std::wstring(cls) == L"#32770") {
            std::wstring said;
            EnumChildWindows(
                box,
                [](HWND child, LPARAM out) {
                    wchar_t name[16]{}, text[256]{};
                    GetClassNameW(child, name, 16);
                    if (lstrcmpiW(name, L"Static") == 0 && GetWindowTextW(child, text, 256) > 0)
                        *reinterpret_cast<std::wstring*>(out) += text;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&said));
            g_boxes.push_back(said);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Ctrl as the key-state functions see it on this thread.
void HoldCtrl(bool down) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

struct KeysTest : ::testing::Test {
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"Tavolin--keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
        g_hostProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingHostProc)));
        g_hook = SetWindowsHookExW(WH_CBT, &CloseBoxes, nullptr, GetCurrentThreadId());
        com::Ptr<IZEVudu> z;
        ASSERT_EQ(S_OK, ZEVudu::Create(__uuidof(IZEVudu), z.OutVoid()));
        auto bag = com::PropertyBag::Create();
        ASSERT_EQ(S_OK, com::ControlSite::Host(z.Get(), parent, RECT{0, 0, 600, 400}, bag.Get(), true, site));
        control = static_cast<ZEVudu*>(z.Get());
        ed = control->Running();
        ASSERT_TRUE(ed);
        g_status.clear();
        g_boxes.clear();
    }
    void TearDown() override {
        HoldCtrl(false);
        if (site) site->Close();
        UnhookWindowsHookEx(g_hook);
        DestroyWindow(parent);
    }

    void PostText(const std::string& text) {
        for (char c : text) PostMessageW(control->Window(), WM_CHAR, static_cast<unsigned char>(c), 0);
    }
    // Posts the text and waits until the status record reports the caret after it.
    void Type(const std::string& text) {
        const int32_t want = ed->Data.SelStart + static_cast<int32_t>(text.size());
        PostText(text);
        ASSERT_TRUE(PumpUntil([&] { return !g_status.empty() && g_status.back().SelStart == want; })) << text;
    }
    LRESULT Key(UINT msg, WPARAM key) { return SendMessageW(control->Window(), msg, key, 0); }
    IZEVudu* Z() { return static_cast<IZEVudu*>(control); }

    // An empty notation document with the caret at its start.
    void EmptyDocument() {
        EditorData& d = ed->Data;
        d.SelStart = 0;
        d.SelLength = d.WordCount() - 1;
        if (d.SelLength > 0) ed->Commands->Typed.DeleteWord(d.SelStart, d.SelLength);
        ed->LayOutAndShow(tessaly::AllRefresh);
        d.SelLength = 0;
        d.CurLine = 0;
        d.InputState = tessaly::JpState;
        ed->Commands->Undo.ZeroUnDoReDoVal();
        g_status.clear();
    }

    // One paragraph of many pages, its last page full and its last line three notes short, the
    // caret at its start: a key there cuts a line short that takes a page more than the whole
    // layout's. Returns the page count.
    int32_t ParagraphOfPages() {
        EmptyDocument();
        EditorData& d = ed->Data;
        Type("1");
        d.InputWords.assign(6000, d.WordInfo[0].Expand());
        EXPECT_TRUE(ed->Commands->Typed.InputWord(d.SelStart, d.SelLength));
        ed->LayOutAndShow(tessaly::AllRefresh);
        d.SelStart = 0;
        ed->UpdateCaretLine();
        ed->Renderer->EnsureWordVisible(0);
        ed->Refresh(tessaly::AllRefresh);
        EXPECT_GT(d.PageCount(), 4);
        const auto& last = d.PageInfo[static_cast<size_t>(d.PageCount() - 2)];
        const int32_t keep =
            d.LineInfo.StartOf(static_cast<size_t>(last.StartLine + last.LengthLine - 1)) + d.LineInfo[1].Length - 3;
        ed->Commands->Typed.DeleteWord(keep, d.WordCount() - 1 - keep);
        ed->LayOutAndShow(tessaly::AllRefresh);
        return d.PageCount();
    }
    // The lines and pages are those a full layout of the document gives.
    bool AsFullLayout() const {
        const EditorData& d = ed->Data;
        EditorData full = d;
        GetAllPartInfo(full);
        FormatAllLines(full);
        FormatPages(full);
        if (full.LineCount() != d.LineCount() || full.PageCount() != d.PageCount()) return false;
        for (size_t i = 0; i < d.LineInfo.size(); ++i)
            if (full.LineInfo[i].Start != d.LineInfo[i].Start) return false;
        return true;
    }

    HWND parent = nullptr;
    com::Ptr<com::ControlSite> site;
    ZEVudu* control = nullptr;
    Editor* ed = nullptr;
};

TEST_F(KeysTest, PostedDigitsBecomeNotesOnTheCaretLineAndTheHostHearsOfIt) {
    EmptyDocument();
    Type("123");
    const EditorData& d = ed->Data;
    ASSERT_EQ(d.WordCount(), 4);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(d.WordInfo[static_cast<size_t>(i)].WdAsc, '1' + i);
        EXPECT_EQ(d.WordInfo[static_cast<size_t>(i)].IsJpGcCtl, 1);
        EXPECT_EQ(GetLineOfWord(d, i), d.CurLine);
    }
    const tessaly::aSendMsg& s = g_status.back();
    EXPECT_EQ(s.SelStart, 3);
    EXPECT_EQ(s.SelLength, 0);
    EXPECT_EQ(s.cInputState, tessaly::JpState);
    EXPECT_NE(s.StdFont, nullptr);
    // A letter no notation has switches to lyrics.
    Type("1=B");
    EXPECT_EQ(d.WordInfo[4].IsJpGcCtl, 1);
    EXPECT_EQ(d.WordInfo[5].IsJpGcCtl, 0);
    EXPECT_EQ(g_status.back().cInputState, tessaly::GcState);
}

// Delete, cut and paste redraw only the rows that changed: the window then holds exactly what a
// redraw of the whole view shows, with a caret or a selection, within a line, across lines, and
// where two paragraphs join.
TEST_F(KeysTest, DeleteCutAndPasteShowWhatAWholeRedrawShows) {
    EmptyDocument();
    for (int p = 0; p < 3; ++p) Type("1234567|2345671|3456712|4567123|5671234|671234|\r");
    EditorData& d = ed->Data;
    const HWND window = control->Window();
    auto shown = [&] {
        UpdateWindow(window);
        HideCaret(window);
        RECT r{};
        GetClientRect(window, &r);
        auto px = win::test::PixelsOf(win::test::CopyOf(win::WindowDc(window).Get(), r).Get(), r.right, r.bottom);
        ShowCaret(window);
        return px;
    };
    const int32_t paraEnd = ParagraphEndFrom(d, 0);
    SendMessageW(window, WM_COPY, 0, 0);  // nothing selected yet: the paste below takes these
    struct Edit {
        const char* name;
        int32_t start, length;
        UINT msg;
    };
    const Edit edits[] = {{"Delete at a caret", 3, 0, WM_CLEAR},
                          {"Delete of a selection", 5, 40, WM_CLEAR},
                          {"Delete of a paragraph end", paraEnd, 0, WM_CLEAR},
                          {"Cut", 2, 12, WM_CUT},
                          {"Paste at a caret", 20, 0, WM_PASTE}};
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.name);
        Z()->put_SelStart(e.start);
        Z()->put_SelLength(e.length);
        ed->Refresh(tessaly::AllRefresh);
        const auto before = shown();
        const int32_t count = d.WordCount();
        SendMessageW(window, e.msg, 0, 0);
        ASSERT_NE(count, d.WordCount());
        const auto band = shown();
        ed->Refresh(tessaly::AllRefresh);
        const auto whole = shown();
        EXPECT_NE(before, whole);
        EXPECT_TRUE(band == whole);
        if (e.msg == WM_CUT) SendMessageW(window, WM_COPY, 0, 0);
    }
}

TEST_F(KeysTest, TheRecordGoesWhenTheCaretMovesAndAfterEveryLoad) {
    EmptyDocument();
    Type("124");
    // A Backspace moves the caret back: the host's position follows.
    PostMessageW(control->Window(), WM_CHAR, 8, 0);
    ASSERT_TRUE(PumpUntil([&] { return g_status.back().SelStart == 2; }));
    Type("3");
    Key(WM_KEYDOWN, VK_LEFT);
    const size_t sent = g_status.size();
    EXPECT_EQ(g_status.back().SelStart, 2);
    // Extending the selection to the right keeps SelStart, but the host counts the selection.
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(WM_KEYDOWN, VK_RIGHT);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(ed->Data.SelLength, 1);
    ASSERT_EQ(g_status.size(), sent + 1);
    EXPECT_EQ(g_status.back().SelLength, 1);
    Key(WM_KEYDOWN, VK_HOME);
    ASSERT_EQ(g_status.size(), sent + 2);
    EXPECT_EQ(g_status.back().SelStart, 0);
    // A document loaded with the caret where it was is still reported, by SendMessage.
    LoadJpFile(ed->Data, ed->Source, *ed->Renderer, *ed, reinterpret_cast<intptr_t>(parent), u"");
    ASSERT_EQ(g_status.size(), sent + 3);
    EXPECT_EQ(g_status.back().SelStart, 0);
    EXPECT_EQ(g_status.back().PageCount, ed->Data.PageCount());
    // A Ctrl+wheel zoom step with the caret in place: the host's zoom box learns the new scale.
    struct CtrlHeld final : SystemServices {
        void Beep() override {}
        bool IsKeyDown(int32_t key) override { return key == VK_CONTROL; }
        uint32_t TranslateColor(uint32_t c) override { return c; }
    } ctrl;
    const auto system = ed->Data.System;
    ed->Data.System = ctrl;
    SendMessageW(control->Window(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
    ASSERT_TRUE(PumpUntil([&] { return g_status.size() == sent + 4; }));
    EXPECT_FLOAT_EQ(g_status.back().Pro, static_cast<float>(tessaly::Round(ed->Data.AboutPageInfo.nScale, 2)));
    // The same under a backward selection, which the record holds forward.
    ed->Data.SelStart = 3;
    ed->Data.SelLength = -1;
    NotifySelChange(*ed, 3, -1);
    ed->Zoom = WheelZoom{};  // past the step interval
    SendMessageW(control->Window(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
    ed->Data.System = system;
    ASSERT_TRUE(PumpUntil([&] { return g_status.size() == sent + 6; }));
    EXPECT_FLOAT_EQ(g_status.back().Pro, static_cast<float>(tessaly::Round(ed->Data.AboutPageInfo.nScale, 2)));
}

TEST_F(KeysTest, CtrlBTwiceLeavesTwoUndoSteps) {
    EmptyDocument();
    Type("1234");
    ed->Commands->Undo.ZeroUnDoReDoVal();  // only the two style steps in the history
    ed->Data.SelStart = 1;
    ed->Data.SelLength = 2;
    HoldCtrl(true);
    Key(WM_KEYDOWN, 'B');
    EXPECT_TRUE(ed->Commands->Chars.Bold(1, 2));
    Key(WM_KEYDOWN, 'B');
    HoldCtrl(false);
    EXPECT_FALSE(ed->Commands->Chars.Bold(1, 2));
    ed->Commands->Undo.UserUndo();
    EXPECT_TRUE(ed->Commands->Chars.Bold(1, 2));
    ed->Commands->Undo.UserUndo();
    EXPECT_FALSE(ed->Commands->Chars.Bold(1, 2));
    EXPECT_FALSE(ed->Commands->Undo.CanUndo());
}

TEST_F(KeysTest, EndOnAWrappedLineStandsAfterItsLastCharacter) {
    EmptyDocument();
    const EditorData& d = ed->Data;
    while (d.LineCount() < 2) {
        Type("1234567");
        ASSERT_LT(d.WordCount(), 2000);
    }
    ed->Data.SelStart = 0;
    ed->Data.CurLine = 0;
    Key(WM_KEYDOWN, VK_HOME);
    const float home = ed->Renderer->CaretRect().Left;
    Key(WM_KEYDOWN, VK_END);
    const auto& l0 = d.LineInfo[0];
    EXPECT_EQ(d.SelStart, l0.Start + l0.Length);
    EXPECT_TRUE(d.CaretAtLineEnd);
    EXPECT_EQ(d.CurLine, 0);
    // The caret is drawn at the right edge of line 0's last character, not at line 1's start.
    const auto& last = d.WordInfo[static_cast<size_t>(l0.Start + l0.Length - 1)];
    const float scale = static_cast<float>(d.AboutPageInfo.nScale);
    EXPECT_NEAR(ed->Renderer->CaretRect().Left - home, (last.Left + last.WdSize.cx - d.WordInfo[0].Left) * scale, 2.0f);
}

TEST_F(KeysTest, CtrlTabWithoutAlignmentTellsTheUser) {
    EmptyDocument();
    Type("12");
    HoldCtrl(true);
    Key(WM_KEYUP, VK_TAB);
    HoldCtrl(false);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], L"请先设置当前行为小节相应的对齐属性。");
    EXPECT_EQ(ed->Data.WordCount(), 3);
}

// Bar lines typed among the notes are notation; in the notation font they show its bar glyph
// (keys-typed-bars.png).
TEST_F(KeysTest, TypedBarLinesAreNotation) {
    EmptyDocument();
    Type("123|456|");
    EditorData& d = ed->Data;
    for (int32_t i : {3, 7}) {
        EXPECT_EQ(d.WordInfo[static_cast<size_t>(i)].WdAsc, '|');
        EXPECT_EQ(d.WordInfo[static_cast<size_t>(i)].IsJpGcCtl, 1);
    }
    ASSERT_TRUE(ed->Commands->Chars.SelFontName(0, 8, d.NotationFontName));
    ed->LayOutAndShow(tessaly::AllRefresh);
    RedrawWindow(control->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT r{};
    GetWindowRect(parent, &r);
    test::SaveScreenPng(r, L"keys-typed-bars.png");
}

// A lyric line aligned to the notes above it: Ctrl+Tab at each lyric after the first brings it
// under the next note; the screen shows it (keys-lyric-aligned.png).
TEST_F(KeysTest, CtrlTabPutsEachLyricUnderItsNote) {
    EmptyDocument();
    Type("1-2-3-5");
    PostMessageW(control->Window(), WM_CHAR, 13, 0);
    ASSERT_TRUE(PumpUntil([&] { return ed->Data.WordCount() == 9; }));
    Type("abcd");
    EditorData& d = ed->Data;
    ASSERT_EQ(d.WordInfo[9].IsJpGcCtl, 0);
    ed->Commands->Paragraphs.Alignment(d.SelStart, 0, tessaly::AlignmentCpDq);
    ed->LayOutAndShow(tessaly::AllRefresh);
    ASSERT_TRUE(ApplyCPdqLine(d, 0));
    d.CPdqLine = 0;
    const auto find = [&](char c) {
        for (int32_t i = 8; i < d.WordCount(); ++i)
            if (d.WordInfo[static_cast<size_t>(i)].WdAsc == c) return i;
        return -1;
    };
    const std::pair<char, int32_t> under[] = {{'b', 2}, {'c', 4}, {'d', 6}};
    for (auto [lyric, note] : under) {
        d.SelStart = find(lyric);
        d.CurLine = GetLineOfWord(d, d.SelStart);
        HoldCtrl(true);
        Key(WM_KEYUP, VK_TAB);
        HoldCtrl(false);
    }
    EXPECT_TRUE(g_boxes.empty());
    for (auto [lyric, note] : under)
        EXPECT_NEAR(GetWordCenterX(d, find(lyric)), GetWordCenterX(d, note), 1.0f) << lyric;
    RECT r{};
    GetWindowRect(parent, &r);
    test::SaveScreenPng(r, L"keys-lyric-aligned.png");
}

TEST_F(KeysTest, ASongTypedThroughMessagesSurvivesSavingAndReading) {
    EmptyDocument();
    Type("1231|5-");
    PostMessageW(control->Window(), WM_CHAR, 13, 0);  // Enter arrives as the control's key press
    ASSERT_TRUE(PumpUntil([&] { return ed->Data.WordCount() == 9; }));
    Type("abc");
    ed->Data.SelStart = 4;  // a bar line in place of the typed "|"
    ed->Data.SelLength = 1;
    SendMessageW(control->Window(), tessaly::EM_InstrMainAndExtralStr, 0, 39);
    const tessaly::JpData typed = DocumentOf(ed->Data);
    ASSERT_EQ(typed.WordInfo.size(), 12u);
    EXPECT_EQ(typed.WordInfo[4].WdAsc, '[');
    EXPECT_EQ(typed.WordInfo[4].ExtralWordInfo[0].IndexType, 39);

    const auto file = std::filesystem::temp_directory_path() / L"keys_song.jpw";
    tessaly::DaDurFile writer(ed->FileSystem);
    writer.LetJpData(typed);
    ASSERT_TRUE(writer.WriteRtfFile(file, reinterpret_cast<intptr_t>(parent)).ok);
    tessaly::DaDurFile reader(ed->FileSystem);
    ASSERT_TRUE(reader.ReadRtfFile(reinterpret_cast<intptr_t>(parent), file).ok);
    const tessaly::JpData& back = reader.Data();
    ASSERT_EQ(back.WordInfo.size(), typed.WordInfo.size());
    for (size_t i = 0; i < typed.WordInfo.size(); ++i) {
        EXPECT_EQ(back.WordInfo[i].WdAsc, typed.WordInfo[i].WdAsc) << i;
        EXPECT_EQ(back.WordInfo[i].IsJpGcCtl, typed.WordInfo[i].IsJpGcCtl) << i;
        EXPECT_EQ(back.WordInfo[i].ExtralWordInfo[0].IndexType, typed.WordInfo[i].ExtralWordInfo[0].IndexType) << i;
    }
    std::filesystem::remove(file);
}

// In the new song (16.2 pt) a typed note is as high as the song's characters, whatever size the
// status record's font object reports; "1" then the key's equals sign makes the key's "1".
TEST_F(KeysTest, TypedNotesTakeTheSongsSizeAndAOneBeforeAKeysEqualsSignIsTheKey) {
    LoadJpFile(ed->Data, ed->Source, *ed->Renderer, *ed, reinterpret_cast<intptr_t>(parent), u"");
    EditorData& d = ed->Data;
    const int32_t end = d.WordCount() - 1;  // after the title
    d.SelStart = end;
    NotifySelChange(*ed, end, 0);
    d.InputState = tessaly::JpState;
    Type("51");
    SendMessageW(control->Window(), tessaly::EM_InstrMainAndExtralStr, 0, kMarkEquals);
    const StoredWord &title = d.WordInfo[static_cast<size_t>(end) - 1], &five = d.WordInfo[static_cast<size_t>(end)];
    EXPECT_FLOAT_EQ(title.SelSize, five.SelSize);
    EXPECT_EQ(title.nLogFont().lfHeight, five.nLogFont().lfHeight);
    EXPECT_EQ(kMarkKeySetting, d.WordInfo[static_cast<size_t>(end) + 1].ExtralWordInfo[0].IndexType);
}

// A key at the start of a paragraph of many pages breaks it through the pages in view and leaves
// a line cut short behind them; once the keys pause (the mouse may go on moving), or before the
// cut line's page is shown, the paragraph is broken again as a full layout breaks it, and the
// host hears the page count.
TEST_F(KeysTest, ALineAKeyCutShortIsJoinedUpWhenTheKeysPauseOrItsPageIsShown) {
    EditorData& d = ed->Data;
    const int32_t pages = ParagraphOfPages();
    for (const bool scroll : {false, true}) {
        SCOPED_TRACE(scroll);
        d.SelStart = 0;
        ed->UpdateCaretLine();
        Type("1");
        ASSERT_TRUE(d.LineInfo.HasCutLine());
        EXPECT_GT(GetPageOfWord(d, d.LineInfo.StartOf(d.LineInfo.CutLine())), 0);
        if (scroll) {
            ed->Renderer->EnsureWordVisible(d.WordCount() - 1);
            ed->Refresh(tessaly::AutoRefresh);
            EXPECT_FALSE(d.LineInfo.HasCutLine());
        } else {
            EXPECT_EQ(d.PageCount(), pages + 1);
            // The mouse moving over the page does not put the join-up off: only edits do.
            ASSERT_TRUE(PumpUntil([&] {
                PostMessageW(ed->Window, WM_MOUSEMOVE, 0, MAKELPARAM(40, 40));
                return !d.LineInfo.HasCutLine();
            }));
        }
        EXPECT_TRUE(AsFullLayout());
        EXPECT_EQ(g_status.back().PageCount, d.PageCount());
        ed->Renderer->EnsureWordVisible(0);
        ed->Refresh(tessaly::AutoRefresh);
    }
    // Pictures of the pages ask only about the files of the pages the whole layout gives.
    ed->Commands->Typed.DeleteWord(0, 2);
    ed->LayOutAndShow(tessaly::AllRefresh);
    ed->JoinUp();
    Type("1");
    ASSERT_EQ(d.PageCount(), pages + 1);
    const auto folder = std::filesystem::temp_directory_path() / "jp_keys_cut_pictures";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / ("p_" + std::to_string(pages) + ".png")) << "not a page of ours";
    StartPagePictures(*ed, (folder / "p.png").wstring());
    FinishPagePictures(*ed);
    EXPECT_TRUE(g_boxes.empty());
    std::filesystem::remove_all(folder);
}

// Every reader of the whole layout joins a line a key cut short up first and gives what a full
// layout gives; the DaDur backup leaves it to the idle time (its file holds no boxes). Printing
// goes to the queue print_queue.sh serves for this test, else to a printer counting the pages.
TEST_F(KeysTest, EveryReaderOfTheWholeLayoutJoinsALineAKeyCutShortUpOnTheTestQueue) {
    struct CountingPrinter final : PrintDevice {
        int32_t Pages = 0;
        int32_t DotsPerInch() override { return 96; }
        bool StartJob(const std::u16string&) override { return true; }
        bool StartPage() override { return ++Pages > 0; }
        void DrawPage(const std::function<void(Canvas&)>&) override {}
        bool EndPage() override { return true; }
        bool EndDoc() override { return true; }
        void AbortDoc() override {}
    };
    const auto folder = std::filesystem::temp_directory_path() / "jp_keys_whole_layout";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto bytes = [](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    com::Ptr<IZEVuduHost> host;
    control->QueryInterface(__uuidof(IZEVuduHost), host.OutVoid());
    ASSERT_TRUE(host);
    const auto backup = [&](const std::wstring& name) {
        EXPECT_EQ(S_OK, host->WriteBackup(com::Bstr(name).Get()));
        ed->Background.Backup.Wait();
        return 0;
    };
    // Each reader gives its pages (or the caret's line), or writes a file of the kind given.
    const struct {
        const char* Reader;
        std::function<int32_t(const std::wstring& name)> Read;
        const wchar_t* Kind = nullptr;
        bool Joins = true, Line = false;
    } rows[] = {
        {"print",
         [&](const std::wstring&) {
             if (_wgetenv(L"JP_PRINT_QUEUE")) {
                 EXPECT_EQ(S_OK, Z()->PrintDoc());  // the print dialog is answered as it opens
                 return test::PrintedPages(L"control_print_queue_cut\\");
             }
             CountingPrinter printer;
             EXPECT_TRUE(PrintOn(*ed, printer, L"song"));
             return printer.Pages;
         }},
        {"SavePic",
         [&](const std::wstring& name) {
             EXPECT_TRUE(SavePagePictures(*ed, name + L".png"));
             return static_cast<int32_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
         }},
        {"script CurLine",
         [&](const std::wstring&) {
             LONG line = -1;
             EXPECT_EQ(S_OK, Z()->get_CurLine(&line));
             return static_cast<int32_t>(line);
         },
         nullptr, true, true},
        {"script SaveFile",
         [&](const std::wstring& name) {
             com::Bstr n(name);
             return int32_t(Z()->SaveFile(n.Ref(), 0));
         },
         L".ZoRiv"},
        {"backup", backup, L".ZoRiv"},
        {"DaDur backup", backup, L".DaDur", false},
        {"user's save",
         [&](const std::wstring& name) {
             EXPECT_EQ(S_OK, host->SaveBeside(com::Bstr(name).Get(), reinterpret_cast<LONG_PTR>(parent)));
             return int32_t(host->WaitForSaves());
         },
         L".ZoRiv"},
    };
    EditorData& d = ed->Data;
    const int32_t pages = ParagraphOfPages();
    int file = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Reader);
        for (const auto& f : std::filesystem::directory_iterator(folder)) std::filesystem::remove(f.path());
        d.SelStart = 0;
        ed->UpdateCaretLine();
        Type("1");
        ASSERT_EQ(d.PageCount(), pages + 1);  // a line cut short
        auto path = folder / std::to_wstring(++file);
        if (row.Kind) path += row.Kind;
        const int32_t read = row.Read(path.wstring());
        EXPECT_EQ(d.LineInfo.HasCutLine(), !row.Joins);
        const WholeLayout whole = JoinUp(d, *ed->Renderer);
        ASSERT_TRUE(AsFullLayout());
        ASSERT_EQ(whole.PageCount(), pages);
        if (row.Kind) {  // the same kind of file written from the whole layout
            const std::wstring full = (folder / "full").wstring() + row.Kind;
            ASSERT_TRUE(SaveJpFile(d, whole, ed->FileSystem, 0, std::u16string(full.begin(), full.end())).Ok);
            EXPECT_EQ(0, read);
            EXPECT_TRUE(bytes(path) == bytes(full));
        } else {
            EXPECT_EQ(read, row.Line ? whole.CurLine() : whole.PageCount());
        }
        // The deletion may itself cut a line short: the next row begins from the whole layout.
        ed->Commands->Typed.DeleteWord(0, 1);
        ed->LayOutAndShow(tessaly::AllRefresh);
        ed->JoinUp();
    }
    std::filesystem::remove_all(folder);
}

TEST_F(KeysTest, AFontMemberWithACaretOnlySetsTheNextTypedCharacter) {
    using C = const CharAttributes&;
    const com::Bstr tahoma(L"Tahoma");  // a face the system has
    BSTR face = tahoma.Get();
    const struct {
        std::function<HRESULT(IZEVudu*)> put;
        std::function<bool(C, int32_t)> holds;
    } rows[] = {
        {[](IZEVudu* z) { return z->put_SelFontBold(VARIANT_TRUE); }, [](C c, int32_t i) { return c.Bold(i, 1); }},
        {[](IZEVudu* z) { return z->put_SelFontItalic(VARIANT_TRUE); }, [](C c, int32_t i) { return c.Italic(i, 1); }},
        {[](IZEVudu* z) { return z->put_SelFontUnderline(VARIANT_TRUE); },
         [](C c, int32_t i) { return c.Underline(i, 1); }},
        {[](IZEVudu* z) { return z->put_SelFontStrikeOut(VARIANT_TRUE); },
         [](C c, int32_t i) { return c.StrikeOut(i, 1); }},
        // 15 points are whole pixels, which a font object keeps as they are.
        {[](IZEVudu* z) { return z->put_SelFontSize(15); }, [](C c, int32_t i) { return c.SelFontSize(i, 1) == 15; }},
        {[face](IZEVudu* z) { return z->put_SelFontName(face); },
         [](C c, int32_t i) { return lstrcmpiA(c.SelFontName(i, 1).c_str(), "Tahoma") == 0; }},
    };
    for (size_t row = 0; row < std::size(rows); ++row) {
        SCOPED_TRACE(row);
        EmptyDocument();
        Type("a");  // lyrics: notation characters keep their own face, size and lines
        ASSERT_EQ(S_OK, rows[row].put(Z()));
        Type("b");
        EXPECT_FALSE(rows[row].holds(ed->Commands->Chars, 0));
        EXPECT_TRUE(rows[row].holds(ed->Commands->Chars, 1));
    }
}

TEST_F(KeysTest, InputStateKeepsTheModeItIsGivenAndTellsTheHost) {
    EmptyDocument();
    Type("1");
    for (int round = 0; round < 2; ++round) {  // the same mode again is still reported
        const size_t sent = g_status.size();
        ASSERT_EQ(S_OK, Z()->put_InputState(tessaly::GcState));
        EXPECT_EQ(ed->Data.InputState, tessaly::GcState);
        ASSERT_EQ(g_status.size(), sent + 1);
        EXPECT_EQ(g_status.back().cInputState, tessaly::GcState);
    }
    Type("5");
    EXPECT_EQ(ed->Data.WordInfo[1].IsJpGcCtl, 0);
    const size_t sent = g_status.size();  // connecting-line mode tells the host nothing
    ASSERT_EQ(S_OK, Z()->put_InputState(tessaly::LpxState));
    EXPECT_EQ(g_status.size(), sent);
}

}  // namespace
}  // namespace notaline
