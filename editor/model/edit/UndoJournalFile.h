#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace notaline {

// The bytes of the journal at 1-based positions: a file normally, a fake in tests.
class UndoJournal {
public:
    virtual ~UndoJournal() = default;
    virtual bool Write(int64_t Pos, const void* Bytes, size_t Count) = 0;
    virtual bool Read(int64_t Pos, void* Bytes, size_t Count) = 0;
    // True when everything written so far has reached the disk.
    virtual bool Flush() = 0;
};

constexpr const char* kNotWritten = "the undo journal could not be written";

// A journal file under the first free name in dir, which `name` receives; leftovers of earlier
// runs are deleted, names held by this process skipped. Nothing when it cannot be opened.
std::unique_ptr<UndoJournal> OpenJournalIn(const std::filesystem::path& dir, std::filesystem::path& name);

// Closes a journal from OpenJournalIn and deletes its file, freeing the name.
void CloseJournalFile(UndoJournal& journal, const std::filesystem::path& name);

}  // namespace notaline
