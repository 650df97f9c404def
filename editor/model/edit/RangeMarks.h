#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/document/ControlSite.h"
#include "model/document/EditorData.h"
#include "model/document/PageView.h"
#include "model/edit/MarkCommands.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// Said when the big glissando command is given a selection of other than two characters. UTF-8.
inline constexpr char kBigGlissandoJoinsTwoNotes[] = "大滑音连接两个音符：请只选中要连接的两个音符。";

// Paired marks over a range: the start code on its first character, the next code on its last,
// both with one new pair number. The same command over the same range takes the pair away again.
// Arcs, slides, slurs and tuplets may enclose or touch other such pairs but not cross them.
class RangeMarks {
public:
    RangeMarks(EditorData& data, UndoRedo& undo, PageView& page, ControlSite& control)
        : data_(data), undo_(undo), page_(page), control_(control) {}

    // FormatType: the start code of an arc, slide or slur (72, 121, 146, 148, 150, 152).
    void FormatHuXian(int32_t m_selstart, int32_t m_sellength, int32_t FormatType, int32_t ExtralValues);
    // Over the selection; the texts are code page 936 bytes, 16 kept on the start.
    void FormatLinYing(std::string_view SendStrLong, int32_t ExtralValues);
    void FormatTFZ(std::string_view SendStrLong, int32_t ExtralValues, int16_t IndexType);
    void FormatKFTFZ(std::string_view SendStrLong, int32_t ExtralValues, int16_t IndexType);
    void FormatBigHuaYing();

    // Whether the selection's first and last characters carry the two ends of one such pair.
    bool CanDelAreaInfo(int32_t IndexType) const;
    // Takes that pair away; false when there is none.
    bool DelAreaInfo(int32_t m_selstart, int32_t m_sellength, int32_t IndexType);

private:
    enum class Toggle { NoPair, Removed, Failed };
    struct NewPair {
        explicit NewPair(int32_t code) : Code(code) {}
        // Both ends with the low word of the command's value, the text on the start.
        NewPair(int32_t code, int32_t lo, std::string_view text) : Code(code), StartVal1(lo), EndVal1(lo), Text(text) {}
        int32_t Code;  // the end gets Code + 1
        std::optional<int32_t> StartVal1, EndVal1;
        std::optional<std::string_view> Text;  // on the start
        bool WidenShortArc = false;
    };

    Toggle ToggleOff(WordRange range, int32_t code);
    void TogglePair(WordRange range, int32_t toggleCode, const NewPair& pair, bool nested);
    void CreatePair(WordRange range, const NewPair& pair);
    void FormatVolta(std::string_view text, int32_t values, int16_t code, int32_t toggleCode);
    // Beeps when it refuses.
    bool CanFormatAreaInfo(int32_t first, int32_t last);
    bool FindAreaEnd(int32_t position, int32_t pair, int32_t code, int32_t last) const;
    bool FindAreaStart(int32_t position, int32_t pair, int32_t code, int32_t first) const;

    EditorData& data_;
    UndoRedo& undo_;
    PageView& page_;
    ControlSite& control_;
};

}  // namespace notaline
