// Start-up from a command line and the save prompt at closing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MainWindowFixture_win.h"
#include "com/Bstr.h"

namespace tavolin::test {
namespace {

// Answers the message boxes of this thread from inside their modal loops: the first with the
// given button, any later one with OK; their texts are kept.
struct Boxes {
    int first = IDYES;
    std::vector<std::wstring> texts;
};
Boxes* gBoxes = nullptr;

// The longest text of the box's statics is its message.
BOOL CALLBACK LongestStatic(HWND w, LPARAM out) {
    wchar_t cls[16] = {}, text[512] = {};
    GetClassNameW(w, cls, 16);
    GetWindowTextW(w, text, 512);
    auto& longest = *reinterpret_cast<std::wstring*>(out);
    if (_wcsicmp(cls, L"Static") == 0 && wcslen(text) > longest.size()) longest = text;
    return TRUE;
}

BOOL CALLBACK AnswerOne(HWND w, LPARAM) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (std::wstring(cls) != L"#32770" || !IsWindowVisible(w)) return TRUE;
    std::wstring text;
    EnumChildWindows(w, LongestStatic, reinterpret_cast<LPARAM>(&text));
    gBoxes->texts.push_back(text);
    PostMessageW(w, WM_COMMAND, gBoxes->texts.size() == 1 ? gBoxes->first : IDOK, 0);
    return FALSE;
}

void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    if (gBoxes) EnumThreadWindows(GetCurrentThreadId(), AnswerOne, 0);
}

struct Answering {
    explicit Answering(Boxes& b) : timer(SetTimer(nullptr, 0, 30, AnswerBoxes)) { gBoxes = &b; }
    ~Answering() {
        KillTimer(nullptr, timer);
        gBoxes = nullptr;
    }
    UINT_PTR timer;
};

struct CommandLineTest : MainWindowTest {
    CommandLineTest() {
        commandLine = L"\"C:\\没有\\歌.DaDur\"";
        beforeCreate = [this](MainWindow& w) {
            w.Hooks().updateRecentFiles = [this](const std::wstring& p) { recent.push_back(p); };
            w.Hooks().showMarks = [this](const std::array<int16_t, 8>&, bool fromCommand) {
                marks.push_back(fromCommand);
            };
        };
    }
    void SetUp() override {
        boxes.first = IDOK;
        answering = std::make_unique<Answering>(boxes);  // the editor reports the missing file
        MainWindowTest::SetUp();
    }
    Boxes boxes;
    std::unique_ptr<Answering> answering;
    std::vector<std::wstring> recent;
    std::vector<bool> marks;
};

// Only the first status after the document was opened from the command line says so.
TEST_F(CommandLineTest, QuotedPathIsOpenedAndItsFirstStatusSelectsNoMark) {
    // The file is missing: the editor says so, and caption and list stay the new document's.
    EXPECT_EQ(L"Tavolin--新文档", TextOf(window->Handle()));
    EXPECT_EQ((std::vector<std::wstring>{L""}), recent);
    ASSERT_FALSE(marks.empty());
    marks.clear();
    tessaly::aSendMsg s = factory.hosted->Running()->SendMsg;
    SendMessageW(window->Handle(), tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&s));
    SendMessageW(window->Handle(), tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&s));
    EXPECT_EQ((std::vector<bool>{true, false}), marks);
}

struct CloseTest : MainWindowTest {
    void Modify() { factory.hosted->Running()->Data.ModifiedPlay = true; }
    bool Modified() {
        VARIANT_BOOL m = VARIANT_FALSE;
        window->Editor()->get_Modified(&m);
        return m != VARIANT_FALSE;
    }
    // Closes the window answering the prompt; true when the window is gone.
    bool CloseAnswering(int answer) {
        boxes = Boxes{answer, {}};
        Answering a(boxes);
        SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
        return !IsWindow(window->Handle());
    }
    Boxes boxes;
};

TEST_F(CloseTest, UnmodifiedDocumentClosesWithoutAQuestion) {
    ASSERT_FALSE(Modified());
    EXPECT_TRUE(CloseAnswering(IDCANCEL));
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(CloseTest, UnnamedDocumentAsksToSaveAsAndStaysWhenNotSaved) {
    Modify();
    bool saved = false;
    std::wstring offered;
    window->Hooks().saveAs = [&](const std::wstring& name) {
        offered = name;
        return saved;
    };
    EXPECT_FALSE(CloseAnswering(IDCANCEL));
    ASSERT_EQ(1u, boxes.texts.size());
    EXPECT_EQ(L"是否将更改保存为 文档 1.DaDur？", boxes.texts[0]);
    EXPECT_FALSE(CloseAnswering(IDYES));  // the save-as dialog was cancelled
    saved = true;
    EXPECT_TRUE(CloseAnswering(IDYES));
}

TEST_F(CloseTest, YesClosesOnlyAfterASaveThatSucceeded) {
    const auto folder = std::filesystem::temp_directory_path() / L"tavolin-close";
    std::filesystem::create_directories(folder);
    const std::wstring path = (folder / L"歌.DaDur").wstring();
    com::Bstr name(path);
    window->Editor()->SaveFile(name.Ref(), reinterpret_cast<LONG_PTR>(window->Handle()));
    window->Editor()->put_FileName(name.Get());
    ASSERT_TRUE(std::filesystem::exists(path));

    // The folder is gone: the save fails and the window stays.
    std::filesystem::remove_all(folder);
    Modify();
    EXPECT_FALSE(CloseAnswering(IDYES));
    ASSERT_FALSE(boxes.texts.empty());
    EXPECT_EQ(L"是否将更改保存到 歌.DaDur？", boxes.texts[0]);
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(CloseAnswering(IDCANCEL));

    std::filesystem::create_directories(folder);
    EXPECT_TRUE(CloseAnswering(IDYES));
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tavolin::test
