#pragma once
// The recent-files list of the settings file: keys "1最近文件" to "5最近文件" of section "最近打开",
// most recent first. The menu shows the first four.
#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tavolin {

inline constexpr wchar_t kRecentSection[] = L"最近打开";
inline constexpr int kRecentShown = 4;

// The settings file as the list sees it: whole values, "" for a missing key.
struct RecentStore {
    virtual ~RecentStore() = default;
    virtual std::wstring Read(const std::wstring& key) = 0;
    virtual void Write(const std::wstring& key, const std::wstring& value) = 0;
};

std::wstring RecentKey(int number);  // number from 1

struct RecentMenu {
    std::array<std::wstring, kRecentShown> paths;  // "" where an item is hidden
    bool separator = false;
};

// Puts path (when not empty and storable) at the head of the list, dropping its other entries,
// and gives what the menu shows afterwards.
RecentMenu UpdateRecentFiles(RecentStore& store, const std::wstring& path,
                             const std::function<bool(const std::wstring&)>& storable);

// A menu caption that shows the path whole ("&" would otherwise mark an access key).
std::wstring RecentCaption(std::wstring_view path);
// The path a recent item opens: without leading and trailing blanks.
std::wstring TrimBlanks(std::wstring_view path);

}  // namespace tavolin
