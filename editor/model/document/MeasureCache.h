#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "records/Records.h"

namespace notaline {

// How a size was measured: the two give different sizes for the same character.
enum class MeasurePath : uint8_t { Gdiplus, Gdi };

// Sizes a measurer has returned, by everything that decides them: the font record (face, set,
// size, weight, italic, underline, strike-out), the em size, the text, the path and the DPI.
// A document of a few dozen digits and a few thousand characters is measured once for each.
class MeasureCache {
public:
    // What `measure()` returns for these, asked of it only the first time. A failed measurement
    // (nothing at all) is not kept, so that it is asked again.
    template <class Measure>
    tessaly::SIZEF Get(MeasurePath path, int32_t dpi, const tessaly::LogFont& font, float emPoints,
                       std::u16string_view text, Measure&& measure) {
        if (!enabled_) return measure();
        MakeKey(path, dpi, font, emPoints, text);
        if (const auto found = sizes_.find(key_); found != sizes_.end()) return found->second;
        const tessaly::SIZEF size = measure();
        if (size.cx != 0 || size.cy != 0) Keep(size);
        return size;
    }

    // Off, every size is measured; used to check that the cache changes nothing.
    void SetEnabled(bool on);
    size_t Size() const { return sizes_.size(); }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
    };

    void MakeKey(MeasurePath path, int32_t dpi, const tessaly::LogFont& font, float emPoints, std::u16string_view text);
    void Keep(tessaly::SIZEF size);

    bool enabled_ = true;
    std::string key_;  // the key of the last look-up, its buffer reused
    std::unordered_map<std::string, tessaly::SIZEF, Hash, std::equal_to<>> sizes_;
};

}  // namespace notaline
