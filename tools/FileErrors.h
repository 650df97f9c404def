#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Why a document file could not be read or written: the error number that the file classes
// raise and the text the user is shown. The runtime errors the system has always raised keep
// their numbers and texts; the rest are ours, numbered above them.
namespace tessaly {

inline constexpr int32_t kErrInvalidCall = 5;    // settings or arguments a call cannot take
inline constexpr int32_t kErrOverflow = 6;       // a count or length too large for its field
inline constexpr int32_t kErrSubscript = 9;      // a count beyond the array that holds the records
inline constexpr int32_t kErrFileNotFound = 53;  // "文件未找到: " + name
inline constexpr int32_t kErrDiskFull = 61;
inline constexpr int32_t kErrPastEnd = 62;  // a file shorter than its counts say
inline constexpr int32_t kErrPermissionDenied = 70;
inline constexpr int32_t kErrFileAccess = 75;  // cannot open, write or replace the file
inline constexpr int32_t kErrPathNotFound = 76;
inline constexpr int32_t kErrBadFileFormat = 321;  // a negative count or a malformed array descriptor
inline constexpr int32_t kErrReadOnly = 1001;      // the file to replace is read-only
inline constexpr int32_t kErrPathTooLong = 1002;
inline constexpr int32_t kErrTooLarge = 1003;   // beyond the limits below, or memory ran out
inline constexpr int32_t kErrEndsEarly = 1004;  // a text file cut off: the part read is kept
inline constexpr int32_t kErrBusy = 1005;       // another read or write of this thread is running

// The largest document either reader takes: refused before anything is allocated for it.
// 2,000,000 characters are about 660 pages of 3,000 characters, 632 MB of character records;
// free-placed items are held to the same count. A DaDur file has at most a line per paragraph
// and per item, and a few more for drum patterns and tracks.
inline constexpr int32_t kMaxDocumentWords = 2'000'000;
inline constexpr uint64_t kMaxDocumentFileBytes = uint64_t{1} << 30;
inline constexpr uint64_t kMaxDocumentLines = 2 * uint64_t{kMaxDocumentWords} + 70'000;

// UTF-8; empty for 0 and for numbers not in the table.
std::string_view FileErrorText(int32_t number);

// The text, then ": " and the file's name when it has one with a UTF-8 form.
std::string FileErrorReason(int32_t number, const std::filesystem::path& name);

}  // namespace tessaly
