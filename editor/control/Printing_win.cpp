// Printing and page pictures from the control: the print dialog, progress to the host and the
// user's messages around the renderer's work.
#include "control/Printing_win.h"

#include <windows.h>
#include <commdlg.h>

#include <utility>

#include "FileErrors.h"
#include "com/Dispatch.h"
#include "control/EditorMessages_win.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "control/IZEVudu.h"
#include "records/Dialogs.h"
#include "render/PrintDevice_win.h"
#include "render/ScreenRenderer_win.h"
#include "text/Cp936.h"
#include "win/KernelHandles.h"

namespace notaline {

namespace {

std::string Utf8(const std::wstring& text) {
    return tessaly::Utf16ToUtf8(std::u16string(text.begin(), text.end())).value_or(std::string());
}

std::string PrintFailure(const PrintStatus& status) {
    switch (status.Result) {
        case PrintResult::StartDocFailed: return "打印机未能开始打印。";
        case PrintResult::PageFailed:
            return "打印第 " + std::to_string(status.Page + 1) + " 页时打印机出错，打印已取消。";
        case PrintResult::EndDocFailed: return "打印机未能完成打印。";
        case PrintResult::Printed: break;
    }
    return {};
}

// Lets the host paint its progress; input waits until the job is spooled, so nothing re-enters
// the control half way through.
void PaintPending() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&m);
}

}  // namespace

bool PrintOn(Editor& ed, PrintDevice& device, const std::wstring& jobName) {
    // The editor's document stays as it is while the job runs: the pages are drawn from a copy
    // at the printer's zoom, never by converting the live arrays.
    const EditorData copy = PrintCopy(ed.Data, ed.JoinUp());
    ScreenRenderer* screen = ed.Renderer->Screen();
    const std::u16string texture = screen ? screen->Screen().TextureFile : std::u16string();
    const PrintStatus status = PrintPages(copy, device, PrintScale(device.DotsPerInch(), ed.Data.PropertiesDpi),
                                          std::u16string(jobName.begin(), jobName.end()), texture, [&](int32_t p) {
                                              int32_t percent = p;
                                              ed.Tell(tessaly::EM_RunPre, 0, reinterpret_cast<LPARAM>(&percent));
                                              PaintPending();
                                          });
    ed.Refresh(tessaly::AllRefresh);
    ResendStatus(ed);  // the progress leaves the status bar
    if (status.Result != PrintResult::Printed) {
        ed.ShowMessage(PrintFailure(status));
        return false;
    }
    return true;
}

bool PrintDocument(Editor& ed, const std::wstring& jobName) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ed.Window;
    dialog.hInstance = GetModuleHandleW(nullptr);
    dialog.Flags = PD_RETURNDC | PD_PRINTSETUP | PD_NOSELECTION;
    const BOOL chosen = PrintDlgW(&dialog);
    win::OwnedDc dc(dialog.hDC);
    const win::GlobalMemory devMode(dialog.hDevMode), devNames(dialog.hDevNames);
    if (!chosen || !dc.Get()) {
        ed.Refresh(tessaly::AllRefresh);
        // Cancelled is the user's answer; anything else (no printer at all) is told.
        if (CommDlgExtendedError() != 0) ed.ShowMessage("没有可用的打印机，无法打印。");
        return false;
    }
    PrinterDevice printer(std::move(dc));
    return PrintOn(ed, printer, jobName);
}

namespace {

// The overwrite question, over the editor's window: OK and Cancel with the information icon.
ConfirmOverwrite AskOver(Editor& ed) {
    return [&ed](const std::wstring& file) {
        return MessageBoxW(ed.Window, OverwriteQuestion(file).c_str(), tessaly::kProgramTitle,
                           MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
    };
}

// The pictures' texture is the screen's; without a screen, the same file beside the program.
std::u16string TextureOf(Editor& ed) {
    if (ScreenRenderer* screen = ed.Renderer->Screen()) return screen->Screen().TextureFile;
    return PageTextureFile();
}

}  // namespace

std::string PictureFailure(const PictureExportStatus& status, const PictureName& name) {
    switch (status.Result) {
        case PictureExportResult::Saved:
        case PictureExportResult::Cancelled:
        case PictureExportResult::Stopped: return {};
        case PictureExportResult::UnsupportedExtension:
            return "不支持图片格式“" + Utf8(name.Ext) + "”，请用 JPG、PNG、BMP 或 GIF。";
        case PictureExportResult::BadName:
        case PictureExportResult::WriteFailed: break;
    }
    // The reason in the document save's words, and how far the pages got.
    const std::string_view reason = tessaly::FileErrorText(status.Error);
    return "无法保存图片文件“" + Utf8(status.FailedFile) + "”" + (reason.empty() ? "" : "：" + std::string(reason)) +
           "。\n已保存 " + std::to_string(status.Written) + " 页图片，共 " + std::to_string(status.Pages) + " 页。";
}

namespace {

// Failures are told; a stop or a refused overwrite is the user's own answer.
bool TellPictureOutcome(Editor& ed, const PictureExportStatus& status, const PictureName& name) {
    const std::string failure = PictureFailure(status, name);
    if (!failure.empty()) ed.ShowMessage(failure);
    return status.Result == PictureExportResult::Saved;
}

}  // namespace

PictureExportStatus WritePagePictures(Editor& ed, const std::wstring& fileName, PictureName& name) {
    if (!SplitPictureName(fileName, name)) throw com::Error{E_INVALIDARG, L"图片文件名太短"};
    // A caller's export comes after the user's one still running.
    FinishPagePictures(ed);
    // Drawn off-screen from the document: a control placed in no window draws them too.
    return notaline::SavePagePictures(ed.Data, ed.JoinUp(), TextureOf(ed), fileName, AskOver(ed));
}

bool SavePagePictures(Editor& ed, const std::wstring& fileName) {
    PictureName name;
    const PictureExportStatus status = WritePagePictures(ed, fileName, name);
    return TellPictureOutcome(ed, status, name);
}

bool StartPagePictures(Editor& ed, const std::wstring& fileName) {
    // One export at a time, and none of a document still being read.
    if (ed.Background.Pictures.Running() || !ed.Data.DocLoaded) {
        ed.Beep();
        return false;
    }
    // The files asked about are those of the pages the export writes.
    PictureName name;
    const PictureExportStatus checked = CheckPictureExport(fileName, ed.JoinUp(), AskOver(ed), name);
    if (checked.Result != PictureExportResult::Saved) {
        TellPictureOutcome(ed, checked, name);
        return false;
    }
    ed.Background.PicturesName = name;
    ed.Background.Pictures.Start(std::make_unique<PictureJob>(ed.Data, ed.JoinUp(), TextureOf(ed), name));
    return true;
}

void FinishPagePictures(Editor& ed) {
    const auto status = ed.Background.Pictures.Finish();
    if (!status) return;
    ResendStatus(ed);  // the progress leaves the status bar
    TellPictureOutcome(ed, *status, ed.Background.PicturesName);
}

void WaitForPagePictures(Editor& ed) {
    while (ed.Background.Pictures.Running() && !ed.Background.Pictures.Ended()) {
        MSG m;
        if (PeekMessageW(&m, ed.Window, kPictureProgress, kPictureProgress, PM_REMOVE)) {
            PictureMessage(ed, m.message, m.wParam);
            continue;
        }
        // Esc stops after the page being written; other keys are dropped, as a progress box would.
        while (PeekMessageW(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE))
            if (m.wParam == VK_ESCAPE) ed.Background.Pictures.Stop();
        PaintPending();
        // Woken by the thread's news; its end is seen within a moment either way.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE | QS_PAINT | QS_KEY);
    }
    FinishPagePictures(ed);
}

bool PictureMessage(Editor& ed, UINT msg, WPARAM wParam) {
    switch (msg) {
        case kPictureProgress:
            if (ed.Background.Pictures.Running()) {
                int32_t percent = static_cast<int32_t>(wParam);
                ed.Tell(tessaly::EM_RunPre, 0, reinterpret_cast<LPARAM>(&percent));
            }
            return true;
        case kPicturesWritten: FinishPagePictures(ed); return true;
        case WM_KEYDOWN:
            if (wParam != VK_ESCAPE || !ed.Background.Pictures.Running()) return false;
            ed.Background.Pictures.Stop();
            return true;
        default: return false;
    }
}

}  // namespace notaline
