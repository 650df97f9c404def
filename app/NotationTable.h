#pragma once
// Which request to the editor each notation command makes: the mark menus of 通用 and 二胡, the
// items of 设置 that set editor members, and the buttons of the top panel. The menu handlers and
// the toolbar both read this one table; the editor knows what each mark code means.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tavolin {

enum class NotationKind : uint8_t {
    Insert,       // EM_InstrMainAndExtralStr (wParam, code): a symbol character at the caret
    Attach,       // EM_FormatSortInfo (wParam, code): a mark on the caret's character
    Arc,          // EM_FormatHuXian (wParam, code) over the selection
    ArcAtHeight,  // EM_FormatHuXian with the editor's proposed arc height as wParam
    Send,         // message (wParam, code)
    Tuplet,       // EM_FormatLinYing with the text
    Volta,        // message with wParam and the text asked for
    BarNumber,    // message with wParam and the text asked for, sent even empty
    CustomText,   // message with wParam and the text asked for, when not empty
    TempoChange,  // the tempo dialog, then its request at the caret
    Grace,        // EM_FormatYYInfo (|SelLength| x 10 + 1, code) when the editor can form it
    Annotate,     // EM_FormatZhuYing with the annotations' offset + 26
    DeleteAnnotations,
    AnnotationOffset,  // number box for SelZhuYingPosY
    AnnotationScale,   // number box for ChangMingScale
    Hint,              // a message box only
    Duration,          // WordYC = code when CanSetWordYc
    Octave,            // WordYg = code when CanSetWordYg
    Alignment,         // Alignment = code, the alignment buttons a radio group
    TargetLine,        // CPdqLine (code 0) or XjdqLine (code 1): wParam 0 the caret's line, -1 none
    TurnToNotes,       // TurnToYFWord
    Menu,              // the row of (target, code)
};

enum class Repaint : uint8_t { None, Sel, All };  // RefreshSel, RefreshAll afterwards

struct NotationRow {
    const char* Menu;  // the menu array or button array, as the menu and form tables name it
    int16_t Index;     // -1 for an item without an index
    NotationKind Kind;
    int32_t WParam;        // two packed 16-bit halves where the request carries mark values
    int32_t Code;          // the mark code (lParam); the value or target index of the other kinds
    int32_t Message;       // Send, Volta, BarNumber, CustomText
    const char16_t* Text;  // tuplet number, hint, or the input box's title
    bool CaretOnly;        // SelLength = 0 first
    bool Refresh;          // the mark panel re-reads the caret's marks afterwards
    Repaint Redraw;
    bool Span;           // only over a selection whose ends are no paragraph ends
    const char* Target;  // Menu: the array whose row runs
};

std::span<const NotationRow> NotationRows();
const NotationRow* FindNotationRow(std::string_view menu, int index);

// The top panel's tip for a mouse X in twips ("" for none).
std::u16string_view TopPanelTip(int32_t xTwips);

// The grace-note value of a selection: its length, forward or backward, x 10 + 1.
int32_t GraceValue(int32_t selLength);

// A volta text holds at most this many characters; a longer one is cut (and beeps).
inline constexpr size_t kVoltaChars = 10;

// A number box's answer as a 16-bit value: the number at its start rounded; none when out of range.
std::optional<int16_t> BoxValue(std::u16string_view answer);

// The prompts of the input boxes.
std::u16string VoltaPrompt();
std::u16string BarNumberPrompt();
std::u16string CustomTextPrompt();
std::u16string NumberBoxPrompt(NotationKind kind);
std::u16string_view NumberBoxTitle(NotationKind kind);

}  // namespace tavolin
