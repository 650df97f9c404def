#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/Document.h"
#include "records/Layout.h"

// The paragraph dialog "段落设置": alignment, indents and spacings of the selected paragraphs.
namespace tavolin {

struct PartForm {
    static constexpr int16_t kMixed = -10001;  // the paragraphs differ; sent back: each keeps its own
    static constexpr int kMixedAlignment = 6;
    enum Field { FirstLine, LeftIndent, RightIndent, LineSpace, Before, After };
    struct Range {
        int32_t Min, Max, Step;
    };
    static const std::array<Range, 6> kRanges;
    static const std::array<const char16_t*, 7> kAlignments;

    tessaly::aPartInfo Part;
    bool Changed = false;
    int Alignment = 0;  // the selected option; 6 for "不统一设置"
    std::array<std::u16string, 6> Texts;
    std::array<int32_t, 6> Steps{};  // the up-downs, tenths
    std::u16string FirstLineLabel = u"首行缩进:";

    static PartForm Load(const tessaly::aPartInfo& part);
    void Edit(Field f, std::u16string text);
    // One click of a field's up-down; +1 up, -1 down.
    void Step(Field f, int direction);
    void ChooseAlignment(int option);
    // OK: the record from the controls, typed values held to their up-down ranges. True when
    // something changed and the record goes to the editor.
    bool Confirm();
    // Each selected paragraph's own record, for the boxes left empty (the paragraphs differ).
    std::vector<tessaly::aPartInfo> Own;
    struct Refusal {
        Field Box;
        std::u16string Reason;
        bool operator==(const Refusal&) const = default;
    };
    // The first typed box whose value leaves a paragraph no room on a page of `page`: its side
    // indents, with a first-line indent, as wide as the writable width, or a space before or after
    // as high as it. An empty box counts each paragraph's own value.
    std::optional<Refusal> Overflowing(const tessaly::AboutPageInfo& page) const;

private:
    int loadedAlignment_ = 0;
    void SetStep(Field f, int32_t value);
};

}  // namespace tavolin
