// Typed text and host symbols into the input buffer, with the attributes of the status record.
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "model/edit/TypedText.h"

namespace notaline {

InputAttributes InputAttributesOf(Editor& ed) {
    InputAttributes in;
    const tessaly::aSendMsg& s = ed.SendMsg;
    in.cf = s.cf;
    in.cb = s.cb;
    in.SelWordSpace = s.SelWordSpace;
    // The exact size the status font was made with: the font object reports it as realized.
    const StdFontInfo& font = ed.StatusFontInfo;
    in.FontName = font.FaceName;
    in.Size = font.Size;
    in.Italic = font.Italic;
    in.Underline = font.Underline;
    in.StrikeOut = font.Strikethrough;
    in.Weight = font.Bold ? 700 : 400;
    return in;
}

void TextToWordsByState(Editor& ed, std::string_view text) {
    EditorData& d = ed.Data;
    // The host learns of a switch to lyrics before the records take their attributes.
    if (!text.empty() && d.InputState == tessaly::JpState && !IsJpText(text)) {
        d.InputState = tessaly::GcState;
        NotifySelChangeByState(ed, d.SelStart, d.SelLength);
    }
    TextToWords(d, InputAttributesOf(ed), text, d.InputWords);
}

void MakeSymbolWord(Editor& ed, int32_t markCode, int32_t value) {
    EditorData& d = ed.Data;
    d.InputWords.clear();
    // -1 only switches to notation input; other codes without a character beep, inserting nothing.
    if (markCode != -1 && !SymbolForMark(markCode).Known) {
        ed.Beep();
        return;
    }
    d.InputState = tessaly::JpState;
    NotifySelChangeByState(ed, d.SelStart, d.SelLength);
    if (markCode == -1) return;
    tessaly::aWordInfo w;
    if (BuildSymbolWord(d, InputAttributesOf(ed), markCode, value, w)) d.InputWords.push_back(w);
}

}  // namespace notaline
