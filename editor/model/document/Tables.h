#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "model/document/EditorData.h"

namespace notaline {

inline constexpr uint8_t kSymbolCharset = 2;
inline constexpr uint8_t kGb2312Charset = 134;

// The face 宋体 in code page 936: mark texts are drawn in it.
inline constexpr std::string_view kSongTiFace = "\xCB\xCE\xCC\xE5";

// Index of a face in the font table (exact bytes); a missing face is appended with octave-dot and
// duration-line positions 15 and 3, in the symbol set when it is the notation font. -1 when the
// table is full.
int16_t GetFontTblIndex(EditorData& data, std::string_view FontName);
// The same without adding: -1 for a face not in the table.
int16_t FindFontTblIndex(const EditorData& data, std::string_view FontName);
// Puts the faces that painting asks for (the notation font, 宋体) into the font table, so that
// painting never has to add one.
void AddPaintFaces(EditorData& data);

// Index of a colour value in the colour table, appended when missing; -1 when the table is full.
int16_t GetColorTblIndex(EditorData& data, uint32_t Colour);

// Colour-table index of preset colour 0 to 4 (white, red, green, orange, yellow), as a plain
// colour or with alpha for GDI+; 0 for any other code, adding nothing.
int16_t GetPresetColorIndex(EditorData& data, int16_t Code, bool ArgbForm);

// The red, green and blue of an OLE colour; system colours are translated first.
void ColorToRGB(const EditorData& data, uint32_t Colour, int32_t& Red, int32_t& Green, int32_t& Blue);

// Writes a code page 936 face name into a font record: the 33 bytes are cleared, then at most 31
// bytes of the name go in, cut at a character boundary, so the name always ends with a zero.
void SetLogFontFaceName(tessaly::LogFont& Font, std::string_view Name);
void CopyLogFontFaceName(tessaly::LogFont& Font, std::string_view Name);

// Writes a code page 936 text into a fixed byte field: the field is cleared, then as much of the
// text as fits goes in, cut at a character boundary.
void StrToAnsiBytes(std::span<uint8_t> Bytes, std::string_view Text);

// Copies the logical-font settings that a character's font record, the shared font record and the
// window system's LOGFONT all name alike (all but the face name and character set).
template <class From, class To>
void CopyLogFontSettings(const From& from, To& to) {
    to.lfHeight = from.lfHeight;
    to.lfWidth = from.lfWidth;
    to.lfEscapement = from.lfEscapement;
    to.lfOrientation = from.lfOrientation;
    to.lfWeight = from.lfWeight;
    to.lfItalic = from.lfItalic;
    to.lfUnderline = from.lfUnderline;
    to.lfStrikeOut = from.lfStrikeOut;
    to.lfOutPrecision = from.lfOutPrecision;
    to.lfClipPrecision = from.lfClipPrecision;
    to.lfQuality = from.lfQuality;
    to.lfPitchAndFamily = from.lfPitchAndFamily;
}

// The full logical font of a character's font record: its settings with the face name and
// character set of its font-table entry.
tessaly::LogFont MakeWordLogFont(const EditorData& data, const tessaly::mLogFont& font);

}  // namespace notaline
