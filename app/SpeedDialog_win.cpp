#include "SpeedDialog_win.h"

#include <array>

namespace tavolin {

namespace {

constexpr int kList = 101;
constexpr int kCustom = 102;
constexpr int kLabel = 103;

// The custom box lies over the blanks of its label.
const std::array<win::DialogControl, 6> kControls = {{
    {L"LISTBOX", kList, L"", nullptr, {12, 10, 236, 214}, WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY},
    {L"EDIT", kCustom, L"", nullptr, {62, 233, 44, 22}, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {L"STATIC", kLabel, L"自定义=        拍/分钟", nullptr, {12, 236, 160, 20}, WS_CLIPSIBLINGS},
    {L"BUTTON", IDOK, L"确定", nullptr, {62, 270, 80, 28}, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {L"BUTTON", IDCANCEL, L"取消", nullptr, {152, 270, 80, 28}, WS_TABSTOP | BS_PUSHBUTTON},
    {L"STATIC", win::kReasonRow, L"", nullptr, {12, 306, 236, 20}, 0},
}};

class SpeedDialog final : public win::TableDialog {
public:
    explicit SpeedDialog(SpeedForm& form) : win::TableDialog(L"音速", kControls, {260, 332}), form_(form) {
        CrispFont = true;
    }

private:
    void OnInit() override {
        form_.Open();
        std::array<const char16_t*, 15> items{};
        for (size_t i = 0; i < SpeedForm::kTempos.size(); ++i) items[i] = SpeedForm::kTempos[i].Text;
        items[SpeedForm::kCustomIndex] = SpeedForm::kCustomText;
        FillList(kList, items, form_.Selected, true);
        FilterKeys(kCustom, &SpeedForm::KeepKey);
        SendMessageW(Item(kCustom), EM_SETLIMITTEXT, SpeedForm::kCustomDigits, 0);
        Follow();
    }
    void Follow() {
        Enable(kCustom, form_.CustomEnabled());
        Enable(kLabel, form_.CustomEnabled());
    }
    void OnCommand(int id, int code) override {
        if (id == kList && code == LBN_SELCHANGE) {
            form_.Selected = static_cast<int>(SendMessageW(Item(kList), LB_GETCURSEL, 0, 0));
            Follow();
        } else if (id == kCustom && code == EN_CHANGE) {
            form_.Custom = Text(kCustom);
        } else if (id == IDOK && code == BN_CLICKED) {
            if (form_.Confirm())
                End(IDOK);
            else
                Refuse(kCustom, SpeedForm::kCustomReason);
        } else if (id == IDCANCEL) {
            End(IDCANCEL);
        }
    }

    SpeedForm& form_;
};

}  // namespace

bool ShowPlaySpeed(HWND owner, SpeedForm& form, const win::DialogHooks& hooks) {
    SpeedDialog dialog(form);
    dialog.Hooks = hooks;
    return dialog.Run(owner) == IDOK;
}

}  // namespace tavolin
