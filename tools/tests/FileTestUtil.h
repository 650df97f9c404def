#pragma once
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "DaDurFile.h"
#include "FakeDaDurSystem.h"
#include "FileAccess.h"

namespace tessaly::test {

// A folder of its own for one test, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> next{0};
        path_ =
            std::filesystem::temp_directory_path() /
            ("jp-files-" + std::to_string(reinterpret_cast<uintptr_t>(this) & 0xFFFFFF) + "-" + std::to_string(next++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& leaf) const { return path_ / leaf; }
    size_t Entries() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    std::filesystem::path path_;
};

inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void Spit(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Replaces a file with the bytes given, as a save does.
inline int32_t SaveBytes(const std::filesystem::path& name, const std::string& bytes) {
    return ReplaceDocumentFile(name, [&](ByteSink& sink) {
        sink.Put({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
        return 0;
    });
}

// The built-in default document with `extra` more characters of `letter` before its paragraph end.
inline JpData DefaultDocumentWith(char letter, int extra = 0) {
    FakeDaDurSystem system;
    DaDurFile file(system);
    file.ReadRtfFile(0, "");
    JpData d = file.Data();
    aWordInfo w = d.WordInfo[0];
    w.WdAsc = letter;
    d.WordInfo.insert(d.WordInfo.begin(), static_cast<size_t>(extra + 1), w);
    d.FileInfo.WordCount = static_cast<int32_t>(d.WordInfo.size());
    return d;
}

}  // namespace tessaly::test
