// The editor's clipboard formats on the system clipboard: characters, one free-placed item and
// plain text out; the characters, the item or plain text back into the paste buffers.
#include <windows.h>

#include <cstring>
#include <optional>
#include <vector>

#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "model/document/StoreSink.h"
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
    if (!clipboard || !EmptyClipboard()) return false;
    ed.ClipHeld.reset();  // the characters copied before are no longer promised
    return PutBlock(FormatId(kItemFormatName), block.data(), block.size() - 1);
}

// The characters' block is made only when someone asks for it: a copy costs the pieces it pins,
// not a record of 352 bytes a character.
bool CopyWords(Editor& ed, int32_t start, int32_t length) {
    const EditorData& d = ed.Data;
    if (length == 0 || start < 0 || start > d.WordCount() - length) return false;
    auto clip = TakeClipWords(d, start, length);
    const std::string text = WordsToPlainText(d, start, length);
    OpenClipboardFor clipboard(ed.Window);
    if (!clipboard || !EmptyClipboard()) return false;
    ed.ClipHeld = std::move(clip);  // after EmptyClipboard, which drops what this window held
    ed.ClipRendered = false;
    // A block promised answers no handle, failed or not: the clipboard says whether it took it.
    const UINT format = FormatId(kWordFormatName);
    SetClipboardData(format, nullptr);
    if (!IsClipboardFormatAvailable(format)) {
        ed.ClipHeld.reset();
        return false;
    }
    // The characters are on the clipboard; the text beside them is a convenience for other programs.
    if (!text.empty()) PutBlock(CF_TEXT, text.data(), text.size());
    return true;
}

// Whether the characters this window copied are still what the clipboard holds.
bool OwnCopyOnClipboard(const Editor& ed) {
    return ed.ClipHeld && GetClipboardOwner() == ed.Window && IsClipboardFormatAvailable(FormatId(kWordFormatName));
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

// The block read where the clipboard keeps it, a run of records at a time, into the paste
// buffer's compact records. Nothing when the clipboard holds no such block.
std::optional<bool> ReadWordBlock(Editor& ed, bool pasting) {
    const UINT format = FormatId(kWordFormatName);
    if (!format || !IsClipboardFormatAvailable(format)) return std::nullopt;
    HANDLE memory = GetClipboardData(format);
    const size_t size = memory ? GlobalSize(memory) : 0;
    if (size == 0) return std::nullopt;
    const win::GlobalLocked locked(memory);
    if (!locked.Get()) return std::nullopt;
    StoreSink sink;
    if (!ParseWordBlock(ed.Data, {static_cast<const uint8_t*>(locked.Get()), size}, sink)) {
        if (pasting) ed.Beep();
        return false;
    }
    ed.Data.PasteStore = sink.TakeStore();
    return true;
}

bool ReadWordsOrText(Editor& ed, bool pasting) {
    EditorData& d = ed.Data;
    d.PasteStore.clear();
    // This window's own copy is read where its characters stand; only a paste converts them.
    if (OwnCopyOnClipboard(ed)) {
        if (pasting) {
            StoreSink sink;
            if (!PasteClipWords(d, *ed.ClipHeld, sink)) {
                ed.Beep();
                return false;
            }
            d.PasteStore = sink.TakeStore();
        }
        d.PasteWordCount = static_cast<int32_t>(ed.ClipHeld->size());
        ed.PasteFormatName = kWordFormatName;
        return true;
    }
    std::optional<bool> block;
    std::optional<std::vector<uint8_t>> text;
    {
        OpenClipboardFor clipboard(ed.Window);
        if (!clipboard) return false;
        block = ReadWordBlock(ed, pasting);
        if (!block) text = GetBlock(CF_TEXT);
    }
    if (block) {
        if (!*block) return false;
        d.PasteWordCount = static_cast<int32_t>(d.PasteStore.size());
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

void RenderClipboard(Editor& ed, UINT format) {
    if (!ed.ClipHeld || format != FormatId(kWordFormatName)) return;
    const ClipWords& clip = *ed.ClipHeld;
    win::GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, clip.BlockSize()));
    {
        win::GlobalLocked p(memory.Get());
        if (!p.Get()) return;
        clip.WriteBlock(static_cast<uint8_t*>(p.Get()));
    }
    if (SetClipboardData(format, memory.Get())) {
        memory.Release();
        ed.ClipRendered = true;
    }
}

// The copy outlives the window on the clipboard, unless someone took the clipboard meanwhile.
void RenderAllClipboard(Editor& ed) {
    if (!ed.ClipHeld || ed.ClipRendered) return;
    OpenClipboardFor clipboard(ed.Window);
    if (clipboard && GetClipboardOwner() == ed.Window) RenderClipboard(ed, FormatId(kWordFormatName));
}

bool ReadClipboardWords(Editor& ed, bool pasting) {
    if (ed.Data.InputState == tessaly::LpxState) return ReadItem(ed, pasting);
    return ReadWordsOrText(ed, pasting);
}

}  // namespace notaline
