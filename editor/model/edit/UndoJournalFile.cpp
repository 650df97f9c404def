#include "model/edit/UndoJournalFile.h"

#include <fstream>
#include <mutex>
#include <set>
#include <system_error>

namespace notaline {
namespace {

// Journal names held by editors of this process: a file open here can still be deleted on
// some systems, so the name search must not rely on the deletion failing.
std::mutex namesMutex;
std::set<std::filesystem::path>& NamesInUse() {
    static std::set<std::filesystem::path> names;
    return names;
}

bool InUse(const std::filesystem::path& name) {
    std::lock_guard<std::mutex> lock(namesMutex);
    return NamesInUse().count(name) != 0;
}

bool Exists(const std::filesystem::path& name) {
    std::error_code ec;
    return std::filesystem::exists(name, ec) || InUse(name);
}

std::filesystem::path NumberedName(const std::filesystem::path& dir, int32_t counter) {
    return dir / ("tmp" + std::to_string(counter) + ".dat");
}

class FileJournal : public UndoJournal {
public:
    // Unbuffered: a write that fails (a full disk) leaves nothing behind in a buffer that a later
    // write would carry to the wrong place, and the next write starts afresh where it is told.
    explicit FileJournal(const std::filesystem::path& name) {
        file_.rdbuf()->pubsetbuf(nullptr, 0);
        file_.open(name, std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
    }
    bool IsOpen() const { return file_.is_open(); }
    void Close() { file_.close(); }

    bool Write(int64_t Pos, const void* Bytes, size_t Count) override {
        file_.clear();
        file_.seekp(Pos - 1);
        file_.write(static_cast<const char*>(Bytes), static_cast<std::streamsize>(Count));
        return static_cast<bool>(file_);
    }
    bool Read(int64_t Pos, void* Bytes, size_t Count) override {
        file_.clear();
        file_.seekg(Pos - 1);
        file_.read(static_cast<char*>(Bytes), static_cast<std::streamsize>(Count));
        return static_cast<bool>(file_);
    }
    bool Flush() override {
        file_.flush();
        return static_cast<bool>(file_);
    }

private:
    std::fstream file_;
};

// The first free name in dir: leftovers of earlier runs are deleted, names in use skipped.
}  // namespace

std::unique_ptr<UndoJournal> OpenJournalIn(const std::filesystem::path& dir, std::filesystem::path& name) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    name = dir / "tmp0.dat";
    int32_t counter = 0;
    while (Exists(name)) {
        if (!InUse(name)) std::filesystem::remove(name, ec);
        name = NumberedName(dir, counter);
        ++counter;
    }
    while (Exists(name)) {
        ++counter;
        name = NumberedName(dir, counter);
    }
    auto journal = std::make_unique<FileJournal>(name);
    if (!journal->IsOpen()) return nullptr;
    std::lock_guard<std::mutex> lock(namesMutex);
    NamesInUse().insert(name);
    return journal;
}

void CloseJournalFile(UndoJournal& journal, const std::filesystem::path& name) {
    static_cast<FileJournal&>(journal).Close();
    std::error_code ec;
    std::filesystem::remove(name, ec);
    std::lock_guard<std::mutex> lock(namesMutex);
    NamesInUse().erase(name);
}

}  // namespace notaline
