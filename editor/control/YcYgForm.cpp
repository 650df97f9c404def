#include "control/YcYgForm.h"

#include "model/document/mGeneral.h"

namespace notaline {

YcYgForm YcYgForm::Load(const EditorData& data) {
    YcYgForm form;
    if (!data.IsWord(data.SelStart)) return form;
    const auto& w = data.WordInfo[static_cast<size_t>(data.SelStart)];
    const int32_t row = w.nLogFont().FontTblIndex;
    if (w.IsJpGcCtl != 1 || row < 0 || static_cast<size_t>(row) >= data.FontTbl.size()) return form;
    form.OnNote = true;
    form.Row = row;
    form.Font = w.nLogFont();
    form.Pending = form.Loaded = data.FontTbl[static_cast<size_t>(row)];
    return form;
}

void YcYgForm::Press(Button button) {
    if (!OnNote) return;
    switch (button) {
        case HighUp: Pending.hYg += 1; break;
        case HighDown: Pending.hYg -= 1; break;
        case LowUp: Pending.hYc -= 1; break;
        case LowDown: Pending.hYc += 1; break;
    }
}

bool YcYgForm::Apply(EditorData& data, CharAttributes& chars) const {
    if (!OnNote || !Changed()) return false;
    data.EditFontTbl = Pending;
    data.EditFontTblIndex = Row;
    if (!chars.ChangFontTbl()) return false;
    SetInputDat(data, 0, data.WordCount(), data.WordCount());
    return true;
}

}  // namespace notaline
