// What the music dialogs share: texts between their encodings and files beside the program; the
// dialogs themselves are win::TableDialog's.
#include "control/DialogTexts_win.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FileAccess.h"
#include "com/Create.h"
#include "com/Module.h"
#include "text/Cp936.h"

namespace notaline::dialog_texts {

std::wstring Wide(std::string_view utf8) {
    const auto text = tessaly::Utf8ToUtf16(utf8).value_or(u"");
    return std::wstring(text.begin(), text.end());
}

std::wstring FromGbk(std::string_view gbk) {
    const auto text = tessaly::Cp936ToUtf16(gbk).value_or(u"");
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::wstring TextOf(HWND dialog, int id) {
    HWND h = GetDlgItem(dialog, id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ListItemText(HWND list, int index) {
    const LRESULT n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const LRESULT got =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 && got <= n ? static_cast<size_t>(got) : 0);
    return text;
}

std::string ProgramFileBytes(const wchar_t* name) {
    const std::filesystem::path file(com::ProgramFolder() + name);
    if (tessaly::SettingsFileTooLarge(file)) return {};
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SetStatus(HWND status, const std::wstring& text) {
    SendMessageW(status, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace notaline::dialog_texts
