#include "FontExForm.h"

#include <algorithm>

#include "FormNumbers.h"
#include "records/Numbers.h"

namespace tavolin {

namespace {

float tessaly::FontExInfo::*const kTyped[2] = {&tessaly::FontExInfo::SelWdSpace, &tessaly::FontExInfo::SelWdUpSpace};

}  // namespace

const std::array<FontExForm::Range, 3> FontExForm::kRanges = {{{-10000, 10000, 1}, {-10000, 10000, 1}, {0, 30, 5}}};
const std::array<const char16_t*, 3> FontExForm::kStackings = {u"不纵向排列", u"向上排列", u"向下排列"};

int32_t FontExForm::StepOf(float value) const {
    return tessaly::CLng(Dpi / 254 * value * 10);
}

float FontExForm::ValueOf(int32_t step) const {
    return static_cast<float>(step / (Dpi / 254) / 10);
}

FontExForm FontExForm::Load(const tessaly::FontExInfo& info, double dpi, bool canStack) {
    FontExForm f;
    f.Info = info;
    f.Dpi = dpi > 0 ? dpi : 96;
    f.CanStack = canStack;
    for (int b = Spacing; b <= Raise; ++b) {
        const float value = info.*kTyped[b];
        if (value == kMixed) continue;
        f.Steps[b] = std::clamp(f.StepOf(value), kRanges[b].Min, kRanges[b].Max);
        f.Texts[b] = FormatTenths(f.StepOf(value));
        f.loadedTexts_[b] = f.Texts[b];
    }
    if (canStack) {
        const int16_t n = info.SelShuPai.Number;
        f.Option = n == 0 ? NotStacked : n > 0 ? Upward : Downward;
        f.Steps[StackSpace] =
            std::clamp(f.StepOf(info.SelShuPai.Space), kRanges[StackSpace].Min, kRanges[StackSpace].Max);
        f.Texts[StackSpace] = FormatTenths(f.StepOf(info.SelShuPai.Space));
    }
    f.Info.SelShuPai.Number = static_cast<int16_t>(f.Option);
    f.loadedNumber_ = f.Info.SelShuPai.Number;
    return f;
}

void FontExForm::Edit(Box b, std::u16string text) {
    if (b == StackSpace) return;  // it changes only through its up-down
    if (!text.empty()) Steps[b] = TenthsOf(text, kRanges[b].Min, kRanges[b].Max);
    Texts[b] = std::move(text);
    Changed = true;
}

void FontExForm::Step(Box b, int direction) {
    if (b == StackSpace && !StackSpaceEnabled()) return;
    const Range& r = kRanges[b];
    Steps[b] = std::clamp(Steps[b] + direction * r.Step, r.Min, r.Max);
    Texts[b] = FormatTenths(Steps[b]);
    const float value = ValueOf(Steps[b]);
    if (b == StackSpace)
        Info.SelShuPai.Space = value;
    else
        Info.*kTyped[b] = value;
    Changed = true;
}

void FontExForm::ChooseStacking(int option) {
    if (!CanStack && option != NotStacked) return;
    Option = option;
    Info.SelShuPai.Number = static_cast<int16_t>(option);
    if (Info.SelShuPai.Number != loadedNumber_) Changed = true;
}

bool FontExForm::Confirm() {
    for (int b = Spacing; b <= Raise; ++b) {
        const std::u16string& text = Texts[static_cast<size_t>(b)];
        // An untouched box keeps the fetched value rather than its rounded display.
        if (text.empty() || text == loadedTexts_[static_cast<size_t>(b)]) continue;
        Info.*kTyped[b] = ValueOf(TenthsOf(text, kRanges[b].Min, kRanges[b].Max));
    }
    return Changed;
}

}  // namespace tavolin
