#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace notaline {

// What the editing objects ask of the control that holds them: the clipboard, messages to the
// user, the modified state and failed loads. NoControlSite stands in where there is no control.
class ControlSite {
public:
    virtual ~ControlSite() = default;

    // The freshly loaded document counts as not modified.
    virtual void ClearModified() = 0;
    // A document could not be read; the one shown stays. The reason is UTF-8.
    virtual void LoadFailed(std::u16string_view FileName, const std::string& Reason) = 0;
    // A message box with the system's fixed text (UTF-8).
    virtual void ShowMessage(std::string_view Text) = 0;
    // The range (a negative length: the characters before Start), or the focused free item in
    // connecting-line state, onto the clipboard; false when nothing was placed.
    virtual bool CopyWordsToClipboard(int32_t Start, int32_t Length) = 0;
    // Reads what can be pasted into InputWords/PasteWordCount or ClipHwWordInfo; a damaged block
    // gives false without a beep, as this only asks.
    virtual bool ReadClipboardWords() = 0;
};

// Shows no message and has an empty clipboard that takes nothing.
class NoControlSite : public ControlSite {
public:
    void ClearModified() override {}
    void LoadFailed(std::u16string_view, const std::string&) override {}
    void ShowMessage(std::string_view) override {}
    bool CopyWordsToClipboard(int32_t, int32_t) override { return false; }
    bool ReadClipboardWords() override { return false; }
};

}  // namespace notaline
