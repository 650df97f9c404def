#include "model/document/MeasureCache.h"

#include <cstring>

namespace notaline {

namespace {

// Far more than the distinct characters of any song book; past it the cache starts again.
constexpr size_t kMaxSizes = 1 << 18;

template <class T>
void Append(std::string& key, const T& value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    key.append(bytes, sizeof(T));
}

}  // namespace

void MeasureCache::SetEnabled(bool on) {
    enabled_ = on;
    sizes_.clear();
}

void MeasureCache::MakeKey(MeasurePath path, int32_t dpi, const tessaly::LogFont& font, float emPoints,
                           std::u16string_view text) {
    key_.clear();
    Append(key_, path);
    Append(key_, dpi);
    Append(key_, emPoints);
    Append(key_, font.lfHeight);
    Append(key_, font.lfWidth);
    Append(key_, font.lfEscapement);
    Append(key_, font.lfOrientation);
    Append(key_, font.lfWeight);
    for (uint8_t b : {font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet, font.lfOutPrecision,
                      font.lfClipPrecision, font.lfQuality, font.lfPitchAndFamily})
        key_ += static_cast<char>(b);
    // The face as a font is asked for it: up to its end; the text after it, so the two cannot run together.
    const auto* face = reinterpret_cast<const char*>(font.lfFaceName);
    key_.append(face, strnlen(face, sizeof font.lfFaceName));
    key_ += '\0';
    key_.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

void MeasureCache::Keep(tessaly::SIZEF size) {
    if (sizes_.size() >= kMaxSizes) sizes_.clear();
    sizes_.emplace(key_, size);
}

}  // namespace notaline
