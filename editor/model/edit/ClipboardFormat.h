#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// Characters start to start + length - 1 (within the document) as a block: the colour runs, then
// one record a character, then a spare byte. Paired marks whose partner is outside the range are
// left out.
std::vector<uint8_t> EncodeWordBlock(const EditorData& data, int32_t start, int32_t length);

// A block's characters with the document's colour and font indexes and new pair numbers; paired
// marks without a partner in the block are left out. False, and nothing changed, for a block
// that is short, claims more than it holds or holds a record the editor cannot use. Colours and
// faces the document lacks are added to its tables.
bool ParseWordBlock(EditorData& data, std::span<const uint8_t> block, std::vector<tessaly::aWordInfo>& out);

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

// Empties every paired-mark slot that has no partner among the characters: a start needs its end
// code with the same pair number after it, an end its start before it.
void DropUnpairedMarks(std::span<tessaly::aWordInfo> words);
// Gives every pair among the characters a new pair number of the document, so that pasted pairs
// never share a number with pairs already there, nor with each other.
void RenumberPastedPairs(EditorData& data, std::span<tessaly::aWordInfo> words);

}  // namespace notaline
