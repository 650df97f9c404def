#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DaDurSystem.h"
#include "FileErrors.h"
#include "WordSink.h"
#include "records/JpData.h"

namespace tessaly {

// The outcome of a read or write: on failure its error number (FileErrors.h), the reason the
// user is shown and the 1-based line of a read that stopped (0 when no line is to blame). A read
// that is ok with kErrEndsEarly gave the document as far as the file goes; the reason says so.
struct DaDurStatus {
    bool ok = true;
    int32_t number = 0;
    size_t line = 0;
    std::string reason;  // UTF-8
    std::string detail;  // what is wrong with a malformed line, for the developer

    static DaDurStatus Failure(int32_t number, std::string reason, size_t line = 0, std::string detail = {}) {
        return {false, number, line, std::move(reason), std::move(detail)};
    }
};

// The lines of a DaDur file without their line ends (CR LF, LF or a lone CR).
std::vector<std::string_view> SplitDaDurLines(std::string_view bytes);
// Whether the lines hold a paragraph: without one, a file is no document, header or not.
bool HoldsDaDurDocument(const std::vector<std::string_view>& lines);

// Turns the lines of a DaDur file into a document. Attribute state runs on
// from line to line and, as with the stored format's own reader, from one
// Read to the next on the same object (kind, raise and counters restart).
class DaDurReader {
public:
    DaDurReader(DaDurSystem& system, double zoom) : system_(system), zoom_(zoom) {}

    // Fills `out` only when the whole text was read; on failure `out` is untouched. A text that
    // ends early is read as far as it goes, ok with kErrEndsEarly: one whose last line was cut
    // (lastLineCut: it had no line end; what of it cannot be read is left out), or whose play
    // settings are missing or lack a track's lines (the writer puts them last, so a file cut
    // at a line end loses them first).
    DaDurStatus Read(const std::vector<std::string_view>& lines, intptr_t hwnd, JpData& out, bool lastLineCut = false);
    // The same with the characters handed to `words` as they are read: `out` gets the rest
    // (WordInfo empty, WordCount the number handed). After a failure what `words` took is void.
    DaDurStatus Read(const std::vector<std::string_view>& lines, intptr_t hwnd, JpData& out, WordSink& words,
                     bool lastLineCut = false);

    // More characters or free items than this are refused (kErrTooLarge) before more memory is taken.
    void SetMaxWords(int32_t words) { maxWords_ = words; }

private:
    struct Doc;

    void ReadHeader(std::string_view line, Doc& doc);
    void CheckFonts(intptr_t hwnd, Doc& doc);
    void TellMissingFonts(intptr_t hwnd, const Doc& doc);
    void ReadColours(std::string_view line, Doc& doc);
    void ReadPaper(std::string_view line, Doc& doc);
    void ReadParagraph(std::string_view line, Doc& doc);
    void ReadFreeItem(std::string_view line, Doc& doc);
    void ReadDrum(std::string_view line, Doc& doc);
    void ReadPlay(std::string_view line, Doc& doc);
    void Append(int16_t code, Doc& doc);
    static void Flush(Doc& doc);
    static int16_t BlankColour(Doc& doc);
    void ApplyMark(Doc& doc);
    static void Finish(Doc& doc);

    // Characters handed on a run at a time: a buffer that stays in the cache, used again.
    static constexpr size_t kRunWords = 256;

    DaDurSystem& system_;
    double zoom_;
    int32_t dpi_ = 96;
    int32_t maxWords_ = kMaxDocumentWords;

    // Attribute state carried from line to line.
    mLogFont font_{};
    int16_t cf_ = 0;
    int16_t cb_ = 0;
    float selSize_ = 0;
    float wdSpace_ = 0;
    float upSpace_ = 0;
    int16_t stackNumber_ = 0;
    float stackSpace_ = 0;
    uint8_t kind_ = 0;
    bool collecting_ = false;
    std::string markText_;
};

}  // namespace tessaly
