#pragma once
// MainForm: the program's window around the editor, with its panels, image buttons, boxes, menu
// bar and status bar built from the form and menu tables. Commands reach their modules through
// the command router; the modules reach the form through the members below.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CommandRouter.h"
#include "ControlFactory_win.h"
#include "FormTable.h"
#include "PanelLayout.h"
#include "com/Container.h"
#include "control/IZEVudu.h"
#include "records/Messages.h"
#include "tools/api/IReadWriteIni.h"
#include "tools/api/ImCommonDialog.h"
#include "win/GdiHandles.h"
#include "win/OwnThread.h"
#include "win/Window.h"

namespace tavolin {

// The attributes of the selection's font, copied out of the status record's font object.
struct StatusFont {
    std::wstring name;
    float size = 0;
    bool bold = false, italic = false, underline = false, strikethrough = false;
};

// What later modules hook into start-up, status and shut-down; empty hooks are skipped.
struct MainHooks {
    // Start-up step 6: makes the panels; without it the window only saves their state.
    std::function<void()> makePanels;
    // Then, in the order added: what needs the panels' windows.
    std::vector<std::function<void()>> panelsMade;
    std::function<void(const std::wstring& path)> updateRecentFiles;  // steps 8 and 10
    // The save-as command offering a name; true when the document was saved.
    std::function<bool(const std::wstring& suggested)> saveAs;
    // The mark list: the caret character's eight mark codes, and whether the document was just
    // opened from the command line (its first status selects no entry).
    std::function<void(const std::array<int16_t, 8>& codes, bool openFromCommand)> showMarks;
    // The tool-tip object made at panel set-up (null before it or when it failed).
    std::function<IDispatch*()> toolTips;
    // The mark list re-read from the caret's character (GetCurrIndexType).
    std::function<void()> refreshMarks;
    // Removes the mark list's selected entry; false when none is selected.
    std::function<bool()> dropSelectedMark;
    // The mouse over the top panel, at x twips from its left.
    std::function<void(int xTwips)> topPanelMouseMove;
    // The editor's word notice: whether the caret now stands on a word with help.
    std::function<void(bool onWord)> onWord;
};

class MainWindow : public win::Window {
public:
    explicit MainWindow(ControlFactory& factory);
    ~MainWindow() override;

    // Creates, loads and shows the window; commandLine is the text after the program's name.
    bool Create(HINSTANCE instance, int show, std::wstring_view commandLine);
    // Key preview and menu shortcuts ahead of the focused control; true when the message was used.
    bool PreTranslate(MSG& msg);

    CommandRouter& Router() { return router_; }
    MainHooks& Hooks() { return hooks_; }

    // ZEVudu1 and its window.
    IZEVudu* Editor() const { return editor_.Get(); }
    HWND EditorWindow() const { return editorWindow_; }
    // A control of the form table: its window, or for an image button its dispatch.
    HWND ControlWindow(std::string_view name, int index = -1) const;
    IDispatch* Button(std::string_view name, int index = -1) const;
    // Puts a button property by dispatch identifier.
    void PutButton(std::string_view name, int index, DISPID id, const VARIANT& value);

    // Menu items by name and index.
    void CheckMenu(std::string_view name, int index, bool checked);
    bool MenuChecked(std::string_view name, int index) const;
    void EnableMenu(std::string_view name, int index, bool enabled);
    bool MenuEnabled(std::string_view name, int index) const;
    void SetMenuCaption(std::string_view name, int index, const std::wstring& caption);
    std::wstring MenuCaption(std::string_view name, int index) const;
    void ShowMenu(std::string_view name, int index, bool shown);
    bool MenuShown(std::string_view name, int index) const;
    // The command identifier of an item (WM_COMMAND), 0 when there is none.
    UINT MenuCommand(std::string_view name, int index) const;

    // Status bar panels 1 to 7.
    void SetStatusText(int panel, const std::wstring& text);
    std::wstring StatusText(int panel) const;

    // The side panels, top panel, editor and picture, placed in twips.
    PanelArrangement& Panels() { return panels_; }
    FormGeometry& Geometry() { return geometry_; }
    void ReShowForm();
    void SavePanelState();
    // Where the arrangement writes its settings (nothing until the settings file is used).
    void UseSettings(SettingsWriter* writer);

    int32_t FormDpi() const { return formDpi_; }
    int TwipsToPixels(double twips) const;
    const tessaly::aSendMsg& CurSendMsg() const { return curSendMsg_; }
    const StatusFont& CurFont() const { return curFont_; }
    bool OpenFromCommand() const { return openFromCommand_; }
    ImCommonDialog* CommonDialog() const { return commonDialog_.Get(); }
    IReadWriteIni* Ini() const { return ini_.Get(); }
    void SetCaption(const std::wstring& text);
    // Enables or disables the menus and panels around playback.
    void EnableCtrl(bool enable);
    // Presses the alignment button of that alignment and releases the others.
    void ShowAlignment(int32_t alignment);

private:
    struct Hosted;
    struct MenuState {
        HMENU handle = nullptr;  // the submenu an item opens
        std::wstring caption;
        bool checked = false, enabled = true, hidden = false;
    };
    static constexpr UINT kFirstMenuCommand = 100;
    static constexpr UINT kShowStatusBar = WM_APP + 1;
    static constexpr UINT kFirstControlId = 3000;
    static constexpr wchar_t kFrameClass[] = L"TavolinFrame";

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool Load();
    bool CreateControls();
    bool CreateEditor();
    bool HostButton(const FormControl& c, HWND parent, size_t row);
    HWND ParentOf(const FormControl& c) const;
    void BuildMenus();
    void RebuildMenu(const std::string& parent);
    bool QueryUnload();
    void Unload();
    void OnStatus(LPARAM lParam);
    void OnColourRequest(LPARAM lParam);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnInitMenuPopup(HMENU menu, LPARAM lParam);
    // The window is one of the form's edit, combo or help boxes, or inside one.
    bool InTextBox(HWND h) const;
    // Where the keys went as a box or another window took them, and where they go when the
    // window is active again.
    void KeepFocus();
    bool GiveFocusBack();
    void OnResize();
    void ApplyGeometry();
    void LayOutStatusBar();
    void ScheduleStatusBar();
    void ShowStatusFont();
    int32_t GetButtonLong(std::string_view name, int index, DISPID id) const;
    void PutButtonBool(std::string_view name, int index, DISPID id, bool value);
    void PutButtonLong(std::string_view name, int index, DISPID id, int32_t value);

    win::PostedMessageWatch postedWatch_;  // before any window: the status and colour addresses
    ControlFactory& factory_;
    CommandRouter router_;
    MainHooks hooks_;
    com::Ptr<IZEVudu> editor_;
    com::Ptr<com::ControlSite> editorSite_;
    HWND editorWindow_ = nullptr;
    std::vector<HWND> windows_;                 // by form-table row
    std::vector<com::Ptr<IDispatch>> buttons_;  // by form-table row
    std::vector<std::unique_ptr<Hosted>> hosted_;
    std::vector<MenuState> menus_;  // by menu-table row
    HMENU menuBar_ = nullptr;
    std::array<std::wstring, kStatusPanels> statusTexts_, statusShown_;
    std::array<int, kStatusPanels> statusRights_{};
    std::array<int, kStatusPanels> statusWidths_{-1, -1, -1, -1, -1, -1, -1};
    win::OwnedDc measureDc_;
    bool modeTipSet_ = false;
    bool statusPending_ = false;
    PanelArrangement panels_;
    FormGeometry geometry_;
    // The side panels' arrows as last set: asking a label for its text is two messages a resize.
    std::wstring arrowsShown_[kSidePanels];
    SettingsWriter* settings_ = nullptr;
    int32_t formDpi_ = 96;
    tessaly::aSendMsg curSendMsg_{};
    StatusFont curFont_;
    bool openFromCommand_ = false;
    HWND focusKept_ = nullptr;
    com::Ptr<ImCommonDialog> commonDialog_;
    com::Ptr<IReadWriteIni> ini_;
    win::FontHandle uiFont_;
    bool loaded_ = false;
};

}  // namespace tavolin
