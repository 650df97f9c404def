// Reads arbitrary bytes as UserSetInfo.ini: the panel slots, the side panel and the top bar, and
// the recent-files list with its captions. Every panel keeps exactly one slot; the list shows
// only what the file holds, trimmed, with every "&" of a caption doubled.
#include "IniText.h"
#include "PanelSettings.h"
#include "RecentFiles.h"

namespace {

class Reader final : public tavolin::SettingsReader, public tavolin::RecentStore {
public:
    explicit Reader(const fuzz::IniText& ini) : ini_(ini) {}
    std::wstring Read(const std::wstring& section, const std::wstring& key) override { return ini_.Get(section, key); }
    std::wstring Read(const std::wstring& key) override { return ini_.Get(tavolin::kRecentSection, key); }
    void Write(const std::wstring&, const std::wstring&) override {}

private:
    const fuzz::IniText& ini_;
};

size_t Count(std::wstring_view text, wchar_t c) {
    size_t n = 0;
    for (wchar_t x : text) n += x == c;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::IniText ini(data, size);
    Reader reader(ini);
    tavolin::PanelArrangement panels;
    tavolin::FormGeometry g;
    const double heights[tavolin::kSidePanels] = {3000, 4000};
    tavolin::ReadPanelSettings(reader, panels, g, heights);
    for (int panel = 0; panel < tavolin::kSidePanels; ++panel) {
        const int slot = panels.FindPanelSlot(panel);
        fuzz::Check(slot >= 0 && slot < tavolin::kSidePanels);
    }
    panels.ReShowForm(g);

    const tavolin::RecentMenu menu = tavolin::UpdateRecentFiles(reader, L"", [](const std::wstring&) { return true; });
    for (const std::wstring& path : menu.paths) {
        if (path.empty()) continue;
        const std::wstring caption = tavolin::RecentCaption(path);
        fuzz::Check(Count(caption, L'&') >= 2 * Count(path, L'&'));
        const std::wstring opened = tavolin::TrimBlanks(path);
        fuzz::Check(opened.size() <= path.size());
    }
    return 0;
}
