#include "PageDialog_win.h"

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "PageForm.h"
#include "WinProc.h"
#include "records/Messages.h"

namespace tavolin {

namespace {

constexpr int kBackground = 101;
constexpr int kPaper = 102;
constexpr int kPortrait = 103;
constexpr int kLandscape = 104;
constexpr int kScale = 105;
constexpr int kNumberPosition = 106;
constexpr int kNumberSize = 107;
constexpr int kMarginBox = 110;     // + PageForm::Margin
constexpr int kMarginUpDown = 120;  // + PageForm::Margin

constexpr DWORD kCombo = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kBox = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT;
constexpr DWORD kUpDown = UDS_ALIGNRIGHT | UDS_ARROWKEYS;

const std::array<win::DialogControl, 30> kControls = {{
    {L"BUTTON", 0, L"纸张", nullptr, {10, 6, 440, 104}, BS_GROUPBOX},
    {L"STATIC", 0, L"背景：", nullptr, {22, 30, 44, 20}, 0},
    {L"COMBOBOX", kBackground, L"", nullptr, {66, 26, 140, 200}, kCombo},
    {L"STATIC", 0, L"大小：", nullptr, {222, 30, 44, 20}, 0},
    {L"COMBOBOX", kPaper, L"", nullptr, {266, 26, 174, 200}, kCombo},
    {L"BUTTON", kPortrait, L"纵向", nullptr, {66, 66, 60, 22}, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
    {L"BUTTON", kLandscape, L"横向", nullptr, {130, 66, 60, 22}, BS_AUTORADIOBUTTON},
    {L"STATIC", 0, L"缩放比例：", nullptr, {222, 69, 66, 20}, 0},
    {L"EDIT", kScale, L"", nullptr, {288, 66, 48, 22}, kBox | WS_GROUP},
    {L"STATIC", 0, L"（取值0.55-2.40）", nullptr, {338, 69, 108, 20}, 0},
    {L"BUTTON", 0, L"页码", nullptr, {10, 116, 440, 60}, BS_GROUPBOX},
    {L"STATIC", 0, L"位置：", nullptr, {22, 142, 44, 20}, 0},
    {L"COMBOBOX", kNumberPosition, L"", nullptr, {66, 138, 140, 200}, kCombo},
    {L"STATIC", 0, L"大小：", nullptr, {222, 142, 44, 20}, 0},
    {L"COMBOBOX", kNumberSize, L"", nullptr, {266, 138, 100, 200}, kCombo},
    {L"STATIC", 0, L"上：", nullptr, {22, 192, 30, 20}, 0},
    {L"EDIT", kMarginBox + PageForm::Top, L"", nullptr, {52, 188, 70, 22}, kBox},
    {L"msctls_updown32", kMarginUpDown + PageForm::Top, L"", nullptr, {0, 0, 0, 0}, kUpDown},
    {L"STATIC", 0, L"下：", nullptr, {160, 192, 30, 20}, 0},
    {L"EDIT", kMarginBox + PageForm::Bottom, L"", nullptr, {190, 188, 70, 22}, kBox},
    {L"msctls_updown32", kMarginUpDown + PageForm::Bottom, L"", nullptr, {0, 0, 0, 0}, kUpDown},
    {L"STATIC", 0, L"左：", nullptr, {22, 224, 30, 20}, 0},
    {L"EDIT", kMarginBox + PageForm::Left, L"", nullptr, {52, 220, 70, 22}, kBox},
    {L"msctls_updown32", kMarginUpDown + PageForm::Left, L"", nullptr, {0, 0, 0, 0}, kUpDown},
    {L"STATIC", 0, L"右：", nullptr, {160, 224, 30, 20}, 0},
    {L"EDIT", kMarginBox + PageForm::Right, L"", nullptr, {190, 220, 70, 22}, kBox},
    {L"msctls_updown32", kMarginUpDown + PageForm::Right, L"", nullptr, {0, 0, 0, 0}, kUpDown},
    {L"BUTTON", IDOK, L"确定", nullptr, {280, 214, 80, 28}, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON},
    {L"BUTTON", IDCANCEL, L"取消", nullptr, {370, 214, 80, 28}, WS_TABSTOP | BS_PUSHBUTTON},
    {L"STATIC", win::kReasonRow, L"", nullptr, {10, 254, 440, 20}, 0},
}};

class PageDialog final : public win::TableDialog {
public:
    PageDialog(HWND editor, const tessaly::AboutPageInfo& page)
        : win::TableDialog(L"页面参数设置...", kControls, {460, 280}),
          editor_(editor),
          form_(PageForm::Load(page)),
          pagePaper_(form_.PaperIndex) {
        CrispFont = true;
    }

    bool Sent = false;

private:
    void OnInit() override {
        form_.Loaded = false;
        FillList(kBackground, PageForm::kBackgrounds, form_.Background);
        std::array<std::u16string, 3> papers;
        std::array<const char16_t*, 3> items{};
        for (int i = 0; i < 3; ++i) {
            papers[static_cast<size_t>(i)] = PageForm::PaperText(i, form_.Page.PageSize);
            items[static_cast<size_t>(i)] = papers[static_cast<size_t>(i)].c_str();
        }
        FillList(kPaper, items, form_.PaperIndex);
        for (int m = PageForm::Top; m <= PageForm::Right; ++m) {
            AttachUpDown(kMarginUpDown + m, kMarginBox + m);
            SetText(kMarginBox + m, form_.Margins[static_cast<size_t>(m)]);
            FilterKeys(kMarginBox + m, &NumKeyFilter);
        }
        FillList(kNumberPosition, PageForm::kNumberPositions, form_.NumberPosition);
        FillList(kNumberSize, PageForm::kNumberSizes, form_.NumberSize);
        SetText(kScale, form_.Scale);
        if (form_.Orientation <= 1) Check(form_.Orientation == 0 ? kPortrait : kLandscape, true);
        form_.Loaded = true;
        form_.Changed = false;
    }

    int Selected(int id) const { return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }

    // A refused answer shows the page's own paper again, not the one the arrow keys passed on the
    // way (A4, A3, 自定义 selects A3 first), so that OK stores no paper nobody chose.
    void AskCustomSize() {
        if (!Hooks.Ask) return;
        const auto answer = Hooks.Ask(dialog_, PageForm::kCustomPrompt);
        if (!answer) return;
        const PageForm::Answer taken = form_.TakeCustomSize(*answer);
        if (taken == PageForm::Answer::Refused) {
            Beep();
            SayReason(PageForm::kSideReason);
            SendMessageW(Item(kPaper), CB_SETCURSEL, static_cast<WPARAM>(pagePaper_), 0);
            form_.PaperIndex = pagePaper_;
            SetFocus(Item(kPaper));
        }
        if (taken != PageForm::Answer::Taken) return;
        SayReason(u"");
        // The first item that starts "自定义" shows the new size.
        HWND list = Item(kPaper);
        const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t head[64]{};
            if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) >= 64) continue;
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(head));
            if (std::wstring_view(head).substr(0, 3) != L"自定义") continue;
            const std::u16string text = PageForm::PaperText(PageForm::kCustomPaperIndex, form_.Page.PageSize);
            SendMessageW(list, CB_DELETESTRING, i, 0);
            SendMessageW(list, CB_INSERTSTRING, i,
                         reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(text.c_str())));
            SendMessageW(list, CB_SETCURSEL, i, 0);
            break;
        }
    }

    void OnCommand(int id, int code) override {
        if (id >= kMarginBox && id <= kMarginBox + PageForm::Right) {
            if (code == EN_CHANGE && !Filling())
                form_.EditMargin(static_cast<PageForm::Margin>(id - kMarginBox), Text(id));
        } else if (id == kPaper && code == CBN_SELCHANGE) {
            form_.PaperIndex = Selected(kPaper);
            if (form_.Loaded && form_.PaperIndex == PageForm::kCustomPaperIndex) AskCustomSize();
        } else if ((id == kPortrait || id == kLandscape) && code == BN_CLICKED) {
            form_.ChooseOrientation(id == kPortrait ? 0 : 1);
        } else if (id == IDOK && code == BN_CLICKED) {
            Confirm();
        } else if (id == IDCANCEL) {
            End(IDCANCEL);
        }
    }

    void OnUpDown(int id, int direction) override {
        const auto m = static_cast<PageForm::Margin>(id - kMarginUpDown);
        if (m < PageForm::Top || m > PageForm::Right) return;
        form_.StepMargin(m, form_.MarginSteps[m] + direction);
        SetText(kMarginBox + m, form_.Margins[m]);
    }

    void Confirm() {
        form_.Background = Selected(kBackground);
        form_.PaperIndex = Selected(kPaper);
        form_.NumberPosition = Selected(kNumberPosition);
        form_.NumberSize = Selected(kNumberSize);
        form_.Scale = Text(kScale);
        const PageForm::Result result = form_.Confirm();
        switch (result.Refused) {
            case PageForm::Box::None: break;
            case PageForm::Box::Paper:
                Beep();
                SayReason(result.Reason);
                SetFocus(Item(kPaper));
                return;
            case PageForm::Box::Scale: Refuse(kScale, result.Reason); return;
            case PageForm::Box::TopMargin: Refuse(kMarginBox + PageForm::Top, result.Reason); return;
            case PageForm::Box::BottomMargin: Refuse(kMarginBox + PageForm::Bottom, result.Reason); return;
            case PageForm::Box::LeftMargin: Refuse(kMarginBox + PageForm::Left, result.Reason); return;
            case PageForm::Box::RightMargin: Refuse(kMarginBox + PageForm::Right, result.Reason); return;
        }
        if (result.Send) {
            SendMessageW(editor_, tessaly::EM_SetPageSeting, 0, reinterpret_cast<LPARAM>(&form_.Page));
            Sent = true;
        }
        End(IDOK);
    }

    HWND editor_;
    PageForm form_;
    const int pagePaper_;  // the paper the page had at opening
};

}  // namespace

bool ShowPageSeting(HWND owner, HWND editor, const win::DialogHooks& hooks) {
    tessaly::AboutPageInfo page;
    if (!win::FetchRecord(editor, tessaly::EM_GetPageSeting, page)) return false;
    PageDialog dialog(editor, page);
    dialog.Hooks = hooks;
    dialog.Run(owner);
    return dialog.Sent;
}

}  // namespace tavolin
