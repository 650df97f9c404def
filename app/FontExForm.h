#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "records/Layout.h"

// The character spacing dialog "字体拓展": spacing, raise and stacking of the selection, shown in
// tenths of the main window's pixels per 25.4 units.
namespace tavolin {

struct FontExForm {
    static constexpr float kMixed = -10001.0f;
    enum Box { Spacing, Raise, StackSpace };
    enum Stacking { NotStacked, Upward, Downward };
    struct Range {
        int32_t Min, Max, Step;
    };
    static const std::array<Range, 3> kRanges;
    static const std::array<const char16_t*, 3> kStackings;

    tessaly::FontExInfo Info;
    double Dpi = 96;
    bool CanStack = false;
    bool Changed = false;
    int Option = NotStacked;
    std::array<std::u16string, 3> Texts;
    std::array<int32_t, 3> Steps{};  // the up-downs

    static FontExForm Load(const tessaly::FontExInfo& info, double dpi, bool canStack);
    // The up-down value of a field value, and back.
    int32_t StepOf(float value) const;
    float ValueOf(int32_t step) const;
    bool StackSpaceEnabled() const { return CanStack && Option != NotStacked; }

    void Edit(Box b, std::u16string text);
    void Step(Box b, int direction);
    void ChooseStacking(int option);
    // OK: typed spacing and raise into the record, held to their up-down ranges. True when
    // something changed and the record goes to the editor.
    bool Confirm();

private:
    std::array<std::u16string, 2> loadedTexts_;
    int16_t loadedNumber_ = 0;
};

}  // namespace tavolin
