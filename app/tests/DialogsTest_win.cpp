// The settings dialogs over a hosted editor: opened, filled by messages, answered, and what the
// editor then holds.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "FormNumbers.h"
#include "InputBox_win.h"
#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "WindowTesting_win.h"
#include "paint/PageLayers.h"
#include "records/Numbers.h"
#include "records/Records.h"
#include "win/DialogKit_win.h"
#include "win/tests/Capture_win.h"

namespace tavolin {
namespace {

using test::Answerer;
using test::Picture;

std::wstring TextOf(HWND dialog, int id) {
    wchar_t text[128]{};
    GetWindowTextW(GetDlgItem(dialog, id), text, 128);
    return text;
}
void Command(HWND dialog, int id, int code) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
void Choose(HWND dialog, int id, int index) {
    SendMessageW(GetDlgItem(dialog, id), CB_SETCURSEL, index, 0);
    Command(dialog, id, CBN_SELCHANGE);
}
void Type(HWND dialog, int id, std::wstring_view keys) {
    for (wchar_t k : keys) SendMessageW(GetDlgItem(dialog, id), WM_CHAR, k, 0);
}
void Step(HWND dialog, int upDown, int delta) {
    NMUPDOWN step{{GetDlgItem(dialog, upDown), static_cast<UINT_PTR>(upDown), UDN_DELTAPOS}, 0, delta};
    SendMessageW(dialog, WM_NOTIFY, upDown, reinterpret_cast<LPARAM>(&step));
}
struct DialogsTest : test::MainWindowTest {
    DialogsTest() {
        beforeCreate = [](MainWindow& form) { RegisterModules(form); };
    }
    void SetUp() override {
        MainWindowTest::SetUp();
        ed = factory.hosted->Running();
        editor = window->EditorWindow();
        ed->Commands->Undo.ZeroUnDoReDoVal();
    }
    // Chooses the menu item; its dialog is answered meanwhile.
    void Menu(std::string_view name, int index = -1) {
        SendMessageW(window->Handle(), WM_COMMAND, window->MenuCommand(name, index), 0);
    }
    template <class T>
    T Fetched(int message) {
        return *reinterpret_cast<const T*>(SendMessageW(editor, message, 0, 0));
    }
    bool Stepped() const { return ed->Commands->Undo.CanUndo(); }

    notaline::Editor* ed = nullptr;
    HWND editor = nullptr;
};

// Page dialog controls: the lists, the scale box and the margin boxes (top, bottom, left, right).
constexpr int kBackground = 101, kPaper = 102, kTop = 110, kMarginUpDown = 120;

void SelectCustomTempo(HWND d) {
    SendMessageW(GetDlgItem(d, 101), LB_SETCURSEL, 14, 0);
    Command(d, 101, LBN_SELCHANGE);
}

TEST_F(DialogsTest, TempoCancelSendsNothingZeroIsRefusedAndACustomTempoIsMarked) {
    ed->Data.SelStart = 1;
    bool customOff = false, stayed = false;
    std::wstring typed;
    Answerer answers({
        [&](HWND d) {
            customOff = !IsWindowEnabled(GetDlgItem(d, 102));
            Press(d, IDCANCEL);
        },
        [&](HWND d) {
            SelectCustomTempo(d);
            Type(d, 102, L"0");
            Command(d, IDOK, BN_CLICKED);  // refused: the dialog stays and says why
            stayed = IsWindow(d) && GetFocus() == GetDlgItem(d, 102) &&
                     TextOf(d, win::kReasonRow) == L"自定义速度应为1-999拍/分钟";
            Press(d, IDCANCEL);
        },
        [&](HWND d) {
            SelectCustomTempo(d);
            Type(d, 102, L"7a.2\b2");  // letters and "." dropped, Backspace kept
            Type(d, 102, L"59");       // three digits at most
            typed = TextOf(d, 102);
            SendMessageW(GetDlgItem(d, 102), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"72"));
            Picture(d, L"tempo.png");
            Press(d, IDOK);
        },
    });
    Menu("SpeedWord", 4);
    EXPECT_EQ(L"音速", answers.Captions.at(0));
    EXPECT_TRUE(customOff);
    EXPECT_FALSE(Stepped());
    Menu("SpeedWord", 4);
    EXPECT_TRUE(stayed);
    EXPECT_FALSE(Stepped());
    Menu("SpeedWord", 4);
    EXPECT_EQ(L"725", typed);
    const auto& slots = ed->Data.WordInfo[static_cast<size_t>(ed->Data.SelStart)].ExtralWordInfo;
    EXPECT_TRUE(std::any_of(std::begin(slots), std::end(slots), [](const tessaly::aExtralWordInfo& m) {
        return m.IndexType == 37 && std::string(reinterpret_cast<const char*>(m.ExtralWordVal3)) == "72";
    }));
}

TEST_F(DialogsTest, PageShowsMarginsSendsTheBackgroundAndNothingUnchanged) {
    std::vector<std::wstring> margins;
    Answerer answers({
        [&](HWND d) {
            for (int id = kTop; id <= kTop + 3; ++id) margins.push_back(TextOf(d, id));
            Picture(d, L"page.png");
            Press(d, IDOK);
        },
        [&](HWND d) {
            Choose(d, kBackground, 4);
            Press(d, IDOK);
        },
        [&](HWND d) {  // the texture fills the page
            Choose(d, kBackground, 5);
            Press(d, IDOK);
        },
    });
    Menu("UserSetPage");
    EXPECT_EQ(L"页面参数设置...", answers.Captions.at(0));
    EXPECT_EQ((std::vector<std::wstring>{L"24.5", L"24.5", L"24.5", L"24.5"}), margins);
    EXPECT_FALSE(Stepped());
    Menu("UserSetPage");
    EXPECT_EQ(4, Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting).BackGroundType);
    EXPECT_TRUE(Stepped());
    Menu("UserSetPage");
    Picture(editor, L"texture.png");
    const COLORREF c = GetPixel(win::WindowDc(editor).Get(), 200, 60);  // warm paper, not white
    EXPECT_GT(GetRValue(c), GetBValue(c) + 15) << std::hex << c;
}

void Answer(HWND box, const wchar_t* text) {
    SetWindowTextW(GetDlgItem(box, kInputBoxText), text);
    Press(box, IDOK);
}

TEST_F(DialogsTest, PageCustomPaperAndRefusals) {
    std::wstring item, prompt, refusedReason;
    int paperAfterRefusal = -1;
    std::vector<std::wstring> margins;
    bool stayed = false, selected = false;
    Answerer answers({
        [&](HWND d) {
            Choose(d, kPaper, 1);  // by the arrow keys, A3 on the way to 自定义
            Choose(d, kPaper, 2);  // answered "185": no "*", refused; the paper is the page's A4 again
            refusedReason = TextOf(d, win::kReasonRow);
            paperAfterRefusal = static_cast<int>(SendMessageW(GetDlgItem(d, kPaper), CB_GETCURSEL, 0, 0));
            Choose(d, kPaper, 2);
            wchar_t text[64]{};
            SendMessageW(GetDlgItem(d, kPaper), CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
            item = text;
            Press(d, IDOK);
        },
        [&](HWND box) {
            prompt = TextOf(box, kInputBoxPrompt);
            Answer(box, L"185");
        },
        [&](HWND box) { Answer(box, L"185*260"); },
        // Margins that leave no room: refused with the box selected; the rest of the input is kept.
        [&](HWND d) {
            Choose(d, kBackground, 1);
            SetWindowTextW(GetDlgItem(d, kTop), L"130.5");
            Step(d, kMarginUpDown + 1, +1);  // bottom 24.5 -> 24.6
            Command(d, IDOK, BN_CLICKED);
            stayed = IsWindow(d) && GetFocus() == GetDlgItem(d, kTop);
            DWORD from = 1, to = 0;
            SendMessageW(GetDlgItem(d, kTop), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                         reinterpret_cast<LPARAM>(&to));
            selected = from == 0 && to == 5;
            margins = {TextOf(d, kTop + 1)};
            Press(d, IDCANCEL);
        },
    });
    Menu("UserSetPage");
    EXPECT_EQ(L"\n\r用户可以自定义纸张尺寸，请输入纸张宽度*高度(形如210*297，单位毫米)：", prompt);
    EXPECT_EQ(L"自定义（185*260毫米）", item);
    EXPECT_EQ(L"纸张宽度和高度应为1-1000毫米，形如210*297", refusedReason);
    EXPECT_EQ(0, paperAfterRefusal);
    const auto page = Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting);
    EXPECT_EQ(185, page.PageSize.cx);
    EXPECT_EQ(260, page.PageSize.cy);
    EXPECT_EQ(9, page.PaperType);
    EXPECT_NEAR(185 / 25.4 * 96, notaline::PageSizeAt(ed->Data, 1).Width, 1);  // re-laid at that size

    Menu("UserSetPage");  // 1305 + 246 tenths leave no room on a page 2600 high
    EXPECT_TRUE(stayed && selected);
    EXPECT_EQ(std::vector<std::wstring>{L"24.6"}, margins);
    EXPECT_EQ(245, Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting).PageMarginRect.Top);
    EXPECT_EQ(0, Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting).BackGroundType);
}

// Paragraph dialog controls: the alignment options, the first-line label, the number boxes.
constexpr int kAlignment = 101, kFirstLineLabel = 110, kFirstLine = 120, kLineSpace = 123;

// What the editor would refuse stays in the dialog, its box selected; the rest is applied once
// the input is valid: a scale outside the zoom's range, an indent wider than the page.
TEST_F(DialogsTest, PageScaleAndParagraphIndentThatTheEditorRefusesKeepTheDialogOpen) {
    constexpr int kScale = 105, kLeftIndent = 121;
    std::vector<bool> stayed;
    std::vector<std::wstring> reasons;
    const auto okRefused = [&](HWND d, int box, const wchar_t* refused, const wchar_t* valid) {
        SetWindowTextW(GetDlgItem(d, box), refused);
        Command(d, IDOK, BN_CLICKED);
        stayed.push_back(IsWindow(d) && GetFocus() == GetDlgItem(d, box));
        reasons.push_back(TextOf(d, win::kReasonRow));
        if (reasons.size() == 2) Picture(d, L"paragraph_refused.png");
        SetWindowTextW(GetDlgItem(d, box), valid);
        Press(d, IDOK);
    };
    Answerer answers({
        [&](HWND d) {
            Choose(d, kBackground, 4);
            okRefused(d, kScale, L"5", L"1.5");
        },
        [&](HWND d) { okRefused(d, kLeftIndent, L"300", L"20"); },
    });
    Menu("UserSetPage");
    Menu("UserSetPart");
    EXPECT_EQ((std::vector<bool>{true, true}), stayed);
    EXPECT_EQ((std::vector<std::wstring>{L"缩放比例应在0.55-2.40之间", L"左缩进应小于行宽（161.0毫米）"}), reasons);
    const auto page = Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting);
    EXPECT_EQ(4, page.BackGroundType);
    EXPECT_FLOAT_EQ(1.5f, page.nScale);
    EXPECT_EQ(200, Fetched<tessaly::aPartInfo>(tessaly::EM_GetPartInfo).LeftIndentation);
}

TEST_F(DialogsTest, ParagraphMixedAlignmentsHangingIndentAndHalvesToEven) {
    // Two paragraphs: the first right-aligned, with a hanging indent.
    ed->Data.SelStart = 2;
    ed->Data.SelLength = 0;
    const int32_t count = ed->Data.WordCount();
    PostMessageW(editor, WM_CHAR, 13, 0);
    ASSERT_TRUE(PumpUntil([&] { return ed->Data.WordCount() == count + 1; }));
    ed->Data.SelStart = 0;
    ed->Data.SelLength = 1;
    tessaly::aPartInfo part{tessaly::AlignmentFar, -25, -10001, -10001, -10001, -10001, -10001};
    SendMessageW(editor, tessaly::EM_SetPartInfo, 0, reinterpret_cast<LPARAM>(&part));
    ed->Data.SelLength = ed->Data.WordCount() - 1;
    ASSERT_EQ(-10001, Fetched<tessaly::aPartInfo>(tessaly::EM_GetPartInfo).AlignmentMethod);
    // Each paragraph's own record, for the boxes left empty; none past the last.
    const auto own = [&](WPARAM n) {
        return reinterpret_cast<const tessaly::aPartInfo*>(SendMessageW(editor, tessaly::EM_GetPartInfo, n, 0));
    };
    ASSERT_TRUE(own(1) && own(2) && !own(3));
    EXPECT_EQ((std::pair<int, int>(-25, 0)),
              (std::pair<int, int>(own(1)->FirstLineIndentation, own(2)->FirstLineIndentation)));
    ed->Commands->Undo.ZeroUnDoReDoVal();

    bool mixed = false;
    std::vector<std::wstring> shown;
    Answerer answers({
        [&](HWND d) {
            mixed = IsDlgButtonChecked(d, kAlignment + 6) == BST_CHECKED;
            Press(d, IDOK);
        },
        [&](HWND d) {
            shown = {TextOf(d, kFirstLine), TextOf(d, kFirstLineLabel)};
            Picture(d, L"paragraph.png");
            Command(d, kAlignment + 1, BN_CLICKED);
            SetWindowTextW(GetDlgItem(d, kLineSpace), L"3.25");
            Press(d, IDOK);
        },
        [&](HWND d) {
            Step(d, 130, +1);
            Press(d, IDCANCEL);
        },
    });
    Menu("UserSetPart");
    EXPECT_EQ(L"段落设置", answers.Captions.at(0));
    EXPECT_TRUE(mixed);
    EXPECT_FALSE(Stepped());

    ed->Data.SelLength = 1;
    Menu("UserSetPart");
    EXPECT_EQ((std::vector<std::wstring>{L"-2.5", L"首行悬进："}), shown);
    const auto now = Fetched<tessaly::aPartInfo>(tessaly::EM_GetPartInfo);
    EXPECT_EQ(tessaly::AlignmentCenter, now.AlignmentMethod);
    EXPECT_EQ(32, now.LineSpace);
    EXPECT_EQ(-25, now.FirstLineIndentation);

    Menu("UserSetPart");
    EXPECT_EQ(-25, Fetched<tessaly::aPartInfo>(tessaly::EM_GetPartInfo).FirstLineIndentation);
}

// Spacing dialog controls: the spacing box and its up-down, the stacking options.
constexpr int kSpacing = 101, kSpacingUpDown = 111, kUpward = 122, kStackSpace = 103;

TEST_F(DialogsTest, SpacingOkUnchangedSendsNothingAndAStepSendsTheNewSpacing) {
    ed->Data.SelStart = 0;
    ed->Data.SelLength = 2;
    const float before = Fetched<tessaly::FontExInfo>(tessaly::EM_GetFontExInfo).SelWdSpace;
    std::wstring shown;
    bool stackBoxOn = false;
    Answerer answers({
        [&](HWND d) {
            Picture(d, L"spacing.png");
            Press(d, IDOK);
        },
        [&](HWND d) {
            Step(d, kSpacingUpDown, +1);
            shown = TextOf(d, kSpacing);
            Command(d, kUpward, BN_CLICKED);
            stackBoxOn = IsWindowEnabled(GetDlgItem(d, kStackSpace));
            Press(d, IDOK);
        },
    });
    Menu("munFontExSeting");
    EXPECT_EQ(L"字体拓展", answers.Captions.at(0));
    EXPECT_FALSE(Stepped());

    Menu("munFontExSeting");
    EXPECT_TRUE(stackBoxOn);
    const auto now = Fetched<tessaly::FontExInfo>(tessaly::EM_GetFontExInfo);
    const int32_t dpi = window->FormDpi();
    EXPECT_EQ(FormatTenths(tessaly::CLng(dpi / 254.0 * before * 10) + 1), std::u16string(shown.begin(), shown.end()));
    EXPECT_NEAR(before + 254.0 / dpi / 10, now.SelWdSpace, 0.14);
    EXPECT_GT(now.SelShuPai.Number, 0);
}

}  // namespace
}  // namespace tavolin
