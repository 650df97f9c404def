#include "DocumentNames.h"

#include <algorithm>
#include <initializer_list>

namespace tavolin {
namespace {

constexpr std::wstring_view kBackupEnding = L".Bak.DaDur";
constexpr size_t kExtensionLength = 6;  // ".DaDur", ".ZoRiv"

wchar_t FoldAscii(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EndsWithNoCase(std::wstring_view text, std::wstring_view end) {
    if (end.size() > text.size()) return false;
    return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](wchar_t a, wchar_t b) { return FoldAscii(a) == FoldAscii(b); });
}

std::wstring_view DropExtension(std::wstring_view name) {
    return name.substr(0, name.size() - std::min(name.size(), kExtensionLength));
}

}  // namespace

std::wstring nFileName(std::wstring_view name, std::wstring_view ext) {
    std::wstring result(name);
    std::erase(result, L'\0');
    if (EndsWithNoCase(result, ext)) return result;
    return result + std::wstring(ext);
}

// A typed ending that names one of the offered types decides the type and is kept as typed, as
// the system's dialogs do; another name takes the chosen filter's ending. An index past the
// offered ones (所有文件) leaves the name as typed.
std::wstring SaveName(std::wstring_view typed, long filterIndex, std::initializer_list<std::wstring_view> offered) {
    std::wstring name(typed);
    std::erase(name, L'\0');
    for (std::wstring_view ext : offered)
        if (EndsWithNoCase(name, ext)) return name;
    const bool known = filterIndex >= 1 && static_cast<size_t>(filterIndex) <= offered.size();
    return known ? nFileName(name, offered.begin()[filterIndex - 1]) : name;
}

std::wstring DocumentSaveName(std::wstring_view typed, long filterIndex) {
    std::wstring name = SaveName(typed, filterIndex, {L".ZoRiv", L".DaDur"});
    if (!EndsWithNoCase(name, L".ZoRiv") && !EndsWithNoCase(name, L".DaDur")) name += L".DaDur";
    return name;
}

std::wstring PictureSaveName(std::wstring_view typed, long filterIndex) {
    // ".jpeg" names JPEG as ".jpg" does, though no filter adds it.
    if (EndsWithNoCase(typed, L".jpeg")) return SaveName(typed, 0, {});
    return SaveName(typed, filterIndex, {L".Gif", L".jpg", L".BMP", L".PNG"});
}

std::wstring MidiSaveName(std::wstring_view typed, long filterIndex) {
    return SaveName(typed, filterIndex, {L".Mid"});
}

std::wstring PictureSuggestion(std::wstring_view fileName, std::wstring_view firstLine) {
    if (fileName.empty()) return std::wstring(firstLine);
    const std::wstring_view stem = DropExtension(fileName);
    const size_t slash = stem.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? stem : stem.substr(slash + 1));
}

std::wstring BackupName(std::wstring_view fileName, const std::function<bool(const std::wstring&)>& exists) {
    std::wstring name = std::wstring(DropExtension(fileName)) + std::wstring(kBackupEnding);
    while (exists(name)) name = std::wstring(DropExtension(name)) + std::wstring(kBackupEnding);
    return name;
}

}  // namespace tavolin
