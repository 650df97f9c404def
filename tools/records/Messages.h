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

// Window messages between the deliverables (WM_USER + 2 to + 84), one row each: name, number,
// route, then w: wParam, l: lParam, the result, and who owns the memory an address points at.
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
// - Result Default: the editor passes the message on to the control's previous procedure and
//   returns its answer. Messages the editor sends to its host are passed on unchanged when they
//   reach it.

// How a message's result is made.
enum class MessageResult : uint8_t {
    Default,   // the control's previous procedure answers
    Zero,      // always 0
    Flag,      // 1 when done, 0 when not
    Address,   // the address of the editor's own record
    NotRead,   // the sender ignores it
    Reserved,  // never sent
};
// Who owns the memory lParam points at, when it is an address.
enum class MessageOwner : uint8_t { None, Sender, Editor };

// X(name, number, route, wParam, lParam, result, owner)
#define JP_MY_CONSTANTS(X)                                                                                            \
    X(EM_Alignment_About, 1030, "reserved", "", "", Reserved, None)                                                   \
    X(EM_RunPre, 1031, "-> host, progress", "0", "&int32 percent done (during the call)", NotRead, Sender)            \
    X(EM_Command_CustomWord, 1032, "editor -> host: open the custom-text dialog", "0", "0", NotRead, None)            \
    X(EM_FormatFontName, 1033, "host -> editor", "", "&BSTR font name", Default, Sender)                              \
    X(EM_SetWriteRect, 1034, "host -> editor", "", "&RECT margins (copied)", Default, Sender)                         \
    X(EM_GetWriteRect, 1035, "host -> editor", "0", "", Address, Editor)                                              \
    X(EM_FormatSortInfo, 1036, "host -> editor", "values", "mark code", Default, None)                                \
    X(EM_FormatTFZ, 1037, "host -> editor, volta", "values", "&BSTR volta text", Default, Sender)                     \
    X(EM_FormatKFTFZ, 1038, "host -> editor, open volta", "values", "&BSTR text", Default, Sender)                    \
    X(EM_InstrMainAndExtralStr, 1039, "host -> editor", "symbol value", "symbol mark code", Default, None)            \
    X(EM_DelAreaExtralStr, 1040, "host -> editor", "code of the area mark", "not read", Flag, None)                   \
    X(EM_FormatHuXian, 1041, "host -> editor, arc", "values", "arc kind", Default, None)                              \
    X(EM_FormatLinYing, 1042, "host -> editor, tuplet", "values", "&BSTR number text", Default, Sender)               \
    X(EM_SetHwColor, 1043, "both ways", "0", "&int32 colour (copied)", Default, Sender)                               \
    X(EM_CustomWord, 1044, "host -> editor", "values", "&BSTR custom text", Default, Sender)                          \
    X(EM_Test, 1045, "host -> editor", "values", "&BSTR text", Default, Sender)                                       \
    X(EM_Formathy, 1046, "reserved", "", "", Reserved, None)                                                          \
    X(EM_InstrHwStr, 1047, "host -> editor", "0", "connecting-line kind 0 to 4", Default, None)                       \
    X(EM_XiaoJieXuHao, 1048, "host -> editor, bar number", "values", "&BSTR text", Default, Sender)                   \
    X(EM_Custom_ChangSpeed, 1050, "host -> editor", "values", "tempo value", Default, None)                           \
    X(EM_FormatYYInfo, 1051, "host -> editor, grace notes", "grace value", "mark code", Default, None)                \
    X(EM_FormatZhuYing, 1052, "host -> editor", "values", "not read", Default, None)                                  \
    X(EM_GetFontExInfo, 1053, "host -> editor", "0", "0", Address, Editor)                                            \
    X(EM_SetFontExInfo, 1054, "host -> editor", "0", "&FontExInfo (copied)", Default, Sender)                         \
    X(EM_FormatBigHuaYing, 1055, "host -> editor, big glissando over a two-character selection", "not read",          \
      "not read", Default, None)                                                                                      \
    X(EM_FormatCombiningChar, 1056, "host -> editor", "values", "mark code", Default, None)                           \
    X(EM_ShowFormSetYcYgPos, 1057, "host -> editor: the position dialog", "0", "not read", Zero, None)                \
    X(EM_预览, 1059, "reserved", "", "", Reserved, None)                                                              \
    X(WM_ShowPlayPos, 1060, "playback -> editor", "character being played, -1 = ended", "0", Default, None)           \
    X(EM_PlayInfo, 1061, "editor -> host", "0 = playback starts, 1 = stopped", "0", NotRead, None)                    \
    X(EM_ChangSpeed, 1062, "host -> editor", "values", "tempo value", Default, None)                                  \
    X(EM_OnWord, 1063, "editor -> host", "1 = mouse over a character with marks, 0 = left it",                        \
      "&int32 0 (during the call)", NotRead, Sender)                                                                  \
    X(EM_DelExtralStr, 1064, "host -> editor", "code of the mark to delete", "not read", Default, None)               \
    X(EM_PlayDrumFrmInfo, 1065, "playback -> editor", "bar played, -1 = drum list started, -2 = ended", "0", Default, \
      None)                                                                                                           \
    X(Get_WordInfo, 1066, "reserved", "", "", Reserved, None)                                                         \
    X(EM_GetPageSeting, 1067, "host -> editor", "0", "0", Address, Editor)                                            \
    X(EM_SetPageSeting, 1068, "host -> editor", "0", "&AboutPageInfo (copied)", Default, Sender)                      \
    X(EM_GetPartInfo, 1069, "host -> editor", "0, or n: the n-th paragraph's own", "0", Address, Editor)              \
    X(EM_SetPartInfo, 1070, "host -> editor", "0", "&aPartInfo (copied)", Default, Sender)                            \
    X(EM_FORMATRANGE, 1081, "reserved", "", "", Reserved, None)

// Fixed message numbers outside MyConstants. EM_SendMsg's record is the editor's, valid during
// the call only (the host copies it); the editor ignores one sent to it.
#define JP_FIXED_MESSAGES(X)                                                                                    \
    X(EM_HideCaret, 143, "host -> editor, host deactivated: hide the caret", "0", "", Default, None)            \
    X(EM_SendMsg, 1026, "editor -> host, the status", "0", "address of the editor's aSendMsg", NotRead, Editor) \
    X(EM_SetScrollBars, 1028, "-> host", "", "&int32 scroll-bar setting", NotRead, Sender)                      \
    X(EM_ReShowForm, 1029, "-> host: lay the main window out again", "unused", "unused", NotRead, None)         \
    X(EM_REDO, 1108, "host -> editor: redo one step", "0", "not read", Default, None)

#define JP_MESSAGE_ENUM(name, number, route, w, l, result, owner) name = number,
enum MyConstants : int32_t { JP_MY_CONSTANTS(JP_MESSAGE_ENUM) };
#undef JP_MESSAGE_ENUM
#define JP_MESSAGE_CONSTANT(name, number, route, w, l, result, owner) inline constexpr int32_t name = number;
JP_FIXED_MESSAGES(JP_MESSAGE_CONSTANT)
#undef JP_MESSAGE_CONSTANT

struct MessageInfo {
    int32_t Number;
    const char* Name;
    const char* Route;
    const char* WParam;
    const char* LParam;
    MessageResult Result;
    MessageOwner Owner;
};

#define JP_MESSAGE_ROW(name, number, route, w, l, result, owner) \
    {number, #name, route, w, l, MessageResult::result, MessageOwner::owner},
inline constexpr MessageInfo kMessages[] = {JP_MY_CONSTANTS(JP_MESSAGE_ROW) JP_FIXED_MESSAGES(JP_MESSAGE_ROW)};
#undef JP_MESSAGE_ROW

// The row of a message number; null for a number no row has.
constexpr const MessageInfo* FindMessage(int32_t number) {
    for (const MessageInfo& m : kMessages)
        if (m.Number == number) return &m;
    return nullptr;
}

constexpr MessageResult ResultOf(int32_t number) {
    const MessageInfo* m = FindMessage(number);
    return m ? m->Result : MessageResult::Default;
}

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
