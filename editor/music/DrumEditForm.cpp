#include "music/DrumEditForm.h"

#include <algorithm>
#include <cstring>

#include "records/Numbers.h"

namespace notaline {

const std::array<DrumMetreChoice, 10> kDrumMetreChoices = {{
    {"1/4", 4, "拍子：强", 0, false},
    {"2/4", 8, "拍子：强,弱", 1, false},
    {"3/4", 12, "拍子：强,弱,弱", 2, false},
    {"4/4", 16, "拍子：强,弱,次强,弱", 3, false},
    {"5/4", 20, "拍子：强,弱,次强,弱,弱", 4, false},
    {"3/8", 6, "拍子：强,弱,弱", 1, true},
    {"6/8", 12, "拍子：强,弱,弱,次强,弱,弱", 2, false},
    {"7/8", 14, "拍子：强,弱,弱,次强,次强,弱,弱", 3, true},
    {"9/8", 18, "拍子：强,弱,弱,次强,弱,弱,次强,弱,弱", 4, true},
    {"12/8", 24, "拍子：强,弱,弱,次强,弱,弱,次强,弱,弱,次强,弱,弱", 5, false},
}};

namespace {

constexpr int32_t kColumnLeft[8] = {360, 960, 1560, 2175, 2760, 3375, 3975, 4575};
constexpr int32_t kRowTop[8] = {240, 645, 1035, 1440, 1845, 2235, 2640, 3045};

bool IsCell(int32_t cell) {
    return cell >= 0 && cell < kDrumCells;
}

}  // namespace

int32_t CellLeft(int32_t cell) {
    return IsCell(cell) ? kColumnLeft[cell % 8] : 0;
}

int32_t CellTop(int32_t cell) {
    return IsCell(cell) ? kRowTop[cell / 8] : 0;
}

int32_t CellAt(int32_t xTwips, int32_t yTwips) {
    for (int32_t k = 0; k < kDrumCells; ++k)
        if (xTwips >= CellLeft(k) && xTwips < CellLeft(k) + kCellTwips && yTwips >= CellTop(k) &&
            yTwips < CellTop(k) + kCellHeightTwips)
            return k;
    return -1;
}

int32_t MarkerX(int32_t metre) {
    if (metre < 0 || metre >= static_cast<int32_t>(kDrumMetreChoices.size())) return 0;
    const DrumMetreChoice& m = kDrumMetreChoices[static_cast<size_t>(metre)];
    return CellLeft(m.MarkerCell) + (m.Middle ? kCellTwips / 2 : kCellTwips);
}

bool DrumEditForm::Step(int32_t ch, int32_t step) const {
    if (ch < 0 || ch >= 8 || step < 0 || step >= tessaly::kDrumSteps) return false;
    return Area.Cells[static_cast<size_t>(ch * 8 + step / 4)][static_cast<size_t>(step % 4)] == '*';
}

namespace {

// A pattern that can sound nothing: no channel on, no step set, every volume 0, not in use. New
// bar patterns are all zero, and the built-in document's one holds only its name and speed.
bool Unused(const tessaly::XjDrumData& record) {
    const auto zero = [](const auto& bytes) {
        return std::all_of(std::begin(bytes), std::end(bytes), [](uint8_t b) { return b == 0; });
    };
    return record.DrumChannel == 0 && record.HaveDrum == 0 && zero(record.DrumVolume) && zero(record.DrumRhythms);
}

}  // namespace

void DrumEditForm::Load(tessaly::XjDrumData& record, int32_t songMetre) {
    tessaly::分析鼓点 view;
    view.ViewRecords(&record, 1);
    if (Unused(record)) {
        Open();
        Area.Name = view.DrumName(0);
        if (record.DrumSpeed >= kMinDrumSpeed) Area.Speed = record.DrumSpeed;
        Area.HaveDrum = false;
        ChooseMetre(songMetre);
        Area.BeginSelStart = view.BeginSelStart(0);
        HoldSpeed();
        return;
    }
    if (record.DrumSpeed == 0) record.DrumSpeed = 120;
    Area.Name = view.DrumName(0);
    for (int ch = 0; ch < 8; ++ch) {
        Area.Channel[ch] = view.DrumChannel(0, ch);
        Area.Volume[ch] = std::min<int32_t>(record.DrumVolume[ch], 127);
        Area.Sound[ch] = std::min<int32_t>(record.DrumSounds[ch], 74);
        Area.Pan[ch] = std::min<int32_t>(record.DrumSoundImage[ch], 127);
    }
    Area.HaveDrum = record.HaveDrum != 0;
    Area.Metre = -1;
    ChooseMetre(record.DrumTimeSignature);
    Area.Speed = std::clamp<int32_t>(record.DrumSpeed, kMinDrumSpeed, kMaxDrumSpeed);
    Area.BeginSelStart = view.BeginSelStart(0);
    for (int ch = 0; ch < 8; ++ch)
        for (int step = 0; step < tessaly::kDrumSteps; ++step)
            Area.Cells[static_cast<size_t>(ch * 8 + step / 4)][static_cast<size_t>(step % 4)] =
                view.DrumRhythms(0, step, ch) ? '*' : '-';
    HoldSpeed();
    Unchanged = true;
}

void DrumEditForm::Store(tessaly::XjDrumData& record) const {
    tessaly::分析鼓点 view;
    view.ViewRecords(&record, 1);
    view.DrumVer(0, 1);
    view.DrumName(0, Area.Name.empty() ? std::string("\xCE\xB4\xC3\xFC\xC3\xFB") : Area.Name);  // 未命名
    for (int ch = 0; ch < 8; ++ch) {
        view.DrumChannel(0, ch, Area.Channel[ch]);
        if (Area.Volume[ch] >= 0 && Area.Volume[ch] <= 127)
            view.DrumVolume(0, ch, static_cast<uint8_t>(Area.Volume[ch]));
        if (Area.Sound[ch] >= 0 && Area.Sound[ch] <= 255) view.DrumSounds(0, ch, static_cast<uint8_t>(Area.Sound[ch]));
        if (Area.Pan[ch] >= 0 && Area.Pan[ch] <= 127) view.DrumSoundImage(0, ch, static_cast<uint8_t>(Area.Pan[ch]));
    }
    if (Area.Speed >= kMinDrumSpeed && Area.Speed <= kMaxDrumSpeed) view.DrumSpeed(0, static_cast<uint8_t>(Area.Speed));
    view.HaveDrum(0, Area.HaveDrum ? 1 : 0);
    if (Area.Metre >= 0) view.DrumTimeSignature(0, static_cast<uint8_t>(Area.Metre));
    view.DrumTrack(0, 0);
    view.BarsOfSong(0, 0);
    view.XJLong(0, 0, 0);
    view.sTimetmp(0, 0, 0);
    view.sTimetmp(0, 1, 0);
    if (const auto start = tessaly::TryCInt(Area.BeginSelStart)) view.BeginSelStart(0, *start);
    for (int ch = 0; ch < 8; ++ch)
        for (int step = 0; step < tessaly::kDrumSteps; ++step)
            view.DrumRhythms(0, step, ch, step < StepsPerBar && Step(ch, step));
}

size_t DrumNameFit(std::u16string_view typed) {
    size_t bytes = 0, units = 0;
    while (units < typed.size()) {
        const char16_t c = typed[units];
        const bool pair = c >= 0xD800 && c < 0xDC00 && units + 1 < typed.size();
        const size_t width = c < 0x80 ? 1 : pair ? 4 : 2;
        if (bytes + width > sizeof(tessaly::XjDrumData::DrumName)) break;
        bytes += width;
        units += pair ? 2 : 1;
    }
    return units;
}

bool DrumEditForm::Toggle(int32_t cell, int32_t xTwips) {
    if (!IsCell(cell) || xTwips < 0 || xTwips >= kCellTwips) return false;
    char& c = Area.Cells[static_cast<size_t>(cell)][static_cast<size_t>(xTwips / kStepTwips)];
    c = c == '-' ? '*' : '-';
    Unchanged = false;
    return true;
}

void DrumEditForm::ChooseMetre(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(kDrumMetreChoices.size())) return;
    Area.Metre = index;
    StepsPerBar = kDrumMetreChoices[static_cast<size_t>(index)].Steps;
}

bool DrumEditForm::SetVolume(int32_t ch, double value) {
    if (ch < 0 || ch >= 8 || !(value >= 0 && value <= 127)) return false;
    Area.Volume[ch] = tessaly::CLng(value);
    Unchanged = false;
    return true;
}

bool DrumEditForm::SetSpeed(double value) {
    if (!(value >= kMinDrumSpeed && value <= kMaxDrumSpeed)) return false;
    Area.Speed = tessaly::CLng(value);
    Unchanged = false;
    return true;
}

DrumEditForm::Typed DrumEditForm::TypeSpeed(double value, bool leaving) {
    if (SetSpeed(value)) return Typed::Taken;
    if (!leaving && value >= 0 && value < kMinDrumSpeed) return Typed::Pending;
    Area.Speed = heldSpeed_;
    return Typed::Refused;
}

void DrumEditForm::Mirror() {
    for (int32_t& pan : Area.Pan) pan = 127 - pan;
    Unchanged = false;
}

void DrumEditForm::Clear() {
    Area.Name.clear();
    for (int ch = 0; ch < 8; ++ch) {
        Area.Channel[ch] = false;
        Area.Volume[ch] = 75;
        Area.Sound[ch] = kDefaultDrumSound;
        Area.Pan[ch] = 64;
    }
    Area.HaveDrum = true;
    Area.Metre = -1;
    Area.Speed = 75;
    Area.Cells.fill("----");
    HoldSpeed();
    Unchanged = true;
}

void DrumEditForm::Open() {
    Clear();
    Area.Volume.fill(100);
    Area.Speed = 80;
    HoldSpeed();
}

int32_t ChangedSound(const std::array<int32_t, 8>& before, const std::array<int32_t, 8>& after) {
    for (size_t ch = 0; ch < after.size(); ++ch)
        if (after[ch] != before[ch]) return after[ch];
    return -1;
}

std::vector<int32_t> BarStartPositions(const tessaly::aPlayInfo& play, const BarList& bars, int32_t patterns) {
    std::vector<int32_t> starts;
    if (play.MainTrack < 1 || play.MainTrack > play.Track.size() || patterns <= 0) return starts;
    const int32_t count = std::min<int32_t>(bars.XjCount, static_cast<int32_t>(bars.Blocks.size()));
    for (const tessaly::aPlayBlock& e : play.Track[play.MainTrack - 1u].tPlayOrder) {
        if (e.BlockIndex == 0) continue;
        for (int32_t j = 0; j < count; ++j) {
            if (bars.Blocks[static_cast<size_t>(j)] != e.BlockIndex) continue;
            starts.push_back(bars.Bars[static_cast<size_t>(j)].XjSelStart);
            if (static_cast<int32_t>(starts.size()) == patterns) return starts;
        }
    }
    return starts;
}

int32_t GetClickPosition(int32_t y, int32_t listHeight, int32_t itemHeight, int32_t topIndex, int32_t index) {
    if (y < 0 || y > listHeight) return 3;
    const int64_t top = static_cast<int64_t>(itemHeight) * (index - topIndex);
    if (y < top) return 1;
    if (y > top + itemHeight) return 2;
    return 0;
}

int32_t PasteModeOf(int32_t clickPosition, int32_t current) {
    switch (clickPosition) {
        case 0: return kPasteOver;
        case 1: return kPasteAbove;
        case 2: return kPasteBelow;
        default: return current;
    }
}

int32_t PasteDrum(tessaly::分析鼓点& list, int32_t selected, const tessaly::XjDrumData& buffer, int32_t mode) {
    switch (mode) {
        case kPasteAbove: list.AddDrumData(selected, buffer); return selected;
        case kPasteOver: list.CoverDrumData(selected, buffer); return selected;
        case kPasteBelow:
            // Below nothing (an empty list) is the first place.
            list.AddDrumData(selected + 1, buffer);
            return std::min(selected + 1, list.DrumCount() - 1);
        default: return selected;
    }
}

}  // namespace notaline
