#pragma once
#include <windows.h>
#include <ocidl.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DaDurSystem_win.h"
#include "api/IMyScrollInfo.h"
#include "api/IScrollStrips.h"
#include "com/ComPtr.h"
#include "control/BackgroundPictures_win.h"
#include "control/MouseInput.h"
#include "control/PageRenderer.h"
#include "control/WheelZoom.h"
#include "model/document/BackgroundSave.h"
#include "model/document/ControlSite.h"
#include "model/document/DocumentFiles.h"
#include "model/document/EditorData.h"
#include "model/document/mGeneral.h"
#include "model/edit/ClipboardFormat.h"
#include "model/edit/EditCommands.h"
#include "model/edit/FreeItems.h"
#include "music/SetPlayInfoForm.h"
#include "records/Messages.h"
#include "render/GdiTextMeasurer_win.h"
#include "render/WinSystemServices_win.h"
#include "win/GdiHandles.h"
#include "win/OwnThread.h"

namespace notaline {

struct MusicPlayer;

// The page grid of the control's scroll service, as the free items place themselves on it.
class ScrollGrid final : public PageGridInfo {
public:
    explicit ScrollGrid(IMyScrollInfo* scroll) : scroll_(scroll) {}
    int32_t MousePageY(int32_t x, int32_t y) const override;
    int32_t PageSpaceX() const override;
    int32_t PageSpaceY() const override;
    double FristVisiblelPageScrollX() const override;
    double FristVisiblelPageScrollY() const override;

private:
    IMyScrollInfo* scroll_;
};

// The editor's work beside its window: its threads read snapshots and pinned copies of the
// document and post their news to the window, whose thread tells the outcomes.
struct BackgroundWork {
    explicit BackgroundWork(HWND window) : Pictures(window) {}
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;
    // Ends in this order, whatever the members' order: the pictures (waited for, never cut short),
    // the user's save, the backup.
    ~BackgroundWork() {
        Pictures.Finish();
        UserSave.Wait();
        Backup.Wait();
    }

    BackgroundSave Backup;              // the backup copy
    BackgroundSave UserSave;            // the host's own save
    std::function<void()> SaveWritten;  // tells the outcome of UserSave's write, once
    PictureName PicturesName;           // of the pictures being written
    BackgroundPictures Pictures;        // the user's pictures
};

// Everything of an editor control that runs in a program: its own document with the editing
// objects, the renderer of its window, the host window it reports to, and the records it hands
// to the host by address. A control in a form designer has none.
class Editor final : public ControlSite {
public:
    Editor(HWND window, HWND host, IMyScrollInfo* scroll, int32_t screenDpi);
    ~Editor() override;
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    void ClearModified() override;
    void LoadFailed(std::u16string_view FileName, const std::string& Reason) override;
    void ShowMessage(std::string_view Text) override;
    bool CopyWordsToClipboard(int32_t Start, int32_t Length) override;
    bool ReadClipboardWords() override;

    // Redraws the selection in a mode of RefreshType.
    void Refresh(int32_t mode) { Renderer->RefreshView(Data.SelStart, Data.SelLength, mode); }
    // After an edit: lay out the touched lines, keep the caret in view, redraw.
    void LayOutAndShow(int32_t mode);
    // The layout whole, as it is printed, saved and pictured: a line a key cut short is joined up.
    WholeLayout JoinUp() { return Renderer->JoinUp(Data); }
    // Only `lines` lines of that paragraph broken, a step of the work done when idle.
    void JoinUpStep(int32_t lines) { Renderer->JoinUpStep(Data, lines); }
    // The host's record again with the page count and the caret's line that joining up changed.
    void ResendCounts();
    // The caret word's size as the current font size; its line as the current line.
    void UpdateCaretLine();
    bool CaretOnParagraphEnd() const;
    void Beep() { BeepOn(Data); }
    // Sends a message to the host window.
    LRESULT Tell(UINT msg, WPARAM wParam, LPARAM lParam) const { return SendMessageW(Host, msg, wParam, lParam); }

    EditorData Data;
    const HWND Window;
    const HWND Host;   // the container's window, taken from the client site
    win::WindowDc Dc;  // the control's own device context, kept while it runs
    com::Ptr<IMyScrollInfo> Scroll;
    com::Ptr<IScrollStrips> Strips;  // the scroll bars drawn in the window
    ScrollGrid Grid{nullptr};
    WNDPROC PrevWndProc = nullptr;
    win::PostedMessageWatch PostedWatch;  // the host's record and text addresses

    tessaly::WindowsDaDurSystem FileSystem;
    FileDocumentSource Source{FileSystem};
    WinSystemServices System;
    std::unique_ptr<GdiTextMeasurer> Measurer;
    std::unique_ptr<PageRenderer> Renderer;
    std::unique_ptr<EditCommands> Commands;

    // Records that get messages answer with: their addresses stay valid until the next message.
    tessaly::FontExInfo FontExRecord;
    tessaly::aPartInfo PartRecord;
    std::vector<tessaly::aPartInfo> OwnPartRecords;
    tessaly::aSendMsg SendMsg;
    com::Ptr<IFontDisp> StatusFont;  // the status record's font object
    com::Ptr<IDispatch> Ini;         // the settings file
    // What the status font object was made from. The object gives its size back as realized
    // (16.2 pt as 15.75), so typed characters take their font from here.
    StdFontInfo StatusFontInfo{"\xCB\xCE\xCC\xE5", 9, false, false, false, false, 134};  // 宋体

    std::array<std::string, 10> Metres;
    std::string PendingIme;  // code page 936 bytes from WM_IME_CHAR, inserted by the next WM_CHAR
    WheelZoom Zoom;
    int32_t CurFontSize = 0;
    int16_t MousePointer = 0;  // chosen by the mouse handlers
    POINT MenuPoint{};         // the context menu's point in client pixels
    win::MenuHandle ContextMenu;
    // The mouse's window services and state, made at the first mouse event.
    std::unique_ptr<MouseWindow> MouseSite;
    std::unique_ptr<MouseInput> Mouse;
    win::OwnedDc MemoryDc;
    std::string PasteFormatName;  // the clipboard format the last ReadClipboardWords found
    // The characters this window last put on the clipboard, its block made only when asked for;
    // dropped when the clipboard is emptied by anyone.
    std::shared_ptr<const ClipWords> ClipHeld;
    bool ClipRendered = false;            // its block was made and handed to the clipboard
    std::unique_ptr<MusicPlayer> Player;  // made at the first playback
    PlaySettingsModule PlaySettings;      // the MIDI texts and working drum patterns
    // Last, so it goes first of the members: its threads end before the document they share.
    BackgroundWork Background{Window};
};

}  // namespace notaline
