#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "api/ImCommonDialog.h"
#include "com/ComPtr.h"
#include "com/Object.h"

namespace tessaly {

// The arguments of each dialog with their defaults; the dialog changes them in place.
// What the open and save dialogs share.
struct FileDialogArgs {
    std::wstring Filename, FileTitle;
    std::wstring Filter = L"All (*.*)| *.*";
    int32_t FilterIndex = 1;
    std::wstring InitDir, DlgTitle, DefaultExt;
    intptr_t Owner = -1;
    int32_t Flags = 0;
};

struct OpenFileArgs : FileDialogArgs {
    bool FileMustExist = true, MultiSelect = false, ReadOnly = false, HideReadOnly = false;
};

struct SaveFileArgs : FileDialogArgs {
    bool OverWritePrompt = true;
};

struct ColorArgs {
    int32_t color = 0;
    bool AnyColor = true, FullOpen = false, DisableFullOpen = false;
    intptr_t Owner = -1;
    int32_t Flags = 0;
};

struct PrintArgs {
    intptr_t hdc = 0;
    int32_t PrintRange = 0;  // eprAll
    bool DisablePageNumbers = false;
    int32_t FromPage = 1, ToPage = -1;
    bool DisableSelection = false;
    int32_t Copies = 0;
    bool ShowPrintToFile = false, DisablePrintToFile = true, PrintToFile = false, Collate = false,
         PreventWarning = false;
    intptr_t Owner = 0;
    com::Ptr<IDispatch> Printer;
    int32_t Flags = 0;
};

struct PageSetupArgs {
    intptr_t Owner = 0;
    bool DisableMargins = false, DisableOrientation = false, DisablePaper = false, DisablePrinter = false;
    // Left, MinLeft, Right, MinRight, Top, MinTop, Bottom, MinBottom, in the caller's units.
    std::array<int32_t, 8> Margins{};
    int32_t PaperSize = 1;      // epsLetter
    int32_t Orientation = 1;    // eoPortrait
    int32_t PrintQuality = -1;  // epqDraft
    int32_t Units = 0;          // epsuInches
    com::Ptr<IDispatch> Printer;
    int32_t Flags = 0;
};

struct FontArgs {
    com::Ptr<IDispatch> CurFont;
    intptr_t PrinterDC = -1, Owner = -1;
    int32_t color = 0, MinSize = 0, MaxSize = 0, Flags = 0;
};

class mCommonDialog final : public com::DispatchObject<mCommonDialog, ImCommonDialog> {
public:
    static std::span<const com::Member<mCommonDialog>> Members();

    // Each answers true only when the user confirmed the dialog.
    bool OpenFile(OpenFileArgs& a);
    bool SaveFile(SaveFileArgs& a);
    static std::wstring FileTitle(const std::wstring& file);
    bool PickColor(ColorArgs& a);
    int32_t CustomColor(int i);
    void SetCustomColor(int i, int32_t color);
    bool Print(PrintArgs& a);
    bool PageSetup(PageSetupArgs& a);
    bool PickFont(FontArgs& a);

    HRESULT STDMETHODCALLTYPE get_APIReturn(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_ExtendedError(LONG* value) override;
    HRESULT STDMETHODCALLTYPE VBGetOpenFileName(BSTR* Filename, BSTR* FileTitle, VARIANT_BOOL* FileMustExist,
                                                VARIANT_BOOL* MultiSelect, VARIANT_BOOL* ReadOnly,
                                                VARIANT_BOOL* HideReadOnly, BSTR* Filter, LONG* FilterIndex,
                                                BSTR* InitDir, BSTR* DlgTitle, BSTR* DefaultExt, LONG_PTR* Owner,
                                                LONG* Flags, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE VBGetSaveFileName(BSTR* Filename, BSTR* FileTitle, VARIANT_BOOL* OverWritePrompt,
                                                BSTR* Filter, LONG* FilterIndex, BSTR* InitDir, BSTR* DlgTitle,
                                                BSTR* DefaultExt, LONG_PTR* Owner, LONG* Flags,
                                                VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE VBGetFileTitle(BSTR* sFile, BSTR* title) override;
    HRESULT STDMETHODCALLTYPE VBChooseColor(LONG* color, VARIANT_BOOL* AnyColor, VARIANT_BOOL* FullOpen,
                                            VARIANT_BOOL* DisableFullOpen, LONG_PTR* Owner, LONG* Flags,
                                            VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE get_CustomColor(SHORT i, LONG* color) override;
    HRESULT STDMETHODCALLTYPE put_CustomColor(SHORT i, LONG color) override;
    HRESULT STDMETHODCALLTYPE VBPrintDlg(LONG_PTR* hdc, LONG* PrintRange, VARIANT_BOOL* DisablePageNumbers,
                                         LONG* FromPage, LONG* ToPage, VARIANT_BOOL* DisableSelection, LONG* Copies,
                                         VARIANT_BOOL* ShowPrintToFile, VARIANT_BOOL* DisablePrintToFile,
                                         VARIANT_BOOL* PrintToFile, VARIANT_BOOL* Collate, VARIANT_BOOL* PreventWarning,
                                         LONG_PTR* Owner, IDispatch* Printer, LONG* Flags,
                                         VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE VBPageSetupDlg(LONG_PTR* Owner, VARIANT_BOOL* DisableMargins,
                                             VARIANT_BOOL* DisableOrientation, VARIANT_BOOL* DisablePaper,
                                             VARIANT_BOOL* DisablePrinter, LONG* LeftMargin, LONG* MinLeftMargin,
                                             LONG* RightMargin, LONG* MinRightMargin, LONG* TopMargin,
                                             LONG* MinTopMargin, LONG* BottomMargin, LONG* MinBottomMargin,
                                             LONG* PaperSize, LONG* Orientation, LONG* PrintQuality, LONG* Units,
                                             IDispatch* Printer, LONG* Flags, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE VBChooseFont(IDispatch* CurFont, LONG_PTR* PrinterDC, LONG_PTR* Owner, LONG* color,
                                           LONG* MinSize, LONG* MaxSize, LONG* Flags, VARIANT_BOOL* result) override;

private:
    // Shows the open or save dialog; on failure the outputs are emptied and FilterIndex is failedIndex.
    bool FileDialog(FileDialogArgs& a, DWORD flags, const std::wstring& initialDir, bool save, int32_t failedIndex);
    void FillCustomColors();
    void KeepDevMode(HGLOBAL devMode);
    HGLOBAL DevModeCopy() const;

    int32_t apiReturn_ = 0;
    int32_t extendedError_ = 0;
    std::array<COLORREF, 16> customColors_{};
    bool customColorsFilled_ = false;
    std::vector<BYTE> devMode_;  // the printer settings last returned
};

}  // namespace tessaly
