#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "records/Layout.h"

// Some of these names are also macros of the Windows rich-edit header, with the same values.
#pragma push_macro("EM_FORMATRANGE")
#pragma push_macro("EM_REDO")
#undef EM_FORMATRANGE
#undef EM_REDO

namespace tessaly {

// Window messages between the deliverables (WM_USER + 6 to + 57).
enum MyConstants : int32_t {
    EM_Alignment_About = 1030,
    EM_RunPre = 1031,
    EM_Command_CustomWord = 1032,
    EM_FormatFontName = 1033,
    EM_SetWriteRect = 1034,
    EM_GetWriteRect = 1035,
    EM_FormatSortInfo = 1036,
    EM_FormatTFZ = 1037,
    EM_FormatKFTFZ = 1038,
    EM_InstrMainAndExtralStr = 1039,
    EM_DelAreaExtralStr = 1040,
    EM_FormatHuXian = 1041,
    EM_FormatLinYing = 1042,
    EM_SetHwColor = 1043,
    EM_CustomWord = 1044,
    EM_Test = 1045,
    EM_Formathy = 1046,
    EM_InstrHwStr = 1047,
    EM_XiaoJieXuHao = 1048,
    EM_Custom_ChangSpeed = 1050,
    EM_FormatYYInfo = 1051,
    EM_FormatZhuYing = 1052,
    EM_GetFontExInfo = 1053,
    EM_SetFontExInfo = 1054,
    EM_FormatBigHuaYing = 1055,
    EM_FormatCombiningChar = 1056,
    EM_ShowFormSetYcYgPos = 1057,
    EM_预览 = 1059,
    WM_ShowPlayPos = 1060,
    EM_PlayInfo = 1061,
    EM_ChangSpeed = 1062,
    EM_OnWord = 1063,
    EM_DelExtralStr = 1064,
    EM_PlayDrumFrmInfo = 1065,
    Get_WordInfo = 1066,
    EM_GetPageSeting = 1067,
    EM_SetPageSeting = 1068,
    EM_GetPartInfo = 1069,
    EM_SetPartInfo = 1070,
    EM_FORMATRANGE = 1081,
};

// Fixed message numbers outside MyConstants.
inline constexpr int32_t EM_HideCaret = 143;       // host deactivated: the editor hides its caret
inline constexpr int32_t EM_SendMsg = 1026;        // editor -> host: lParam = address of aSendMsg
inline constexpr int32_t EM_SetScrollBars = 1028;  // -> host: lParam = address of a 32-bit scroll-bar setting
inline constexpr int32_t EM_ReShowForm = 1029;     // -> host: lay the main window out again
inline constexpr int32_t EM_REDO = 1108;           // host -> editor: redo one step

// The caret and selection status that the editor sends to its host with EM_SendMsg.
// StdFont is a reference, so from it on the 64-bit layout differs from the 84-byte 32-bit one;
// the record never leaves the process as raw bytes.
struct aSendMsg {
    int32_t SelStart = 0;
    int32_t SelLength = 0;
    int32_t CurrentLine = 0;
    int32_t PageCount = 0;
    float Pro = 0;
    int16_t SelWordSpace = 0;
    int16_t SelFontSize = 0;
    int32_t PartLineSpace = 0;
    Alignment PartAlignment = AlignmentNear;
    int16_t SelIndexType[8] = {};
    InputState cInputState = JpState;
    int32_t SourceWord = 0;
    int16_t FontIndex = 0;
    int16_t PaperType = 0;
    int32_t PageColor = 0;
    uint32_t WordColor = 0;    // OLE colour
    uint32_t WordBkColor = 0;  // OLE colour
    void* StdFont = nullptr;   // the selection's font object; not owned by the record
    int16_t cb = 0;
    int16_t cf = 0;
    int16_t ShowWordSpace = 0;
};

static_assert(offsetof(aSendMsg, SelStart) == 0);
static_assert(offsetof(aSendMsg, SelLength) == 4);
static_assert(offsetof(aSendMsg, CurrentLine) == 8);
static_assert(offsetof(aSendMsg, PageCount) == 12);
static_assert(offsetof(aSendMsg, Pro) == 16);
static_assert(offsetof(aSendMsg, SelWordSpace) == 20);
static_assert(offsetof(aSendMsg, SelFontSize) == 22);
static_assert(offsetof(aSendMsg, PartLineSpace) == 24);
static_assert(offsetof(aSendMsg, PartAlignment) == 28);
static_assert(offsetof(aSendMsg, SelIndexType) == 32);
static_assert(offsetof(aSendMsg, cInputState) == 48);
static_assert(offsetof(aSendMsg, SourceWord) == 52);
static_assert(offsetof(aSendMsg, FontIndex) == 56);
static_assert(offsetof(aSendMsg, PaperType) == 58);
static_assert(offsetof(aSendMsg, PageColor) == 60);
static_assert(offsetof(aSendMsg, WordColor) == 64);
static_assert(offsetof(aSendMsg, WordBkColor) == 68);
static_assert(offsetof(aSendMsg, StdFont) == 72);
static_assert(offsetof(aSendMsg, cb) == 72 + sizeof(void*));
static_assert(offsetof(aSendMsg, cf) == 74 + sizeof(void*));
static_assert(offsetof(aSendMsg, ShowWordSpace) == 76 + sizeof(void*));
static_assert(sizeof(aSendMsg) == (sizeof(void*) == 4 ? 84 : 88));
static_assert(std::is_trivially_copyable_v<aSendMsg> && std::is_standard_layout_v<aSendMsg>);

}  // namespace tessaly

#pragma pop_macro("EM_REDO")
#pragma pop_macro("EM_FORMATRANGE")
