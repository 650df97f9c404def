#include "control/Editor_win.h"

#include <algorithm>
#include <cmath>

#include "api/IReadWriteIni.h"
#include "com/Create.h"
#include "control/Handlers_win.h"
#include "control/MusicPlayer_win.h"
#include "control/PageRenderer_win.h"
#include "model/document/mGeneral.h"
#include "model/layout/LayoutSetup.h"
#include "records/Dialogs.h"
#include "render/StdFontObject_win.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

double CyValue(const CY& v) {
    return static_cast<double>(v.int64) / 10000.0;
}

std::wstring Wide(std::string_view utf8) {
    const auto text = tessaly::Utf8ToUtf16(utf8);
    return text ? std::wstring(text->begin(), text->end()) : std::wstring();
}

}  // namespace

int32_t ScrollGrid::MousePageY(int32_t x, int32_t y) const {
    LONG page = -1;
    if (scroll_) scroll_->MousePageY(x, y, &page);
    return page;
}

int32_t ScrollGrid::PageSpaceX() const {
    LONG v = 0;
    if (scroll_) scroll_->get_PageSpaceX(&v);
    return v;
}

int32_t ScrollGrid::PageSpaceY() const {
    LONG v = 0;
    if (scroll_) scroll_->get_PageSpaceY(&v);
    return v;
}

// The free items count pages from here, so this is the document's origin, not the first
// visible page's slot: the two differ as soon as the view is scrolled past the first page.
double ScrollGrid::FristVisiblelPageScrollX() const {
    CY v{};
    if (scroll_) scroll_->get_FristPageScrollX(&v);
    return CyValue(v);
}

double ScrollGrid::FristVisiblelPageScrollY() const {
    CY v{};
    if (scroll_) scroll_->get_FristPageScrollY(&v);
    return CyValue(v);
}

Editor::Editor(HWND window, HWND host, IMyScrollInfo* scroll, int32_t screenDpi)
    : Window(window), Host(host), Scroll(com::Ptr<IMyScrollInfo>::Share(scroll)), Grid(scroll) {
    if (scroll) scroll->QueryInterface(__uuidof(IScrollStrips), Strips.OutVoid());
    Measurer = std::make_unique<GdiTextMeasurer>();
    Renderer = MakePageRenderer(RenderTarget{Data, window, host, scroll});
    Data.Measurer = *Measurer;
    Data.System = System;
    Data.PropertiesDpi = screenDpi;
    const std::wstring folder = com::ProgramFolder();
    Commands = std::make_unique<EditCommands>(Data, std::filesystem::path(folder), *Renderer, *this);
    // A loaded document's caret is reported even where the last one stood.
    Renderer->OnViewReset = [this] { NotifySelChange(*this, Data.SelStart, Data.SelLength); };
    Renderer->OnPagesCounted = [this] { ResendCounts(); };
    StatusFont = MakeStdFont(StatusFontInfo);
    // The record holds the font's address; it never leaves the process as bytes.
    SendMsg.StdFont = StatusFont.Get();
    Ini = com::CreateFromDll<IDispatch>(L"Tessaly.dll", CLSID_ReadWriteIni);
}

Editor::~Editor() {
    // The editing objects go before the renderer and the measurer they call.
    Commands.reset();
    Renderer.reset();
    Measurer.reset();
}

void Editor::ClearModified() {
    if (Commands) Commands->Undo.Modified(false);
}

void Editor::LoadFailed(std::u16string_view, const std::string& Reason) {
    ShowMessage(Reason);
}

void Editor::ShowMessage(std::string_view Text) {
    MessageBoxW(Host, Wide(Text).c_str(), tessaly::kProgramTitle, MB_OK | MB_ICONINFORMATION);
}

bool Editor::CopyWordsToClipboard(int32_t Start, int32_t Length) {
    return notaline::CopyWordsToClipboard(*this, Start, Length);
}

bool Editor::ReadClipboardWords() {
    return notaline::ReadClipboardWords(*this, false);
}

void Editor::LayOutAndShow(int32_t mode) {
    LayOutEdit(Data, *Renderer);
    Renderer->EnsureWordVisible(Data.SelStart);
    Refresh(mode);
}

void Editor::ResendCounts() {
    SendMsg.PageCount = Data.PageCount();
    SendMsg.CurrentLine = Data.CurLine;
    ResendStatus(*this);
}

void Editor::UpdateCaretLine() {
    if (Data.IsWord(Data.SelStart)) {
        const double size = Data.WordInfo[static_cast<size_t>(Data.SelStart)].SelSize;
        CurFontSize = static_cast<int32_t>(std::nearbyint(size));
    }
    Data.CurLine = GetLineOfWord(Data, Data.SelStart + Data.SelLength);
}

// The character a mark command would take: the selection's first, whichever way it was made.
bool Editor::CaretOnParagraphEnd() const {
    const int32_t first = std::min(Data.SelStart, Data.SelStart + Data.SelLength);
    return Data.IsWord(first) && Data.WordInfo[static_cast<size_t>(first)].IsJpGcCtl == 3;
}

}  // namespace notaline
