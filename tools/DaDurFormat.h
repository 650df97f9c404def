#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "records/Document.h"

// Conventions that the DaDur reader and writer share, kept in one place so
// that what one writes the other reads back unchanged.
namespace tessaly::dadur {

// Paired marks: a start code and its end, start + 1.
bool IsPairStart(int32_t code);
bool IsPairEnd(int32_t code);
// Whether a mark's ExtralWordVal3 text is written.
bool MarkTextIsWritten(int32_t code, bool textEmpty);

// Lengths in files are twips; in memory pixels at 96 DPI times the zoom.
double PixelsFromTwips(double twips, double zoom);
double TwipsFromPixels(double pixels, double zoom);  // rounded to 4 decimals

// The one conversion between a size in thousandths of a point and a LOGFONT
// height: the writer stores sizes from SelSize, so a save and reload keeps them.
int32_t LogHeightForMilliPoints(double milliPoints, int32_t dpi);
// Thousandths of a point for a character, from its size or, lacking one, its height.
int64_t MilliPointsOf(const aWordInfo& word, int32_t dpi);

// Shortest decimal forms with "." ("14", "2.5", "0.0667").
std::string FormatNumber(double value);
std::string FormatSingle(float value);

// ASCII letters lowered, stepping over double-byte characters whole.
std::string LowerGbk(std::string_view text);

// The face name as a fixed 33-byte field can hold it: at most 32 bytes, cut at a character.
std::string FitFaceName(std::string_view name);

// The label lines of the free items and the drum patterns.
inline constexpr std::string_view kHwLabelLine = "\\hwinfo,hwwordtype,hwpage,hwx,hwy,hwwidth,hwheight,hwcf";
std::string DrumLabelLine();

// The text of a mark slot: its bytes with every zero byte removed.
std::string MarkText(const aExtralWordInfo& slot);

}  // namespace tessaly::dadur
