// The main window and its messages: start-up, the image buttons' clicks and the commands, the keys'
// way to the editor and the form's boxes, the playback lock and closing.
#include "MainWindow_win.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "MenuTable.h"
#include "PlaybackLock.h"
#include "StatusText.h"
#include "WinProc.h"
#include "button/api/IButton.h"
#include "com/Bstr.h"
#include "com/Create.h"
#include "records/Dialogs.h"
#include "tools/api/IVbGetWindowsZoom.h"
#include "win/OwnThread.h"

namespace tavolin {
namespace {

constexpr wchar_t kClassName[] = L"TavolinMainWindow";
constexpr wchar_t kNewDocumentCaption[] = L"Tavolin--新文档";
constexpr UINT_PTR kHelpBoxSubclass = 1;

class NoSettings final : public SettingsWriter {
public:
    void Write(const std::wstring&, const std::wstring&, const std::wstring&) override {}
};
NoSettings gNoSettings;

// The panels: a caption on a plain face; what their controls tell goes on to the main window.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
        case WM_MOUSEMOVE:
            SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_APP, reinterpret_cast<WPARAM>(hwnd), lParam);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            // A resize repaints only bands along the edges: the caption is drawn where it is spoiled.
            FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
            RECT line = r;
            DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);
            RECT text{6, 1, r.right - 20, 18}, spoiled{};
            if (IntersectRect(&spoiled, &text, &ps.rcPaint)) {
                wchar_t caption[64];
                GetWindowTextW(hwnd, caption, 64);
                HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
                SetBkMode(dc, TRANSPARENT);
                DrawTextW(dc, caption, -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
                SelectObject(dc, old);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// The help box scrolls one line per wheel notch besides its own wheel handling.
LRESULT CALLBACK HelpBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    // Help texts are one line: Enter breaks no line (the rich box breaks it on the key, not the character).
    if ((msg == WM_KEYDOWN && wParam == VK_RETURN) || (msg == WM_CHAR && wParam == '\r')) return 0;
    if (msg == WM_MOUSEWHEEL) {
        const int32_t delta = GetHiWord(static_cast<int32_t>(wParam));
        if (delta == -120) SendMessageW(hwnd, EM_LINESCROLL, 0, 1);
        if (delta == 120) SendMessageW(hwnd, EM_LINESCROLL, 0, -1);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// The bar's class repaints it whole on every change of width; the form repaints only the band of
// the grip and the last part's edge, all that a new width moves (the other parts keep their places
// and the last one's text is left-aligned). Chained, not subclassed: the bar's messages come by the
// dozen in a live resize.
LRESULT CALLBACK StatusBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = win::ChainedTo(hwnd, &StatusBarProc).Previous;
    const LRESULT result =
        previous ? CallWindowProcW(previous, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
    return msg == WM_NCCALCSIZE && wParam ? result & ~static_cast<LRESULT>(WVR_HREDRAW | WVR_VREDRAW) : result;
}

}  // namespace

// An image button of the form with the sink of its Click event.
struct MainWindow::Hosted final : IDispatch {
    Hosted(MainWindow& w, const FormControl& c) : window(w), control(c) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_ButtonEvents) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the window's list holds it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        if (id != dispid::ButtonEvents::Click) return S_OK;
        try {
            window.router_.Run(control.name, control.index);
        } catch (...) {
        }
        return S_OK;
    }

    MainWindow& window;
    const FormControl& control;
    com::Ptr<com::ControlSite> site;
    com::Ptr<IConnectionPoint> point;
    DWORD cookie = 0;
};

MainWindow::MainWindow(ControlFactory& factory) : factory_(factory) {
    settings_ = &gNoSettings;
    // The layout's own command: the side-panel menu.
    router_.AddArray("munToolBar", [this](int index) {
        panels_.ToolBarClick(index, geometry_, *settings_);
        ApplyGeometry();
    });
}

MainWindow::~MainWindow() = default;

bool MainWindow::Create(HINSTANCE instance, int show, std::wstring_view commandLine) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryW(L"riched20.dll");
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof(frame);
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.lpszClassName = kFrameClass;
    RegisterClassExW(&frame);

    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!win::RegisterWindowClass(wc)) return false;
    if (!CreateAttached(0, kClassName, kNewDocumentCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                        CW_USEDEFAULT, 1024, 768, nullptr, nullptr, instance))
        return false;
    if (!Load()) return false;
    if (auto path = CommandLinePath(commandLine)) {
        openFromCommand_ = true;
        const HRESULT loaded = editor_->put_FileName(com::Bstr(*path).Get());
        // A document that could not be read leaves the new document's caption and the list.
        if (SUCCEEDED(loaded)) {
            SetCaption(L"Tavolin--" + *path);
            if (hooks_.updateRecentFiles) hooks_.updateRecentFiles(*path);
        }
    }
    ShowWindow(Handle(), show);
    UpdateWindow(Handle());
    // The editor takes the keys from the start, as the form's first control.
    if (editorWindow_) SetFocus(editorWindow_);
    return true;
}

// Start-up after the controls exist: the window's objects, the panels, the screen's DPI.
bool MainWindow::Load() {
    SetCaption(kNewDocumentCaption);
    ini_ = com::CreateFromDll<IReadWriteIni>(L"Tessaly.dll", CLSID_ReadWriteIni);
    commonDialog_ = com::CreateFromDll<ImCommonDialog>(L"Tessaly.dll", CLSID_mCommonDialog);
    if (HWND help = ControlWindow("RichTextBox1")) SetWindowSubclass(help, HelpBoxProc, kHelpBoxSubclass, 0);
    if (hooks_.makePanels) {
        hooks_.makePanels();
    } else {
        SavePanelState();
    }
    for (const auto& hook : hooks_.panelsMade) hook();
    if (auto zoom = com::CreateFromDll<IVbGetWindowsZoom>(L"Tessaly.dll", CLSID_VbGetWindowsZoom)) {
        LONG dpi = 0;
        if (SUCCEEDED(zoom->GetCurrentDpi(reinterpret_cast<LONG_PTR>(Handle()), &dpi)) && dpi > 0) formDpi_ = dpi;
    }
    if (hooks_.updateRecentFiles) hooks_.updateRecentFiles(L"");
    openFromCommand_ = false;
    loaded_ = true;
    // From here on the bar moves only in the form's batch, which repaints what its width changed.
    if (HWND bar = ControlWindow("StatusBar1")) win::ChainProcedure(bar, &StatusBarProc, nullptr);
    ReShowForm();
    return true;
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The editor's reports and requests are its calls on this thread: one posted, or from another
    // thread or process, would open dialogs or lock the menus on a stranger's word.
    if (msg >= WM_USER && msg <= 1200 && !win::SentOnOwnThread(msg, lParam)) return 0;
    switch (msg) {
        case WM_CREATE: return CreateControls() ? 0 : -1;
        case WM_SIZE: OnResize(); return 0;
        case WM_COMMAND: OnCommand(wParam, lParam); return 0;
        case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), lParam); break;
        case WM_APP:  // the mouse over a panel
            if (reinterpret_cast<HWND>(wParam) == ControlWindow("TopFaceFrame") && hooks_.topPanelMouseMove)
                hooks_.topPanelMouseMove(
                    static_cast<int>(static_cast<int16_t>(LOWORD(lParam)) * 1440 / std::max(1, formDpi_)));
            return 0;
        case kShowStatusBar:
            statusPending_ = false;
            LayOutStatusBar();
            return 0;
        // A box or dialog disables the window, which drops the focus, then takes the activation; on
        // coming back the system would leave the keys with the frame, where they reach nothing.
        case WM_ENABLE:
            if (!wParam) KeepFocus();
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                KeepFocus();
            } else if (!HIWORD(wParam) && GiveFocusBack()) {
                return 0;
            }
            break;
        case WM_NCACTIVATE:
            if (editorWindow_) {
                int32_t zero = 0;
                SendMessageW(editorWindow_, wParam ? WM_SETFOCUS : tessaly::EM_HideCaret, 0,
                             reinterpret_cast<LPARAM>(&zero));
            }
            break;
        case tessaly::EM_SendMsg: OnStatus(lParam); break;
        case tessaly::EM_SetScrollBars:
            if (win::AddressFromOwnThread(msg, lParam) && editor_) {
                const int32_t value = *reinterpret_cast<const int32_t*>(lParam);
                if (value >= 1 && value <= 4)
                    editor_->put_ScrollBars(static_cast<zevudu::ERECScrollBarConstants>(value));
            }
            break;
        case tessaly::EM_ReShowForm: ReShowForm(); break;
        case tessaly::EM_RunPre:
            if (win::AddressFromOwnThread(msg, lParam))
                SetStatusText(1, ProgressText(*reinterpret_cast<const int32_t*>(lParam)));
            break;
        case tessaly::EM_Command_CustomWord: router_.Run("CustomWord", -1); break;
        case tessaly::EM_SetHwColor: OnColourRequest(lParam); break;
        case tessaly::EM_PlayInfo: EnableCtrl(wParam != 0); break;
        case tessaly::EM_OnWord:
            if (hooks_.onWord) hooks_.onWord(wParam == 1);
            break;
        case WM_CLOSE:
            if (!QueryUnload()) return 0;
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            Unload();
            PostQuitMessage(0);
            return 0;
        default: break;
    }
    return Default(msg, wParam, lParam);
}

bool MainWindow::HostButton(const FormControl& c, HWND parent, size_t row) {
    auto control = factory_.CreateButton();
    if (!control) {
        MessageBoxW(Handle(), L"Kavrel.dll", tessaly::kProgramTitle, MB_OK | MB_ICONERROR);
        return false;
    }
    const bool toggles = std::strcmp(c.name, "CmdFont") == 0;
    const com::StoredProperty stored[] = {
        {L"ButtonType", VT_I4, c.buttonType},
        {L"ButtonIndex", VT_I4, c.buttonIndex},
        {L"BackColor", VT_I4, static_cast<int32_t>(GetSysColor(COLOR_BTNFACE))},
        {L"PressDownType", VT_BOOL, toggles ? -1 : 0},
    };
    auto bag = com::PropertyBag::Create(stored);
    const RECT rect{TwipsToPixels(c.left), TwipsToPixels(c.top), TwipsToPixels(c.left + c.width),
                    TwipsToPixels(c.top + c.height)};
    auto hosted = std::make_unique<Hosted>(*this, c);
    if (FAILED(com::ControlSite::Host(control.Get(), parent, rect, bag.Get(), true, hosted->site))) return false;
    if (auto points = control.As<IConnectionPointContainer>();
        points && SUCCEEDED(points->FindConnectionPoint(DIID_ButtonEvents, hosted->point.Out())) && hosted->point)
        hosted->point->Advise(static_cast<IDispatch*>(hosted.get()), &hosted->cookie);
    buttons_[row] = control.As<IDispatch>();
    windows_[row] = hosted->site->ControlWindow();
    hosted_.push_back(std::move(hosted));
    return true;
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const auto items = MenuItems();
    if (lParam == 0 && id >= kFirstMenuCommand && id < kFirstMenuCommand + items.size()) {
        const MenuItem& item = items[id - kFirstMenuCommand];
        router_.Run(item.name, item.index);
        return;
    }
    const auto controls = FormControls();
    if (id < kFirstControlId || id >= kFirstControlId + controls.size()) return;
    const FormControl& c = controls[id - kFirstControlId];
    const UINT code = HIWORD(wParam);
    if ((c.kind == ControlKind::ComboBox && code == CBN_SELCHANGE) ||
        (c.kind == ControlKind::Option && code == BN_CLICKED) || (c.kind == ControlKind::Label && code == STN_CLICKED))
        router_.Run(c.name, c.index);
}

bool MainWindow::PreTranslate(MSG& msg) {
    if (!editorWindow_ || (msg.hwnd != editorWindow_ && !IsChild(editorWindow_, msg.hwnd))) {
        if (msg.message != WM_KEYDOWN) return false;
    }
    // Characters typed into the editor in notation mode; the form's boxes keep theirs.
    if (msg.message == WM_CHAR) {
        if (curSendMsg_.cInputState != tessaly::JpState) return false;
        const int32_t mark = TypedMarkCode(static_cast<int32_t>(msg.wParam));
        if (!mark) return false;
        SendMessageW(editorWindow_, tessaly::EM_InstrMainAndExtralStr, 0, mark);
        return true;
    }
    if (msg.message != WM_KEYDOWN || !IsChild(Handle(), msg.hwnd)) return false;
    // A menu shortcut, when its command is built and enabled. The form's text boxes keep their
    // own editing keys, and the focus with them.
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (IsTextBoxKey({static_cast<uint16_t>(msg.wParam), ctrl}) && InTextBox(msg.hwnd)) {
        // The plain edit boxes have no select-all key of their own.
        if (ctrl && msg.wParam == 'A') SendMessageW(msg.hwnd, EM_SETSEL, 0, -1);
        return ctrl && msg.wParam == 'A';
    }
    const auto items = MenuItems();
    for (size_t row = 0; row < items.size(); ++row) {
        const ShortcutKey key = ParseShortcut(items[row].shortcut);
        if (!key.key || key.key != msg.wParam || key.ctrl != ctrl) continue;
        if (!router_.Has(items[row].name, items[row].index)) return false;
        // The states are those of now, as when the item's top menu opens, not of its last opening.
        int top = static_cast<int>(row);
        for (int r = top; r >= 0; r = FindMenuItem(items[r].parent, -1)) top = r;
        router_.Run(items[top].name, -1);
        // Disabled here or in a menu above (the menus are locked during playback): the key does nothing.
        for (int r = static_cast<int>(row); r >= 0; r = FindMenuItem(items[r].parent, -1))
            if (!menus_[r].enabled) return true;
        router_.Run(items[row].name, items[row].index);
        return true;
    }
    return false;
}

void MainWindow::KeepFocus() {
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) focusKept_ = focus;
}

// The keys go back to the form's box they were in, else to the song: never to a button that was
// pressed, nor to the frame.
bool MainWindow::GiveFocusBack() {
    const HWND kept = focusKept_;
    focusKept_ = nullptr;
    HWND to = editorWindow_;
    if (kept && IsWindow(kept) && IsChild(Handle(), kept) && InTextBox(kept) && IsWindowVisible(kept) &&
        IsWindowEnabled(kept))
        to = kept;
    if (!to) return false;
    SetFocus(to);
    return GetFocus() == to;
}

bool MainWindow::InTextBox(HWND h) const {
    for (const FormControl& c : FormControls()) {
        if (c.kind != ControlKind::ComboBox && c.kind != ControlKind::RichText) continue;
        const HWND box = ControlWindow(c.name, c.index);
        if (box && (h == box || IsChild(box, h))) return true;
    }
    return false;
}

void MainWindow::SetCaption(const std::wstring& text) {
    SetWindowTextW(Handle(), text.c_str());
}

// The editor asks for a colour for its focused free item; the editor's own value is not read.
void MainWindow::OnColourRequest(LPARAM lParam) {
    if (!win::AddressFromOwnThread(tessaly::EM_SetHwColor, lParam) || !commonDialog_ || !editorWindow_) return;
    LONG colour = 0;
    VARIANT_BOOL any = VARIANT_TRUE, fullOpen = VARIANT_FALSE, disableFullOpen = VARIANT_TRUE, chosen = VARIANT_FALSE;
    LONG_PTR owner = reinterpret_cast<LONG_PTR>(Handle());
    LONG flags = 0;
    if (FAILED(commonDialog_->VBChooseColor(&colour, &any, &fullOpen, &disableFullOpen, &owner, &flags, &chosen)) ||
        !chosen)
        return;
    int32_t value = colour;
    SendMessageW(editorWindow_, tessaly::EM_SetHwColor, 0, reinterpret_cast<LPARAM>(&value));
}

void MainWindow::EnableCtrl(bool enable) {
    for (const auto& menu : LockedMenus()) EnableMenu(menu.name, menu.index, enable);
    for (const auto& panel : LockedPanels()) EnableWindow(ControlWindow(panel.name, panel.index), enable);
    for (const auto& item : LockedItems()) EnableMenu(item.name, item.index, enable);
    // A shortcut reaches its command even under a disabled menu.
    router_.SetRefusal(enable ? nullptr : std::function<bool(std::string_view, int)>(IsLockedSource));
}

void MainWindow::UseSettings(SettingsWriter* writer) {
    settings_ = writer ? writer : &gNoSettings;
}

// The save prompt; false keeps the window open.
bool MainWindow::QueryUnload() {
    if (!editor_) return true;
    // A save under way is written, and its outcome told, before the question; so are the pictures
    // being written, their progress shown and Esc stopping them, never cut short without a word.
    if (auto host = editor_.As<IZEVuduHost>()) {
        host->WaitForPictures();
        host->WaitForSaves();
    }
    VARIANT_BOOL modified = VARIANT_FALSE;
    editor_->get_Modified(&modified);
    if (!modified) return true;
    com::Bstr file;
    editor_->get_FileName(file.Out());
    const std::wstring fileName = file.Str();
    std::wstring question;
    if (!fileName.empty()) {
        com::Bstr name, ext;
        if (ini_) {
            ini_->GetFileNameNoExt(fileName.c_str(), name.Out());
            ini_->GetFileExtName(fileName.c_str(), ext.Out());
        }
        question =
            L"是否将更改保存到 " + std::wstring(name ? name.Get() : L"") + std::wstring(ext ? ext.Get() : L"") + L"？";
    } else {
        question = L"是否将更改保存为 文档 1.DaDur？";
    }
    const int answer =
        MessageBoxW(Handle(), question.c_str(), tessaly::kProgramTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) return true;
    if (answer != IDYES) return false;
    if (fileName.empty()) {
        com::Bstr first;
        editor_->get_FristLineStr(first.Out());
        return hooks_.saveAs && hooks_.saveAs(first.Str());
    }
    // Closes only after a save that succeeded: the document is then no longer modified.
    com::Bstr name(fileName);
    const HRESULT hr = editor_->SaveFile(name.Ref(), reinterpret_cast<LONG_PTR>(Handle()));
    modified = VARIANT_TRUE;
    editor_->get_Modified(&modified);
    return SUCCEEDED(hr) && !modified;
}

void MainWindow::Unload() {
    commonDialog_.Reset();
    ini_.Reset();
    if (HWND help = ControlWindow("RichTextBox1")) RemoveWindowSubclass(help, HelpBoxProc, kHelpBoxSubclass);
    if (HWND bar = ControlWindow("StatusBar1")) win::UnchainProcedure(bar, &StatusBarProc);
    for (auto& h : hosted_) {
        if (h->point) h->point->Unadvise(h->cookie);
        h->point.Reset();
        if (h->site) h->site->Close();
    }
    hosted_.clear();
    buttons_.clear();
    editor_.Reset();
    if (editorSite_) editorSite_->Close();
    editorSite_.Reset();
    editorWindow_ = nullptr;
}

}  // namespace tavolin
