#pragma once

#include <cstdint>
#include <string>

// What one of the panel's six value buttons does to a mark: a value step or a change of kind.
namespace tavolin {

struct MarkValues {
    int32_t v1 = 0;
    int32_t v2 = 0;
    std::string text;  // the tuplet number as decimal text
};

enum class StepOutcome : uint8_t {
    Nothing,   // no write; the usual redraw and focus follow
    NoRedraw,  // no write, no redraw (a step held at a limit that says so)
    WriteV1,
    WriteV2,
    WriteText,
    ChangeKind,       // ChangExtralType(code, newCode)
    ChangeInputWord,  // ConChangInputWord(code, newCode)
    ChangeVolta,      // ChangExtralType(code, newCode, pairOld, pairNew)
    GraceForm,        // SetQianYY(graceBefore), then RefreshAll
};

struct StepResult {
    StepOutcome what = StepOutcome::Nothing;
    MarkValues values;  // the values after the step
    int32_t newCode = 0;
    int32_t pairOld = 0;
    int32_t pairNew = 0;
    bool graceBefore = false;
    bool beep = false;
};

StepResult StepMark(int32_t code, int button, const MarkValues& in);

}  // namespace tavolin
