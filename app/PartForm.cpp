#include "PartForm.h"

#include <algorithm>

#include "FormNumbers.h"
#include "records/PageRules.h"

namespace tavolin {

namespace {

int16_t tessaly::aPartInfo::*const kFields[6] = {
    &tessaly::aPartInfo::FirstLineIndentation, &tessaly::aPartInfo::LeftIndentation,
    &tessaly::aPartInfo::RightIndentation,     &tessaly::aPartInfo::LineSpace,
    &tessaly::aPartInfo::SpacingBefore,        &tessaly::aPartInfo::SpacingAfter,
};

}  // namespace

const std::array<PartForm::Range, 6> PartForm::kRanges = {{
    {-100, 100, 5},
    {0, 10000, 5},
    {0, 10000, 5},
    {-10000, 10000, 5},
    {-10000, 10000, 5},
    {-10000, 10000, 5},
}};
const std::array<const char16_t*, 7> PartForm::kAlignments = {u"左对齐",   u"居中对齐", u"分散对齐",  u"右对齐",
                                                              u"词谱对齐", u"小节对齐", u"不统一设置"};

PartForm PartForm::Load(const tessaly::aPartInfo& part) {
    PartForm f;
    f.Part = part;
    const int32_t alignment = part.AlignmentMethod;
    f.Alignment = alignment >= 0 && alignment < kMixedAlignment ? alignment : kMixedAlignment;
    f.loadedAlignment_ = f.Alignment;
    for (int i = 0; i < 6; ++i) {
        const int16_t value = part.*kFields[i];
        if (value == kMixed) continue;
        // The up-down is first set here: the first-line label follows it unless it stays at 0.
        if (value != 0) f.SetStep(static_cast<Field>(i), value);
        f.Texts[static_cast<size_t>(i)] = FormatTenths(value);
    }
    f.Changed = false;
    return f;
}

void PartForm::SetStep(Field f, int32_t value) {
    const Range& r = kRanges[f];
    Steps[f] = std::clamp(value, r.Min, r.Max);
    Texts[f] = FormatTenths(Steps[f]);
    if (f == FirstLine) FirstLineLabel = Steps[f] < 0 ? u"首行悬进：" : u"首行缩进：";
    Changed = true;
}

void PartForm::Edit(Field f, std::u16string text) {
    if (!text.empty()) Steps[f] = TenthsOf(text, kRanges[f].Min, kRanges[f].Max);
    Texts[f] = std::move(text);
    Changed = true;
}

void PartForm::Step(Field f, int direction) {
    SetStep(f, Steps[f] + direction * kRanges[f].Step);
}

void PartForm::ChooseAlignment(int option) {
    Alignment = option;
    if (option != loadedAlignment_) Changed = true;
}

bool PartForm::Confirm() {
    Part.AlignmentMethod = static_cast<tessaly::Alignment>(Alignment == kMixedAlignment ? kMixed : Alignment);
    for (int i = 0; i < 6; ++i) {
        const std::u16string& text = Texts[static_cast<size_t>(i)];
        const Range& r = kRanges[static_cast<size_t>(i)];
        Part.*kFields[i] = text.empty() ? kMixed : static_cast<int16_t>(TenthsOf(text, r.Min, r.Max));
    }
    return Changed;
}

std::optional<PartForm::Refusal> PartForm::Overflowing(const tessaly::AboutPageInfo& page) const {
    const tessaly::PaperMillimetres room = tessaly::WritableTenths(page);
    if (room.Width <= 0) return std::nullopt;  // the page itself is refused elsewhere
    const auto typed = [this](Field f) { return !Texts[f].empty(); };
    // A typed value, or the paragraph's own one for an empty box.
    const auto value = [&](const tessaly::aPartInfo& own, Field f) -> int64_t {
        if (typed(f)) return TenthsOf(Texts[f], kRanges[f].Min, kRanges[f].Max);
        const int16_t v = own.*kFields[f];
        return v == kMixed ? 0 : v;
    };
    const std::u16string width = FormatTenths(static_cast<int32_t>(std::min<int64_t>(room.Width, 1000000))) + u"毫米）";
    const std::u16string height =
        FormatTenths(static_cast<int32_t>(std::min<int64_t>(room.Height, 1000000))) + u"毫米）";
    // The box to select: the last typed one of those that together take the room.
    const auto blame = [&](std::initializer_list<Field> fields) -> std::optional<Field> {
        std::optional<Field> last;
        for (Field f : fields)
            if (typed(f)) last = f;
        return last;
    };
    const std::vector<tessaly::aPartInfo> paragraphs = Own.empty() ? std::vector{Part} : Own;
    for (const tessaly::aPartInfo& own : paragraphs) {
        const int64_t left = value(own, LeftIndent), right = value(own, RightIndent);
        const int64_t first = std::max<int64_t>(value(own, FirstLine), 0);
        if (left >= room.Width && typed(LeftIndent)) return Refusal{LeftIndent, u"左缩进应小于行宽（" + width};
        if (left + right >= room.Width)
            if (const auto box = blame({LeftIndent, RightIndent}))
                return Refusal{*box, u"左、右缩进之和应小于行宽（" + width};
        if (left + first + right >= room.Width)
            if (const auto box = blame({LeftIndent, RightIndent, FirstLine}))
                return Refusal{*box, u"首行缩进与左、右缩进之和应小于行宽（" + width};
    }
    if (typed(Before) && value(Part, Before) >= room.Height)
        return Refusal{Before, u"段前间距应小于版心高度（" + height};
    if (typed(After) && value(Part, After) >= room.Height) return Refusal{After, u"段后间距应小于版心高度（" + height};
    return std::nullopt;
}

}  // namespace tavolin
