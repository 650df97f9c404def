// The keys of the text input modes and the status record the host shows, over the control's
// document, renderer and host window.
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "model/edit/Keyboard.h"
#include "model/edit/StatusRecord.h"
#include "render/StdFontObject_win.h"

namespace notaline {
namespace {

class EditorKeyHost final : public KeyHost {
public:
    explicit EditorKeyHost(Editor& ed) : ed_(ed) {}
    void NotifySelChange(int32_t start, int32_t length) override { notaline::NotifySelChange(ed_, start, length); }
    void ScrollByPage(bool down) override {
        if (ed_.Scroll) ed_.Scroll->ScrollByPgDw(down ? VARIANT_TRUE : VARIANT_FALSE);
    }
    InputAttributes CurrentInput() override { return InputAttributesOf(ed_); }

private:
    Editor& ed_;
};

template <class Key>
void WithKeyboard(Editor& ed, Key&& key) {
    EditorKeyHost host(ed);
    Keyboard keys(ed.Data, *ed.Commands, *ed.Renderer, ed, host);
    key(keys);
}

// The record's font object is replaced on each filling; a font the system refuses keeps the last.
void SetStatusFont(Editor& ed, const StdFontInfo& font) {
    if (auto made = MakeStdFont(font)) {
        ed.StatusFont = std::move(made);
        ed.StatusFontInfo = font;
    }
    ed.SendMsg.StdFont = ed.StatusFont.Get();
}

// The host copies the record while it handles the message, so the record is sent, never posted.
void SendStatus(Editor& ed) {
    ed.Tell(tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&ed.SendMsg));
}

template <class Change>
void ChangeStatusFont(Editor& ed, Change&& change) {
    StdFontInfo font = ed.StatusFontInfo;
    change(font);
    SetStatusFont(ed, font);
}

}  // namespace

void KeyDownNoShift(Editor& ed, int16_t& KeyCode) {
    WithKeyboard(ed, [&](Keyboard& k) { k.KeyDownNoShift(KeyCode); });
}
void KeyDownShift(Editor& ed, int16_t& KeyCode) {
    WithKeyboard(ed, [&](Keyboard& k) { k.KeyDownShift(KeyCode); });
}
void KeyDownCtrl(Editor& ed, int16_t& KeyCode) {
    WithKeyboard(ed, [&](Keyboard& k) { k.KeyDownCtrl(KeyCode); });
}
void KeyDownCtrlShift(Editor& ed, int16_t& KeyCode) {
    WithKeyboard(ed, [&](Keyboard& k) { k.KeyDownCtrlShift(KeyCode); });
}
void KeyPressInput(Editor& ed, int16_t& KeyAscii) {
    WithKeyboard(ed, [&](Keyboard& k) { k.KeyPressInput(KeyAscii); });
}
void KeyUpCtrl(Editor& ed, int16_t& KeyCode) {
    WithKeyboard(ed, [&](Keyboard& k) { k.KeyUpCtrl(KeyCode); });
}

void NotifySelChange(Editor& ed, int32_t SelStart, int32_t SelLength) {
    EditorData& d = ed.Data;
    if (d.InputState == tessaly::LpxState || !ed.Commands) return;
    FillStatusCommon(d, ed.Commands->Paragraphs, SelStart, SelLength, ed.SendMsg);
    const StatusSource source = DecideStatus(d, SelStart, SelLength);
    SetStatusFont(ed, FillStatusAttributes(d, ed.Commands->Paragraphs, source, ed.SendMsg));
    d.InputState = source.State;
    if (StatusDue(d, ed.SendMsg)) SendStatus(ed);
}

void ResendStatus(Editor& ed) {
    SendStatus(ed);
}

void NotifySelChangeByState(Editor& ed, int32_t SelStart, int32_t SelLength) {
    EditorData& d = ed.Data;
    if (!ed.Commands) return;
    FillStatusCommon(d, ed.Commands->Paragraphs, SelStart, SelLength, ed.SendMsg);
    if (d.InputState == tessaly::LpxState) return;
    const StatusSource source = DecideStatusByState(d, SelStart, SelLength, d.InputState);
    SetStatusFont(ed, FillStatusAttributes(d, ed.Commands->Paragraphs, source, ed.SendMsg));
    SendStatus(ed);
}

void SetStdFontName(Editor& ed, const std::string& name) {
    ChangeStatusFont(ed, [&](StdFontInfo& f) { f.FaceName = name; });
}
void SetStdFontSize(Editor& ed, float size) {
    ChangeStatusFont(ed, [&](StdFontInfo& f) { f.Size = size; });
}
void SetStdFontBold(Editor& ed, bool on) {
    ChangeStatusFont(ed, [&](StdFontInfo& f) { f.Bold = on; });
}
void SetStdFontItalic(Editor& ed, bool on) {
    ChangeStatusFont(ed, [&](StdFontInfo& f) { f.Italic = on; });
}
void SetStdFontUnderline(Editor& ed, bool on) {
    ChangeStatusFont(ed, [&](StdFontInfo& f) { f.Underline = on; });
}
void SetStdFontStrikeOut(Editor& ed, bool on) {
    ChangeStatusFont(ed, [&](StdFontInfo& f) { f.Strikethrough = on; });
}

}  // namespace notaline
