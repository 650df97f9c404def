#pragma once
#include <windows.h>
#include <oaidl.h>

// The system's common dialogs. Arguments are by reference and changed in place;
// a null pointer stands for an argument left out (its default, nothing written back).
// Truth values are VARIANT_BOOL; an Owner of -1 means no owner window.
struct ImCommonDialog : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_APIReturn(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ExtendedError(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE VBGetOpenFileName(BSTR* Filename, BSTR* FileTitle, VARIANT_BOOL* FileMustExist,
                                                        VARIANT_BOOL* MultiSelect, VARIANT_BOOL* ReadOnly,
                                                        VARIANT_BOOL* HideReadOnly, BSTR* Filter, LONG* FilterIndex,
                                                        BSTR* InitDir, BSTR* DlgTitle, BSTR* DefaultExt,
                                                        LONG_PTR* Owner, LONG* Flags, VARIANT_BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE VBGetSaveFileName(BSTR* Filename, BSTR* FileTitle, VARIANT_BOOL* OverWritePrompt,
                                                        BSTR* Filter, LONG* FilterIndex, BSTR* InitDir, BSTR* DlgTitle,
                                                        BSTR* DefaultExt, LONG_PTR* Owner, LONG* Flags,
                                                        VARIANT_BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE VBGetFileTitle(BSTR* sFile, BSTR* title) = 0;
    virtual HRESULT STDMETHODCALLTYPE VBChooseColor(LONG* color, VARIANT_BOOL* AnyColor, VARIANT_BOOL* FullOpen,
                                                    VARIANT_BOOL* DisableFullOpen, LONG_PTR* Owner, LONG* Flags,
                                                    VARIANT_BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CustomColor(SHORT i, LONG* color) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CustomColor(SHORT i, LONG color) = 0;
    // PrintRange is an EPrintRange; Printer an object with Copies, Orientation, PaperSize, PrintQuality, or null.
    virtual HRESULT STDMETHODCALLTYPE VBPrintDlg(LONG_PTR* hdc, LONG* PrintRange, VARIANT_BOOL* DisablePageNumbers,
                                                 LONG* FromPage, LONG* ToPage, VARIANT_BOOL* DisableSelection,
                                                 LONG* Copies, VARIANT_BOOL* ShowPrintToFile,
                                                 VARIANT_BOOL* DisablePrintToFile, VARIANT_BOOL* PrintToFile,
                                                 VARIANT_BOOL* Collate, VARIANT_BOOL* PreventWarning, LONG_PTR* Owner,
                                                 IDispatch* Printer, LONG* Flags, VARIANT_BOOL* result) = 0;
    // PaperSize, Orientation, PrintQuality and Units are EPaperSize, EOrientation, EPrintQuality, EPageSetupUnits.
    virtual HRESULT STDMETHODCALLTYPE VBPageSetupDlg(
        LONG_PTR* Owner, VARIANT_BOOL* DisableMargins, VARIANT_BOOL* DisableOrientation, VARIANT_BOOL* DisablePaper,
        VARIANT_BOOL* DisablePrinter, LONG* LeftMargin, LONG* MinLeftMargin, LONG* RightMargin, LONG* MinRightMargin,
        LONG* TopMargin, LONG* MinTopMargin, LONG* BottomMargin, LONG* MinBottomMargin, LONG* PaperSize,
        LONG* Orientation, LONG* PrintQuality, LONG* Units, IDispatch* Printer, LONG* Flags, VARIANT_BOOL* result) = 0;
    // CurFont is a font object (Name, Size, Bold, Italic, Underline, Strikethrough, Weight), changed in place.
    virtual HRESULT STDMETHODCALLTYPE VBChooseFont(IDispatch* CurFont, LONG_PTR* PrinterDC, LONG_PTR* Owner,
                                                   LONG* color, LONG* MinSize, LONG* MaxSize, LONG* Flags,
                                                   VARIANT_BOOL* result) = 0;
};
__CRT_UUID_DECL(ImCommonDialog, 0xddc9d893, 0x166e, 0x449e, 0xb1, 0x9d, 0x33, 0x70, 0x28, 0xe2, 0x9c, 0x74)

inline constexpr CLSID CLSID_mCommonDialog = {
    0xb418eb84, 0x8ef5, 0x45d9, {0xa9, 0x91, 0xc0, 0xa5, 0x1c, 0x0b, 0xe0, 0x31}};

namespace dispid::mCommonDialog {
enum : DISPID {
    APIReturn = 1,
    ExtendedError,
    VBGetOpenFileName,
    VBGetSaveFileName,
    VBGetFileTitle,
    VBChooseColor,
    CustomColor,
    VBPrintDlg,
    VBPageSetupDlg,
    VBChooseFont,
};
}
