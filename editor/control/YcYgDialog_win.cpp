// The octave-dot and duration-line position dialog: four buttons move the pending positions of
// the caret note's font, the preview shows them on sample notes, OK applies them as one step.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "com/Module.h"
#include "control/DialogTexts_win.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "control/YcYgForm.h"
#include "paint/YcYgPreview.h"
#include "render/GdiCanvas_win.h"
#include "render/PageGraphics_win.h"
#include "text/Cp936.h"
#include "win/DialogKit_win.h"
#include "win/GdiHandles.h"

namespace notaline {

namespace {

constexpr int kPreviewId = 100;
constexpr int kFirstButtonId = 101;  // A+, A-, B+, B- in YcYgForm::Button order

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;

// Twips at 96 dpi over 15: the preview 6735 by 2175 from (240, 120).
const std::array<win::DialogControl, 7> kControls = {{
    {L"STATIC", kPreviewId, L"", nullptr, {16, 8, 449, 145}, SS_OWNERDRAW},
    {L"BUTTON", kFirstButtonId + YcYgForm::HighUp, L"A+", L"相同字体的高音点。", {481, 8, 60, 32}, kButton},
    {L"BUTTON", kFirstButtonId + YcYgForm::HighDown, L"A-", L"相同字体的高音点。", {481, 48, 60, 32}, kButton},
    {L"BUTTON", kFirstButtonId + YcYgForm::LowUp, L"B+", L"相同字体的减时线、低音点。", {549, 8, 60, 32}, kButton},
    {L"BUTTON", kFirstButtonId + YcYgForm::LowDown, L"B-", L"相同字体的减时线、低音点。", {549, 48, 60, 32}, kButton},
    {L"BUTTON", IDOK, L"确定", L"根据喜好，调整位置。", {481, 121, 60, 32}, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {L"BUTTON", IDCANCEL, L"取消", nullptr, {549, 121, 60, 32}, kButton},
}};
constexpr SIZE kClient = {625, 161};

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

class YcYgDialog final : public win::TableDialog {
public:
    explicit YcYgDialog(Editor& ed)
        : TableDialog(L"音高减时线位置", kControls, kClient), ed_(ed), form_(YcYgForm::Load(ed.Data)) {}
    YcYgForm& Form() { return form_; }

private:
    void OnInit() override {
        for (int b = 0; b < 4; ++b) Enable(kFirstButtonId + b, form_.OnNote);
        if (form_.OnNote) {
            const std::wstring caption =
                L"音高减时线位置 示例--" + Wide(tessaly::Cp936ToUtf16(form_.Loaded.FontName).value_or(u""));
            SetWindowTextW(dialog_, caption.c_str());
        }
    }
    void OnCommand(int id, int code) override;
    INT_PTR OnOther(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_DRAWITEM || wParam != kPreviewId) return FALSE;
        DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    void DrawPreview(const DRAWITEMSTRUCT& item);

    Editor& ed_;
    YcYgForm form_;
};

void YcYgDialog::DrawPreview(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int saved = SaveDC(dc);
    if (form_.OnNote) {
        const EditorData samples = MakeYcYgSamples(ed_.Data, form_.Font, form_.Pending, form_.Row);
        PageGraphics graphics(dc);
        {
            GdiCanvas canvas(dc, graphics.Get());
            DrawYcYgPreview(canvas, samples);
        }
        graphics.Flush();
    } else {
        // 宋体 12 pt
        const int height = -MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72);
        // Deleted after RestoreDC has put the old font back.
        const win::FontHandle font(
            CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
        SelectObject(dc, font.Get());
        SetBkMode(dc, TRANSPARENT);
        const std::wstring hint = L"将光标放在简谱音符前。";
        TextOutW(dc, 5, 5, hint.c_str(), static_cast<int>(hint.size()));
        RestoreDC(dc, saved);
        return;
    }
    RestoreDC(dc, saved);
}

void YcYgDialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == IDOK || id == IDCANCEL) {
        End(id);
        return;
    }
    if (id < kFirstButtonId || id >= kFirstButtonId + 4) return;
    form_.Press(static_cast<YcYgForm::Button>(id - kFirstButtonId));
    HWND preview = Item(kPreviewId);
    InvalidateRect(preview, nullptr, TRUE);
    UpdateWindow(preview);
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
}

}  // namespace

void ShowFormSetYcYgPos(Editor& ed) {
    YcYgDialog dialog(ed);
    if (dialog.Run(ed.Window) != IDOK || !dialog.Form().Apply(ed.Data, ed.Commands->Chars)) return;
    ed.Refresh(tessaly::MainExtralRefresh);
}

}  // namespace notaline
