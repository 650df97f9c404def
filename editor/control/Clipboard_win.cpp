// The editor's clipboard formats on the system clipboard: characters, one free-placed item and
// plain text out; the characters, the item or plain text back into the paste buffers.
#include <windows.h>

#include <cstring>
#include <optional>
#include <vector>

#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "model/edit/ClipboardFormat.h"
#include "model/edit/TypedText.h"
#include "win/KernelHandles.h"

namespace notaline {
namespace {

// The clipboard opened for the editor's window. Another program may hold it for a moment, so
// opening is tried a few times.
class OpenClipboardFor {
public:
    explicit OpenClipboardFor(HWND window) {
        for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
            if (attempt > 0) Sleep(10);
            open_ = OpenClipboard(window) != FALSE;
        }
    }
    ~OpenClipboardFor() {
        if (open_) CloseClipboard();
    }
    OpenClipboardFor(const OpenClipboardFor&) = delete;
    OpenClipboardFor& operator=(const OpenClipboardFor&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

UINT FormatId(std::string_view name) {
    return RegisterClipboardFormatA(std::string(name).c_str());
}

// One more zero byte than the data: the formats' spare byte, the text's terminating zero.
bool PutBlock(UINT format, const void* bytes, size_t size) {
    win::GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1));
    {
        win::GlobalLocked p(memory.Get());
        if (!p.Get()) return false;
        std::memcpy(p.Get(), bytes, size);
    }
    // The clipboard owns the memory only once it has taken it.
    if (!SetClipboardData(format, memory.Get())) return false;
    memory.Release();
    return true;
}

// A copy of the format's block (its size as the system keeps it, which may be rounded up).
std::optional<std::vector<uint8_t>> GetBlock(UINT format) {
    if (!format || !IsClipboardFormatAvailable(format)) return std::nullopt;
    HANDLE memory = GetClipboardData(format);
    if (!memory) return std::nullopt;
    const size_t size = GlobalSize(memory);
    if (size == 0) return std::nullopt;
    const win::GlobalLocked locked(memory);
    const auto* p = static_cast<const uint8_t*>(locked.Get());
    if (!p) return std::nullopt;
    return std::vector<uint8_t>(p, p + size);
}

bool CopyItem(Editor& ed) {
    const EditorData& d = ed.Data;
    const int32_t focus = ed.Commands->Undo.CurrentHwFocus();
    if (focus < 0 || static_cast<size_t>(focus) >= d.HwWordInfo.size()) return false;
    const auto block = EncodeItemBlock(d, d.HwWordInfo[static_cast<size_t>(focus)]);
    OpenClipboardFor clipboard(ed.Window);
    return clipboard && EmptyClipboard() && PutBlock(FormatId(kItemFormatName), block.data(), block.size() - 1);
}

bool CopyWords(Editor& ed, int32_t start, int32_t length) {
    const EditorData& d = ed.Data;
    if (length == 0 || start < 0 || start > d.WordCount() - length) return false;
    const auto block = EncodeWordBlock(d, start, length);
    const std::string text = WordsToPlainText(d, start, length);
    OpenClipboardFor clipboard(ed.Window);
    if (!clipboard || !EmptyClipboard() || !PutBlock(FormatId(kWordFormatName), block.data(), block.size() - 1))
        return false;
    // The characters are on the clipboard; the text beside them is a convenience for other programs.
    if (!text.empty()) PutBlock(CF_TEXT, text.data(), text.size());
    return true;
}

bool ReadItem(Editor& ed, bool pasting) {
    std::optional<std::vector<uint8_t>> block;
    {
        OpenClipboardFor clipboard(ed.Window);
        if (!clipboard) return false;
        block = GetBlock(FormatId(kItemFormatName));
    }
    if (!block) return false;
    tessaly::aHwWordInfo item;
    if (!ParseItemBlock(ed.Data, *block, item)) {
        if (pasting) ed.Beep();
        return false;
    }
    ed.Data.ClipHwWordInfo = item;
    ed.PasteFormatName = kItemFormatName;
    return true;
}

// Each line as typed text, each line break a paragraph end.
bool TextToPasteWords(Editor& ed, std::string_view text) {
    EditorData& d = ed.Data;
    std::vector<tessaly::aWordInfo> words;
    for (const TextPiece& piece : SplitPastedText(text)) {
        if (piece.Break) {
            const auto end = MakeInputWordInfo(d, d.SelStart, d.SelLength, "\r");
            words.insert(words.end(), end.begin(), end.end());
        } else {
            TextToWordsByState(ed, piece.Text);
            words.insert(words.end(), d.InputWords.begin(), d.InputWords.end());
        }
    }
    if (words.empty()) return false;
    d.InputWords = std::move(words);
    d.PasteWordCount = static_cast<int32_t>(d.InputWords.size());
    ed.PasteFormatName = kTextFormatName;
    return true;
}

bool ReadWordsOrText(Editor& ed, bool pasting) {
    std::optional<std::vector<uint8_t>> block, text;
    {
        OpenClipboardFor clipboard(ed.Window);
        if (!clipboard) return false;
        block = GetBlock(FormatId(kWordFormatName));
        if (!block) text = GetBlock(CF_TEXT);
    }
    if (block) {
        std::vector<tessaly::aWordInfo> words;
        if (!ParseWordBlock(ed.Data, *block, words)) {
            if (pasting) ed.Beep();
            return false;
        }
        ed.Data.InputWords = std::move(words);
        ed.Data.PasteWordCount = static_cast<int32_t>(ed.Data.InputWords.size());
        ed.PasteFormatName = kWordFormatName;
        return true;
    }
    if (!text) return false;
    const auto* chars = reinterpret_cast<const char*>(text->data());
    return TextToPasteWords(ed, std::string_view(chars, strnlen(chars, text->size())));
}

}  // namespace

bool CopyWordsToClipboard(Editor& ed, int32_t Start, int32_t Length) {
    if (Length < 0) {
        Start += Length;
        Length = -Length;
    }
    if (ed.Data.InputState == tessaly::LpxState) return CopyItem(ed);
    return CopyWords(ed, Start, Length);
}

bool ReadClipboardWords(Editor& ed, bool pasting) {
    if (ed.Data.InputState == tessaly::LpxState) return ReadItem(ed, pasting);
    return ReadWordsOrText(ed, pasting);
}

}  // namespace notaline
