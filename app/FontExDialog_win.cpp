#include "FontExDialog_win.h"

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "FontExForm.h"
#include "WinProc.h"
#include "records/Messages.h"

namespace tavolin {

namespace {

constexpr int kBox = 101;     // + FontExForm::Box
constexpr int kUpDown = 111;  // + FontExForm::Box
constexpr int kOption = 121;  // + FontExForm::Stacking

constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT;
constexpr DWORD kArrows = UDS_ALIGNRIGHT | UDS_ARROWKEYS;

const std::array<win::DialogControl, 18> kControls = {{
    {L"BUTTON", 0, L"选中字符位置调整/毫米", nullptr, {10, 6, 400, 118}, BS_GROUPBOX},
    {L"STATIC", 0, L"字符间距：", nullptr, {22, 32, 70, 20}, 0},
    {L"EDIT", kBox + FontExForm::Spacing, L"", nullptr, {92, 28, 80, 22}, kEdit},
    {L"msctls_updown32", kUpDown + FontExForm::Spacing, L"", nullptr, {0, 0, 0, 0}, kArrows},
    {L"STATIC", 0, L"或用Ctrl+左右箭头调整", nullptr, {92, 54, 200, 18}, 0},
    {L"STATIC", 0, L"字符升降：", nullptr, {22, 80, 70, 20}, 0},
    {L"EDIT", kBox + FontExForm::Raise, L"", nullptr, {92, 76, 80, 22}, kEdit},
    {L"msctls_updown32", kUpDown + FontExForm::Raise, L"", nullptr, {0, 0, 0, 0}, kArrows},
    {L"STATIC", 0, L"或用Ctrl+上下箭头调整", nullptr, {92, 102, 200, 18}, 0},
    {L"BUTTON", 0, L"纵向排列字符/毫米", nullptr, {10, 130, 400, 86}, BS_GROUPBOX},
    {L"BUTTON",
     kOption + FontExForm::NotStacked,
     L"不纵向排列",
     nullptr,
     {22, 154, 110, 22},
     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {L"BUTTON", kOption + FontExForm::Upward, L"向上排列", nullptr, {140, 154, 110, 22}, BS_AUTORADIOBUTTON},
    {L"BUTTON", kOption + FontExForm::Downward, L"向下排列", nullptr, {258, 154, 110, 22}, BS_AUTORADIOBUTTON},
    {L"STATIC", 0, L"纵向间距：", nullptr, {22, 188, 70, 20}, 0},
    {L"EDIT", kBox + FontExForm::StackSpace, L"", nullptr, {92, 184, 80, 22}, kEdit | WS_GROUP},
    {L"msctls_updown32", kUpDown + FontExForm::StackSpace, L"", nullptr, {0, 0, 0, 0}, kArrows},
    {L"BUTTON", IDOK, L"确定", nullptr, {240, 226, 80, 28}, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON},
    {L"BUTTON", IDCANCEL, L"取消", nullptr, {330, 226, 80, 28}, WS_TABSTOP | BS_PUSHBUTTON},
}};

// The stack spacing changes only through its up-down.
int16_t NoKeys(int16_t, std::wstring_view) {
    return 0;
}

class FontExDialog final : public win::TableDialog {
public:
    FontExDialog(HWND editor, const FontExForm& form)
        : win::TableDialog(L"字体拓展", kControls, {420, 264}), editor_(editor), form_(form) {}

    bool Sent = false;

private:
    void OnInit() override {
        for (int b = FontExForm::Spacing; b <= FontExForm::StackSpace; ++b) {
            AttachUpDown(kUpDown + b, kBox + b);
            SetText(kBox + b, form_.Texts[static_cast<size_t>(b)]);
            FilterKeys(kBox + b, b == FontExForm::StackSpace ? &NoKeys : &NumKeyFilter);
        }
        Check(kOption + form_.Option, true);
        Enable(kOption + FontExForm::Upward, form_.CanStack);
        Enable(kOption + FontExForm::Downward, form_.CanStack);
        Follow();
        form_.Changed = false;  // what the load showed is no change
    }
    void Follow() {
        Enable(kBox + FontExForm::StackSpace, form_.StackSpaceEnabled());
        Enable(kUpDown + FontExForm::StackSpace, form_.StackSpaceEnabled());
    }

    void OnCommand(int id, int code) override {
        if (id >= kBox && id <= kBox + FontExForm::Raise) {
            if (code == EN_CHANGE && !Filling()) form_.Edit(static_cast<FontExForm::Box>(id - kBox), Text(id));
        } else if (id >= kOption && id <= kOption + FontExForm::Downward && code == BN_CLICKED) {
            form_.ChooseStacking(id - kOption);
            Follow();
        } else if (id == IDOK && code == BN_CLICKED) {
            if (form_.Confirm()) {
                SendMessageW(editor_, tessaly::EM_SetFontExInfo, 0, reinterpret_cast<LPARAM>(&form_.Info));
                Sent = true;
            }
            End(IDOK);
        } else if (id == IDCANCEL) {
            End(IDCANCEL);
        }
    }

    void OnUpDown(int id, int direction) override {
        const auto b = static_cast<FontExForm::Box>(id - kUpDown);
        if (b < FontExForm::Spacing || b > FontExForm::StackSpace) return;
        form_.Step(b, direction);
        SetText(kBox + b, form_.Texts[b]);
    }

    HWND editor_;
    FontExForm form_;
};

}  // namespace

bool ShowFontExSeting(HWND owner, HWND editor, bool canStack, double dpi, const win::DialogHooks& hooks) {
    tessaly::FontExInfo info;
    if (!win::FetchRecord(editor, tessaly::EM_GetFontExInfo, info, 14))
        return false;  // every field; the rest is padding
    FontExDialog dialog(editor, FontExForm::Load(info, dpi, canStack));
    dialog.Hooks = hooks;
    dialog.Run(owner);
    return dialog.Sent;
}

}  // namespace tavolin
