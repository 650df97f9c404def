#pragma once

#include <cstdint>
#include <vector>

#include "model/document/ControlSite.h"
#include "model/document/EditorData.h"

namespace notaline {

// The only code that changes the lengths of the document's arrays. After every resize the
// character array spans 0 to WordCount (one spare) and the free-item array holds HwWordCount.
class DoArray {
public:
    DoArray(EditorData& data, ControlSite& control) : data_(data), control_(control) {}

    int32_t LenClipboardWd() const { return lenClipboardWd_; }
    void LenClipboardWd(int32_t n) { lenClipboardWd_ = n; }

    // Removes n line records at pos; n <= 0 does nothing.
    void DelLineArray(int32_t& pos, int32_t& n);
    // Opens room for n characters at pos; a negative n means the characters before pos.
    void InstrWordArray(int32_t pos, int32_t n);
    // The characters of `words` put in before pos as they are; `words` is left empty.
    void InsertWords(int32_t pos, PieceArray<StoredWord>&& words);
    // Removes n characters at pos; a negative n is normalised in place.
    void DelWordArray(int32_t& pos, int32_t& n);
    // Moves n characters from OutPos so that they land before the character at ToPos.
    void DragDropArray(int32_t& ToPos, int32_t& OutPos, int32_t& n);
    // True when the clipboard holds something to paste or a move left characters here. Asking
    // the clipboard loads the paste buffer, as CanPaste does.
    bool ClipboardWord();
    // The free items: n records at pos removed or opened (not cleared).
    void DelHwWordInfo(int32_t& pos, int32_t& n);
    void AddHwWordInfo(int32_t& pos, int32_t& n);

private:
    void CopyInternalWords(int32_t pos, int32_t n);
    void PasteInternalWords(int32_t pos);

    EditorData& data_;
    ControlSite& control_;
    std::vector<StoredWord> WordClipboard = std::vector<StoredWord>(1);
    int32_t lenClipboardWd_ = 0;
};

}  // namespace notaline
