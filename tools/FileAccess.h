#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// Reading and saving document files, one rule for both file formats. A save that fails costs
// nothing: the new contents go to a temporary file of its own beside the target, which takes the
// target's place only once everything is on disk.
namespace tessaly {

// A whole file's bytes, not zero-filled first: every byte is read into them.
struct FileBytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
    std::string_view View() const { return {reinterpret_cast<const char*>(data.get()), size}; }
};

// Reads a whole file and returns 0, or kErrFileNotFound (no such file, or no plain file),
// kErrTooLarge (more than kMaxDocumentFileBytes, or no memory for it) or kErrFileAccess.
int32_t ReadWholeFile(const std::filesystem::path& name, FileBytes& out);

// Settings and list files beside the program are small; one larger than this is not read (its
// values are the defaults), since the system's INI reader would parse it whole for every value.
inline constexpr uint64_t kMaxSettingsFileBytes = uint64_t{1} << 20;
// True when the file is there and larger than kMaxSettingsFileBytes.
bool SettingsFileTooLarge(const std::filesystem::path& name);

// Receives a formatted file in pieces, in order; false stops the write.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Put(std::span<const uint8_t> bytes) = 0;
};

// Writes the file's contents to the sink; returns 0, or the error number of a failure of its own.
using FileProducer = std::function<int32_t(ByteSink&)>;

// Replaces `target` with what `produce` writes and returns 0, or an error number of FileErrors.h.
// - A link is followed: the file it names is replaced and the link stays.
// - A read-only target is refused before anything is written (kErrReadOnly).
// - The replaced file keeps its permissions (its attributes on Windows).
// - On any failure, the disk full included, the target is left as it was and the temporary
//   file removed.
// The temporary name is short and unique (made with exclusive creation), so saves that run at
// the same time never share one, and any name the system takes for the target can be saved.
// Temporary files of this program that a killed save left in the folder, and that no one holds
// open, are removed first.
int32_t ReplaceDocumentFile(const std::filesystem::path& target, const FileProducer& produce);

// For the platforms' ReplaceDocumentFile: a sink into the temporary file that keeps the error
// number of its first failed write.
class FileSink : public ByteSink {
public:
    int32_t Error() const { return error_; }

protected:
    void Fail(int32_t error) {
        if (error_ == 0) error_ = error;
    }

private:
    int32_t error_ = 0;
};

// Runs the producer into the sink and returns the first failure, the sink's or the producer's;
// memory running out is kErrTooLarge. Any other exception calls `discard` (which closes and
// removes the temporary file) and goes on to the caller.
int32_t Produce(const FileProducer& produce, FileSink& sink, const std::function<void()>& discard);

// A temporary file's name, "~jp" and eight hex digits from `seed`, ".tmp": 15 characters.
std::string TemporaryFileName(uint64_t seed);
// True for a name TemporaryFileName makes (any case): the files a killed save can leave behind.
bool IsTemporaryFileName(std::u16string_view name);
// A seed that differs between calls, threads and processes.
uint64_t TemporarySeed();

}  // namespace tessaly
