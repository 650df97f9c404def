#include "RecentFiles.h"

#include <vector>

namespace tavolin {
namespace {

std::array<std::wstring, kRecentShown> ReadShown(RecentStore& store) {
    std::array<std::wstring, kRecentShown> entries;
    for (int i = 0; i < kRecentShown; ++i) entries[i] = store.Read(RecentKey(i + 1));
    return entries;
}

}  // namespace

std::wstring RecentKey(int number) {
    return std::to_wstring(number) + L"最近文件";
}

RecentMenu UpdateRecentFiles(RecentStore& store, const std::wstring& path,
                             const std::function<bool(const std::wstring&)>& storable) {
    RecentMenu menu;
    const auto before = ReadShown(store);
    menu.separator = !path.empty() || !before[0].empty();
    if (!path.empty() && storable(path)) {
        std::vector<std::wstring> list{path};
        for (const auto& entry : before)
            if (!entry.empty() && entry != path) list.push_back(entry);
        // Keys above the written ones stay as they are.
        for (size_t i = 0; i < list.size(); ++i) store.Write(RecentKey(static_cast<int>(i) + 1), list[i]);
    }
    menu.paths = ReadShown(store);
    return menu;
}

std::wstring RecentCaption(std::wstring_view path) {
    std::wstring caption;
    for (wchar_t c : path) {
        if (c == L'&') caption += L'&';
        caption += c;
    }
    return caption;
}

std::wstring TrimBlanks(std::wstring_view path) {
    const size_t first = path.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return std::wstring(path.substr(first, path.find_last_not_of(L' ') - first + 1));
}

}  // namespace tavolin
