// The File menu driven as a user drives it: commands by WM_COMMAND, the common dialogs and
// message boxes answered from a second thread by title, typed name, filter and button.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "FakeLayout.h"
#include "FileCommands_win.h"
#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "MusicFixture.h"
#include "PrintedInk_win.h"
#include "RecentFiles.h"
#include "ScreenTestSupport_win.h"
#include "com/Bstr.h"
#include "com/Create.h"
#include "model/layout/LoadJpFile.h"
#include "tools/tests/DialogCloser_win.h"
#include "win/KernelHandles.h"

namespace tavolin::test {
namespace {

namespace fs = std::filesystem;
constexpr int kFileNameEdit = 0x480, kFileNameCombo = 0x47c, kFilterCombo = 0x470;

struct Answer {
    int button;
    std::wstring typed;  // into a file dialog's name box
    int filter = 0;      // 1-based; 0 keeps the dialog's
};

// Answers the dialogs of the UI thread in order; any dialog beyond the script is cancelled.
class Answers {
public:
    explicit Answers(std::vector<Answer> script) : ui_(GetCurrentThreadId()), script_(std::move(script)) {
        worker_ = std::thread([this] { Run(); });
    }
    ~Answers() { Stop(); }
    std::vector<std::wstring> Titles() { return Stop(), titles_; }
    std::vector<std::wstring> Texts() { return Stop(), texts_; }

private:
    void Stop() {
        if (worker_.joinable()) stop_ = true, worker_.join();
    }
    // The name box: an edit of its own, or the edit inside the name combo.
    static HWND NameBox(HWND d) {
        HWND found = GetDlgItem(d, kFileNameEdit);
        EnumChildWindows(
            d,
            [](HWND c, LPARAM p) -> BOOL {
                wchar_t cls[16] = {};
                GetClassNameW(c, cls, 16);
                if (GetDlgCtrlID(c) != kFileNameCombo || std::wstring(cls) != L"Edit") return TRUE;
                *reinterpret_cast<HWND*>(p) = c;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    void Act(HWND d, const Answer& a) {
        if (a.filter > 0) {
            HWND combo = GetDlgItem(d, kFilterCombo);
            SendMessageW(combo, CB_SETCURSEL, a.filter - 1, 0);
            for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
                SendMessageW(d, WM_COMMAND, MAKEWPARAM(kFilterCombo, code), reinterpret_cast<LPARAM>(combo));
        }
        if (!a.typed.empty()) {
            SendMessageW(NameBox(d), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.typed.c_str()));
        }
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(a.button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, a.button)));
    }
    void Run() {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        HWND last = nullptr;
        auto seen = Clock::now();
        bool answered = false;
        while (!stop_ && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            HWND d = VisibleDialogOf(ui_);
            if (!d) continue;
            if (d != last) {
                last = d, seen = Clock::now(), answered = false;
                wchar_t text[512] = {};
                GetWindowTextW(d, text, 512);
                titles_.push_back(text);
                text[0] = 0;
                GetDlgItemTextW(d, 0xFFFF, text, 512);
                texts_.push_back(text);
            }
            const auto since = Clock::now() - seen;
            if (since < std::chrono::milliseconds(300)) continue;
            const size_t step = titles_.size() - 1;
            if (!answered) {
                Act(d, step < script_.size() ? script_[step] : Answer{IDCANCEL, L""});
                answered = true;
            } else if (since > std::chrono::seconds(3)) {
                PostMessageW(d, WM_CLOSE, 0, 0);  // a wrong answer must not hang the test
            }
        }
    }

    DWORD ui_;
    std::vector<Answer> script_;
    std::vector<std::wstring> titles_, texts_;
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

std::wstring Caption(HWND w) {
    wchar_t text[1024] = {};
    GetWindowTextW(w, text, 1024);
    return text;
}

fs::path ProgramFolder() {
    return fs::path(com::ProgramFolder()).parent_path();
}

std::wstring Ini() {
    return (ProgramFolder() / L"UserSetInfo.ini").wstring();
}

std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct FileCommandsTest : MainWindowTest {
    void SetUp() override {
        folder = fs::temp_directory_path() / L"文件命令";
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        fs::create_directories(folder, ignored);
        WritePrivateProfileStringW(kRecentSection, nullptr, nullptr, Ini().c_str());
        for (size_t i = 0; i < recent.size(); ++i)
            WritePrivateProfileStringW(kRecentSection, RecentKey(static_cast<int>(i) + 1).c_str(), recent[i].c_str(),
                                       Ini().c_str());
        beforeCreate = [](MainWindow& w) { RegisterFileCommands(w); };
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        WritePrivateProfileStringW(kRecentSection, nullptr, nullptr, Ini().c_str());
    }
    void Command(const char* name, int index = -1) {
        SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(window->MenuCommand(name, index), 0), 0);
    }
    std::wstring File(const wchar_t* name) const { return (folder / name).wstring(); }
    bool Modified() {
        VARIANT_BOOL m = VARIANT_FALSE;
        window->Editor()->get_Modified(&m);
        return m != VARIANT_FALSE;
    }
    std::wstring FileName() {
        com::Bstr b;
        window->Editor()->get_FileName(b.Out());
        return b.Str();
    }
    void Change() {
        SendMessageW(window->EditorWindow(), WM_CHAR, '1', 0);
        ASSERT_TRUE(Modified());
    }
    // Until the menu's save, written beside the window, has told its outcome.
    void WaitForSaves() {
        com::Ptr<IZEVuduHost> host;
        window->Editor()->QueryInterface(__uuidof(IZEVuduHost), host.OutVoid());
        ASSERT_TRUE(host);
        host->WaitForSaves();
    }
    void SaveWithoutHost(const std::wstring& name) {
        com::Bstr b(name);
        window->Editor()->SaveFile(b.Ref(), 0);
    }

    fs::path folder;
    std::vector<std::wstring> recent;
};

TEST_F(FileCommandsTest, SaveAsAddsTheDocumentExtensionAndReadsBackEqual) {
    const fs::path startFolder = fs::current_path();
    struct Row {
        std::wstring typed;
        int filter;
        const wchar_t* written;
    } rows[] = {{L"a", 2, L"a.DaDur"},
                {L"b.txt", 3, L"b.txt.DaDur"},
                {L"c", 1, L"c.ZoRiv"},
                {L"x.DaDur", 1, L"x.DaDur"}};  // a typed ending of an offered type decides
    for (const Row& r : rows) {
        Change();
        Answers answers({{IDOK, File(r.typed.c_str()), r.filter}});
        Command("SaveAS");
        WaitForSaves();
        EXPECT_EQ(std::vector<std::wstring>{L"选择保存文件"}, answers.Titles());
        EXPECT_EQ(startFolder, fs::current_path());  // a chosen folder is not made current
        const std::wstring written = File(r.written);
        ASSERT_TRUE(fs::exists(written)) << r.written;
        EXPECT_EQ(L"Tavolin--" + written, Caption(window->Handle()));
        EXPECT_EQ(RecentCaption(written), window->MenuCaption("最近打开文件", 0));
        EXPECT_FALSE(Modified());
        EXPECT_FALSE(fs::exists(File(r.typed.c_str())) && r.typed != r.written);
        EXPECT_FALSE(fs::exists(written + L".ZoRiv") || fs::exists(written + L".DaDur"));
    }
    // What was written reads back as the same document.
    const std::wstring copy = File(L"copy.DaDur");
    ASSERT_EQ(S_OK, window->Editor()->put_FileName(com::Bstr(File(L"a.DaDur")).Get()));
    SaveWithoutHost(copy);
    EXPECT_EQ(Bytes(File(L"a.DaDur")), Bytes(copy));

    // An existing name asks before writing over it; Cancel writes nothing.
    const auto before = fs::last_write_time(File(L"c.ZoRiv"));
    Answers again({{IDOK, File(L"c"), 1}, {IDCANCEL, L""}});
    Command("SaveAS");
    EXPECT_EQ(L"文件“" + File(L"c.ZoRiv") + L"”已经存在，覆盖保存？", again.Texts().at(1));
    EXPECT_EQ(before, fs::last_write_time(File(L"c.ZoRiv")));
}

TEST_F(FileCommandsTest, ChangesAreKeptUnlessTheSaveSucceeded) {
    Change();
    // Yes, then Cancel in the save-as dialog: no open dialog, the document stays as it was.
    Answers answers({{IDYES, L""}, {IDCANCEL, L""}});
    Command("OpenFile");
    EXPECT_EQ((std::vector<std::wstring>{L"Tavolin", L"选择保存文件"}), answers.Titles());
    EXPECT_EQ(L"先保存当前文档吗?", answers.Texts()[0]);
    EXPECT_TRUE(Modified());
    EXPECT_EQ(L"Tavolin--新文档", Caption(window->Handle()));

    // Yes and a save: the open dialog follows.
    Answers saved({{IDYES, L""}, {IDOK, File(L"kept"), 2}, {IDCANCEL, L""}});
    Command("OpenFile");
    EXPECT_EQ((std::vector<std::wstring>{L"Tavolin", L"选择保存文件", L"选择打开文件"}), saved.Titles());
    EXPECT_TRUE(fs::exists(File(L"kept.DaDur")));
}

struct RecentFilesTest : FileCommandsTest {
    void SetUp() override {
        recent = {Path(L"R&B.DaDur"), Path(L"missing.DaDur"), Path(L"broken.ZoRiv")};
        FileCommandsTest::SetUp();
    }
    static std::wstring Path(const wchar_t* name) { return (fs::temp_directory_path() / L"文件命令" / name).wstring(); }
};

TEST_F(RecentFilesTest, MissingOrUnreadableFilesChangeNothing) {
    SaveWithoutHost(recent[0]);
    std::ofstream(fs::path(recent[2])) << "not a document";
    EXPECT_EQ(RecentCaption(recent[0]), window->MenuCaption("最近打开文件", 0));
    EXPECT_TRUE(window->MenuShown("最近打开文件", 4));
    Change();
    {
        Answers answers({{IDOK, L""}});
        Command("最近打开文件", 1);
        EXPECT_EQ(std::vector<std::wstring>{L"文件未找到..."}, answers.Texts());
    }
    {
        Answers answers({{IDNO, L""}, {IDOK, L""}});
        Command("最近打开文件", 2);
        EXPECT_EQ(2u, answers.Titles().size());
    }
    EXPECT_TRUE(Modified());
    EXPECT_EQ(L"Tavolin--新文档", Caption(window->Handle()));
    EXPECT_EQ(L"", FileName());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(RecentCaption(recent[i]), window->MenuCaption("最近打开文件", i));

    // A path with "&" opens whole and moves to the head.
    Answers answers({{IDNO, L""}});
    Command("最近打开文件", 0);
    EXPECT_EQ(recent[0], FileName());
    EXPECT_EQ(L"Tavolin--" + recent[0], Caption(window->Handle()));
    EXPECT_FALSE(Modified());
}

TEST_F(FileCommandsTest, BackupTicksWriteACopyAndAFailureStopsThem) {
    {
        Answers answers({{IDOK, L""}});
        Command("AutoSave");
        EXPECT_EQ(std::vector<std::wstring>{L"需要先将文档保存！"}, answers.Texts());
        EXPECT_FALSE(window->MenuChecked("AutoSave", -1));
    }
    const std::wstring doc = File(L"曲.DaDur");
    com::Bstr b(doc);
    ASSERT_EQ(S_OK, window->Editor()->SaveFile(b.Ref(), reinterpret_cast<LONG_PTR>(window->Handle())));
    std::ofstream(fs::path(File(L"曲.Bak.DaDur"))) << "taken";
    {
        Answers answers({{IDOK, L""}});
        Command("AutoSave");
        EXPECT_EQ(std::vector<std::wstring>{L"附本文档为：" + File(L"曲.Bak.Bak.DaDur")}, answers.Texts());
    }
    Change();
    const std::wstring caption = Caption(window->Handle());
    SetTimer(window->Handle(), kBackupTimerId, 20, nullptr);
    {
        Answers about({{IDOK, L""}});
        Command("AboutMe");  // ticks while the file command's box is up are skipped
        EXPECT_EQ(std::vector<std::wstring>{L"Tavolin\n版本 1.0"}, about.Texts());
    }
    EXPECT_FALSE(fs::exists(File(L"曲.Bak.Bak.DaDur")));
    ASSERT_TRUE(PumpUntil([&] { return fs::exists(File(L"曲.Bak.Bak.DaDur")); }));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(caption, Caption(window->Handle()));
    EXPECT_EQ(doc, FileName());
    SaveWithoutHost(File(L"now.DaDur"));  // the copy holds the change, the document does not
    EXPECT_EQ(Bytes(File(L"now.DaDur")), Bytes(File(L"曲.Bak.Bak.DaDur")));
    EXPECT_NE(Bytes(doc), Bytes(File(L"now.DaDur")));

    // The copy's name becomes a folder: one message, the check mark and the timer go.
    fs::remove(File(L"曲.Bak.Bak.DaDur"));
    fs::create_directory(File(L"曲.Bak.Bak.DaDur"));
    Answers answers({{IDOK, L""}});
    ASSERT_TRUE(PumpUntil([&] { return !window->MenuChecked("AutoSave", -1); }));
    EXPECT_EQ(std::vector<std::wstring>{L"附本保存失败，定时保存已关闭。"}, answers.Texts());
}

// A name typed with its ending over a file that exists is asked about once, by the program, for
// every kind of file written; Cancel writes nothing.
TEST_F(FileCommandsTest, SavingOverATypedExistingNameAsksOnceInTheProgramsOwnWords) {
    const struct {
        const char* command;
        const wchar_t *file, *title;
        int filter;
    } rows[] = {{"SaveAS", L"d.DaDur", L"选择保存文件", 2},
                {"OutputMid", L"m.Mid", L"选择导出文件", 1},
                {"SaveASPic", L"p.PNG", L"选择保存文件", 4}};
    for (const auto& r : rows) {
        std::ofstream(fs::path(File(r.file))) << "kept";
        Answers answers({{IDOK, File(r.file), r.filter}, {IDCANCEL, L""}});
        Command(r.command);
        EXPECT_EQ((std::vector<std::wstring>{r.title, L"Tavolin"}), answers.Titles()) << r.command;
        EXPECT_EQ(L"文件“" + File(r.file) + L"”已经存在，覆盖保存？", answers.Texts().at(1)) << r.command;
        EXPECT_EQ("kept", Bytes(File(r.file))) << r.command;
    }
}

// Typed endings name the files as typed, and ".jpeg" is JPEG: the data is what the ending names.
TEST_F(FileCommandsTest, ATypedPictureEndingKeepsItsSpellingAndNamesTheFormat) {
    const struct {
        const wchar_t* typed;
        int filter;
        std::string magic;
    } rows[] = {{L"p.png", 3, "\x89PNG"}, {L"q.jpeg", 2, "\xFF\xD8"}};
    for (const auto& r : rows) {
        Answers answers({{IDOK, File(r.typed), r.filter}});
        Command("SaveASPic");
        ASSERT_TRUE(PumpUntil([&] { return !Ed().Background.Pictures.Running(); }));
        std::vector<std::wstring> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().wstring());
        EXPECT_NE(std::find(names.begin(), names.end(), r.typed), names.end()) << r.typed;
        EXPECT_EQ(r.magic, Bytes(File(r.typed)).substr(0, r.magic.size())) << r.typed;
        EXPECT_EQ(1u, names.size()) << r.typed;
        fs::remove(File(r.typed));
    }
}

// With no help document beside the program, the file looked for is named, and nothing else happens.
TEST_F(FileCommandsTest, TheHelpDocumentMissingIsToldByItsName) {
    const std::wstring help = (ProgramFolder() / L"帮助文档.DaDur").wstring();
    ASSERT_FALSE(fs::exists(help));
    Change();
    Answers answers({{IDOK, L""}});
    Command("HelpDoc");
    EXPECT_EQ(std::vector<std::wstring>{L"Tavolin"}, answers.Titles());
    EXPECT_EQ(L"没有找到帮助文档“" + help + L"”。", answers.Texts().at(0));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(L"Tavolin--新文档", Caption(window->Handle()));
}

TEST_F(FileCommandsTest, MidiExportAndNewDocument) {
    // Left beside the tests for an independent MIDI reader.
    const fs::path exported = ProgramFolder() / L"app_midi" / L"song.Mid";
    fs::remove_all(exported.parent_path());
    fs::create_directory(exported.parent_path());
    Z()->put_InputState(tessaly::JpState);
    TypeChars("1");  // a note, so that the export has something to sound
    Answers answers({{IDOK, (exported.parent_path() / L"song").wstring(), 1}});
    Command("OutputMid");
    EXPECT_EQ(L"选择导出文件", answers.Titles().at(0));
    EXPECT_EQ("MThd", Bytes(exported).substr(0, 4));
    EXPECT_EQ(L"Tavolin--新文档", Caption(window->Handle()));

    // A second program starts with its own default document.
    Command("CreatFile");
    DWORD other = 0;
    ASSERT_TRUE(PumpUntil([&] {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, nullptr, L"Tavolin--新文档")) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid != GetCurrentProcessId()) other = pid;
        }
        return other != 0;
    }));
    const win::KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, other));
    ASSERT_TRUE(process);
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 10000);
}

TEST_F(FileCommandsTest, PicturesFromTheMenuAreWrittenBesideTheWindowWithTheirProgress) {
    notaline::test::FillPages(Ed(), 12);
    Answers answers({{IDOK, File(L"song"), 4}});
    Command("SaveASPic");  // returns once the export has started
    EXPECT_EQ(L"选择保存文件", answers.Titles().at(0));
    ASSERT_TRUE(PumpUntil([&] { return window->StatusText(1).rfind(L"进度 ", 0) == 0; }));
    RECT r;
    GetWindowRect(window->Handle(), &r);
    notaline::test::SaveScreenPng(r, L"pictures_progress.png");
    ASSERT_TRUE(PumpUntil([&] { return !Ed().Background.Pictures.Running(); }));
    EXPECT_NE(std::wstring::npos, window->StatusText(1).find(L"位置"));  // the caret's again
    for (const wchar_t* page : {L"song.PNG", L"song_11.PNG"}) EXPECT_TRUE(fs::exists(folder / page));
    EXPECT_FALSE(fs::exists(folder / L"song_12.PNG"));
}

TEST_F(FileCommandsTest, ASecondPictureExportIsRefusedFirstAndClosingWaitsForEveryPage) {
    notaline::test::FillPages(Ed(), 40);
    {
        Answers answers({{IDOK, File(L"song"), 4}});
        Command("SaveASPic");
        EXPECT_EQ(1u, answers.Titles().size());
    }
    ASSERT_TRUE(Ed().Background.Pictures.Running());
    {
        Answers answers({{IDOK, L""}});
        Command("SaveASPic");  // refused before a name is asked
        EXPECT_EQ(std::vector<std::wstring>{L"正在保存图片…，按 Esc 可停止"}, answers.Texts());
    }
    ASSERT_TRUE(Ed().Background.Pictures.Running());
    HWND form = window->Handle();
    SendMessageW(form, WM_CLOSE, 0, 0);  // an unchanged song: closed once every page is written
    EXPECT_FALSE(IsWindow(form));
    EXPECT_EQ(40, std::distance(fs::directory_iterator(folder), {}));
}

TEST_F(FileCommandsTest, PrintFileOnTheSystemQueueHasTheScreensInk) {
    // Run by print_queue.sh, which serves a cups-pdf queue, rasterises the PDF into the folder and
    // fails the run unless exactly one job arrived.
    if (!_wgetenv(L"JP_PRINT_QUEUE")) GTEST_SKIP() << "no print queue served for this run";
    namespace ink = notaline::test;
    notaline::Editor& ed = *factory.hosted->Running();
    ink::FillPages(ed, 3);
    ed.Data.AboutPageInfo.nScale = 1;
    const std::wstring folder = L"app_print_queue\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(notaline::SavePagePictures(ed, folder + L"screen.png"));
    for (int button : {IDCANCEL, IDOK}) {
        Answers answers({{button, L""}});
        Command("PrintFile");
        EXPECT_EQ(1u, answers.Titles().size());
    }
    ASSERT_EQ(3, ink::PrintedPages(folder)) << "the queue's PDF";
    const wchar_t* shown[] = {L"screen.PNG", L"screen_1.PNG", L"screen_2.PNG"};
    int ends = 0;
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        const ink::Pixels printed = ink::Decode(folder + L"printed-" + std::to_wstring(page + 1) + L".png");
        ink::ExpectInkAgrees(ed.Data, ink::Decode(folder + shown[page]), printed);
        const auto& p = ed.Data.PageInfo[static_cast<size_t>(page)];
        for (int32_t i = p.StartWord; i < p.StartWord + p.LengthWord; ++i) {
            const auto& w = ed.Data.WordInfo[static_cast<size_t>(i)];
            if (w.IsJpGcCtl != 3) continue;
            ++ends;
            ASSERT_LT(w.Bottom, printed.Height);
            EXPECT_EQ(0, printed.Count(static_cast<int32_t>(w.Left), static_cast<int32_t>(w.Top),
                                       static_cast<int32_t>(w.Left + w.WdSize.cx), static_cast<int32_t>(w.Bottom)));
        }
    }
    EXPECT_GT(ends, 0);
}

// Another window or program wrote the file: the user's save asks, and No writes nothing.
TEST_F(FileCommandsTest, ASaveOverAFileChangedElsewhereAsksFirst) {
    const std::wstring doc = File(L"两个窗口.DaDur");
    com::Bstr b(doc);
    ASSERT_EQ(S_OK, window->Editor()->SaveFile(b.Ref(), reinterpret_cast<LONG_PTR>(window->Handle())));
    std::ofstream(fs::path(doc), std::ios::binary) << "the other window's song";
    Change();
    {
        Answers answers({{IDNO, L""}});
        Command("SaveFile");
        EXPECT_EQ(std::vector<std::wstring>{L"文件已被其他程序修改，是否覆盖？"}, answers.Texts());
    }
    EXPECT_EQ("the other window's song", Bytes(doc));
    EXPECT_TRUE(Modified());
    {
        Answers answers({{IDYES, L""}});
        Command("SaveFile");
        WaitForSaves();
        EXPECT_EQ(1u, answers.Texts().size());
    }
    EXPECT_NE("the other window's song", Bytes(doc));
    EXPECT_FALSE(Modified());
    Change();  // unchanged on disk since: no question
    Answers none({});
    Command("SaveFile");
    WaitForSaves();
    EXPECT_TRUE(none.Texts().empty());
    EXPECT_FALSE(Modified());
}

// The menu's save of a large document writes the document of its moment beside the window:
// typing goes on meanwhile and keeps Modified; a failure is told as before; the next file
// command waits for the write.
TEST_F(FileCommandsTest, TheMenusSaveWritesItsMomentBesideTheWindow) {
    notaline::test::FakeDocumentSource source;
    source.Files[u"big.dadur"] = notaline::test::SongDocument(std::string(60000, '1'));
    ASSERT_TRUE(notaline::LoadJpFile(Ed().Data, source, *Ed().Renderer, Ed(),
                                     reinterpret_cast<intptr_t>(window->Handle()), u"big.dadur"));
    const std::wstring doc = File(L"大.DaDur"), moment = File(L"moment.DaDur");
    com::Bstr b(doc);
    ASSERT_EQ(S_OK, window->Editor()->SaveFile(b.Ref(), reinterpret_cast<LONG_PTR>(window->Handle())));
    Change();
    SaveWithoutHost(moment);
    const std::string expected = Bytes(moment);
    Command("SaveFile");
    SendMessageW(window->EditorWindow(), WM_CHAR, '2', 0);
    ASSERT_TRUE(PumpUntil([&] { return Bytes(doc) == expected; }));
    WaitForSaves();
    EXPECT_TRUE(Modified());  // the key came after the moment written
    EXPECT_EQ(doc, FileName());

    // Written before the next open reads it: the key typed above is in the file.
    const int32_t words = Ed().Data.WordCount();
    Command("SaveFile");
    ASSERT_EQ(S_OK, window->Editor()->put_FileName(com::Bstr(doc).Get()));
    EXPECT_EQ(words, Ed().Data.WordCount());

    // A failure: the writer's reason in a box once written, the document still modified.
    Change();
    SetFileAttributesW(doc.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string before = Bytes(doc);
    {
        Answers answers({{IDOK, L""}});
        Command("SaveFile");
        ASSERT_TRUE(PumpUntil([&] { return answers.Texts().size() == 1; }));
    }
    SetFileAttributesW(doc.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(before == Bytes(doc));
}

// A save given while a Save As is still being written goes to the new name, as the caption says;
// the old file keeps its bytes, and a flag set meanwhile keeps the document modified.
TEST_F(FileCommandsTest, ASaveRightAfterASaveAsWritesTheNewName) {
    const std::wstring old = File(L"T.DaDur"), renamed = File(L"Y.DaDur"), both = File(L"both.DaDur");
    com::Bstr b(old);
    ASSERT_EQ(S_OK, window->Editor()->SaveFile(b.Ref(), reinterpret_cast<LONG_PTR>(window->Handle())));
    const std::string oldBytes = Bytes(old);
    Change();
    {
        Answers answers({{IDOK, renamed, 2}});
        Command("SaveAS");
        EXPECT_EQ(std::vector<std::wstring>{L"选择保存文件"}, answers.Titles());
    }
    SendMessageW(window->EditorWindow(), WM_CHAR, '2', 0);
    Command("SaveFile");
    Ed().Data.ModifiedPlay = true;  // as a dialog's OK while the save is written
    WaitForSaves();
    EXPECT_TRUE(oldBytes == Bytes(old));
    EXPECT_EQ(renamed, FileName());
    EXPECT_EQ(L"Tavolin--" + renamed, Caption(window->Handle()));
    EXPECT_EQ(RecentCaption(renamed), window->MenuCaption("最近打开文件", 0));
    SaveWithoutHost(both);
    EXPECT_TRUE(Bytes(both) == Bytes(renamed));
    EXPECT_TRUE(Modified());
}

// Keys kept queued all along: the copy is still written on time, and every key arrives.
TEST_F(FileCommandsTest, TheBackupIsWrittenOnTimeWhileKeysStreamIn) {
    const std::wstring doc = File(L"曲.DaDur");
    com::Bstr b(doc);
    ASSERT_EQ(S_OK, window->Editor()->SaveFile(b.Ref(), reinterpret_cast<LONG_PTR>(window->Handle())));
    gBackupInterval = 300;
    {
        Answers answers({{IDOK, L""}});
        Command("AutoSave");
    }
    gBackupInterval = kBackupInterval;
    const fs::path backup = File(L"曲.Bak.DaDur");
    ASSERT_FALSE(fs::exists(backup));
    const int32_t before = Ed().Data.WordCount();
    HWND editor = window->EditorWindow();
    std::atomic<int> posted{0}, handled{0};
    std::atomic<bool> stop{false};
    std::thread keys([&] {
        while (!stop)
            if (posted - handled < 20 && PostMessageW(editor, WM_CHAR, '1', 0))
                ++posted;
            else
                std::this_thread::yield();
    });
    bool writtenWhileTyping = false;
    for (const ULONGLONG deadline = GetTickCount64() + 10000; !writtenWhileTyping && GetTickCount64() < deadline;) {
        MSG m;
        if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) continue;
        if (m.message == WM_CHAR && m.hwnd == editor) ++handled;
        if (!window->PreTranslate(m)) TranslateMessage(&m), DispatchMessageW(&m);
        writtenWhileTyping = fs::exists(backup);
    }
    stop = true;
    keys.join();
    EXPECT_TRUE(writtenWhileTyping);
    EXPECT_GT(handled, 0);
    ASSERT_TRUE(PumpUntil([&] { return Ed().Data.WordCount() == before + posted; }));
}

// A settings file grown past its limit is not read: the recent list shows its defaults.
TEST_F(RecentFilesTest, AHugeSettingsFileIsIgnored) {
    ASSERT_TRUE(window->MenuShown("最近打开文件", 0));
    const std::string kept = Bytes(Ini());
    {
        std::ofstream out(fs::path(Ini()), std::ios::binary | std::ios::app);
        const std::string line = "\r\n[填充]\r\n" + std::string(1000, 'x') + "=1";
        for (int i = 0; i < 1100; ++i) out << line;
    }
    window->Hooks().updateRecentFiles(L"");
    const bool shown = window->MenuShown("最近打开文件", 0);
    std::ofstream(fs::path(Ini()), std::ios::binary | std::ios::trunc) << kept;
    EXPECT_FALSE(shown);
}

TEST_F(FileCommandsTest, ExitAsksForAChangedDocumentAndCancelKeepsTheProgram) {
    Change();
    {
        Answers answers({{IDCANCEL, L""}});
        Command("ExitPro");
        EXPECT_EQ(1u, answers.Titles().size());
    }
    ASSERT_TRUE(IsWindow(window->Handle()));
    EXPECT_TRUE(Modified());
    HWND form = window->Handle();
    Answers answers({{IDNO, L""}});
    Command("ExitPro");
    EXPECT_EQ(1u, answers.Titles().size());
    EXPECT_FALSE(IsWindow(form));
}

}  // namespace
}  // namespace tavolin::test
