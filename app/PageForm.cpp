#include "PageForm.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include "FormNumbers.h"
#include "records/Numbers.h"
#include "records/PageRules.h"

namespace tavolin {

namespace {

std::u16string Decimal(int64_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

std::u16string Millimetres(int64_t tenths) {
    const int64_t shown = std::clamp<int64_t>(tenths, 0, std::numeric_limits<int32_t>::max());
    std::u16string text = u"（";  // appended: gcc 12 warns of a false overlap in "..." + string
    text += FormatTenths(static_cast<int32_t>(shown));
    return text + u"毫米）";
}

// A stored margin the up-down can hold.
int32_t StepOf(int32_t tenths) {
    return std::clamp(tenths, 0, PageForm::kMarginMax);
}

}  // namespace

const std::array<const char16_t*, 6> PageForm::kBackgrounds = {u"白色", u"红色", u"绿色",
                                                               u"橙色", u"黄色", u"纹理填充"};
const std::array<const char16_t*, 6> PageForm::kNumberPositions = {u"无",   u"居中",     u"居左",
                                                                   u"居右", u"奇左偶右", u"奇右偶左"};
const std::array<const char16_t*, 3> PageForm::kNumberSizes = {u"大", u"中", u"小"};

std::u16string PageForm::PaperText(int index, const tessaly::size& custom) {
    switch (index) {
        case 0: return u"A4纸（210*297毫米）";
        case 1: return u"A3纸（297*420毫米）";
        default: return u"自定义（" + Decimal(custom.cx) + u"*" + Decimal(custom.cy) + u"毫米）";
    }
}

int PageForm::PaperIndexOf(uint8_t paperType) {
    switch (paperType) {
        case tessaly::pA4: return 0;
        case tessaly::pA3: return 1;
        case tessaly::pCustom: return kCustomPaperIndex;
        default: return -1;
    }
}

PageForm PageForm::Load(const tessaly::AboutPageInfo& page) {
    PageForm f;
    f.Page = page;
    f.Background = page.BackGroundType < kBackgrounds.size() ? page.BackGroundType : -1;
    f.PaperIndex = PaperIndexOf(page.PaperType);
    f.NumberPosition = page.PagePosIndexType < kNumberPositions.size() ? page.PagePosIndexType : -1;
    f.NumberSize = page.PageNumberSize >= 0 && page.PageNumberSize < 3 ? page.PageNumberSize : -1;
    const tessaly::RECT& r = page.PageMarginRect;
    const std::array<int32_t, 4> margins = {r.Top, r.Bottom, r.Left, r.Right};
    for (size_t i = 0; i < 4; ++i) {
        f.MarginSteps[i] = StepOf(margins[i]);
        f.Margins[i] = FormatTenths(margins[i]);
    }
    // Shown at two decimals as the status bar shows it; an unedited box keeps the stored value.
    f.Scale = f.loadedScaleText_ = ShortestText(static_cast<float>(tessaly::Round(page.nScale, 2)));
    f.loadedScale_ = page.nScale;
    f.Orientation = page.PageFX;
    f.Loaded = true;
    f.Changed = false;
    return f;
}

void PageForm::EditMargin(Margin m, std::u16string text) {
    if (!text.empty()) MarginSteps[m] = StepOf(TenthsOf(text, 0, kMarginMax));
    Margins[m] = std::move(text);
    Changed = true;
}

void PageForm::StepMargin(Margin m, int32_t value) {
    MarginSteps[m] = StepOf(value);
    Margins[m] = FormatTenths(MarginSteps[m]);
    Changed = true;
}

void PageForm::ChooseOrientation(int orientation) {
    Orientation = orientation;
    Page.PageFX = static_cast<uint8_t>(orientation);
    Changed = true;
}

PageForm::Answer PageForm::TakeCustomSize(std::u16string_view answer) {
    if (answer.empty()) return Answer::Empty;
    const size_t star = answer.find(u'*');
    if (star == std::u16string_view::npos) return Answer::Refused;
    const double width = ValOf(answer.substr(0, star));
    const double height = ValOf(answer.substr(star + 1));
    const auto side = [](double v) { return std::isfinite(v) ? tessaly::CLng(v) : 0; };
    if (side(width) < 1 || side(width) > kSideMax || side(height) < 1 || side(height) > kSideMax)
        return Answer::Refused;
    if (width != Page.PageSize.cx) Page.PageSize.cx = side(width), Changed = true;
    if (height != Page.PageSize.cy) Page.PageSize.cy = side(height), Changed = true;
    return Answer::Taken;
}

PageForm::Result PageForm::Confirm() {
    tessaly::AboutPageInfo page = Page;
    bool changed = Changed;
    const auto take = [&changed](auto& field, int index) {
        if (index < 0 || field == index) return;
        field = static_cast<std::remove_reference_t<decltype(field)>>(index);
        changed = true;
    };
    take(page.BackGroundType, Background);
    if (PaperIndex >= 0) take(page.PaperType, PaperIndex == kCustomPaperIndex ? tessaly::pCustom : PaperIndex);
    take(page.PagePosIndexType, NumberPosition);
    take(page.PageNumberSize, NumberSize);
    // An unedited scale keeps its stored value exactly.
    if (Scale != loadedScaleText_) {
        const double scale = ValOf(Scale);
        page.nScale = std::isfinite(scale) && std::fabs(scale) < 1e30 ? static_cast<float>(scale) : 0;
        changed = changed || page.nScale != loadedScale_;
    }
    // Typed margins beyond 32 bits are refused with the rest.
    const auto margin = [this](Margin m) {
        const double tenths = tessaly::RoundHalfEven(ValOf(Margins[m]) * 10);
        return tenths >= 0 && tenths <= 1e9 ? static_cast<int32_t>(tenths) : -1;
    };
    page.PageMarginRect = {margin(Left), margin(Top), margin(Right), margin(Bottom)};

    if (!tessaly::IsUsablePaper(page)) return {Box::Paper, false, u"自定义纸张的宽度和高度应为1-1000毫米"};
    if (!tessaly::MarginsFit(page, page.PageMarginRect)) {
        // The box that takes the room: the first of its pair unless that one alone would fit.
        const tessaly::PaperMillimetres mm = tessaly::PaperSizeOf(page);
        const tessaly::RECT& r = page.PageMarginRect;
        const bool topFits = r.Top >= 0 && 2 * int64_t{r.Top} < mm.Height * 10;
        const bool leftFits = r.Left >= 0 && 2 * int64_t{r.Left} < mm.Width * 10;
        const bool verticalFits = topFits && r.Bottom >= 0 && int64_t{r.Top} + r.Bottom < mm.Height * 10;
        if (!verticalFits) {
            if (topFits)
                return {Box::BottomMargin, false, u"上、下边距之和应小于纸张高度" + Millimetres(mm.Height * 10)};
            return {Box::TopMargin, false, u"上边距应小于纸张高度的一半" + Millimetres(mm.Height * 5)};
        }
        if (leftFits) return {Box::RightMargin, false, u"左、右边距之和应小于纸张宽度" + Millimetres(mm.Width * 10)};
        return {Box::LeftMargin, false, u"左边距应小于纸张宽度的一半" + Millimetres(mm.Width * 5)};
    }
    if (!tessaly::IsZoomScale(page.nScale)) return {Box::Scale, false, u"缩放比例应在0.55-2.40之间"};
    Page = page;
    return {Box::None, changed, {}};
}

}  // namespace tavolin
