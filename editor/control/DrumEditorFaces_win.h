#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "music/DrumEditForm.h"
#include "win/GdiHandles.h"

// What the drum editor draws itself: the rhythm grid, the mirror button, the faces that stand
// in for controls not made yet, and the picture of the channel rows an opening took.
namespace notaline::drum_editor {

// The channel rows and pan sliders as an opening that made them drew them, with what that
// drawing depends on. The next openings show it in their place until the editing area is first
// used (they cannot be used before): the rows are 32 windows, a third of the opening's time.
class OpeningPicture {
public:
    // The system's colours, dialog font, resolution, text smoothing and theme.
    static std::vector<uint32_t> LooksNow();
    // Taken, and so to be shown, with these looks.
    bool Shows(const std::vector<uint32_t>& looks) const { return !looks_.empty() && looks_ == looks; }
    // Taken just after the opening is drawn, before anything can change it; not when any of it
    // is off the screen or under another window.
    void Take(HWND dialog, std::vector<uint32_t> looks);
    void Draw(const DRAWITEMSTRUCT& item) const;
    // It no longer shows what the controls would.
    void Forget() { looks_.clear(); }

private:
    std::vector<uint32_t> looks_;  // empty: none taken
    win::BitmapHandle rows_, pans_;
};

// The grid: cells at their twip positions, the metre's marker line after the bar's last step.
void DrawGrid(const DrumEditArea& area, const DRAWITEMSTRUCT& item);
// The faces of the eight sound lists, a channel row apart, or of the metre list.
void DrawListFaces(const DrumEditArea& area, const std::vector<std::wstring>& soundNames, const DRAWITEMSTRUCT& item);
// The mirror button's two pictures: arrows apart, or crossed when mirrored.
void DrawMirror(const DRAWITEMSTRUCT& item, bool mirrored);

}  // namespace notaline::drum_editor
