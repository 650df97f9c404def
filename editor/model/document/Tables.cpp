#include "model/document/Tables.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "text/Cp936.h"

namespace notaline {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

const std::string& FaceOf(const tessaly::aFontTbl& entry) {
    return entry.FontName;
}

uint32_t ValueOf(uint32_t colour) {
    return colour;
}

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r + 256 * g + 65536 * b;
}

}  // namespace

int16_t FindFontTblIndex(const EditorData& data, std::string_view FontName) {
    const int16_t count = data.AboutFileInfo.FontTblCount;
    for (int16_t i = 0; i < count && static_cast<size_t>(i) < data.FontTbl.size(); ++i)
        if (data.FontTbl[static_cast<size_t>(i)].FontName == FontName) return i;
    return -1;
}

int16_t GetFontTblIndex(EditorData& data, std::string_view FontName) {
    const int16_t count = data.AboutFileInfo.FontTblCount;
    const std::string name(FontName);
    if (const auto found =
            data.FontLookup.Find(data.FontTbl, static_cast<size_t>(std::max<int16_t>(count, 0)), name, FaceOf))
        return *found;
    if (count == std::numeric_limits<int16_t>::max()) return -1;

    tessaly::aFontTbl entry;
    entry.FontName = name;
    entry.hYg = 15;
    entry.hYc = 3;
    entry.fcharset = SameIgnoringCase(FontName, data.NotationFontName) ? kSymbolCharset : kGb2312Charset;
    data.FontTbl.resize(static_cast<size_t>(count));
    data.FontTbl.push_back(std::move(entry));
    data.FontLookup.Appended(data.FontTbl, FaceOf);
    data.AboutFileInfo.FontTblCount = static_cast<int16_t>(count + 1);
    return count;
}

void AddPaintFaces(EditorData& data) {
    if (!data.NotationFontName.empty()) GetFontTblIndex(data, data.NotationFontName);
    GetFontTblIndex(data, kSongTiFace);
}

int16_t GetColorTblIndex(EditorData& data, uint32_t Colour) {
    const int16_t count = data.AboutFileInfo.ColorTblCount;
    if (const auto found =
            data.ColorLookup.Find(data.ColorTbl, static_cast<size_t>(std::max<int16_t>(count, 0)), Colour, ValueOf))
        return *found;
    if (count == std::numeric_limits<int16_t>::max()) return -1;
    data.ColorTbl.resize(static_cast<size_t>(count));
    data.ColorTbl.push_back(Colour);
    data.ColorLookup.Appended(data.ColorTbl, ValueOf);
    data.AboutFileInfo.ColorTblCount = static_cast<int16_t>(count + 1);
    return count;
}

int16_t GetPresetColorIndex(EditorData& data, int16_t Code, bool ArgbForm) {
    uint32_t colour = 0;
    switch (Code) {
        case 0: colour = ArgbForm ? 0xFFFFFFFFu : Rgb(255, 255, 255); break;
        case 1: colour = ArgbForm ? 0xFFFF0000u : Rgb(255, 64, 64); break;
        case 2: colour = ArgbForm ? 0xFF40FF40u : Rgb(64, 255, 64); break;
        case 3: colour = ArgbForm ? 0xFFFF8000u : Rgb(255, 128, 0); break;
        case 4: colour = ArgbForm ? 0xFFFFFF00u : Rgb(255, 255, 0); break;
        default: return 0;
    }
    return GetColorTblIndex(data, colour);
}

void ColorToRGB(const EditorData& data, uint32_t Colour, int32_t& Red, int32_t& Green, int32_t& Blue) {
    const uint32_t c = data.System.get().TranslateColor(Colour);
    Red = static_cast<int32_t>(c & 255);
    Green = static_cast<int32_t>((c / 256) & 255);
    Blue = static_cast<int32_t>((c / 65536) & 255);
}

void SetLogFontFaceName(tessaly::LogFont& Font, std::string_view Name) {
    // 31 bytes and the zero: what a LOGFONT face name holds.
    std::memset(Font.lfFaceName, 0, sizeof Font.lfFaceName);
    tessaly::FillTextField(std::span<uint8_t>(Font.lfFaceName, 31), Name);
}

void CopyLogFontFaceName(tessaly::LogFont& Font, std::string_view Name) {
    SetLogFontFaceName(Font, Name);
}

void StrToAnsiBytes(std::span<uint8_t> Bytes, std::string_view Text) {
    tessaly::FillTextField(Bytes, Text);
}

tessaly::LogFont MakeWordLogFont(const EditorData& data, const tessaly::mLogFont& font) {
    tessaly::LogFont lf;
    CopyLogFontSettings(font, lf);
    // A record pointing past the table keeps the default face and set.
    if (font.FontTblIndex >= 0 && static_cast<size_t>(font.FontTblIndex) < data.FontTbl.size()) {
        const auto& entry = data.FontTbl[static_cast<size_t>(font.FontTblIndex)];
        CopyLogFontFaceName(lf, entry.FontName);
        lf.lfCharSet = entry.fcharset;
    }
    return lf;
}

}  // namespace notaline
