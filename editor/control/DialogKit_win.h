#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace notaline::dialog_kit {

std::wstring Wide(std::string_view utf8);
std::wstring FromGbk(std::string_view gbk);
// Digits and signs as typed; anything else reads as "?", so no number is made of it.
std::string Narrow(const std::wstring& text);
std::wstring TextOf(HWND dialog, int id);
// A file of the program's folder, whole; empty when missing.
std::string ProgramFileBytes(const wchar_t* name);
void SetStatus(HWND status, const std::wstring& text);
// The client size set, the frame placed where it goes.
void SizeClient(HWND dialog, SIZE client);
// A tool tip over `control`; the dialog's one tip window is made at the first.
void AddTip(HWND& tips, HWND dialog, HWND control, const wchar_t* text);
// An empty modal frame whose controls are made at WM_INITDIALOG; the dialog's answer.
INT_PTR RunModal(HWND owner, DLGPROC proc, void* state);

}  // namespace notaline::dialog_kit
