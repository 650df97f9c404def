#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "music/DrumEditForm.h"
#include "win/GdiHandles.h"

// What the drum editor draws itself: the rhythm grid, the mirror button, the faces that stand
// in for controls not made yet, and the picture of the channel rows.
namespace notaline::drum_editor {

// The channel rows and pan sliders as their controls would draw them, with what that drawing
// depends on. Openings show it in their place until the editing area is first used (it cannot
// be used before): the rows are 32 windows, most of an opening's time to make and draw.
class OpeningPicture {
public:
    // The system's colours, dialog font, resolution, text smoothing and theme.
    static std::vector<uint32_t> LooksNow();
    // Drawn, and so to be shown, with these looks.
    bool Shows(const std::vector<uint32_t>& looks) const { return !looks_.empty() && looks_ == looks; }
    // Started over for these looks: both boxes the dialog's background.
    void Begin(std::vector<uint32_t> looks);
    // `control` drawn into its box as it would draw itself with its top left at `at` in the
    // dialog; copied from where a control of the same `look` was drawn (negative: none alike).
    // Printing one costs about a millisecond here.
    void Print(HWND control, POINT at, int look);
    void Draw(const DRAWITEMSTRUCT& item) const;
    // It no longer shows what the controls would.
    void Forget() { looks_.clear(); }

private:
    struct Printed {
        int Look;
        bool Pan;
        POINT At;  // in its box
    };
    std::vector<uint32_t> looks_;  // empty: none drawn
    win::BitmapHandle rows_, pans_;
    std::vector<Printed> printed_;
};

// The grid: cells at their twip positions, the metre's marker line after the bar's last step.
void DrawGrid(const DrumEditArea& area, const DRAWITEMSTRUCT& item);
// The faces of the eight sound lists, a channel row apart, or of the metre list.
void DrawListFaces(const DrumEditArea& area, const std::vector<std::wstring>& soundNames, const DRAWITEMSTRUCT& item,
                   HGDIOBJ font);
// The mirror button's two pictures: arrows apart, or crossed when mirrored.
void DrawMirror(const DRAWITEMSTRUCT& item, bool mirrored);

}  // namespace notaline::drum_editor
