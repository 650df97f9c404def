#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "MainWindow_win.h"
#include "Modules_win.h"
#include "PanelDrop.h"
#include "PanelSettings.h"
#include "Splitter.h"
#include "WinProc.h"
#include "button/api/IButton.h"
#include "com/Bstr.h"
#include "com/Container.h"
#include "com/Create.h"
#include "com/Variant.h"
#include "outside/api/IPavrot.h"
#include "outside/api/IQuibbet.h"
#include "records/Dialogs.h"
#include "win/GdiHandles.h"

namespace tavolin {

namespace {

std::wstring SettingsFile() {
    return com::ProgramFolder() + L"UserSetInfo.ini";
}

// UserSetInfo.ini through the window's INI object.
class IniSettings final : public SettingsReader, public SettingsWriter {
public:
    explicit IniSettings(MainWindow& form) : form_(form), file_(SettingsFile()) {}
    std::wstring Read(const std::wstring& section, const std::wstring& key) override {
        std::wstring text;
        com::Variant value;
        if (IReadWriteIni* ini = form_.Ini();
            ini && SUCCEEDED(ini->ReadINIFile(section.c_str(), key.c_str(), file_.c_str(), 1, value.Out())) &&
            value.Raw().vt == VT_BSTR && value.Raw().bstrVal)
            text = value.Raw().bstrVal;
        return text;
    }
    void Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) override {
        if (IReadWriteIni* ini = form_.Ini())
            ini->WriteINIFile(section.c_str(), key.c_str(), value.c_str(), file_.c_str());
    }

private:
    MainWindow& form_;
    std::wstring file_;
};

// Calls a method of a dispatch object by identifier; args in their written order.
HRESULT CallMethod(IDispatch* object, DISPID id, std::vector<VARIANT> args) {
    if (!object) return E_POINTER;
    std::reverse(args.begin(), args.end());
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

VARIANT Long(int32_t value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT Missing() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

struct PanelSetup {
    explicit PanelSetup(MainWindow& f) : form(f), ini(f) {}
    MainWindow& form;
    IniSettings ini;
    com::Ptr<IDispatch> tips;  // TT
    Splitter splitter;
    com::Ptr<com::ControlSite> picture;  // 图片容器1's box
    int DragPanelIndex = -1;
};

int32_t BackColorOf(MainWindow& form, const char* panel, int index) {
    HWND w = form.ControlWindow(panel, index);
    if (!w) return static_cast<int32_t>(GetSysColor(COLOR_BTNFACE));
    const win::WindowDc dc(w);
    return static_cast<int32_t>(dc.Get() ? GetBkColor(dc.Get()) : GetSysColor(COLOR_BTNFACE));
}

void ColourButtons(MainWindow& form) {
    const int32_t top = BackColorOf(form, "TopFaceFrame", -1), side = BackColorOf(form, "FaceFrame", 0);
    const struct {
        const char* name;
        int count;
        int32_t colour;
    } groups[] = {{"CmdFormatYc", 4, top},      {"CmdFormatYg", 7, top},       {"MunButton", 37, side},
                  {"CmdFoamatDq", 6, side},     {"CmdFont", 4, side},          {"CmdChangExtralValue", 6, side},
                  {"CmdDelExtralWd", -1, side}, {"CmdAboutModifie", -1, side}, {"CmdInfo", 2, side}};
    for (const auto& g : groups)
        for (int i = g.count < 0 ? -1 : 0; i < std::max(g.count, 0); ++i)
            form.PutButton(g.name, i, dispid::Button::BackColor, Long(g.colour));
    for (const char* name : {"CmdFrColor", "CmdBkColor"})
        form.PutButton(name, -1, dispid::Button::TranColor, Long(SwapColorBytes(255, side)));
}

void AddTips(PanelSetup& s) {
    s.tips = com::CreateFromDll<IDispatch>(L"Quibbet.dll", CLSID_Quibbet);
    if (!s.tips) return;
    for (const ControlTip& t : kControlTipTable) {
        HWND w = s.form.ControlWindow(t.control, t.index);
        if (!w) continue;
        const com::Variant text(t.tip);
        CallMethod(s.tips.Get(), dispid::Quibbet::AddTool,
                   {Long(static_cast<int32_t>(reinterpret_cast<intptr_t>(w))), text.Raw(), Long(5)});
    }
    if (HWND editor = s.form.EditorWindow())
        CallMethod(s.tips.Get(), dispid::Quibbet::AddTool,
                   {Long(static_cast<int32_t>(reinterpret_cast<intptr_t>(editor))), Missing(), Long(0)});
    CallMethod(s.tips.Get(), dispid::Quibbet::SetDelayTime, {Long(30000)});
}

int CALLBACK AddFontName(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM box) {
    // Vertical faces ("@name") are not offered; a face comes once for each of its character sets.
    const auto name = reinterpret_cast<LPARAM>(font->lfFaceName);
    HWND names = reinterpret_cast<HWND>(box);
    if (font->lfFaceName[0] != L'@' && SendMessageW(names, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), name) == CB_ERR)
        SendMessageW(names, CB_ADDSTRING, 0, name);
    return 1;
}

}  // namespace

void FillFontBoxes(MainWindow& form) {
    if (HWND names = form.ControlWindow("cmbFontName")) {
        SendMessageW(names, CB_RESETCONTENT, 0, 0);
        const win::ScreenDc screen;
        LOGFONTW all{};
        all.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(screen.Get(), &all, AddFontName, reinterpret_cast<LPARAM>(names), 0);
        SetWindowTextW(names, L"宋体");
    }
    if (HWND sizes = form.ControlWindow("CmbFontSize")) {
        SendMessageW(sizes, CB_RESETCONTENT, 0, 0);
        for (const wchar_t* size : kFontSizeList) SendMessageW(sizes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
        SendMessageW(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"三号"));
    }
}

namespace {

// The side panels' own tip, apart from the button tips of TT; it goes with the form.
void AddDragTips(MainWindow& form) {
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                                0, 0, form.Handle(), nullptr, nullptr, nullptr);
    for (int k = 0; tips && k < kSidePanels; ++k) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = form.Handle();
        info.uId = reinterpret_cast<UINT_PTR>(form.ControlWindow("FaceFrame", k));
        info.lpszText = const_cast<wchar_t*>(kDragTip);
        if (info.uId) SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

LRESULT CALLBACK SplitterProc(HWND bar, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data);

void HostPicture(PanelSetup& s);

LRESULT CALLBACK SidePanelProc(HWND panel, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR index, DWORD_PTR data);

void InitPanels(PanelSetup& s) {
    MainWindow& form = s.form;
    FormGeometry& g = form.Geometry();
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    g.formWidth = (window.right - window.left) * 1440.0 / std::max(1, form.FormDpi());
    g.top.Left = 200;
    g.top.Top = 100;
    g.top.Width = g.formWidth - 600;
    g.side[0].Height = 3135;
    g.side[1].Height = 2100;
    for (auto& side : g.side) side.Left = g.top.Left + g.top.Width - side.Width;
    g.editor.Width = g.side[0].Left - g.editor.Left - 100;
    const double heights[kSidePanels] = {g.side[0].Height, g.side[1].Height};
    ReadPanelSettings(s.ini, form.Panels(), g, heights);
    form.CheckMenu("ShowTopBar", -1, form.Panels().TopBarShown);
    form.UseSettings(&s.ini);
    form.SavePanelState();
    ColourButtons(form);
    AddTips(s);
    FillFontBoxes(form);
    form.Panels().MarkInfoOn = true;
    if (HWND bar = form.ControlWindow("Picture1"))
        SetWindowSubclass(bar, SplitterProc, 1, reinterpret_cast<DWORD_PTR>(&s));
    HostPicture(s);
    for (int k = 0; k < kSidePanels; ++k)
        if (HWND panel = form.ControlWindow("FaceFrame", k))
            SetWindowSubclass(panel, SidePanelProc, 10 + k, reinterpret_cast<DWORD_PTR>(&s));
    AddDragTips(form);  // after the drag's hook, so that a press also hides the tip
}

double ToTwips(PanelSetup& s, int pixels) {
    return pixels * 1440.0 / std::max(1, s.form.FormDpi());
}

void PlaceSplitter(PanelSetup& s, HWND bar) {
    const TwipsRect& r = s.form.Geometry().splitter;
    MoveWindow(bar, s.form.TwipsToPixels(r.Left), s.form.TwipsToPixels(r.Top), s.form.TwipsToPixels(r.Width),
               s.form.TwipsToPixels(r.Height), TRUE);
    InvalidateRect(bar, nullptr, TRUE);
}

void SplitterUp(PanelSetup& s, HWND bar, int button) {
    if (button == Splitter::kLeft) ReleaseCapture();
    s.splitter.MouseUp(button, s.form.Geometry(), s.form.Panels());
    if (button == Splitter::kLeft) s.form.ReShowForm();
    InvalidateRect(bar, nullptr, TRUE);
    if (HWND editor = s.form.EditorWindow()) SetFocus(editor);
}

LRESULT CALLBACK SplitterProc(HWND bar, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& s = *reinterpret_cast<PanelSetup*>(data);
    const int y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
        case WM_NCHITTEST: return HTCLIENT;
        case WM_SETCURSOR: SetCursor(LoadCursorW(nullptr, IDC_SIZENS)); return TRUE;
        case WM_LBUTTONDOWN:
            SetCapture(bar);
            s.splitter.MouseDown(Splitter::kLeft, ToTwips(s, y));
            return 0;
        case WM_RBUTTONDOWN: s.splitter.MouseDown(Splitter::kRight, ToTwips(s, y)); return 0;
        case WM_MOUSEMOVE:
            if (s.splitter.MouseMove(ToTwips(s, y), s.form.Geometry())) PlaceSplitter(s, bar);
            return 0;
        case WM_LBUTTONUP: SplitterUp(s, bar, Splitter::kLeft); return 0;
        case WM_RBUTTONUP: SplitterUp(s, bar, Splitter::kRight); return 0;
        case WM_MBUTTONUP: SplitterUp(s, bar, Splitter::kMiddle); return 0;
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(bar, &r);
            win::BrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(s.splitter.Colour())));
            FillRect(reinterpret_cast<HDC>(wParam), &r, brush.Get());
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(bar, &ps);
            EndPaint(bar, &ps);
            return 0;
        }
        case WM_NCDESTROY: RemoveWindowSubclass(bar, SplitterProc, 1); break;
    }
    return DefSubclassProc(bar, msg, wParam, lParam);
}

// A press on a side panel drags it; the release drops it on the form or on a side panel, and
// anywhere else leaves it where it was.
void PanelReleased(PanelSetup& s, HWND panel, LPARAM lParam) {
    if (GetCapture() == panel) ReleaseCapture();
    if (s.DragPanelIndex < 0) return;
    HWND form = s.form.Handle();
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(panel, form, &at, 1);
    HWND target = ChildWindowFromPointEx(form, at, CWP_SKIPINVISIBLE);
    const bool onPanel =
        target == s.form.ControlWindow("FaceFrame", 0) || target == s.form.ControlWindow("FaceFrame", 1);
    if (target != form && !onPanel) return;
    FormGeometry& g = s.form.Geometry();
    if (DropPanel(s.form.Panels(), g, s.DragPanelIndex, ToTwips(s, at.y) - g.side[s.DragPanelIndex].Top))
        s.form.SavePanelState();
}

LRESULT CALLBACK SidePanelProc(HWND panel, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR index, DWORD_PTR data) {
    auto& s = *reinterpret_cast<PanelSetup*>(data);
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            s.DragPanelIndex = static_cast<int>(index) - 10;
            SetCapture(panel);
            SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: PanelReleased(s, panel, lParam); return 0;
        case WM_NCDESTROY: RemoveWindowSubclass(panel, SidePanelProc, index); break;
    }
    return DefSubclassProc(panel, msg, wParam, lParam);
}

// The picture box fills its room; it goes with the room's window.
LRESULT CALLBACK PictureRoomProc(HWND room, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& s = *reinterpret_cast<PanelSetup*>(data);
    if (msg == WM_SIZE && s.picture) s.picture->Move({0, 0, LOWORD(lParam), HIWORD(lParam)});
    if (msg == WM_NCDESTROY) {
        if (s.picture) s.picture->Close();
        s.picture.Reset();
        RemoveWindowSubclass(room, PictureRoomProc, 2);
    }
    return DefSubclassProc(room, msg, wParam, lParam);
}

void HostPicture(PanelSetup& s) {
    HWND room = s.form.ControlWindow("图片容器1");
    auto box = com::CreateFromDll<IDispatch>(L"Pavrot.dll", CLSID_Pavrot);
    if (!room || !box) return;
    RECT r{};
    GetClientRect(room, &r);
    if (FAILED(com::ControlSite::Host(box.Get(), room, r, nullptr, true, s.picture))) return;
    SetWindowLongPtrW(room, GWL_STYLE, GetWindowLongPtrW(room, GWL_STYLE) | WS_CLIPCHILDREN);
    SetWindowSubclass(room, PictureRoomProc, 2, reinterpret_cast<DWORD_PTR>(&s));
}

std::wstring PicturePath(PanelSetup& s) {
    std::wstring path;
    auto box = s.picture ? s.picture->As<IDispatch>() : com::Ptr<IDispatch>();
    com::Variant value;
    DISPPARAMS none{};
    if (box &&
        SUCCEEDED(box->Invoke(dispid::Pavrot::PicturePath, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                              value.Out(), nullptr, nullptr)) &&
        value.Raw().vt == VT_BSTR && value.Raw().bstrVal)
        path = value.Raw().bstrVal;
    return path;
}

// Gives the box a path; true when it shows a picture from it.
bool PutPicturePath(IDispatch& box, const std::wstring& path) {
    com::Variant value(path);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value.Raw(), &named, 1, 1};
    box.Invoke(dispid::Pavrot::PicturePath, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
               nullptr, nullptr);
    com::Variant loaded;
    DISPPARAMS none{};
    return SUCCEEDED(box.Invoke(dispid::Pavrot::Loaded, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                loaded.Out(), nullptr, nullptr)) &&
           loaded.Raw().vt == VT_BOOL && loaded.Raw().boolVal == VARIANT_TRUE;
}

// True when a new picture path was given to the box and it shows it.
bool OpenRefPicture(PanelSetup& s) {
    ImCommonDialog* dialog = s.form.CommonDialog();
    auto box = s.picture ? s.picture->As<IDispatch>() : com::Ptr<IDispatch>();
    if (!dialog || !box) return false;
    com::Bstr file(L""), title(L""), filter(kPictureFilter), folder(L""), caption(L"选择打开文件"), ext(L"");
    VARIANT_BOOL mustExist = VARIANT_TRUE, multi = VARIANT_FALSE, readOnly = VARIANT_FALSE,
                 hideReadOnly = VARIANT_FALSE, chosen = VARIANT_FALSE;
    LONG filterIndex = 1, flags = 0;
    LONG_PTR owner = reinterpret_cast<LONG_PTR>(s.form.Handle());
    const HRESULT hr =
        dialog->VBGetOpenFileName(file.Ref(), title.Ref(), &mustExist, &multi, &readOnly, &hideReadOnly, filter.Ref(),
                                  &filterIndex, folder.Ref(), caption.Ref(), ext.Ref(), &owner, &flags, &chosen);
    const std::wstring name = file ? file.Get() : L"";
    const std::wstring before = PicturePath(s);
    if (FAILED(hr) || !chosen || name.empty() || name == before) return false;
    if (PutPicturePath(*box.Get(), name)) return true;
    // Nothing would show but an empty area: say so, and keep the picture shown before.
    MessageBoxW(s.form.Handle(), (L"无法显示图片“" + name + L"”：文件已损坏或不是能显示的图片。").c_str(),
                tessaly::kProgramTitle, MB_OK | MB_ICONINFORMATION);
    PutPicturePath(*box.Get(), before);
    return false;
}

void OpenPicFile_Click(PanelSetup& s) {
    if (!OpenRefPicture(s)) return;
    s.form.Panels().RefPictureShown = 1;
    s.form.ReShowForm();
}

void ShowTopBar_Click(PanelSetup& s) {
    ToggleTopBar(s.form.Panels(), s.ini);
    s.form.Geometry().topShown = s.form.Panels().TopBarShown;
    s.form.CheckMenu("ShowTopBar", -1, s.form.Panels().TopBarShown);
    s.form.SavePanelState();
    s.form.ReShowForm();
}

}  // namespace

void RegisterPanelSetup(MainWindow& form) {
    // Lives as long as the form's hooks, which outlive every call into it.
    auto setup = std::make_shared<PanelSetup>(form);
    form.Hooks().makePanels = [setup] { InitPanels(*setup); };
    form.Hooks().toolTips = [setup] { return setup->tips.Get(); };
    form.Router().Add("ShowTopBar", [setup](int) { ShowTopBar_Click(*setup); });
    form.Router().Add("OpenPicFile", [setup](int) { OpenPicFile_Click(*setup); });
}

}  // namespace tavolin
