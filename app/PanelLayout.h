#pragma once
// Where the main window's panels, editor and picture go (twips), the stacking of the side
// panels in their slots with its settings, and the side-panel menu. No window is touched here:
// the window side moves its controls from a FormGeometry.
#include <cstdint>
#include <string>
#include <vector>

#include "PixelRect.h"

namespace tavolin {

struct TwipsRect {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

// One side-panel slot, top to bottom.
struct PanelState {
    int16_t PanelIndex = 0;  // the FaceFrame shown in the slot
    float PanelTop = 0;
    float PanelHeight = 0;
    bool SizeState = false;  // expanded
    bool PanelVisible = false;
};

inline constexpr int kSidePanels = 2;
inline constexpr double kCollapsedHeight = 500;
// The editor never gets less than this, however small the window.
inline constexpr double kEditorMinimum = 1200;

// The placed controls of the form and what shows.
struct FormGeometry {
    double formWidth = 0, innerHeight = 0, statusHeight = 0;
    TwipsRect top, editor, splitter, picture;
    TwipsRect side[kSidePanels];
    bool topShown = true, splitterShown = false, pictureShown = false;
    bool sideShown[kSidePanels] = {};
    std::wstring arrow[kSidePanels];  // Label2 captions
    bool toolBarChecked[6] = {};      // munToolBar items
};

// Receives every settings value the arrangement writes (UserSetInfo.ini).
class SettingsWriter {
public:
    virtual ~SettingsWriter() = default;
    virtual void Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
};

// What a window's face drawn to its size changes when the window is resized: bands inX and inY
// inside the nearer of the old and new right and bottom edges, out to the new ones, in the
// window's own coordinates. Its other parts keep their pictures.
std::vector<PixelRect> ResizeBands(int oldWidth, int oldHeight, int width, int height, int inX, int inY);

class PanelArrangement {
public:
    // Both side panels shown, expanded, on the left; the top panel shown.
    PanelArrangement();

    int16_t SidePanelPos = 0;
    int16_t StoredSidePanelPos = 0;  // the position as the settings hold it
    bool TopBarShown = true;
    bool SidePanelsShown = true;
    int16_t RefPictureShown = 0;
    bool MarkInfoOn = false;  // balloon help of marks; on once the panels are set up
    std::vector<PanelState> PanelStates;

    void ReShowForm(FormGeometry& g);
    void SavePanelState(FormGeometry& g, SettingsWriter& ini);
    int FindPanelSlot(int panelIndex) const;
    // The side-panel menu: 0 and 1 toggle a panel, 3 to 5 choose the position.
    void ToolBarClick(int index, FormGeometry& g, SettingsWriter& ini);

private:
    bool AnyPanelVisible() const;
};

}  // namespace tavolin
