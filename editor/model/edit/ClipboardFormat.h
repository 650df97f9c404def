#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "WordSink.h"
#include "model/document/EditorData.h"

namespace notaline {

// The editor's clipboard formats as byte blocks, apart from the system clipboard that carries
// them: what a copy writes and what a paste makes of a block, whoever wrote it.

inline constexpr std::string_view kWordFormatName = "DuZazidaWordInfo-Format";
inline constexpr std::string_view kItemFormatName = "DuZazidaHwWordInfo-Format";
inline constexpr std::string_view kTextFormatName = "Text-Format";

inline constexpr size_t kClipFaceNameSize = 33;
inline constexpr size_t kClipWordRecordSize = 352;  // the character, its face name and character set
inline constexpr size_t kClipItemBlockSize = 29;

// Characters copied, as taken: the records pinned where they stand (a later edit of the document
// copies what it writes), the colours and faces of the tables as they were, the colour runs and
// the paired-mark slots whose partner is outside the copy. The block is made from it later, a
// run at a time, when someone asks for it; a paste in the same program reads it as it is.
struct ClipWords {
    PieceArray<StoredWord>::Snapshot Words;
    std::vector<uint32_t> Colours;
    std::vector<std::array<uint8_t, kClipFaceNameSize + 1>> Faces;  // each font row's face field, then its charset
    std::vector<uint32_t> Fore, Back;                               // the colour value of each run
    std::vector<std::pair<size_t, int32_t>> Unpaired;               // (character, slot), in order
    size_t size() const { return Words.size(); }
    // The size of the block, its spare byte included.
    size_t BlockSize() const;
    // The block into out (BlockSize() bytes), a run of records at a time.
    void WriteBlock(uint8_t* out) const;
};
// Characters start to start + length - 1 (within the document).
std::shared_ptr<const ClipWords> TakeClipWords(const EditorData& data, int32_t start, int32_t length);

// Characters start to start + length - 1 (within the document) as a block: the colour runs, then
// one record a character, then a spare byte. Paired marks whose partner is outside the range are
// left out.
std::vector<uint8_t> EncodeWordBlock(const EditorData& data, int32_t start, int32_t length);

// A block's characters with the document's colour and font indexes and new pair numbers, handed
// to out a run at a time; paired marks without a partner in the block are left out. False, and
// nothing changed or handed, for a block that is short, claims more than it holds or holds a
// record the editor cannot use. Colours and faces the document lacks are added to its tables.
bool ParseWordBlock(EditorData& data, std::span<const uint8_t> block, tessaly::WordSink& out);
bool ParseWordBlock(EditorData& data, std::span<const uint8_t> block, std::vector<tessaly::aWordInfo>& out);
// The same for characters copied in this program, as if their block had been read.
bool PasteClipWords(EditorData& data, const ClipWords& clip, tessaly::WordSink& out);

// A free-placed item with its colour value.
std::vector<uint8_t> EncodeItemBlock(const EditorData& data, const tessaly::aHwWordInfo& item);
// False, and nothing changed, for a short block or an item of no known kind or size.
bool ParseItemBlock(EditorData& data, std::span<const uint8_t> block, tessaly::aHwWordInfo& out);

// The range as plain text (code page 936): note digits and letters, "|" for bar lines, a time
// signature as beats/value, CR LF for a paragraph end, lyric characters as they are.
std::string WordsToPlainText(const EditorData& data, int32_t start, int32_t length);

// Plain text cut into lines: each CR LF, CR or LF is one break; empty pieces between breaks are
// left out.
struct TextPiece {
    bool Break = false;
    std::string_view Text;  // when not a break
};
std::vector<TextPiece> SplitPastedText(std::string_view text);

}  // namespace notaline
