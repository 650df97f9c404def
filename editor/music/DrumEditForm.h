#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DrumPatterns.h"
#include "music/BarList.h"

namespace notaline {

inline constexpr int32_t kDrumCells = 64;
inline constexpr int32_t kCellTwips = 480;  // four steps of 120 twips
inline constexpr int32_t kStepTwips = 120;
inline constexpr int32_t kCellHeightTwips = 240;
inline constexpr int32_t kMinDrumSpeed = 30;
inline constexpr int32_t kMaxDrumSpeed = 255;     // DrumSpeed is a byte
inline constexpr int32_t kDefaultDrumSound = 22;  // key 35

// One metre choice of the editing area, in list order.
struct DrumMetreChoice {
    const char* Text;
    int32_t Steps;
    const char* Accent;  // UTF-8
    int32_t MarkerCell;  // of the first row
    bool Middle;         // the marker stands in the middle of that cell, else at its end
};
extern const std::array<DrumMetreChoice, 10> kDrumMetreChoices;

// Where the grid's cells stand in their frame, twips.
int32_t CellLeft(int32_t cell);
int32_t CellTop(int32_t cell);
// The cell a point of the frame (twips) falls in, -1 between cells and outside.
int32_t CellAt(int32_t xTwips, int32_t yTwips);
// The x of the metre's bar-end marker in the frame, twips.
int32_t MarkerX(int32_t metre);

// What the editing area's controls hold.
struct DrumEditArea {
    std::string Name;  // code page 936
    std::array<bool, 8> Channel{};
    std::array<int32_t, 8> Volume{};
    std::array<int32_t, 8> Sound{};  // list index
    std::array<int32_t, 8> Pan{};
    int32_t Speed = 80;
    int32_t Metre = -1;  // list index, -1 none
    bool HaveDrum = false;
    int32_t BeginSelStart = 0;
    std::array<std::string, kDrumCells> Cells;  // four of "*" (sounds) or "-" each
};

// The drum editor's editing area without windows: a pattern shown in it, its edits, and the
// pattern stored back.
class DrumEditForm {
public:
    DrumEditForm() { Open(); }

    DrumEditArea Area;
    int32_t StepsPerBar = 16;
    // Cleared by every edit; loading another pattern over an edited one asks first.
    bool Unchanged = true;

    // Shows a pattern. A stored speed of 0 becomes 120 in the record too; values the controls
    // cannot hold are shown clamped, and a metre past the list shows none. A pattern that can sound
    // nothing (no channel, step or volume) shows its name with the opening's volumes, sounds and
    // centred pans in `songMetre`, at its speed or the opening's, and its record stays as it was.
    void Load(tessaly::XjDrumData& record, int32_t songMetre);
    // Stores the area field by field; a value that does not fit leaves its field as it was, and
    // with no metre chosen the metre byte stays. Steps past the bar's end are stored silent.
    void Store(tessaly::XjDrumData& record) const;

    // A press at x twips from the cell's left edge flips the step under it; false outside.
    bool Toggle(int32_t cell, int32_t xTwips);
    void ChooseMetre(int32_t index);
    // A volume as typed: false, keeping the value held, outside 0-127.
    bool SetVolume(int32_t ch, double value);
    // A speed as typed: ignored outside 30-255.
    bool SetSpeed(double value);
    enum class Typed { Taken, Pending, Refused };
    // The speed box's text as it changes (`leaving` false) and as the box loses the focus: taken
    // within 30-255; refused above at once and below once left (300 passes 3 and 30 on its way),
    // the speed held when the box took the focus coming back.
    Typed TypeSpeed(double value, bool leaving);
    void HoldSpeed() { heldSpeed_ = Area.Speed; }
    void Mirror();  // every pan becomes 127 - pan
    // The area as the editor opens it: volumes 100, speed 80, sounds at the default entry.
    void Open();
    // The clear command: volumes and speed 75, sounds at the default entry.
    void Clear();
    void Edited() { Unchanged = false; }

    bool Step(int32_t ch, int32_t step) const;

private:
    int32_t heldSpeed_ = 80;
};

// The refusal of a typed speed, as the volume's.
inline constexpr char kDrumSpeedRange[] = "速度值在 30-255 之间!";

// The one sound previewed when a load or the clear command sets the eight sound choices: the
// first channel's whose choice changed, -1 when none did.
int32_t ChangedSound(const std::array<int32_t, 8>& before, const std::array<int32_t, 8>& after);

// How many UTF-16 units at the start of a typed name fit the record's name bytes in code page 936.
size_t DrumNameFit(std::u16string_view typed);

// The first character of the bar each bar pattern belongs to: pattern n is the n-th bar the main
// track's singing order plays, silent entries included. 32-bit, past what BeginSelStart holds.
std::vector<int32_t> BarStartPositions(const tessaly::aPlayInfo& play, const BarList& bars, int32_t patterns);

// Where a point y (list client pixels) lies against item `index`: 0 on it, 1 above, 2 below, 3
// outside the list.
int32_t GetClickPosition(int32_t y, int32_t listHeight, int32_t itemHeight, int32_t topIndex, int32_t index);

enum DrumPasteMode { kPasteNone = 0, kPasteAbove = 1, kPasteOver = 2, kPasteBelow = 3 };
// The paste mode a click position chooses; 3 (outside) keeps the mode there was.
int32_t PasteModeOf(int32_t clickPosition, int32_t current);
// Pastes the buffer at the selected item by mode; the index to select afterwards.
int32_t PasteDrum(tessaly::分析鼓点& list, int32_t selected, const tessaly::XjDrumData& buffer, int32_t mode);

}  // namespace notaline
