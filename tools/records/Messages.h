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

// Window messages between the deliverables (WM_USER + 2 to + 84). Each line gives the direction,
// then w: wParam, l: lParam, r: the result, and who owns the memory an address points at.
// - In the 64-bit build wParam and lParam are 64 bits wide; addresses travel whole in lParam.
// - "values": the two 16-bit values of a mark packed in the low 32 bits of wParam (high half
//   times 65536 plus the low half). Codes, kinds and numbers come by value in the low 32 bits of
//   lParam; a host's -1 arrives sign-extended and compares as -1.
// - "&BSTR": the address of the sender's BSTR variable (an 8-byte pointer); the editor copies the
//   text during the call and leaves the sender's string alone.
// - A record sent by address is copied at once, only when sent from the editor's own thread and
//   not null; the sender keeps it.
// - A get message answers with the address of the editor's own record, valid until the next
//   message to the editor; the host copies it at once.
// - "default": the editor passes the message on to the control's previous procedure and returns
//   its answer. Messages the editor sends to its host are passed on unchanged when they reach it.
enum MyConstants : int32_t {
    EM_Alignment_About = 1030,      // reserved, never sent
    EM_RunPre = 1031,               // -> host, progress. w: 0; l: &int32 percent done (sender's, during the call)
    EM_Command_CustomWord = 1032,   // editor -> host: open the custom-text dialog. w: 0; l: 0
    EM_FormatFontName = 1033,       // host -> editor. l: &BSTR font name; r: default
    EM_SetWriteRect = 1034,         // host -> editor. l: &RECT margins (copied); r: default
    EM_GetWriteRect = 1035,         // host -> editor. w: 0; r: address of the editor's margin RECT
    EM_FormatSortInfo = 1036,       // host -> editor. w: values; l: mark code; r: default
    EM_FormatTFZ = 1037,            // host -> editor, volta. w: values; l: &BSTR volta text; r: default
    EM_FormatKFTFZ = 1038,          // host -> editor, open volta. w: values; l: &BSTR text; r: default
    EM_InstrMainAndExtralStr = 1039,  // host -> editor. w: symbol value; l: symbol mark code; r: default
    EM_DelAreaExtralStr = 1040,     // host -> editor. w: code of the area mark; l: not read; r: default
    EM_FormatHuXian = 1041,         // host -> editor, arc. w: values; l: arc kind; r: default
    EM_FormatLinYing = 1042,        // host -> editor, tuplet. w: values; l: &BSTR number text; r: default
    EM_SetHwColor = 1043,           // both ways. w: 0; l: &int32 colour (copied); r: default
    EM_CustomWord = 1044,           // host -> editor. w: values; l: &BSTR custom text; r: default
    EM_Test = 1045,                 // host -> editor. w: values; l: &BSTR text; r: default
    EM_Formathy = 1046,             // reserved, never sent
    EM_InstrHwStr = 1047,           // host -> editor. w: 0; l: connecting-line kind 0 to 4; r: default
    EM_XiaoJieXuHao = 1048,         // host -> editor, bar number. w: values; l: &BSTR text; r: default
    EM_Custom_ChangSpeed = 1050,    // host -> editor. w: values; l: tempo value; r: default
    EM_FormatYYInfo = 1051,         // host -> editor, grace notes. w: grace value; l: mark code; r: default
    EM_FormatZhuYing = 1052,        // host -> editor. w: values; l: not read; r: default
    EM_GetFontExInfo = 1053,        // host -> editor. w: 0; l: 0; r: address of the editor's FontExInfo
    EM_SetFontExInfo = 1054,        // host -> editor. w: 0; l: &FontExInfo (copied); r: default
    EM_FormatBigHuaYing = 1055,     // host -> editor, big glissando over a two-character selection.
                                    // w, l: not read; r: default
    EM_FormatCombiningChar = 1056,  // host -> editor. w: values; l: mark code; r: default
    EM_ShowFormSetYcYgPos = 1057,   // host -> editor: the position dialog. w: 0; l: not read; r: 0
    EM_预览 = 1059,                 // reserved, never sent
    WM_ShowPlayPos = 1060,          // playback -> editor. w: character being played, -1 = ended; l: 0; r: default
    EM_PlayInfo = 1061,             // editor -> host. w: 0 = playback starts, 1 = stopped; l: 0; r: not read
    EM_ChangSpeed = 1062,           // host -> editor. w: values; l: tempo value; r: default
    EM_OnWord = 1063,               // editor -> host. w: 1 = mouse over a character with marks, 0 = left it;
                                    // l: &int32 0 (sender's, during the call)
    EM_DelExtralStr = 1064,         // host -> editor. w: code of the mark to delete; l: not read; r: default
    EM_PlayDrumFrmInfo = 1065,      // playback -> editor. w: bar played, -1 = drum list started, -2 = ended; l: 0
    Get_WordInfo = 1066,            // reserved, never sent
    EM_GetPageSeting = 1067,        // host -> editor. w: 0; l: 0; r: address of the editor's AboutPageInfo
    EM_SetPageSeting = 1068,        // host -> editor. w: 0; l: &AboutPageInfo (copied); r: default
    EM_GetPartInfo = 1069,          // host -> editor. w: 0; l: 0; r: address of the editor's aPartInfo
    EM_SetPartInfo = 1070,          // host -> editor. w: 0; l: &aPartInfo (copied); r: default
    EM_FORMATRANGE = 1081,          // reserved, never sent
};

// Fixed message numbers outside MyConstants.
// host -> editor, host deactivated: hide the caret. w: 0; r: default
inline constexpr int32_t EM_HideCaret = 143;
// editor -> host. w: 0; l: address of the editor's aSendMsg, valid during the call only (the host
// copies it); the editor ignores one sent to it.
inline constexpr int32_t EM_SendMsg = 1026;
inline constexpr int32_t EM_SetScrollBars = 1028;  // -> host. l: &int32 scroll-bar setting (sender's)
inline constexpr int32_t EM_ReShowForm = 1029;     // -> host: lay the main window out again. w, l: unused
inline constexpr int32_t EM_REDO = 1108;           // host -> editor: redo one step. w: 0; l: not read; r: default

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
