#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "FileAccess.h"
#include "FileErrors.h"
#include "WordSink.h"
#include "records/JpData.h"

// The ZoRiv document file: the document's records one after another as packed little-endian
// fields, spacings in 96-DPI pixels, font and colour tables compacted to what the document uses.
namespace tessaly {

// Sizes of the packed records.
inline constexpr size_t kZoRivHeaderSize = 27;
inline constexpr size_t kZoRivPageSize = 34;
inline constexpr size_t kZoRivPlayTailSize = 10;
inline constexpr size_t kZoRivArrayDescriptorSize = 10;
inline constexpr size_t kZoRivTrackSize = 154;
inline constexpr size_t kZoRivWordSize = 304;
inline constexpr size_t kZoRivHwWordSize = 24;
inline constexpr size_t kZoRivDrumSize = 103;

// Reads little-endian fields from a byte buffer. A read past the end yields zeros and marks the
// cursor failed, so a caller checks once after a group of reads instead of after each one.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : cur_(bytes.data()), end_(bytes.data() + bytes.size()) {}

    uint8_t U8() {
        const uint8_t* p = Take(1);
        return p ? p[0] : 0;
    }
    int16_t I16() {
        const uint8_t* p = Take(2);
        return p ? static_cast<int16_t>(p[0] | p[1] << 8) : 0;
    }
    uint32_t U32() {
        const uint8_t* p = Take(4);
        return p ? uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24 : 0;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    float F32() { return std::bit_cast<float>(U32()); }
    void Bytes(uint8_t* out, size_t n) {
        if (const uint8_t* p = Take(n)) {
            std::memcpy(out, p, n);
        } else {
            std::memset(out, 0, n);
        }
    }

    size_t Remaining() const { return static_cast<size_t>(end_ - cur_); }
    // True when n records of recordSize bytes can still be read: counts from a file are checked
    // with this before anything is allocated for them.
    bool Holds(uint64_t n, size_t recordSize) const { return n <= Remaining() / recordSize; }
    bool Failed() const { return failed_; }

private:
    // After a failure the cursor stands at the end, so every later read fails as well.
    const uint8_t* Take(size_t n) {
        if (Remaining() < n) {
            failed_ = true;
            cur_ = end_;
            return nullptr;
        }
        const uint8_t* p = cur_;
        cur_ += n;
        return p;
    }
    const uint8_t* cur_;
    const uint8_t* end_;
    bool failed_ = false;
};

// Writes little-endian fields into a buffer of a size known in advance; a write that does not fit
// is dropped and marks the cursor failed.
class ByteWriter {
public:
    explicit ByteWriter(std::span<uint8_t> out) : begin_(out.data()), cur_(out.data()), end_(out.data() + out.size()) {}

    void U8(uint8_t v) {
        if (uint8_t* p = Take(1)) p[0] = v;
    }
    void I16(int16_t v) {
        if (uint8_t* p = Take(2)) {
            const auto u = static_cast<uint16_t>(v);
            p[0] = static_cast<uint8_t>(u);
            p[1] = static_cast<uint8_t>(u >> 8);
        }
    }
    void U32(uint32_t v) {
        if (uint8_t* p = Take(4)) {
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v >> 8);
            p[2] = static_cast<uint8_t>(v >> 16);
            p[3] = static_cast<uint8_t>(v >> 24);
        }
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void F32(float v) { U32(std::bit_cast<uint32_t>(v)); }
    void Bytes(const uint8_t* data, size_t n) {
        if (uint8_t* p = Take(n)) std::memcpy(p, data, n);
    }

    size_t Written() const { return static_cast<size_t>(cur_ - begin_); }
    bool Failed() const { return failed_; }

private:
    // After a failure the cursor stands at the end, so every later write fails as well.
    uint8_t* Take(size_t n) {
        if (static_cast<size_t>(end_ - cur_) < n) {
            failed_ = true;
            cur_ = end_;
            return nullptr;
        }
        uint8_t* p = cur_;
        cur_ += n;
        return p;
    }
    uint8_t* begin_;
    uint8_t* cur_;
    uint8_t* end_;
    bool failed_ = false;
};

// Where progress in per cent goes while a file is read or written.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Progress(int32_t percent) = 0;
};

// The outcome of a read or write; number is the error number the caller raises (FileErrors.h).
struct ZoRivStatus {
    int32_t number = 0;
    std::string reason;  // UTF-8
    bool Ok() const { return number == 0; }
};

// The font and colour tables as written, and where each old index goes.
struct ZoRivTables {
    std::vector<aFontTbl> fonts;
    std::vector<uint32_t> colours;
    std::vector<int16_t> fontIndex;    // by old font index
    std::vector<int16_t> colourIndex;  // by old colour index
    int16_t FontIndex(int32_t old) const;
    // kNoBackground stays as it is; any other index outside the table becomes 0.
    int16_t ColourIndex(int32_t old) const;
};

// Keeps the fonts that characters use, the notation font and 宋体, and the colours that the page,
// characters and free-placed items use, in their old order.
ZoRivTables CompactTables(const JpData& doc);
ZoRivTables CompactTables(const JpData& doc, const WordSource& words);

// Case-insensitive for ASCII letters only; trail bytes of double-byte characters are left alone.
bool SameFontName(std::string_view a, std::string_view b);

// Parses a whole file and repairs it as every reader does (DocumentRepair.h). More than
// maxWords characters or free items are refused before anything is allocated for them. On failure `out` is
// left as it was.
ZoRivStatus ParseZoRiv(std::span<const uint8_t> bytes, double zoom, JpData& out, ProgressSink* progress,
                       int32_t maxWords = kMaxDocumentWords);
// The same with the characters handed to `words` as they are read; `out` gets the rest.
ZoRivStatus ParseZoRiv(std::span<const uint8_t> bytes, double zoom, JpData& out, WordSink& words,
                       ProgressSink* progress, int32_t maxWords = kMaxDocumentWords);

// Formats a document with compacted tables; the document itself is not changed. Progress 10 to 85.
// The sink form hands the file over in pieces of about a megabyte; on failure `out` is unchanged.
ZoRivStatus FormatZoRiv(const JpData& doc, double zoom, ByteSink& out, ProgressSink* progress);
// The same with the characters taken from `words` (doc.WordInfo is not read).
ZoRivStatus FormatZoRiv(const JpData& doc, const WordSource& words, double zoom, ByteSink& out, ProgressSink* progress);
ZoRivStatus FormatZoRiv(const JpData& doc, double zoom, std::vector<uint8_t>& out, ProgressSink* progress);

// The file forms. A missing file is refused with kErrFileNotFound and a file larger than
// kMaxDocumentFileBytes with kErrTooLarge, before anything is read. A write replaces the file
// by ReplaceDocumentFile, as every save does.
ZoRivStatus ReadZoRivFile(const std::filesystem::path& name, double zoom, JpData& out, ProgressSink* progress);
ZoRivStatus ReadZoRivFile(const std::filesystem::path& name, double zoom, JpData& out, WordSink& words,
                          ProgressSink* progress);
ZoRivStatus WriteZoRivFile(const std::filesystem::path& name, const JpData& doc, double zoom, ProgressSink* progress);
ZoRivStatus WriteZoRivFile(const std::filesystem::path& name, const JpData& doc, const WordSource& words, double zoom,
                           ProgressSink* progress);

}  // namespace tessaly
