#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "win/Window.h"

namespace notaline::dialog_kit {

std::wstring Wide(std::string_view utf8);
std::wstring FromGbk(std::string_view gbk);
// Digits and signs as typed; anything else reads as "?", so no number is made of it.
std::string Narrow(const std::wstring& text);
std::wstring TextOf(HWND dialog, int id);
// A list box's item, sized by the list itself; "" for no such item.
std::wstring ListItemText(HWND list, int index);
// A file of the program's folder, whole; empty when missing or larger than kMaxSettingsFileBytes.
std::string ProgramFileBytes(const wchar_t* name);
void SetStatus(HWND status, const std::wstring& text);
// A tool tip over `control`; the dialog's one tip window is made at the first.
void AddTip(HWND& tips, HWND dialog, HWND control, const wchar_t* text);
// An empty modal frame whose controls are made at WM_INITDIALOG; the dialog's answer.
INT_PTR RunModal(HWND owner, DLGPROC proc, void* state);

// The procedure of a dialog run by RunModal: WM_INITDIALOG keeps the state and loads it,
// WM_COMMAND goes to Command, every other message to Other (with no state before
// WM_INITDIALOG); no exception leaves it.
template <class State, void (*Load)(HWND, State&), void (*Command)(State&, int, int),
          INT_PTR (*Other)(State*, HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
    try {
        switch (msg) {
            case WM_INITDIALOG:
                SetWindowLongPtrW(dialog, DWLP_USER, lParam);
                Load(dialog, *reinterpret_cast<State*>(lParam));
                return TRUE;
            case WM_COMMAND:
                if (s) Command(*s, LOWORD(wParam), HIWORD(wParam));
                return s != nullptr;
            default: return Other(s, dialog, msg, wParam, lParam);
        }
    } catch (...) {
        MessageBeep(MB_ICONERROR);
        return FALSE;
    }
}

}  // namespace notaline::dialog_kit
