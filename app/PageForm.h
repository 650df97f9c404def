#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/Document.h"

// The page dialog "页面参数设置...": a copy of the editor's page record, the texts of its boxes,
// and the rules that turn them back into a record the editor can lay out.
namespace tavolin {

struct PageForm {
    // Margin boxes in the order of the dialog: top, bottom, left, right.
    enum Margin { Top, Bottom, Left, Right };
    static constexpr int kCustomPaperIndex = 2;
    static constexpr int32_t kMarginMax = 1000;
    static constexpr int32_t kSideMax = 1000;  // a custom paper side, millimetres
    static const std::array<const char16_t*, 6> kBackgrounds;
    static const std::array<const char16_t*, 6> kNumberPositions;
    static const std::array<const char16_t*, 3> kNumberSizes;
    static constexpr char16_t kCustomPrompt[] =
        u"\n\r用户可以自定义纸张尺寸，请输入纸张宽度*高度(形如210*297，单位毫米)：";

    tessaly::AboutPageInfo Page;
    bool Loaded = false;
    bool Changed = false;

    // Selected indexes of the lists; -1 when none.
    int Background = 0, PaperIndex = 0, NumberPosition = 0, NumberSize = 0;
    int Orientation = 0;
    std::u16string Scale;
    std::array<std::u16string, 4> Margins;
    std::array<int32_t, 4> MarginSteps{};  // the up-downs, tenths

    static PageForm Load(const tessaly::AboutPageInfo& page);
    static std::u16string PaperText(int index, const tessaly::size& custom);
    static int PaperIndexOf(uint8_t paperType);

    // A margin box typed into, or its up-down moved (the box then shows the new value).
    void EditMargin(Margin m, std::u16string text);
    void StepMargin(Margin m, int32_t value);
    void ChooseOrientation(int orientation);

    // The custom paper answer "width*height" in millimetres. Empty: nothing. Refused (and the
    // old size kept) without "*" or with a side outside 1 to 1000, for the reason below.
    enum class Answer { Empty, Refused, Taken };
    static constexpr char16_t kSideReason[] = u"纸张宽度和高度应为1-1000毫米，形如210*297";
    Answer TakeCustomSize(std::u16string_view answer);

    // OK. Sets the record from the controls; an unusable paper, margins or scale are refused with
    // the box to select, the record as it was.
    enum class Box { None, Paper, Scale, TopMargin, BottomMargin, LeftMargin, RightMargin };
    struct Result {
        Box Refused = Box::None;
        bool Send = false;      // something changed: the record goes to the editor
        std::u16string Reason;  // of a refusal: the value and its range, or what it collides with
    };
    Result Confirm();

private:
    float loadedScale_ = 0;
    std::u16string loadedScaleText_;
};

}  // namespace tavolin
