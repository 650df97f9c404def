#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

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
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint8_t U8();
    int16_t I16();
    int32_t I32();
    uint32_t U32();
    float F32();
    void Bytes(uint8_t* out, size_t n);

    size_t Remaining() const { return bytes_.size() - pos_; }
    // True when n records of recordSize bytes can still be read: counts from a file are checked
    // with this before anything is allocated for them.
    bool Holds(uint64_t n, size_t recordSize) const { return n <= Remaining() / recordSize; }
    bool Failed() const { return failed_; }

private:
    const uint8_t* Take(size_t n);
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    bool failed_ = false;
};

// Writes little-endian fields into a buffer of a size known in advance.
class ByteWriter {
public:
    explicit ByteWriter(std::span<uint8_t> out) : out_(out) {}

    void U8(uint8_t v);
    void I16(int16_t v);
    void I32(int32_t v);
    void U32(uint32_t v);
    void F32(float v);
    void Bytes(const uint8_t* data, size_t n);

    size_t Written() const { return pos_; }
    bool Failed() const { return failed_; }

private:
    uint8_t* Take(size_t n);
    std::span<uint8_t> out_;
    size_t pos_ = 0;
    bool failed_ = false;
};

// Where progress in per cent goes while a file is read or written.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Progress(int32_t percent) = 0;
};

// The outcome of a read or write; number is the error number the caller raises.
struct ZoRivStatus {
    int32_t number = 0;
    std::string reason;  // UTF-8
    bool Ok() const { return number == 0; }
};

inline constexpr int32_t kErrOverflow = 6;         // a count or length too large for its field
inline constexpr int32_t kErrSubscript = 9;        // a count beyond the array that holds the records
inline constexpr int32_t kErrFileNotFound = 53;    // "文件未找到: " + name
inline constexpr int32_t kErrPastEnd = 62;         // a file shorter than its counts say
inline constexpr int32_t kErrFileAccess = 75;      // cannot open, write or replace the file
inline constexpr int32_t kErrBadFileFormat = 321;  // a negative count or a malformed array descriptor

// The font and colour tables as written, and where each old index goes.
struct ZoRivTables {
    std::vector<aFontTbl> fonts;
    std::vector<uint32_t> colours;
    std::vector<int16_t> fontIndex;    // by old font index
    std::vector<int16_t> colourIndex;  // by old colour index
    int16_t FontIndex(int32_t old) const;
    // Negative indexes (cb = -1: no background) stay as they are.
    int16_t ColourIndex(int32_t old) const;
};

// Keeps the fonts that characters use, the notation font and 宋体, and the colours that the page,
// characters and free-placed items use, in their old order.
ZoRivTables CompactTables(const JpData& doc);

// Case-insensitive for ASCII letters only; trail bytes of double-byte characters are left alone.
bool SameFontName(std::string_view a, std::string_view b);

// Parses a whole file. On failure `out` is left as it was.
ZoRivStatus ParseZoRiv(std::span<const uint8_t> bytes, double zoom, JpData& out, ProgressSink* progress);

// Formats a document with compacted tables; the document itself is not changed. Progress 10 to 85.
ZoRivStatus FormatZoRiv(const JpData& doc, double zoom, std::vector<uint8_t>& out, ProgressSink* progress);

// The file forms. A missing file is refused with kErrFileNotFound before anything is read. A write
// goes to a temporary file beside the target, which replaces the target only when all was written.
ZoRivStatus ReadZoRivFile(const std::filesystem::path& name, double zoom, JpData& out, ProgressSink* progress);
ZoRivStatus WriteZoRivFile(const std::filesystem::path& name, const JpData& doc, double zoom,
                           ProgressSink* progress);

}  // namespace tessaly
