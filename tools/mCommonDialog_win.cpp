#include "mCommonDialog_win.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstring>

#include "DialogFilter.h"
#include "FileNames.h"
#include "com/Bstr.h"
#include "com/Variant.h"
#include "records/Dialogs.h"
#include "records/Numbers.h"
#include "text/WideText_win.h"
#include "win/GdiHandles.h"
#include "win/KernelHandles.h"

namespace tessaly {
namespace {

constexpr size_t kNameBuffer = 260;

HWND OwnerWindow(intptr_t owner) {
    return owner == -1 ? nullptr : reinterpret_cast<HWND>(owner);
}

const wchar_t* OrNull(const std::wstring& s) {
    return s.empty() ? nullptr : s.c_str();
}

// A file-name buffer that starts with the caller's text.
std::vector<wchar_t> NameBuffer(const std::wstring& text) {
    std::vector<wchar_t> b(kNameBuffer, L'\0');
    std::memcpy(b.data(), text.data(), std::min(text.size(), kNameBuffer - 1) * sizeof(wchar_t));
    return b;
}

std::wstring FromBuffer(const std::vector<wchar_t>& b) {
    return ToWide(UpToNul(std::u16string_view(reinterpret_cast<const char16_t*>(b.data()), b.size())));
}

std::wstring LibraryFolder() {
    std::vector<wchar_t> path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(com::ThisModule(), path.data(), static_cast<DWORD>(path.size()));
    std::wstring s(path.data(), n);
    const size_t slash = s.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : s.substr(0, slash);
}

// The folder the user last chose a file in, for the whole process.
std::wstring& LastFolder() {
    static std::wstring folder;
    return folder;
}

bool IsFolder(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Where a file dialog starts: the folder last used, else the songs' folder beside the program,
// made when missing (the system would start in the program's own folder instead).
std::wstring StartFolder() {
    if (!LastFolder().empty() && IsFolder(LastFolder())) return LastFolder();
    const std::wstring songs = LibraryFolder() + L"\\歌曲";
    CreateDirectoryW(songs.c_str(), nullptr);
    return songs;
}

// A chosen name's folder; several files chosen at once give the folder itself.
void RememberFolder(const std::wstring& chosen) {
    if (IsFolder(chosen)) {
        LastFolder() = chosen;
        return;
    }
    const size_t slash = chosen.rfind(L'\\');
    if (slash != std::wstring::npos) LastFolder() = chosen.substr(0, slash);
}

// Sets one property of an outside object; the object may lack it.
void PutProperty(IDispatch* object, const wchar_t* name, VARIANT value) {
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    if (FAILED(object->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id))) return;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS p{&value, &put, 1, 1};
    object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &p, nullptr, nullptr, nullptr);
}

void PutLong(IDispatch* object, const wchar_t* name, int32_t v) {
    VARIANT x;
    V_VT(&x) = VT_I4;
    V_I4(&x) = v;
    PutProperty(object, name, x);
}

// Reads one property as type vt; false when the object lacks it.
bool GetProperty(IDispatch* object, const wchar_t* name, VARTYPE vt, com::Variant& out) {
    out.Reset();
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    if (FAILED(object->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    com::Variant r;
    if (FAILED(
            object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, r.Out(), nullptr, nullptr)))
        return false;
    return SUCCEEDED(VariantChangeType(out.Out(), &r.Raw(), 0, vt));
}

void SetPrinterObject(IDispatch* printer, const DEVMODEW& dm) {
    if (!printer) return;
    PutLong(printer, L"Copies", dm.dmCopies);
    PutLong(printer, L"Orientation", dm.dmOrientation);
    PutLong(printer, L"PaperSize", dm.dmPaperSize);
    PutLong(printer, L"PrintQuality", dm.dmPrintQuality);
}

// The device context of the system's current printer, or none.
HDC DefaultPrinterDc() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return nullptr;
    std::vector<wchar_t> name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) return nullptr;
    return CreateDCW(L"WINSPOOL", name.data(), nullptr, nullptr);
}

// Arguments of the interface's methods: a null pointer is an argument left out.
void In(std::wstring& v, const BSTR* p) {
    if (p) v = *p ? std::wstring(*p, SysStringLen(*p)) : std::wstring();
}
void In(bool& v, const VARIANT_BOOL* p) {
    if (p) v = *p != VARIANT_FALSE;
}
void In(int32_t& v, const LONG* p) {
    if (p) v = *p;
}
void In(intptr_t& v, const LONG_PTR* p) {
    if (p) v = *p;
}
void Out(BSTR* p, const std::wstring& v) {
    if (p) com::Replace(p, com::Bstr(v));
}
void Out(VARIANT_BOOL* p, bool v) {
    if (p) *p = v ? VARIANT_TRUE : VARIANT_FALSE;
}
void Out(LONG* p, int32_t v) {
    if (p) *p = v;
}
void Out(LONG_PTR* p, intptr_t v) {
    if (p) *p = v;
}

// The same for dispatch calls: a missing or left-out argument keeps its default.
struct Bind {
    com::Args& a;
    bool Has(UINT i) const { return i < a.Count() && !a[i].Missing(); }
    void In(UINT i, std::wstring& v) const {
        if (Has(i)) v = a[i].Str();
    }
    void In(UINT i, bool& v) const {
        if (Has(i)) v = a[i].Bool();
    }
    void In(UINT i, int32_t& v) const {
        if (Has(i)) v = a[i].Long();
    }
    void In(UINT i, intptr_t& v) const {
        if (Has(i)) v = a[i].Handle();
    }
    void In(UINT i, com::Ptr<IDispatch>& v) const {
        if (!Has(i)) return;
        const VARIANT* x = &a[i].Raw();
        if (V_VT(x) == (VT_VARIANT | VT_BYREF)) x = V_VARIANTREF(x);
        if (V_VT(x) == VT_DISPATCH) v = com::Ptr<IDispatch>::Share(V_DISPATCH(x));
        if (V_VT(x) == (VT_DISPATCH | VT_BYREF)) v = com::Ptr<IDispatch>::Share(*V_DISPATCHREF(x));
    }
    void Out(UINT i, const std::wstring& v) const {
        if (Has(i)) a[i].Set(std::wstring_view(v));
    }
    void Out(UINT i, bool v) const {
        if (Has(i)) a[i].SetBool(v);
    }
    void Out(UINT i, int32_t v) const {
        if (Has(i)) a[i].Set(v);
    }
    // Handles of the window system keep their meaning in 32 bits.
    void Out(UINT i, intptr_t v) const {
        if (Has(i)) a[i].Set(static_cast<int32_t>(v));
    }
};

}  // namespace

bool mCommonDialog::FileDialog(FileDialogArgs& a, DWORD flags, const std::wstring& initialDir, bool save,
                               int32_t failedIndex) {
    apiReturn_ = 0;
    extendedError_ = 0;
    flags |= static_cast<DWORD>(a.Flags) & ~DWORD(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE);
    // The current folder stays where it was, so that a DLL beside a chosen document is never loaded.
    flags |= OFN_NOCHANGEDIR;
    const std::wstring filter = ToWide(DialogFilter(ToU16(a.Filter)));
    auto file = NameBuffer(a.Filename);
    auto title = NameBuffer(a.FileTitle);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = OwnerWindow(a.Owner);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(a.FilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kNameBuffer;
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = kNameBuffer;
    ofn.lpstrInitialDir = OrNull(initialDir);
    ofn.lpstrTitle = OrNull(a.DlgTitle);
    ofn.lpstrDefExt = OrNull(a.DefaultExt);
    ofn.Flags = flags;
    apiReturn_ = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    // Only 1 is a confirmed choice; anything else is a cancel or a dialog that failed.
    if (apiReturn_ == 1) {
        a.Filename = FromBuffer(file);
        a.FileTitle = FromBuffer(title);
        a.Flags = static_cast<int32_t>(ofn.Flags);
        a.FilterIndex = static_cast<int32_t>(ofn.nFilterIndex);
        a.Filter = ToWide(ChosenFilterPair(ToU16(filter), a.FilterIndex));
        RememberFolder(a.Filename);
        return true;
    }
    extendedError_ = static_cast<int32_t>(CommDlgExtendedError());
    a.Filename.clear();
    a.FileTitle.clear();
    a.Flags = 0;
    a.FilterIndex = failedIndex;
    a.Filter.clear();
    return false;
}

bool mCommonDialog::OpenFile(OpenFileArgs& a) {
    DWORD flags = 0;
    if (a.FileMustExist) flags |= OFN_FILEMUSTEXIST;
    if (a.MultiSelect) flags |= OFN_ALLOWMULTISELECT;
    if (a.ReadOnly) flags |= OFN_READONLY;
    if (a.HideReadOnly) flags |= OFN_HIDEREADONLY;
    // Whatever the caller asks: the songs' folder, then the folder last used.
    if (!FileDialog(a, flags, StartFolder(), false, -1)) return false;
    a.ReadOnly = (a.Flags & OFN_READONLY) != 0;
    return true;
}

bool mCommonDialog::SaveFile(SaveFileArgs& a) {
    const DWORD flags = OFN_HIDEREADONLY | (a.OverWritePrompt ? OFN_OVERWRITEPROMPT : 0);
    return FileDialog(a, flags, a.InitDir.empty() ? StartFolder() : a.InitDir, true, 0);
}

std::wstring mCommonDialog::FileTitle(const std::wstring& file) {
    std::vector<wchar_t> title(kNameBuffer, L'\0');
    if (GetFileTitleW(file.c_str(), title.data(), kNameBuffer) != 0) return {};
    return FromBuffer(title);
}

void mCommonDialog::FillCustomColors() {
    if (customColorsFilled_) return;
    for (int i = 0; i < 16; ++i) customColors_[i] = GetSysColor(i);
    customColorsFilled_ = true;
}

int32_t mCommonDialog::CustomColor(int i) {
    FillCustomColors();
    if (i < 0 || i > 15) return -1;
    return static_cast<int32_t>(customColors_[i]);
}

void mCommonDialog::SetCustomColor(int i, int32_t color) {
    FillCustomColors();
    if (i >= 0 && i <= 15) customColors_[i] = static_cast<COLORREF>(color);
}

bool mCommonDialog::PickColor(ColorArgs& a) {
    FillCustomColors();
    apiReturn_ = 0;
    extendedError_ = 0;
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = OwnerWindow(a.Owner);
    cc.rgbResult = static_cast<COLORREF>(a.color);
    cc.lpCustColors = customColors_.data();
    cc.Flags = CC_RGBINIT | (a.AnyColor ? CC_ANYCOLOR : CC_SOLIDCOLOR);
    if (a.FullOpen) cc.Flags |= CC_FULLOPEN;
    if (a.DisableFullOpen) cc.Flags |= CC_PREVENTFULLOPEN;
    apiReturn_ = ChooseColorW(&cc);
    if (apiReturn_ == 1) {
        a.color = static_cast<int32_t>(cc.rgbResult);
        return true;
    }
    extendedError_ = static_cast<int32_t>(CommDlgExtendedError());
    a.color = -1;
    return false;
}

void mCommonDialog::KeepDevMode(HGLOBAL devMode) {
    win::GlobalLocked lock(devMode);
    const auto* dm = static_cast<const DEVMODEW*>(lock.Get());
    if (!dm) return;
    const size_t size = size_t(dm->dmSize) + dm->dmDriverExtra;
    if (size < sizeof(DEVMODEW) || size > GlobalSize(devMode)) return;
    const auto* bytes = reinterpret_cast<const BYTE*>(dm);
    devMode_.assign(bytes, bytes + size);
}

HGLOBAL mCommonDialog::DevModeCopy() const {
    if (devMode_.empty()) return nullptr;
    win::GlobalMemory h(GlobalAlloc(GMEM_MOVEABLE, devMode_.size()));
    {
        const win::GlobalLocked lock(h.Get());
        if (!lock.Get()) return nullptr;
        std::memcpy(lock.Get(), devMode_.data(), devMode_.size());
    }
    return h.Release();
}

bool mCommonDialog::Print(PrintArgs& a) {
    apiReturn_ = 0;
    extendedError_ = 0;
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = OwnerWindow(a.Owner);
    pd.hDevMode = DevModeCopy();
    pd.Flags = PD_RETURNDC;
    if (a.DisablePageNumbers) pd.Flags |= PD_NOPAGENUMS;
    if (a.DisableSelection) pd.Flags |= PD_NOSELECTION;
    if (a.PrintToFile) pd.Flags |= PD_PRINTTOFILE;
    if (a.PreventWarning) pd.Flags |= PD_NOWARNING;
    if (a.Collate) pd.Flags |= PD_COLLATE;
    if (a.PrintRange == eprPageNumbers) pd.Flags |= PD_PAGENUMS;
    if (a.PrintRange == eprSelection) pd.Flags |= PD_SELECTION;
    if (a.DisablePrintToFile) pd.Flags |= PD_DISABLEPRINTTOFILE;
    if (!a.ShowPrintToFile) pd.Flags |= PD_HIDEPRINTTOFILE;
    // Copies and collation travel in the printer settings, which come back to the caller.
    pd.Flags |= PD_USEDEVMODECOPIESANDCOLLATE;
    pd.nFromPage = static_cast<WORD>(a.FromPage);
    pd.nToPage = static_cast<WORD>(a.ToPage);
    pd.nMinPage = 1;
    pd.nMaxPage = 65535;
    pd.nCopies = static_cast<WORD>(a.Copies > 0 ? a.Copies : 1);
    apiReturn_ = PrintDlgW(&pd);
    const bool ok = apiReturn_ == 1;
    if (ok) {
        a.hdc = reinterpret_cast<intptr_t>(pd.hDC);
        a.PrintRange = (pd.Flags & PD_PAGENUMS) ? eprPageNumbers : (pd.Flags & PD_SELECTION) ? eprSelection : eprAll;
        a.FromPage = pd.nFromPage;
        a.ToPage = pd.nToPage;
        a.PrintToFile = (pd.Flags & PD_PRINTTOFILE) != 0;
        KeepDevMode(pd.hDevMode);
        if (devMode_.size() >= sizeof(DEVMODEW)) {
            DEVMODEW dm;
            std::memcpy(&dm, devMode_.data(), sizeof dm);
            a.Copies = dm.dmCopies;
            a.Collate = dm.dmCollate == 1;
            SetPrinterObject(a.Printer.Get(), dm);
        }
    } else {
        extendedError_ = static_cast<int32_t>(CommDlgExtendedError());
    }
    const win::GlobalMemory devMode(pd.hDevMode), devNames(pd.hDevNames);
    return ok;
}

bool mCommonDialog::PageSetup(PageSetupArgs& a) {
    PAGESETUPDLGW psd{};
    psd.lStructSize = sizeof psd;
    psd.hwndOwner = OwnerWindow(a.Owner);
    psd.hDevMode = DevModeCopy();
    psd.Flags = PSD_MARGINS | PSD_MINMARGINS;
    if (a.DisableMargins) psd.Flags |= PSD_DISABLEMARGINS;
    if (a.DisableOrientation) psd.Flags |= PSD_DISABLEORIENTATION;
    if (a.DisablePaper) psd.Flags |= PSD_DISABLEPAPER;
    if (a.DisablePrinter) psd.Flags |= PSD_DISABLEPRINTER;
    const int32_t factor = a.Units != epsuInches ? 100 : 1000;
    psd.Flags |= a.Units != epsuInches ? PSD_INHUNDREDTHSOFMILLIMETERS : PSD_INTHOUSANDTHSOFINCHES;
    auto& m = a.Margins;
    auto scaled = [&](int32_t v) { return static_cast<LONG>(CLng(double(v) * factor)); };
    psd.rtMargin = RECT{scaled(m[0]), scaled(m[4]), scaled(m[2]), scaled(m[6])};
    psd.rtMinMargin = RECT{scaled(m[1]), scaled(m[5]), scaled(m[3]), scaled(m[7])};
    const bool ok = PageSetupDlgW(&psd) == 1;
    if (ok) {
        auto back = [&](LONG v) { return CLng(double(v) / factor); };
        m = {back(psd.rtMargin.left),     back(psd.rtMinMargin.left),  back(psd.rtMargin.right),
             back(psd.rtMinMargin.right), back(psd.rtMargin.top),      back(psd.rtMinMargin.top),
             back(psd.rtMargin.bottom),   back(psd.rtMinMargin.bottom)};
        KeepDevMode(psd.hDevMode);
        if (devMode_.size() >= sizeof(DEVMODEW)) {
            DEVMODEW dm;
            std::memcpy(&dm, devMode_.data(), sizeof dm);
            a.PaperSize = dm.dmPaperSize;
            a.Orientation = dm.dmOrientation;
            a.PrintQuality = dm.dmPrintQuality;
            SetPrinterObject(a.Printer.Get(), dm);
        }
    }
    const win::GlobalMemory devMode(psd.hDevMode), devNames(psd.hDevNames);
    return ok;
}

bool mCommonDialog::PickFont(FontArgs& a) {
    apiReturn_ = 0;
    extendedError_ = 0;
    DWORD flags = static_cast<DWORD>(a.Flags);
    HDC printerDc = nullptr;
    win::OwnedDc defaultPrinter;
    if (a.PrinterDC == -1) {
        if (flags & CF_PRINTERFONTS) {
            defaultPrinter = win::OwnedDc(DefaultPrinterDc());
            printerDc = defaultPrinter.Get();
        }
    } else {
        printerDc = reinterpret_cast<HDC>(a.PrinterDC);
        flags |= CF_PRINTERFONTS;
    }
    if (!(flags & CF_PRINTERFONTS)) flags |= CF_SCREENFONTS;
    if (a.color != 0) flags |= CF_EFFECTS;
    if (a.MinSize != 0 || a.MaxSize != 0) flags |= CF_LIMITSIZE;
    flags &= ~DWORD(CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_APPLY);
    flags |= CF_INITTOLOGFONTSTRUCT;

    LOGFONTW lf{};
    double size = 0;
    if (IDispatch* font = a.CurFont.Get()) {
        com::Variant owned;
        VARIANT& v = owned.Raw();
        if (GetProperty(font, L"Size", VT_R8, owned)) size = V_R8(&v);
        const win::ScreenDc screen;
        const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
        const double twipsPerPixel = 1440.0 / (dpi > 0 ? dpi : 96);
        lf.lfHeight = -CLng(size * 20 / twipsPerPixel);
        if (GetProperty(font, L"Weight", VT_I4, owned)) lf.lfWeight = V_I4(&v);
        if (GetProperty(font, L"Italic", VT_BOOL, owned)) lf.lfItalic = V_BOOL(&v) != VARIANT_FALSE;
        if (GetProperty(font, L"Underline", VT_BOOL, owned)) lf.lfUnderline = V_BOOL(&v) != VARIANT_FALSE;
        if (GetProperty(font, L"Strikethrough", VT_BOOL, owned)) lf.lfStrikeOut = V_BOOL(&v) != VARIANT_FALSE;
        if (GetProperty(font, L"Name", VT_BSTR, owned) && V_BSTR(&v)) lstrcpynW(lf.lfFaceName, V_BSTR(&v), LF_FACESIZE);
    }
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = OwnerWindow(a.Owner);
    cf.hDC = printerDc;
    cf.lpLogFont = &lf;
    cf.iPointSize = CLng(size * 10);
    cf.Flags = flags;
    cf.rgbColors = static_cast<COLORREF>(a.color);
    cf.nSizeMin = a.MinSize;
    cf.nSizeMax = a.MaxSize;
    apiReturn_ = ChooseFontW(&cf);
    if (apiReturn_ != 1) {
        extendedError_ = static_cast<int32_t>(CommDlgExtendedError());
        return false;
    }
    a.Flags = static_cast<int32_t>(cf.Flags);
    a.color = static_cast<int32_t>(cf.rgbColors);
    if (IDispatch* font = a.CurFont.Get()) {
        VARIANT v;
        V_VT(&v) = VT_BOOL;
        V_BOOL(&v) = (cf.nFontType & BOLD_FONTTYPE) ? VARIANT_TRUE : VARIANT_FALSE;
        PutProperty(font, L"Bold", v);
        V_BOOL(&v) = lf.lfItalic ? VARIANT_TRUE : VARIANT_FALSE;
        PutProperty(font, L"Italic", v);
        V_BOOL(&v) = lf.lfStrikeOut ? VARIANT_TRUE : VARIANT_FALSE;
        PutProperty(font, L"Strikethrough", v);
        V_BOOL(&v) = lf.lfUnderline ? VARIANT_TRUE : VARIANT_FALSE;
        PutProperty(font, L"Underline", v);
        V_VT(&v) = VT_I2;
        V_I2(&v) = static_cast<SHORT>(lf.lfWeight);
        PutProperty(font, L"Weight", v);
        V_VT(&v) = VT_R8;
        V_R8(&v) = cf.iPointSize / 10.0;
        PutProperty(font, L"Size", v);
        PutProperty(font, L"Name", com::Variant(std::wstring_view(lf.lfFaceName)).Raw());
    }
    return true;
}

HRESULT mCommonDialog::get_APIReturn(LONG* value) {
    if (!value) return E_POINTER;
    *value = apiReturn_;
    return S_OK;
}

HRESULT mCommonDialog::get_ExtendedError(LONG* value) {
    if (!value) return E_POINTER;
    *value = extendedError_;
    return S_OK;
}

HRESULT mCommonDialog::VBGetOpenFileName(BSTR* Filename, BSTR* FileTitle, VARIANT_BOOL* FileMustExist,
                                         VARIANT_BOOL* MultiSelect, VARIANT_BOOL* ReadOnly, VARIANT_BOOL* HideReadOnly,
                                         BSTR* Filter, LONG* FilterIndex, BSTR* InitDir, BSTR* DlgTitle,
                                         BSTR* DefaultExt, LONG_PTR* Owner, LONG* Flags, VARIANT_BOOL* result) {
    return com::Guard([&] {
        OpenFileArgs a;
        In(a.Filename, Filename), In(a.FileTitle, FileTitle), In(a.FileMustExist, FileMustExist);
        In(a.MultiSelect, MultiSelect), In(a.ReadOnly, ReadOnly), In(a.HideReadOnly, HideReadOnly);
        In(a.Filter, Filter), In(a.FilterIndex, FilterIndex), In(a.InitDir, InitDir), In(a.DlgTitle, DlgTitle);
        In(a.DefaultExt, DefaultExt), In(a.Owner, Owner), In(a.Flags, Flags);
        const bool ok = OpenFile(a);
        Out(Filename, a.Filename), Out(FileTitle, a.FileTitle), Out(ReadOnly, a.ReadOnly), Out(Filter, a.Filter);
        Out(FilterIndex, a.FilterIndex), Out(Flags, a.Flags), Out(result, ok);
    });
}

HRESULT mCommonDialog::VBGetSaveFileName(BSTR* Filename, BSTR* FileTitle, VARIANT_BOOL* OverWritePrompt, BSTR* Filter,
                                         LONG* FilterIndex, BSTR* InitDir, BSTR* DlgTitle, BSTR* DefaultExt,
                                         LONG_PTR* Owner, LONG* Flags, VARIANT_BOOL* result) {
    return com::Guard([&] {
        SaveFileArgs a;
        In(a.Filename, Filename), In(a.FileTitle, FileTitle), In(a.OverWritePrompt, OverWritePrompt);
        In(a.Filter, Filter), In(a.FilterIndex, FilterIndex), In(a.InitDir, InitDir), In(a.DlgTitle, DlgTitle);
        In(a.DefaultExt, DefaultExt), In(a.Owner, Owner), In(a.Flags, Flags);
        const bool ok = SaveFile(a);
        Out(Filename, a.Filename), Out(FileTitle, a.FileTitle), Out(Filter, a.Filter);
        Out(FilterIndex, a.FilterIndex), Out(Flags, a.Flags), Out(result, ok);
    });
}

HRESULT mCommonDialog::VBGetFileTitle(BSTR* sFile, BSTR* title) {
    if (!title) return E_POINTER;
    *title = nullptr;
    return com::Guard([&] {
        std::wstring file;
        In(file, sFile);
        *title = AllocBstr(FileTitle(file));
    });
}

HRESULT mCommonDialog::VBChooseColor(LONG* color, VARIANT_BOOL* AnyColor, VARIANT_BOOL* FullOpen,
                                     VARIANT_BOOL* DisableFullOpen, LONG_PTR* Owner, LONG* Flags,
                                     VARIANT_BOOL* result) {
    return com::Guard([&] {
        ColorArgs a;
        In(a.color, color), In(a.AnyColor, AnyColor), In(a.FullOpen, FullOpen);
        In(a.DisableFullOpen, DisableFullOpen), In(a.Owner, Owner), In(a.Flags, Flags);
        const bool ok = PickColor(a);
        Out(color, a.color), Out(result, ok);
    });
}

HRESULT mCommonDialog::get_CustomColor(SHORT i, LONG* color) {
    if (!color) return E_POINTER;
    *color = CustomColor(i);
    return S_OK;
}

HRESULT mCommonDialog::put_CustomColor(SHORT i, LONG color) {
    SetCustomColor(i, color);
    return S_OK;
}

HRESULT mCommonDialog::VBPrintDlg(LONG_PTR* hdc, LONG* PrintRange, VARIANT_BOOL* DisablePageNumbers, LONG* FromPage,
                                  LONG* ToPage, VARIANT_BOOL* DisableSelection, LONG* Copies,
                                  VARIANT_BOOL* ShowPrintToFile, VARIANT_BOOL* DisablePrintToFile,
                                  VARIANT_BOOL* PrintToFile, VARIANT_BOOL* Collate, VARIANT_BOOL* PreventWarning,
                                  LONG_PTR* Owner, IDispatch* Printer, LONG* Flags, VARIANT_BOOL* result) {
    return com::Guard([&] {
        PrintArgs a;
        In(a.hdc, hdc), In(a.PrintRange, PrintRange), In(a.DisablePageNumbers, DisablePageNumbers);
        In(a.FromPage, FromPage), In(a.ToPage, ToPage), In(a.DisableSelection, DisableSelection);
        In(a.Copies, Copies), In(a.ShowPrintToFile, ShowPrintToFile), In(a.DisablePrintToFile, DisablePrintToFile);
        In(a.PrintToFile, PrintToFile), In(a.Collate, Collate), In(a.PreventWarning, PreventWarning);
        In(a.Owner, Owner), In(a.Flags, Flags);
        a.Printer = com::Ptr<IDispatch>::Share(Printer);
        const bool ok = Print(a);
        Out(hdc, a.hdc), Out(PrintRange, a.PrintRange), Out(FromPage, a.FromPage), Out(ToPage, a.ToPage);
        Out(Copies, a.Copies), Out(PrintToFile, a.PrintToFile), Out(Collate, a.Collate), Out(result, ok);
    });
}

HRESULT mCommonDialog::VBPageSetupDlg(LONG_PTR* Owner, VARIANT_BOOL* DisableMargins, VARIANT_BOOL* DisableOrientation,
                                      VARIANT_BOOL* DisablePaper, VARIANT_BOOL* DisablePrinter, LONG* LeftMargin,
                                      LONG* MinLeftMargin, LONG* RightMargin, LONG* MinRightMargin, LONG* TopMargin,
                                      LONG* MinTopMargin, LONG* BottomMargin, LONG* MinBottomMargin, LONG* PaperSize,
                                      LONG* Orientation, LONG* PrintQuality, LONG* Units, IDispatch* Printer,
                                      LONG* Flags, VARIANT_BOOL* result) {
    return com::Guard([&] {
        PageSetupArgs a;
        LONG* margins[8] = {LeftMargin, MinLeftMargin, RightMargin,  MinRightMargin,
                            TopMargin,  MinTopMargin,  BottomMargin, MinBottomMargin};
        In(a.Owner, Owner), In(a.DisableMargins, DisableMargins), In(a.DisableOrientation, DisableOrientation);
        In(a.DisablePaper, DisablePaper), In(a.DisablePrinter, DisablePrinter);
        for (int i = 0; i < 8; ++i) In(a.Margins[i], margins[i]);
        In(a.PaperSize, PaperSize), In(a.Orientation, Orientation), In(a.PrintQuality, PrintQuality);
        In(a.Units, Units), In(a.Flags, Flags);
        a.Printer = com::Ptr<IDispatch>::Share(Printer);
        const bool ok = PageSetup(a);
        for (int i = 0; i < 8; ++i) Out(margins[i], a.Margins[i]);
        Out(PaperSize, a.PaperSize), Out(Orientation, a.Orientation), Out(PrintQuality, a.PrintQuality);
        Out(result, ok);
    });
}

HRESULT mCommonDialog::VBChooseFont(IDispatch* CurFont, LONG_PTR* PrinterDC, LONG_PTR* Owner, LONG* color,
                                    LONG* MinSize, LONG* MaxSize, LONG* Flags, VARIANT_BOOL* result) {
    return com::Guard([&] {
        FontArgs a;
        a.CurFont = com::Ptr<IDispatch>::Share(CurFont);
        In(a.PrinterDC, PrinterDC), In(a.Owner, Owner), In(a.color, color), In(a.MinSize, MinSize);
        In(a.MaxSize, MaxSize), In(a.Flags, Flags);
        const bool ok = PickFont(a);
        Out(Flags, a.Flags), Out(color, a.color), Out(result, ok);
    });
}

std::span<const com::Member<mCommonDialog>> mCommonDialog::Members() {
    namespace id = dispid::mCommonDialog;
    using S = mCommonDialog;
    using A = com::Args;
    static const com::Member<S> table[] = {
        {id::APIReturn, L"APIReturn", com::kGet, [](S& s, A&, VARIANT* r) { com::Return(r, s.apiReturn_); }},
        {id::ExtendedError, L"ExtendedError", com::kGet,
         [](S& s, A&, VARIANT* r) { com::Return(r, s.extendedError_); }},
        {id::VBGetOpenFileName, L"VBGetOpenFileName", com::kMethod,
         [](S& s, A& args, VARIANT* r) {
             const Bind b{args};
             OpenFileArgs a;
             b.In(0, a.Filename), b.In(1, a.FileTitle), b.In(2, a.FileMustExist), b.In(3, a.MultiSelect);
             b.In(4, a.ReadOnly), b.In(5, a.HideReadOnly), b.In(6, a.Filter), b.In(7, a.FilterIndex);
             b.In(8, a.InitDir), b.In(9, a.DlgTitle), b.In(10, a.DefaultExt), b.In(11, a.Owner), b.In(12, a.Flags);
             const bool ok = s.OpenFile(a);
             b.Out(0, a.Filename), b.Out(1, a.FileTitle), b.Out(4, a.ReadOnly), b.Out(6, a.Filter);
             b.Out(7, a.FilterIndex), b.Out(12, a.Flags);
             com::Return(r, ok);
         }},
        {id::VBGetSaveFileName, L"VBGetSaveFileName", com::kMethod,
         [](S& s, A& args, VARIANT* r) {
             const Bind b{args};
             SaveFileArgs a;
             b.In(0, a.Filename), b.In(1, a.FileTitle), b.In(2, a.OverWritePrompt), b.In(3, a.Filter);
             b.In(4, a.FilterIndex), b.In(5, a.InitDir), b.In(6, a.DlgTitle), b.In(7, a.DefaultExt);
             b.In(8, a.Owner), b.In(9, a.Flags);
             const bool ok = s.SaveFile(a);
             b.Out(0, a.Filename), b.Out(1, a.FileTitle), b.Out(3, a.Filter), b.Out(4, a.FilterIndex);
             b.Out(9, a.Flags);
             com::Return(r, ok);
         }},
        {id::VBGetFileTitle, L"VBGetFileTitle", com::kMethod,
         [](S&, A& a, VARIANT* r) { com::Return(r, std::wstring_view(FileTitle(a[0].Str()))); }},
        {id::VBChooseColor, L"VBChooseColor", com::kMethod,
         [](S& s, A& args, VARIANT* r) {
             const Bind b{args};
             ColorArgs a;
             b.In(0, a.color), b.In(1, a.AnyColor), b.In(2, a.FullOpen), b.In(3, a.DisableFullOpen);
             b.In(4, a.Owner), b.In(5, a.Flags);
             const bool ok = s.PickColor(a);
             b.Out(0, a.color);
             com::Return(r, ok);
         }},
        {id::CustomColor, L"CustomColor", com::kGet,
         [](S& s, A& a, VARIANT* r) { com::Return(r, s.CustomColor(a[0].Long())); }},
        {id::CustomColor, L"CustomColor", com::kPut,
         [](S& s, A& a, VARIANT*) { s.SetCustomColor(a[0].Long(), a.Value().Long()); }},
        {id::VBPrintDlg, L"VBPrintDlg", com::kMethod,
         [](S& s, A& args, VARIANT* r) {
             const Bind b{args};
             PrintArgs a;
             b.In(0, a.hdc), b.In(1, a.PrintRange), b.In(2, a.DisablePageNumbers), b.In(3, a.FromPage);
             b.In(4, a.ToPage), b.In(5, a.DisableSelection), b.In(6, a.Copies), b.In(7, a.ShowPrintToFile);
             b.In(8, a.DisablePrintToFile), b.In(9, a.PrintToFile), b.In(10, a.Collate), b.In(11, a.PreventWarning);
             b.In(12, a.Owner), b.In(13, a.Printer), b.In(14, a.Flags);
             const bool ok = s.Print(a);
             b.Out(0, a.hdc), b.Out(1, a.PrintRange), b.Out(3, a.FromPage), b.Out(4, a.ToPage);
             b.Out(6, a.Copies), b.Out(9, a.PrintToFile), b.Out(10, a.Collate);
             com::Return(r, ok);
         }},
        {id::VBPageSetupDlg, L"VBPageSetupDlg", com::kMethod,
         [](S& s, A& args, VARIANT* r) {
             const Bind b{args};
             PageSetupArgs a;
             b.In(0, a.Owner), b.In(1, a.DisableMargins), b.In(2, a.DisableOrientation), b.In(3, a.DisablePaper);
             b.In(4, a.DisablePrinter);
             for (UINT i = 0; i < 8; ++i) b.In(5 + i, a.Margins[i]);
             b.In(13, a.PaperSize), b.In(14, a.Orientation), b.In(15, a.PrintQuality), b.In(16, a.Units);
             b.In(17, a.Printer), b.In(18, a.Flags);
             const bool ok = s.PageSetup(a);
             for (UINT i = 0; i < 8; ++i) b.Out(5 + i, a.Margins[i]);
             b.Out(13, a.PaperSize), b.Out(14, a.Orientation), b.Out(15, a.PrintQuality);
             com::Return(r, ok);
         }},
        {id::VBChooseFont, L"VBChooseFont", com::kMethod,
         [](S& s, A& args, VARIANT* r) {
             const Bind b{args};
             FontArgs a;
             b.In(0, a.CurFont), b.In(1, a.PrinterDC), b.In(2, a.Owner), b.In(3, a.color), b.In(4, a.MinSize);
             b.In(5, a.MaxSize), b.In(6, a.Flags);
             const bool ok = s.PickFont(a);
             b.Out(3, a.color), b.Out(6, a.Flags);
             com::Return(r, ok);
         }},
    };
    return table;
}

}  // namespace tessaly
