#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "DaDurReader.h"
#include "DaDurSystem.h"
#include "DaDurWriter.h"
#include "records/JpData.h"

namespace tessaly {

// One document read from or written to a DaDur file: the buffers that
// GetJpData and LetJpData exchange with the editor, and the file handling.
// A failed read leaves the buffers as they were; a failed write leaves the
// file as it was (ReplaceDocumentFile). A read or write started while another is
// running on this thread is refused with a beep. A file cut off in a line is
// read as far as it goes, ok with kErrEndsEarly.
class DaDurFile {
public:
    explicit DaDurFile(DaDurSystem& system);

    // An empty name reads the built-in default document.
    DaDurStatus ReadRtfFile(intptr_t hwnd, const std::filesystem::path& fileName);
    // The same with the characters handed to `words` as they are read, none kept here.
    DaDurStatus ReadRtfFile(intptr_t hwnd, const std::filesystem::path& fileName, WordSink& words);
    DaDurStatus WriteRtfFile(const std::filesystem::path& fileName, intptr_t hwnd);
    // The same with the characters taken from `words` instead of the buffers.
    DaDurStatus WriteRtfFile(const std::filesystem::path& fileName, intptr_t hwnd, const WordSource& words);

    void GetJpData(JpData& out) const { out = data_; }
    // The document handed over without a copy; the buffers are left empty.
    JpData TakeJpData() { return std::move(data_); }
    void LetJpData(const JpData& in) { data_ = in; }
    void LetJpData(JpData&& in) { data_ = std::move(in); }
    const JpData& Data() const { return data_; }

    // The text of mark slot j of character i, zero bytes removed; empty when out of range.
    std::string SetV3ArrToStr(int32_t i, int16_t j) const;

private:
    DaDurSystem& system_;
    double zoom_;
    DaDurReader reader_;
    JpData data_;
};

// Replaces a file with `bytes` only once they are wholly on disk (see ReplaceDocumentFile).
DaDurStatus ReplaceFileContents(const std::filesystem::path& fileName, std::string_view bytes);

}  // namespace tessaly
