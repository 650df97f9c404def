#include "PartDialog_win.h"

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "PartForm.h"
#include "WinProc.h"
#include "records/Messages.h"

namespace tavolin {

namespace {

constexpr int kAlignment = 101;  // + option 0..6
constexpr int kFirstLineLabel = 110;
constexpr int kBox = 120;     // + PartForm::Field
constexpr int kUpDown = 130;  // + PartForm::Field

constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT;
constexpr DWORD kArrows = UDS_ALIGNRIGHT | UDS_ARROWKEYS;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;

#define JP_NUMBER_FIELD(field, x, y, tip)                                                  \
    {L"EDIT", kBox + PartForm::field, L"", tip, {x, y, 70, 22}, kEdit}, {                  \
        L"msctls_updown32", kUpDown + PartForm::field, L"", nullptr, {0, 0, 0, 0}, kArrows \
    }

const std::array<win::DialogControl, 31> kControls = {{
    {L"BUTTON", 0, L"对齐方式", nullptr, {10, 6, 430, 84}, BS_GROUPBOX},
    {L"BUTTON", kAlignment + 0, L"左对齐", nullptr, {22, 28, 100, 22}, kRadio | WS_GROUP | WS_TABSTOP},
    {L"BUTTON", kAlignment + 1, L"居中对齐", nullptr, {126, 28, 100, 22}, kRadio},
    {L"BUTTON", kAlignment + 2, L"分散对齐", nullptr, {230, 28, 100, 22}, kRadio},
    {L"BUTTON", kAlignment + 3, L"右对齐", nullptr, {334, 28, 100, 22}, kRadio},
    {L"BUTTON", kAlignment + 4, L"词谱对齐", nullptr, {22, 58, 100, 22}, kRadio},
    {L"BUTTON", kAlignment + 5, L"小节对齐", nullptr, {126, 58, 100, 22}, kRadio},
    {L"BUTTON", kAlignment + 6, L"不统一设置", nullptr, {230, 58, 100, 22}, kRadio},
    {L"BUTTON", 0, L"缩进/毫米", nullptr, {10, 96, 210, 116}, BS_GROUPBOX},
    {L"STATIC", kFirstLineLabel, L"首行缩进:", nullptr, {22, 122, 80, 20}, 0},
    {L"STATIC", 0, L"左缩进:", nullptr, {22, 152, 80, 20}, 0},
    {L"STATIC", 0, L"右缩进:", nullptr, {22, 182, 80, 20}, 0},
    {L"BUTTON", 0, L"间距/毫米", nullptr, {230, 96, 210, 116}, BS_GROUPBOX},
    {L"STATIC", 0, L"行间距:", nullptr, {242, 122, 80, 20}, 0},
    {L"STATIC", 0, L"段前间距:", nullptr, {242, 152, 80, 20}, 0},
    {L"STATIC", 0, L"段后间距:", nullptr, {242, 182, 80, 20}, 0},
    JP_NUMBER_FIELD(FirstLine, 110, 118, nullptr),
    JP_NUMBER_FIELD(LeftIndent, 110, 148, nullptr),
    JP_NUMBER_FIELD(RightIndent, 110, 178, nullptr),
    JP_NUMBER_FIELD(LineSpace, 330, 118, nullptr),
    JP_NUMBER_FIELD(Before, 330, 148, L"使用Ctrl+上下箭头，快速调节。"),
    JP_NUMBER_FIELD(After, 330, 178, nullptr),
    {L"BUTTON", IDOK, L"确定", nullptr, {270, 222, 80, 28}, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON},
    {L"BUTTON", IDCANCEL, L"取消", nullptr, {360, 222, 80, 28}, WS_TABSTOP | BS_PUSHBUTTON},
    {L"STATIC", win::kReasonRow, L"", nullptr, {10, 258, 430, 20}, 0},
}};

#undef JP_NUMBER_FIELD

class PartDialog final : public win::TableDialog {
public:
    PartDialog(HWND editor, const tessaly::aPartInfo& part)
        : win::TableDialog(L"段落设置", kControls, {450, 284}), editor_(editor), form_(PartForm::Load(part)) {
        CrispFont = true;
        // Each paragraph's own values count for the boxes the paragraphs leave empty.
        for (WPARAM n = 1;; ++n) {
            const auto* own =
                reinterpret_cast<const tessaly::aPartInfo*>(SendMessageW(editor, tessaly::EM_GetPartInfo, n, 0));
            if (!own) break;
            form_.Own.push_back(*own);
        }
    }

    std::optional<int32_t> Chosen;

private:
    void OnInit() override {
        Check(kAlignment + form_.Alignment, true);
        for (int f = PartForm::FirstLine; f <= PartForm::After; ++f) {
            AttachUpDown(kUpDown + f, kBox + f);
            SetText(kBox + f, form_.Texts[static_cast<size_t>(f)]);
            FilterKeys(kBox + f, &NumKeyFilter);
        }
        SetText(kFirstLineLabel, form_.FirstLineLabel);
        form_.Changed = false;
    }

    void OnCommand(int id, int code) override {
        if (id >= kBox && id <= kBox + PartForm::After) {
            if (code == EN_CHANGE && !Filling()) form_.Edit(static_cast<PartForm::Field>(id - kBox), Text(id));
        } else if (id >= kAlignment && id <= kAlignment + PartForm::kMixedAlignment && code == BN_CLICKED) {
            form_.ChooseAlignment(id - kAlignment);
        } else if (id == IDOK && code == BN_CLICKED) {
            tessaly::AboutPageInfo page;
            if (win::FetchRecord(editor_, tessaly::EM_GetPageSeting, page))
                if (const auto refusal = form_.Overflowing(page)) return Refuse(kBox + refusal->Box, refusal->Reason);
            if (form_.Confirm())
                SendMessageW(editor_, tessaly::EM_SetPartInfo, 0, reinterpret_cast<LPARAM>(&form_.Part));
            Chosen = form_.Part.AlignmentMethod;
            End(IDOK);
        } else if (id == IDCANCEL) {
            End(IDCANCEL);
        }
    }

    void OnUpDown(int id, int direction) override {
        const auto f = static_cast<PartForm::Field>(id - kUpDown);
        if (f < PartForm::FirstLine || f > PartForm::After) return;
        form_.Step(f, direction);
        SetText(kBox + f, form_.Texts[f]);
        SetText(kFirstLineLabel, form_.FirstLineLabel);
    }

    HWND editor_;
    PartForm form_;
};

}  // namespace

std::optional<int32_t> ShowPartSeting(HWND owner, HWND editor, const win::DialogHooks& hooks) {
    tessaly::aPartInfo part;
    if (!win::FetchRecord(editor, tessaly::EM_GetPartInfo, part)) return std::nullopt;
    PartDialog dialog(editor, part);
    dialog.Hooks = hooks;
    dialog.Run(owner);
    return dialog.Chosen;
}

}  // namespace tavolin
