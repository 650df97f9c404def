#include "DaDurFormat.h"

#include <charconv>
#include <cmath>

#include "records/Marks.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace tessaly::dadur {

// The files number every pair but the big glissando's.
bool IsPairStart(int32_t code) {
    return marks::IsPairStartCode(code) && code != marks::kMarkBigGlissandoStart;
}

bool IsPairEnd(int32_t code) {
    return IsPairStart(code - 1);
}

bool MarkTextIsWritten(int32_t code, bool textEmpty) {
    using namespace marks;
    switch (code) {
        case kMarkTempoChange:
        case kMarkTupletStart:
        case kMarkVoltaStart:
        case kMarkOpenVoltaStart: return true;
        case kMarkCustomSymbol:
        case kMarkBarNumber: return !textEmpty;
        default: return IsArcStartCode(code) && !textEmpty;
    }
}

double PixelsFromTwips(double twips, double zoom) {
    return twips * 96 / 1440 * zoom;
}

double TwipsFromPixels(double pixels, double zoom) {
    if (zoom == 0) return 0;
    return Round(pixels * 1440 / 96 / zoom, 4);
}

int32_t LogHeightForMilliPoints(double milliPoints, int32_t dpi) {
    const double m = RoundHalfEven(milliPoints);
    const double q = std::round(m * dpi / 72);  // halves away from zero
    return -CLng(q / 1000);
}

int64_t MilliPointsOf(const aWordInfo& word, int32_t dpi) {
    // Saturated to 32 bits, so that the reader can take back whatever is written.
    if (word.SelSize > 0 && std::isfinite(word.SelSize)) return CLng(static_cast<double>(word.SelSize) * 1000);
    if (dpi <= 0) return 0;
    return CLng(-std::floor(static_cast<double>(word.nLogFont.lfHeight) * 72000 / dpi));
}

namespace {
template <class F>
std::string Shortest(F value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) value = 0;  // no "-0"
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}
}  // namespace

std::string FormatNumber(double value) {
    return Shortest(value);
}

std::string FormatSingle(float value) {
    return Shortest(value);
}

std::string LowerGbk(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size();) {
        const size_t len = GbkCharLength(out, i);
        if (len == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
        i += len;
    }
    return out;
}

std::string FitFaceName(std::string_view name) {
    std::string out(name.substr(0, FittingLength(name, 32)));
    // A zero byte would cut the name short in the fixed field.
    std::erase(out, '\0');
    return out;
}

std::string DrumLabelLine() {
    std::string s = "\\druminfo,Index,DrumVer,DrumName,DrumChannel,";
    for (int i = 0; i < 8; ++i) s += "DrumVolume" + std::to_string(i) + ",DrumSounds" + std::to_string(i) + ",";
    s += "DrumTrack,DrumTimeSignature,DrumSpeed,";
    for (int i = 0; i < 32; ++i) s += "DrumRhythms" + std::to_string(i) + ",";
    for (int i = 0; i < 8; ++i) s += "DrumSoundImage" + std::to_string(i) + ",";
    return s + "BarsOfSong,HaveDrum";
}

std::string MarkText(const aExtralWordInfo& slot) {
    std::string out;
    for (uint8_t b : slot.ExtralWordVal3)
        if (b != 0) out += static_cast<char>(b);
    return out;
}

}  // namespace tessaly::dadur
