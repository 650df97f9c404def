#pragma once
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "win/GdiHandles.h"

// The dialog kit of the program and the DLLs: an empty modal frame whose controls are made in
// code, tool tips over them, and TableDialog, a modal dialog built from one table of controls
// positioned in pixels.
namespace win {

// An empty modal frame of the module that holds this code; its controls are made at WM_INITDIALOG.
INT_PTR RunEmptyModal(HWND owner, DLGPROC proc, LPARAM param);
// A tool tip over `control`; the dialog's one tip window is made at the first (the dialog
// destroys it at WM_DESTROY).
void AddTip(HWND& tips, HWND dialog, HWND control, const wchar_t* text);
// The module that holds this code: the program, or the DLL the kit is linked into.
HINSTANCE KitModule();
// Ctrl+A in the edit box selects its whole text, which the system's box does not do by itself.
void SelectAllKey(HWND box);

struct DialogControl {
    const wchar_t* Class;
    int Id;
    const wchar_t* Text;
    const wchar_t* Tip;
    RECT Box;     // left, top, width, height
    DWORD Style;  // added to WS_CHILD, and WS_VISIBLE unless the dialog hides the row at first
    DWORD ExStyle = 0;
};

// What the dialogs ask of the program around them: the refusal sound and the input box.
struct DialogHooks {
    std::function<void()> Beep;  // empty: the system beep
    // The answer, or nullopt on Cancel.
    std::function<std::optional<std::u16string>(HWND owner, std::u16string_view prompt)> Ask;
};

// Copies the editor's record whose address the get message returns (its first `bytes`); false
// when the window gave none.
template <class Record>
bool FetchRecord(HWND editor, UINT message, Record& record, size_t bytes = sizeof(Record)) {
    const void* stored =
        reinterpret_cast<const void*>(SendMessageW(editor, message, 0, reinterpret_cast<LPARAM>(&record)));
    if (!stored) return false;
    std::memcpy(static_cast<void*>(&record), stored, std::min(bytes, sizeof(Record)));
    return true;
}

// The row that says why a value was refused, in red; a dialog that has one puts it in its table.
inline constexpr int kReasonRow = 999;

// The key an edit box keeps of a typed character, 0 to drop it; given the box's text.
using KeyFilter = int16_t (*)(int16_t key, std::wstring_view text);

class TableDialog {
public:
    // Shows the dialog modally over owner; IDOK or IDCANCEL.
    INT_PTR Run(HWND owner);

    DialogHooks Hooks;

protected:
    TableDialog(const wchar_t* caption, std::span<const DialogControl> controls, SIZE client)
        : caption_(caption), controls_(controls), client_(client) {}
    virtual ~TableDialog() = default;

    virtual void OnInit() = 0;
    virtual void OnCommand(int id, int code) = 0;
    // A click of an up-down: +1 up, -1 down. Its own position is not used.
    virtual void OnUpDown(int, int) {}
    // Any other message (owner drawing, notifications, WM_DESTROY, say); FALSE when not handled.
    virtual INT_PTR OnOther(UINT, WPARAM, LPARAM) { return FALSE; }
    // A row made hidden at opening (a page not shown yet).
    virtual bool Hidden(const DialogControl&) const { return false; }
    // A row not made at opening: the dialog makes it with MakeRow when it is first shown.
    virtual bool Later(const DialogControl&) const { return false; }
    // Tips added by the first message of the dialog's loop, after what OnInit drew (a dialog that
    // draws itself there shows before its tips) and before anything posted to the opened dialog.
    virtual bool TipsPosted() const { return false; }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    std::u16string Text(int id) const;
    // Writes a box while Filling() is true, so that its change is not taken as the user's.
    void SetText(int id, std::u16string_view text);
    bool Filling() const { return filling_; }
    void FilterKeys(int id, KeyFilter filter);
    void AttachUpDown(int upDown, int buddy);
    void FillList(int id, std::span<const char16_t* const> items, int selected, bool listBox = false);
    void Check(int id, bool on) { CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED); }
    void Enable(int id, bool on) { EnableWindow(Item(id), on); }
    // Refuses with the refusal sound and the box's text selected for typing again; the reason,
    // when given, goes into the dialog's reason row (a machine without sound still says why).
    void Refuse(int id, std::u16string_view reason = {});
    // The reason row's text: a refusal that selects no box, or empty to take it down.
    void SayReason(std::u16string_view reason);
    // Controls drawn in the crisp dialog font instead of the default one, whose antialiased
    // strokes look like disabled text; set before the dialog runs.
    bool CrispFont = false;
    // The font the controls are made in, for what the dialog measures or draws beside them.
    HGDIOBJ Font() const { return font_ ? static_cast<HGDIOBJ>(font_.Get()) : GetStockObject(DEFAULT_GUI_FONT); }
    void End(int result) { EndDialog(dialog_, result); }
    // Makes the row of `id` (one the dialog makes later) in its table place; its tip is added by
    // AddRowTip.
    HWND MakeRow(int id);
    // The tip of the row of `id`: added once the control's filling is done, as a tip hooks the
    // control and slows every message it is sent. Before the dialog's tips are added it is left
    // to them.
    void AddRowTip(int id);

    void Beep() const {
        if (Hooks.Beep)
            Hooks.Beep();
        else
            MessageBeep(MB_OK);
    }

    HWND dialog_ = nullptr;

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    void Create();
    HWND Make(const DialogControl& c);
    void AddTipOf(const DialogControl& c);
    void AddTips();
    INT_PTR Notify(WPARAM wParam, LPARAM lParam);

    const wchar_t* caption_;
    std::span<const DialogControl> controls_;
    SIZE client_;
    HWND tips_ = nullptr;
    bool tipsAdded_ = false;
    bool filling_ = false;
    FontHandle font_;
};

}  // namespace win
