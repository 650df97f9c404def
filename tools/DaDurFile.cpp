#include "DaDurFile.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "DaDurFormat.h"
#include "DefaultDocument.h"
#include "FileAccess.h"

namespace tessaly {

namespace {

// Set while a read or write runs on this thread, so that a window procedure
// reached through a progress message cannot start another one.
thread_local bool fileOperationRunning = false;

class Running {
public:
    Running() : refused_(fileOperationRunning) { fileOperationRunning = true; }
    ~Running() {
        if (!refused_) fileOperationRunning = false;
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
    bool Refused() const { return refused_; }

private:
    bool refused_;
};

}  // namespace

DaDurFile::DaDurFile(DaDurSystem& system) : system_(system), zoom_(system.ZoomFactor()), reader_(system, zoom_) {}

namespace {

DaDurStatus Busy(DaDurSystem& system) {
    system.Beep();
    return DaDurStatus::Failure(kErrBusy, std::string(FileErrorText(kErrBusy)));
}

DaDurStatus FileFailure(int32_t number, const std::filesystem::path& name) {
    return DaDurStatus::Failure(number, FileErrorReason(number, name));
}

// A byte's count, found a whole run at a time.
uint64_t CountOf(std::string_view bytes, char c) {
    uint64_t count = 0;
    for (const char *at = bytes.data(), *end = at + bytes.size();
         (at = static_cast<const char*>(std::memchr(at, c, static_cast<size_t>(end - at)))) != nullptr; ++at)
        ++count;
    return count;
}

}  // namespace

DaDurStatus DaDurFile::ReadRtfFile(intptr_t hwnd, const std::filesystem::path& fileName) {
    std::vector<aWordInfo> words;
    WordVector sink(words);
    const DaDurStatus status = ReadRtfFile(hwnd, fileName, sink);
    if (status.ok) data_.WordInfo = std::move(words);
    return status;
}

DaDurStatus DaDurFile::ReadRtfFile(intptr_t hwnd, const std::filesystem::path& fileName, WordSink& words) {
    Running running;
    if (running.Refused()) return Busy(system_);
    JpData read;
    if (fileName.empty()) {
        const auto& lines = DefaultDocumentLines();
        const std::vector<std::string_view> views(lines.begin(), lines.end());
        const DaDurStatus status = reader_.Read(views, hwnd, read, words);
        if (status.ok) data_ = std::move(read);
        return status;
    }
    FileBytes file;
    if (const int32_t error = ReadWholeFile(fileName, file)) return FileFailure(error, fileName);
    const std::string_view bytes = file.View();
    // Every line costs a view even when empty: a file of little but line ends is refused by the
    // count of its line ends (CR LF counts two) before it is split.
    if (CountOf(bytes, '\n') + CountOf(bytes, '\r') > 2 * kMaxDocumentLines) return FileFailure(kErrTooLarge, fileName);
    // A last line without its line end was cut off: what was read is shown, and the user told.
    const bool cut = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
    DaDurStatus status;
    try {
        const std::vector<std::string_view> lines = SplitDaDurLines(bytes);
        // Neither header nor paragraph: some other file, not a document that ends early.
        if (!HoldsDaDurDocument(lines))
            return DaDurStatus::Failure(kErrBadFileFormat, std::string(FileErrorText(kErrBadFileFormat)));
        status = reader_.Read(lines, hwnd, read, words, cut);
    } catch (const std::bad_alloc&) {
        return FileFailure(kErrTooLarge, fileName);
    }
    if (!status.ok) return status;
    if (status.number == kErrEndsEarly) status.reason = FileErrorReason(kErrEndsEarly, fileName);
    data_ = std::move(read);
    return status;
}

DaDurStatus DaDurFile::WriteRtfFile(const std::filesystem::path& fileName, intptr_t hwnd) {
    return WriteRtfFile(fileName, hwnd, WordArray(data_.WordInfo));
}

DaDurStatus DaDurFile::WriteRtfFile(const std::filesystem::path& fileName, intptr_t hwnd, const WordSource& words) {
    Running running;
    if (running.Refused()) return Busy(system_);
    if (fileName.empty()) return FileFailure(kErrFileAccess, fileName);
    std::string bytes;
    try {
        bytes = DaDurWriter(system_, zoom_).Write(data_, words, hwnd);
    } catch (const std::bad_alloc&) {
        return FileFailure(kErrTooLarge, fileName);
    }
    return ReplaceFileContents(fileName, bytes);
}

DaDurStatus ReplaceFileContents(const std::filesystem::path& fileName, std::string_view bytes) {
    const int32_t error = ReplaceDocumentFile(fileName, [&](ByteSink& sink) {
        sink.Put({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
        return 0;
    });
    if (error != 0) return FileFailure(error, fileName);
    return {};
}

std::string DaDurFile::SetV3ArrToStr(int32_t i, int16_t j) const {
    if (i < 0 || static_cast<size_t>(i) >= data_.WordInfo.size() || j < 0 || j > 7) return {};
    return dadur::MarkText(data_.WordInfo[i].ExtralWordInfo[j]);
}

}  // namespace tessaly
