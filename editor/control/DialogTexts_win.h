#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace notaline::dialog_texts {

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

}  // namespace notaline::dialog_texts
