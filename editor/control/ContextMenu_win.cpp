// The editor's right-button menu: made once, rewritten for the input state at every showing.
#include "control/ContextMenuItems.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "control/Mouse_win.h"
#include "model/layout/SourceLines.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

std::wstring Wide(const std::string& utf8) {
    const auto text = tessaly::Utf8ToUtf16(utf8);
    return text ? std::wstring(text->begin(), text->end()) : std::wstring();
}

void SetItem(HMENU menu, int32_t id, const MenuItem& item) {
    std::wstring text = Wide(item.Text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.fType = item.Separator ? MFT_SEPARATOR : MFT_STRING;
    info.fState = item.Enabled ? MFS_ENABLED : MFS_GRAYED;
    info.wID = static_cast<UINT>(id);
    info.dwTypeData = item.Separator ? nullptr : text.data();
    if (item.Separator) info.fMask &= ~static_cast<UINT>(MIIM_STRING);
    // The items stand in identifier order, so an item's position is its identifier.
    SetMenuItemInfoW(menu, static_cast<UINT>(id), TRUE, &info);
}

MenuFacts FactsOf(Editor& ed) {
    UndoRedo& undo = ed.Commands->Undo;
    MenuFacts f;
    f.State = ed.Data.InputState;
    f.CanUndo = undo.CanUndo();
    f.CanRedo = undo.CanRedo();
    f.CanCopy = undo.CanCopy();
    f.CanCut = undo.CanCut();
    f.CanPaste = undo.CanPaste();
    f.CanDel = undo.CanDel();
    f.SourceLine = ed.Data.CPdqLine;
    f.ItemFocused = undo.CurrentHwFocus() != -1;
    return f;
}

void Notify(Editor& ed) {
    NotifySelChange(ed, ed.Data.SelStart, ed.Data.SelLength);
}

// After an edit of the characters: the source lines checked and the host told.
void AfterEdit(Editor& ed) {
    ed.Renderer->CheckCPdqLine();
    ed.Renderer->CheckXjdqLine();
    Notify(ed);
}

// The window's own cut, copy, paste and clear serve the menu where they do the same.
void EditMessage(Editor& ed, UINT msg) {
    SendMessageW(ed.Window, msg, 0, 0);
}

void TypingCommand(Editor& ed, MenuCommand command) {
    EditorData& d = ed.Data;
    UndoRedo& undo = ed.Commands->Undo;
    switch (command) {
        case MenuCommand::ToggleLyricInput:
            d.InputState = d.InputState == tessaly::GcState ? tessaly::JpState : tessaly::GcState;
            NotifySelChangeByState(ed, d.SelStart, d.SelLength);
            break;
        case MenuCommand::Undo: undo.UserUndo(), AfterEdit(ed); break;
        case MenuCommand::Redo: undo.UserRedo(), AfterEdit(ed); break;
        case MenuCommand::SelectAll:
            // The closing paragraph mark stays out.
            d.SelStart = 0;
            d.SelLength = std::max(d.WordCount() - 1, 0);
            ed.Renderer->RefreshView(0, d.SelLength, tessaly::SelColorRefresh);
            Notify(ed);
            break;
        case MenuCommand::Copy: EditMessage(ed, WM_COPY); break;
        case MenuCommand::Cut: EditMessage(ed, WM_CUT), AfterEdit(ed); break;
        case MenuCommand::Paste: EditMessage(ed, WM_PASTE), AfterEdit(ed); break;
        case MenuCommand::Delete: EditMessage(ed, WM_CLEAR), AfterEdit(ed); break;
        case MenuCommand::SetSourceLine:
            if (ApplyCPdqLine(d, d.CurLine)) {
                d.CPdqLine = d.CurLine;
                ed.Refresh(tessaly::MainRefresh);
                Notify(ed);
            }
            break;
        case MenuCommand::ClearSourceLine:
            d.CPdqLine = -1;
            ed.Refresh(tessaly::MainRefresh);
            Notify(ed);
            break;
        case MenuCommand::CustomWord:
            ed.Tell(tessaly::EM_Command_CustomWord, 0, 0);
            Notify(ed);
            break;
        default: break;
    }
}

void ItemCommand(Editor& ed, MenuCommand command, int32_t id) {
    EditCommands& c = *ed.Commands;
    const POINT at = ed.MenuPoint;
    switch (command) {
        case MenuCommand::InsertItem: c.Items.InsterHwWord(ed.Grid, at.x, at.y, static_cast<int16_t>(id + 1)); break;
        case MenuCommand::Undo: c.Undo.UserUndo(); break;
        case MenuCommand::Redo: c.Undo.UserRedo(); break;
        case MenuCommand::Copy: EditMessage(ed, WM_COPY); return;
        case MenuCommand::Cut: EditMessage(ed, WM_CUT); return;
        case MenuCommand::Paste:
            // Read when pasting: what the menu's showing found may be gone.
            if (ed.ReadClipboardWords()) c.Items.PasteHwWord(ed.Grid, at.x, at.y);
            break;
        case MenuCommand::Delete: c.Items.DelHwWord(); break;
        case MenuCommand::ItemColour: {
            LONG zero = 0;
            ed.Tell(tessaly::EM_SetHwColor, 0, reinterpret_cast<LPARAM>(&zero));
            return;
        }
        default: return;
    }
    ed.Refresh(tessaly::LpxRefresh);
}

}  // namespace

void CreateContextMenu(Editor& ed) {
    DestroyContextMenu(ed);
    ed.ContextMenu = win::MenuHandle(CreatePopupMenu());
    if (!ed.ContextMenu) return;
    const MenuItems items = InitialContextMenuLayout(ed.Data.InputState);
    for (int32_t id = 0; id < kMenuItemCount; ++id) {
        const MenuItem& item = items[static_cast<size_t>(id)];
        if (item.Separator) {
            AppendMenuW(ed.ContextMenu.Get(), MF_SEPARATOR, static_cast<UINT_PTR>(id), nullptr);
        } else {
            AppendMenuW(ed.ContextMenu.Get(), MF_STRING, static_cast<UINT_PTR>(id), Wide(item.Text).c_str());
        }
    }
}

void DestroyContextMenu(Editor& ed) {
    ed.ContextMenu.Reset();
}

void ShowContextMenu(Editor& ed) {
    if (!ed.ContextMenu) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const MenuItems items = ContextMenuLayout(FactsOf(ed));
    for (int32_t id = 0; id < kMenuItemCount; ++id) SetItem(ed.ContextMenu.Get(), id, items[static_cast<size_t>(id)]);
    MouseOf(ed);
    // Beside or between the pages there is nothing to act on.
    if (PageHoldingPoint(ed.Data, *ed.MouseSite, ed.MenuPoint.x, ed.MenuPoint.y) < 0) return;
    TrackPopupMenu(ed.ContextMenu.Get(), TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, ed.Window, nullptr);
}

void ContextMenuCommand(Editor& ed, int32_t id) {
    const MenuCommand command = ContextMenuCommandOf(ed.Data.InputState, id);
    if (ed.Data.InputState == tessaly::LpxState) {
        ItemCommand(ed, command, id);
    } else {
        TypingCommand(ed, command);
    }
}

}  // namespace notaline
