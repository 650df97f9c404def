#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "records/Document.h"
#include "records/Types.h"

namespace tessaly {

enum Alignment : int32_t {
    AlignmentNear = 0,
    AlignmentCenter = 1,
    AlignmentDisperse = 2,
    AlignmentFar = 3,
    AlignmentCpDq = 4,  // notation aligned to the lyric line
    AlignmentxjDq = 5,  // bar to bar
    AlignmentUnKnow = 6,
};

enum InputState : int32_t {
    JpState = 1,   // notation
    GcState = 2,   // lyrics
    LpxState = 3,  // connecting lines and free-placed items
};

enum RefreshType : int32_t {
    AutoRefresh = 0,
    AllRefresh = 1,
    MainRefresh = 2,
    ExtralRefresh = 3,
    LpxRefresh = 4,
    SelColorRefresh = 5,
    MainExtralRefresh = 6,
    InputRefresh = 7,
    OnePageRefresh = 8,
};

enum nMouseArea : int32_t {
    inLborder = 1,
    inRborder = 2,
    inTborder = 3,
    inBborder = 4,
    inLeftWord = 5,
    inRightWord = 6,
    inEdit = 7,
    inSelected = 8,
    inRScroll = 9,
    inBScroll = 10,
    NameLessborder = 11,
    inCtrl = 12,
};

// The layout of one line.
struct aLineInfo {
    int32_t Start = 0;
    int32_t Length = 0;
    int16_t NormalSpaceNum = 0;
    float Left = 0;
    float Right = 0;
    float Top = 0;
    float Bottom = 0;
    Boolean LineIsCtl = kFalse;
    float LineUpSpace = 0;
    Boolean IsAllLine = kFalse;
    int32_t WordHeight = 0;
};

// The line and character ranges of one page.
struct aPageInfo {
    int32_t StartLine = 0;
    int32_t LengthLine = 0;
    int32_t StartWord = 0;
    int32_t LengthWord = 0;
};

// A paragraph's attributes; indents and spacing in tenths of a millimetre.
struct aPartInfo {
    Alignment AlignmentMethod = AlignmentNear;
    int16_t FirstLineIndentation = 0;
    int16_t LeftIndentation = 0;
    int16_t RightIndentation = 0;
    int16_t LineSpace = 0;
    int16_t SpacingBefore = 0;
    int16_t SpacingAfter = 0;
};

// The lines and characters an edit touched; drives incremental re-layout.
struct aInputDat {
    int32_t iLine1 = 0;
    int32_t iLine2 = 0;
    int32_t iWord1 = 0;
    int32_t iWord2 = 0;
    int32_t iAddLength = 0;
    int32_t iDelLength = 0;
};

// Spacing, raise and stacking of the selection.
struct FontExInfo {
    float SelWdSpace = 0;
    float SelWdUpSpace = 0;
    aShuPai SelShuPai;
};

static_assert(sizeof(Alignment) == 4 && sizeof(InputState) == 4);
static_assert(sizeof(RefreshType) == 4 && sizeof(nMouseArea) == 4);

static_assert(sizeof(aLineInfo) == 44);
static_assert(offsetof(aLineInfo, Start) == 0);
static_assert(offsetof(aLineInfo, Length) == 4);
static_assert(offsetof(aLineInfo, NormalSpaceNum) == 8);
static_assert(offsetof(aLineInfo, Left) == 12);
static_assert(offsetof(aLineInfo, Right) == 16);
static_assert(offsetof(aLineInfo, Top) == 20);
static_assert(offsetof(aLineInfo, Bottom) == 24);
static_assert(offsetof(aLineInfo, LineIsCtl) == 28);
static_assert(offsetof(aLineInfo, LineUpSpace) == 32);
static_assert(offsetof(aLineInfo, IsAllLine) == 36);
static_assert(offsetof(aLineInfo, WordHeight) == 40);

static_assert(sizeof(aPageInfo) == 16);
static_assert(offsetof(aPageInfo, StartLine) == 0);
static_assert(offsetof(aPageInfo, LengthLine) == 4);
static_assert(offsetof(aPageInfo, StartWord) == 8);
static_assert(offsetof(aPageInfo, LengthWord) == 12);

static_assert(sizeof(aPartInfo) == 16);
static_assert(offsetof(aPartInfo, AlignmentMethod) == 0);
static_assert(offsetof(aPartInfo, FirstLineIndentation) == 4);
static_assert(offsetof(aPartInfo, LeftIndentation) == 6);
static_assert(offsetof(aPartInfo, RightIndentation) == 8);
static_assert(offsetof(aPartInfo, LineSpace) == 10);
static_assert(offsetof(aPartInfo, SpacingBefore) == 12);
static_assert(offsetof(aPartInfo, SpacingAfter) == 14);

static_assert(sizeof(aInputDat) == 24);
static_assert(offsetof(aInputDat, iLine1) == 0);
static_assert(offsetof(aInputDat, iLine2) == 4);
static_assert(offsetof(aInputDat, iWord1) == 8);
static_assert(offsetof(aInputDat, iWord2) == 12);
static_assert(offsetof(aInputDat, iAddLength) == 16);
static_assert(offsetof(aInputDat, iDelLength) == 20);

static_assert(sizeof(FontExInfo) == 16);
static_assert(offsetof(FontExInfo, SelWdSpace) == 0);
static_assert(offsetof(FontExInfo, SelWdUpSpace) == 4);
static_assert(offsetof(FontExInfo, SelShuPai) == 8);

static_assert(std::is_trivially_copyable_v<aLineInfo> && std::is_standard_layout_v<aLineInfo>);
static_assert(std::is_trivially_copyable_v<aPartInfo> && std::is_standard_layout_v<aPartInfo>);
static_assert(std::is_trivially_copyable_v<FontExInfo> && std::is_standard_layout_v<FontExInfo>);

}  // namespace tessaly
