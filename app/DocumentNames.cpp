#include "DocumentNames.h"

#include <algorithm>

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

std::wstring DocumentSaveName(std::wstring_view typed, long filterIndex) {
    std::wstring name = nFileName(typed, filterIndex == 1 ? L".ZoRiv" : filterIndex == 2 ? L".DaDur" : L"");
    if (!EndsWithNoCase(name, L".ZoRiv") && !EndsWithNoCase(name, L".DaDur")) name += L".DaDur";
    return name;
}

std::wstring PictureSaveName(std::wstring_view typed, long filterIndex) {
    static constexpr std::wstring_view kExtensions[] = {L".Gif", L".jpg", L".BMP", L".PNG"};
    const bool known = filterIndex >= 1 && filterIndex <= 4;
    return nFileName(typed, known ? kExtensions[filterIndex - 1] : L"");
}

std::wstring MidiSaveName(std::wstring_view typed, long filterIndex) {
    return nFileName(typed, filterIndex == 1 ? L".Mid" : L"");
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
