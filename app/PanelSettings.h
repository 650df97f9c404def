#pragma once
// Reading the panel arrangement back from UserSetInfo.ini, and the fixed texts the panel set-up
// puts on the form (tool tips, font sizes). No window is touched here.
#include <string>
#include <string_view>

#include "PanelLayout.h"

namespace tavolin {

// Gives a settings value; empty for a missing file, section or key.
class SettingsReader {
public:
    virtual ~SettingsReader() = default;
    virtual std::wstring Read(const std::wstring& section, const std::wstring& key) = 0;
};

// The number at the start of a text, 0 when there is none (blanks anywhere are skipped).
double LeadingNumber(std::wstring_view text);

// Restores the slots, the side-panel position and the top bar into the arrangement; the menu
// check of each side panel goes to g.toolBarChecked. heights are the panels' full heights.
// A slot whose "位置" is missing, unreadable, out of range or names a panel already placed takes
// the first panel not yet placed, shown and expanded, so every panel has exactly one slot.
void ReadPanelSettings(SettingsReader& ini, PanelArrangement& panels, FormGeometry& g,
                       const double (&heights)[kSidePanels]);

// The top bar's switch: flips it and stores "显示".
void ToggleTopBar(PanelArrangement& panels, SettingsWriter& ini);

struct ControlTip {
    const char* control;
    int index;  // -1 for a control without an array
    const wchar_t* tip;
};
inline constexpr int kControlTips = 59;
extern const ControlTip kControlTipTable[kControlTips];

// The reference picture's open filter: the description as it stands, every pattern with "*.".
inline constexpr wchar_t kPictureFilter[] =
    L"图片文件(*.bmp;*.jpg;*.jpeg;gif;WMF;EMF;ICO)|*.bmp;*.jpg;*.jpeg;*.gif;*.wmf;*.emf;*.ico|所有图片(*.*)| *.*";

// Each side panel's tip.
inline constexpr wchar_t kDragTip[] = L"鼠标拖动调整位置";

inline constexpr int kFontSizeItems = 25;
extern const wchar_t* const kFontSizeList[kFontSizeItems];

}  // namespace tavolin
