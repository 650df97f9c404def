#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/document/EditorData.h"
#include "model/document/WordRange.h"
#include "model/document/mGeneral.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// Whether the command may image characters Start..Start + Length: the one after the range is
// imaged too, the caret's character when nothing is selected.
bool IsMarkRange(const EditorData& data, WordRange range);

// Opens the one step of a mark command, a characters step over them, and describes the change
// to the layout. False: nothing may be changed.
bool BeginMarkStep(EditorData& data, UndoRedo& undo, WordRange range);

// Marks of one character (codes, slots and packed values as MarkSlots keeps them), and the
// solfege syllables of the selected notes. Each change is one undo step.
class MarkCommands {
public:
    MarkCommands(EditorData& data, UndoRedo& undo) : data_(data), undo_(undo) {}

    // Attach the code to the caret's character. The result is always false.
    bool FormatWord(int32_t ExtralType, int32_t ExtralValues);
    bool FormatCombiningChar(int32_t ExtralType, int32_t ExtralValues);
    // Attach to the range's first character; the texts are code page 936 bytes, 16 kept.
    void Format_ChangSpeed(int32_t m_selstart, int32_t m_sellength, int32_t FormatType, int32_t ExtralValues);
    void FormatTestWord(int32_t m_selstart, int32_t m_sellength, std::string_view ExtralStr, int32_t ExtralValues);
    void FormatXiaoJieXuHao(int32_t m_selstart, int32_t m_sellength, std::string_view ExtralStr, int32_t ExtralValues);
    void Format_Custom_ChangSpeed(int32_t m_selstart, int32_t m_sellength, std::string_view ExtralStr,
                                  int32_t ExtralValues);
    void FormatCustomWord(int32_t m_selstart, int32_t m_sellength, std::string_view ExtralStr, int32_t ExtralValues);

    // Syllables of the selected notes: attach to those without one, move, remove.
    void FormatZhuYingWord(int32_t ExtralValues);
    void FormatZhuYingWordPosY(int16_t ExtralValues);
    void DelSelZhuYing();

private:
    void AttachMark(WordRange range, int32_t word, int32_t code, int32_t values, std::optional<std::string_view> text);
    void AttachToFirst(int32_t start, int32_t length, int32_t code, int32_t values,
                       std::optional<std::string_view> text);

    EditorData& data_;
    UndoRedo& undo_;
};

}  // namespace notaline
