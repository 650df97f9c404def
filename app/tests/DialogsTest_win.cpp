// The settings dialogs over a hosted editor: opened, filled by messages, answered, and what the
// editor then holds.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FontExDialog_win.h"
#include "HostedControlTest_win.h"
#include "PageDialog_win.h"
#include "PageForm.h"
#include "PartDialog_win.h"
#include "ScreenTestSupport_win.h"
#include "SpeedDialog_win.h"
#include "paint/PageLayers.h"
#include "FormNumbers.h"
#include "records/Numbers.h"
#include "records/Records.h"

namespace tavolin {
namespace {

// Answers the next dialog that comes up once it is shown and painted: a timer comes after the
// paint messages.
class Answerer {
public:
    explicit Answerer(std::function<void(HWND)> answer) : answer_(std::move(answer)) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~Answerer() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    std::wstring Caption;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l) {
        if (code == HCBT_ACTIVATE && current_ && !current_->dialog_) {
            current_->dialog_ = reinterpret_cast<HWND>(w);
            SetTimer(nullptr, 0, 1, Answer);
        }
        return CallNextHookEx(nullptr, code, w, l);
    }
    static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (!current_) return;
        wchar_t text[64]{};
        GetWindowTextW(current_->dialog_, text, 64);
        current_->Caption = text;
        current_->answer_(current_->dialog_);
    }
    static inline Answerer* current_ = nullptr;
    std::function<void(HWND)> answer_;
    HWND dialog_ = nullptr;
    HHOOK hook_ = nullptr;
};

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
// The window as its own surface holds it, frame and children too: the screen may lag behind.
void Picture(HWND window, const wchar_t* name) {
    CreateDirectoryW(L"app_pictures", nullptr);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetWindowRect(window, &r);
    HDC source = GetWindowDC(window);
    HDC dc = CreateCompatibleDC(source);
    HBITMAP bmp = CreateCompatibleBitmap(source, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, source, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    Gdiplus::GpBitmap* image = nullptr;
    Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bmp, nullptr, &image);
    notaline::SaveImageToPNG(image, std::wstring(L"app_pictures\\") + name);
    Gdiplus::DllExports::GdipDisposeImage(image);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(window, source);
}

struct DialogsTest : notaline::test::HostedControlTest {
    void SetUp() override {
        HostedControlTest::SetUp();
        control = &Host();
        ed = control->Running();
        editor = control->Window();
        hooks.Beep = [this] { ++beeps; };
    }
    template <class T>
    T Fetched(int message) {
        return *reinterpret_cast<const T*>(SendMessageW(editor, message, 0, 0));
    }
    bool Stepped() const { return ed->Commands->Undo.CanUndo(); }

    notaline::ZEVudu* control = nullptr;
    notaline::Editor* ed = nullptr;
    HWND editor = nullptr;
    DialogHooks hooks;
    int beeps = 0;
};

// Page dialog controls: the lists, the scale box and the margin boxes (top, bottom, left, right).
constexpr int kBackground = 101, kPaper = 102, kTop = 110, kMarginUpDown = 120;

TEST_F(DialogsTest, TempoCustomTypedCancelSendsNothingAndZeroIsRefused) {
    SpeedForm form;
    bool customOff = false;
    Answerer first([&](HWND d) {
        customOff = !IsWindowEnabled(GetDlgItem(d, 102));
        Press(d, IDCANCEL);
    });
    EXPECT_FALSE(ShowPlaySpeed(parent, form, hooks));
    EXPECT_EQ(L"音速", first.Caption);
    EXPECT_TRUE(customOff);
    EXPECT_EQ(0, form.PlaySpeedIndexType);

    Answerer zero([&](HWND d) {
        SendMessageW(GetDlgItem(d, 101), LB_SETCURSEL, 14, 0);
        Command(d, 101, LBN_SELCHANGE);
        Type(d, 102, L"0");
        Command(d, IDOK, BN_CLICKED);  // refused: the dialog stays
        Press(d, IDCANCEL);
    });
    EXPECT_FALSE(ShowPlaySpeed(parent, form, hooks));
    EXPECT_EQ(1, beeps);

    std::wstring typed;
    Answerer custom([&](HWND d) {
        SendMessageW(GetDlgItem(d, 101), LB_SETCURSEL, 14, 0);
        Command(d, 101, LBN_SELCHANGE);
        Type(d, 102, L"7a.2\b2");  // letters and "." dropped, Backspace kept
        Type(d, 102, L"59");       // three digits at most
        typed = TextOf(d, 102);
        Picture(d, L"tempo.png");
        Press(d, IDOK);
    });
    ASSERT_TRUE(ShowPlaySpeed(parent, form, hooks));
    EXPECT_EQ(L"725", typed);
    EXPECT_EQ(725, form.IntPlaySpeed);
    EXPECT_EQ(37, form.PlaySpeedIndexType);
}

TEST_F(DialogsTest, PageShowsMarginsSendsTheBackgroundAndNothingUnchanged) {
    std::vector<std::wstring> margins;
    Answerer unchanged([&](HWND d) {
        for (int id = kTop; id <= kTop + 3; ++id) margins.push_back(TextOf(d, id));
        Picture(d, L"page.png");
        Press(d, IDOK);
    });
    EXPECT_FALSE(ShowPageSeting(parent, editor, hooks));
    EXPECT_EQ(L"页面参数设置...", unchanged.Caption);
    EXPECT_EQ((std::vector<std::wstring>{L"24.5", L"24.5", L"24.5", L"24.5"}), margins);
    EXPECT_FALSE(Stepped());

    Answerer yellow([&](HWND d) {
        Choose(d, kBackground, 4);
        Press(d, IDOK);
    });
    EXPECT_TRUE(ShowPageSeting(parent, editor, hooks));
    EXPECT_EQ(4, Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting).BackGroundType);
    EXPECT_TRUE(Stepped());

    // The texture fills the page: warm paper, not the white of the window behind.
    Answerer texture([&](HWND d) {
        Choose(d, kBackground, 5);
        Press(d, IDOK);
    });
    EXPECT_TRUE(ShowPageSeting(parent, editor, hooks));
    Picture(parent, L"texture.png");
    HDC page = GetDC(editor);
    const COLORREF c = GetPixel(page, 200, 60);
    ReleaseDC(editor, page);
    EXPECT_GT(GetRValue(c), GetBValue(c) + 15) << std::hex << c;
}

TEST_F(DialogsTest, PageCustomPaperAndRefusals) {
    std::vector<std::u16string> answers = {u"185", u"185*260"};
    hooks.Ask = [&](HWND, std::u16string_view prompt) -> std::optional<std::u16string> {
        EXPECT_EQ(PageForm::kCustomPrompt, prompt);
        const std::u16string next = answers.front();
        answers.erase(answers.begin());
        return next;
    };
    std::wstring item;
    std::vector<std::wstring> margins;
    Answerer custom([&](HWND d) {
        Choose(d, kPaper, 2);  // no "*": refused
        Choose(d, kPaper, 2);
        wchar_t text[64]{};
        SendMessageW(GetDlgItem(d, kPaper), CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
        item = text;
        Press(d, IDOK);
    });
    EXPECT_TRUE(ShowPageSeting(parent, editor, hooks));
    EXPECT_EQ(1, beeps);
    EXPECT_EQ(L"自定义（185*260毫米）", item);
    const auto page = Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting);
    EXPECT_EQ(185, page.PageSize.cx);
    EXPECT_EQ(260, page.PageSize.cy);
    EXPECT_EQ(9, page.PaperType);
    EXPECT_NEAR(185 / 25.4 * 96, notaline::PageSizeAt(ed->Data, 1).Width, 1);  // re-laid at that size

    // Margins that leave no room: refused with the box selected; the rest of the input is kept.
    bool open = false, selected = false;
    Answerer noRoom([&](HWND d) {
        Choose(d, kBackground, 1);
        SetWindowTextW(GetDlgItem(d, kTop), L"148.5");
        Step(d, kMarginUpDown + 1, +1);  // bottom 24.5 -> 24.6
        Command(d, IDOK, BN_CLICKED);
        open = IsWindow(d) && GetFocus() == GetDlgItem(d, kTop);
        DWORD from = 1, to = 0;
        SendMessageW(GetDlgItem(d, kTop), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        selected = from == 0 && to == 5;
        margins = {TextOf(d, kTop + 1)};
        SendMessageW(GetDlgItem(d, kBackground), CB_GETCURSEL, 0, 0) == 1 ? Press(d, IDCANCEL) : Press(d, IDOK);
    });
    EXPECT_FALSE(ShowPageSeting(parent, editor, hooks));
    EXPECT_EQ(2, beeps);
    EXPECT_TRUE(open && selected);
    EXPECT_EQ(std::vector<std::wstring>{L"24.6"}, margins);
    EXPECT_EQ(245, Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting).PageMarginRect.Top);
    EXPECT_EQ(0, Fetched<tessaly::AboutPageInfo>(tessaly::EM_GetPageSeting).BackGroundType);
}

// Paragraph dialog controls: the alignment options, the first-line label, the number boxes.
constexpr int kAlignment = 101, kFirstLineLabel = 110, kFirstLine = 120, kLineSpace = 123;

TEST_F(DialogsTest, ParagraphMixedAlignmentsHangingIndentAndHalvesToEven) {
    // Two paragraphs: the first right-aligned, with a hanging indent.
    ed->Data.SelStart = 2;
    ed->Data.SelLength = 0;
    const int32_t count = ed->Data.WordCount();
    PostMessageW(editor, WM_CHAR, 13, 0);
    ASSERT_TRUE(notaline::test::PumpUntil([&] { return ed->Data.WordCount() == count + 1; }));
    ed->Data.SelStart = 0;
    ed->Data.SelLength = 1;
    tessaly::aPartInfo part{tessaly::AlignmentFar, -25, -10001, -10001, -10001, -10001, -10001};
    SendMessageW(editor, tessaly::EM_SetPartInfo, 0, reinterpret_cast<LPARAM>(&part));
    ed->Data.SelLength = ed->Data.WordCount() - 1;
    ASSERT_EQ(-10001, Fetched<tessaly::aPartInfo>(tessaly::EM_GetPartInfo).AlignmentMethod);
    ed->Commands->Undo.ZeroUnDoReDoVal();

    bool mixed = false;
    Answerer untouched([&](HWND d) {
        mixed = IsDlgButtonChecked(d, kAlignment + 6) == BST_CHECKED;
        Press(d, IDOK);
    });
    EXPECT_EQ(-10001, ShowPartSeting(parent, editor, hooks));
    EXPECT_EQ(L"段落设置", untouched.Caption);
    EXPECT_TRUE(mixed);
    EXPECT_FALSE(Stepped());

    ed->Data.SelLength = 1;
    std::vector<std::wstring> shown;
    Answerer centred([&](HWND d) {
        shown = {TextOf(d, kFirstLine), TextOf(d, kFirstLineLabel)};
        Picture(d, L"paragraph.png");
        Command(d, kAlignment + 1, BN_CLICKED);
        SetWindowTextW(GetDlgItem(d, kLineSpace), L"3.25");
        Press(d, IDOK);
    });
    EXPECT_EQ(1, ShowPartSeting(parent, editor, hooks));
    EXPECT_EQ((std::vector<std::wstring>{L"-2.5", L"首行悬进："}), shown);
    const auto now = Fetched<tessaly::aPartInfo>(tessaly::EM_GetPartInfo);
    EXPECT_EQ(tessaly::AlignmentCenter, now.AlignmentMethod);
    EXPECT_EQ(32, now.LineSpace);
    EXPECT_EQ(-25, now.FirstLineIndentation);

    Answerer cancelled([&](HWND d) {
        Step(d, 130, +1);
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(std::nullopt, ShowPartSeting(parent, editor, hooks));
    EXPECT_EQ(-25, Fetched<tessaly::aPartInfo>(tessaly::EM_GetPartInfo).FirstLineIndentation);
}

// Spacing dialog controls: the spacing box and its up-down, the stacking options.
constexpr int kSpacing = 101, kSpacingUpDown = 111, kUpward = 122, kStackSpace = 103;

TEST_F(DialogsTest, SpacingOkUnchangedSendsNothingAndAStepSendsTheNewSpacing) {
    ed->Data.SelStart = 0;
    ed->Data.SelLength = 2;
    const float before = Fetched<tessaly::FontExInfo>(tessaly::EM_GetFontExInfo).SelWdSpace;
    Answerer untouched([&](HWND d) {
        Picture(d, L"spacing.png");
        Press(d, IDOK);
    });
    EXPECT_FALSE(ShowFontExSeting(parent, editor, true, 96, hooks));
    EXPECT_EQ(L"字体拓展", untouched.Caption);
    EXPECT_FALSE(Stepped());

    std::wstring shown;
    bool stackBoxOn = false;
    Answerer stepped([&](HWND d) {
        Step(d, kSpacingUpDown, +1);
        shown = TextOf(d, kSpacing);
        Command(d, kUpward, BN_CLICKED);
        stackBoxOn = IsWindowEnabled(GetDlgItem(d, kStackSpace));
        Press(d, IDOK);
    });
    EXPECT_TRUE(ShowFontExSeting(parent, editor, true, 96, hooks));
    EXPECT_TRUE(stackBoxOn);
    const auto now = Fetched<tessaly::FontExInfo>(tessaly::EM_GetFontExInfo);
    EXPECT_EQ(FormatTenths(tessaly::CLng(96 / 254.0 * before * 10) + 1), std::u16string(shown.begin(), shown.end()));
    EXPECT_NEAR(before + 254 / 960.0, now.SelWdSpace, 0.14);
    EXPECT_GT(now.SelShuPai.Number, 0);

    bool upwardOff = false;
    Answerer flat([&](HWND d) {
        upwardOff = !IsWindowEnabled(GetDlgItem(d, kUpward)) && !IsWindowEnabled(GetDlgItem(d, kStackSpace));
        Press(d, IDCANCEL);
    });
    EXPECT_FALSE(ShowFontExSeting(parent, editor, false, 96, hooks));
    EXPECT_TRUE(upwardOff);
}

}  // namespace
}  // namespace tavolin
