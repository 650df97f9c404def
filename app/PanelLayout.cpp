#include "PanelLayout.h"

#include <algorithm>

#include "records/Numbers.h"

namespace tavolin {

PanelArrangement::PanelArrangement() {
    for (int i = 0; i < kSidePanels; ++i) PanelStates.push_back({static_cast<int16_t>(i), 0, 0, true, true});
}

bool PanelArrangement::AnyPanelVisible() const {
    return std::any_of(PanelStates.begin(), PanelStates.end(), [](const PanelState& s) {
        return s.PanelVisible && s.PanelIndex >= 0 && s.PanelIndex < kSidePanels;
    });
}

int PanelArrangement::FindPanelSlot(int panelIndex) const {
    for (size_t s = 0; s < PanelStates.size(); ++s)
        if (PanelStates[s].PanelIndex == panelIndex) return static_cast<int>(s);
    return static_cast<int>(PanelStates.size());
}

void PanelArrangement::ReShowForm(FormGeometry& g) {
    g.top.Width = std::max(0.0, g.formWidth - 600);
    const double fullLeft = g.top.Left, fullWidth = g.top.Width;
    if (SidePanelPos == 0) {
        for (auto& side : g.side) side.Left = g.top.Left;
        g.editor.Left = g.side[0].Left + g.side[0].Width + 200;
        g.editor.Width = g.formWidth - g.editor.Left - 400;
    } else if (SidePanelPos == 1) {
        for (auto& side : g.side) side.Left = g.top.Left + g.top.Width - side.Width;
        g.editor.Left = g.top.Left;
        g.editor.Width = g.side[0].Left - g.editor.Left - 200;
    } else {
        g.editor.Left = fullLeft;
        g.editor.Width = fullWidth;
    }
    if (!AnyPanelVisible()) {
        g.editor.Left = fullLeft;
        g.editor.Width = fullWidth;
        SidePanelPos = 2;
    }
    // With no side panels their stored visibility is kept, but none stands over the editor.
    for (const auto& slot : PanelStates)
        if (slot.PanelIndex >= 0 && slot.PanelIndex < kSidePanels)
            g.sideShown[slot.PanelIndex] = slot.PanelVisible && SidePanelPos != 2;
    for (int i = 3; i <= 5; ++i) g.toolBarChecked[i] = i - 3 == SidePanelPos;

    const double topH = TopBarShown ? g.top.Height : 0;
    g.topShown = TopBarShown;
    g.editor.Top = g.top.Top + topH + 100;
    double height = g.innerHeight - g.statusHeight - (g.top.Top + topH) - 100;
    if (RefPictureShown == 1) height -= g.picture.Height + g.splitter.Height;
    g.editor.Width = std::max(g.editor.Width, kEditorMinimum);
    g.editor.Height = std::max(height, kEditorMinimum);
    g.splitterShown = g.pictureShown = RefPictureShown == 1;
    if (RefPictureShown == 1) {
        g.splitter.Left = g.picture.Left = g.editor.Left;
        g.splitter.Width = g.picture.Width = g.editor.Width;
        g.splitter.Top = g.editor.Top + g.editor.Height;
        g.picture.Top = g.splitter.Top + g.splitter.Height;
    }
}

void PanelArrangement::SavePanelState(FormGeometry& g, SettingsWriter& ini) {
    double y = tessaly::RoundHalfEven((TopBarShown ? g.top.Height : 0) + g.top.Top - 100);
    SidePanelsShown = false;
    for (size_t s = 0; s < PanelStates.size(); ++s) {
        PanelState& slot = PanelStates[s];
        const int k = slot.PanelIndex;
        if (k < 0 || k >= kSidePanels) continue;
        const std::wstring section = std::to_wstring(s) + L"面板";
        ini.Write(section, L"位置", std::to_wstring(k));
        ini.Write(section, L"大小状态", slot.SizeState ? L"1" : L"0");
        ini.Write(section, L"可见性", slot.PanelVisible ? L"1" : L"0");
        g.sideShown[k] = slot.PanelVisible && SidePanelPos != 2;
        if (!slot.PanelVisible) continue;
        SidePanelsShown = true;
        y += 200;
        g.side[k].Top = y;
        slot.PanelTop = static_cast<float>(y);
        g.side[k].Height = slot.SizeState ? slot.PanelHeight : kCollapsedHeight;
        g.arrow[k] = slot.SizeState ? L"▲" : L"▼";
        y = g.side[k].Top + g.side[k].Height;
    }
}

void PanelArrangement::ToolBarClick(int index, FormGeometry& g, SettingsWriter& ini) {
    if (index == 0 || index == 1) {
        const bool checked = !g.toolBarChecked[index];
        g.toolBarChecked[index] = checked;
        const int slot = FindPanelSlot(index);
        if (slot < static_cast<int>(PanelStates.size())) PanelStates[slot].PanelVisible = checked;
        // A panel ticked while none are shown comes back on the stored side, or on the left.
        if (checked && SidePanelPos == 2) {
            SidePanelPos = StoredSidePanelPos == 2 ? 0 : StoredSidePanelPos;
            if (StoredSidePanelPos != SidePanelPos) {
                StoredSidePanelPos = SidePanelPos;
                ini.Write(L"侧面板", L"位置", std::to_wstring(SidePanelPos));
            }
        }
        SavePanelState(g, ini);
        ReShowForm(g);
    } else if (index >= 3 && index <= 5) {
        SidePanelPos = StoredSidePanelPos = static_cast<int16_t>(index - 3);
        ini.Write(L"侧面板", L"位置", std::to_wstring(SidePanelPos));
        ReShowForm(g);
    }
}

std::vector<PixelRect> ResizeBands(int oldWidth, int oldHeight, int width, int height, int inX, int inY) {
    std::vector<PixelRect> bands;
    if (width != oldWidth) bands.push_back({std::max(0, std::min(width, oldWidth) - inX), 0, width, height});
    if (height != oldHeight) bands.push_back({0, std::max(0, std::min(height, oldHeight) - inY), width, height});
    return bands;
}

}  // namespace tavolin
