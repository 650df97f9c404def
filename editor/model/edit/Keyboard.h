#pragma once

#include <cstdint>

#include "model/document/EditorData.h"
#include "model/edit/TypedText.h"

namespace notaline {

class ControlSite;
class EditCommands;
class PageView;

// What the keys need of the control beyond the document and its page view.
class KeyHost {
public:
    virtual ~KeyHost() = default;
    // The status record to the host.
    virtual void NotifySelChange(int32_t start, int32_t length) = 0;
    // One page of the page grid up or down.
    virtual void ScrollByPage(bool down) = 0;
    // The input attributes of the status record, for the characters a key inserts.
    virtual InputAttributes CurrentInput() = 0;
};

// The keys of the text input modes: caret and selection movement, Backspace and Enter, the
// style, spacing and alignment shortcuts. Key codes are virtual-key codes.
class Keyboard {
public:
    Keyboard(EditorData& data, EditCommands& edit, PageView& page, ControlSite& control, KeyHost& host)
        : data_(data), edit_(edit), page_(page), control_(control), host_(host) {}

    void KeyDownNoShift(int32_t key);
    void KeyDownShift(int32_t key);
    void KeyDownCtrl(int32_t key);
    void KeyDownCtrlShift(int32_t key);
    void KeyPressInput(int32_t ascii);  // Backspace (8) and Enter (13)
    void KeyUpCtrl(int32_t key);

private:
    int16_t LeftOf(int32_t word) const;
    int32_t LineOf(int32_t word) const;
    void SettleFrom(int32_t line, int32_t key);
    void Finish(int32_t visible, bool notify);
    void CheckSourceLines();
    void Relayout();
    void ToggleStyle(int32_t key);
    void ChangeSpaceAbove(int32_t delta);
    void AlignToSource();

    EditorData& data_;
    EditCommands& edit_;
    PageView& page_;
    ControlSite& control_;
    KeyHost& host_;
};

}  // namespace notaline
