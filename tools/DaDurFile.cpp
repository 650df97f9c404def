#include "DaDurFile.h"

#include <fstream>
#include <system_error>

#include "DaDurFormat.h"
#include "DefaultDocument.h"

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

DaDurStatus DaDurFile::ReadRtfFile(intptr_t hwnd, const std::filesystem::path& fileName) {
    Running running;
    if (running.Refused()) {
        system_.Beep();
        return DaDurStatus::Failure("another file operation is running");
    }
    JpData read;
    if (fileName.empty()) {
        const auto& lines = DefaultDocumentLines();
        const std::vector<std::string_view> views(lines.begin(), lines.end());
        const DaDurStatus status = reader_.Read(views, hwnd, read);
        if (status.ok) data_ = std::move(read);
        return status;
    }
    std::ifstream file(fileName, std::ios::binary);
    if (!file) return DaDurStatus::Failure("cannot open the file");
    std::string bytes;
    std::error_code ec;
    const auto size = std::filesystem::file_size(fileName, ec);
    if (!ec) bytes.resize(static_cast<size_t>(size));
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) return DaDurStatus::Failure("cannot read the file");
    const DaDurStatus status = reader_.Read(SplitDaDurLines(bytes), hwnd, read);
    if (status.ok) data_ = std::move(read);
    return status;
}

DaDurStatus DaDurFile::WriteRtfFile(const std::filesystem::path& fileName, intptr_t hwnd) {
    Running running;
    if (running.Refused()) {
        system_.Beep();
        return DaDurStatus::Failure("another file operation is running");
    }
    if (fileName.empty()) return DaDurStatus::Failure("no file name");
    std::string bytes;
    try {
        bytes = DaDurWriter(system_, zoom_).Write(data_, hwnd);
    } catch (const std::bad_alloc&) {
        return DaDurStatus::Failure("out of memory");
    }
    return ReplaceFileContents(fileName, bytes);
}

std::string DaDurFile::SetV3ArrToStr(int32_t i, int16_t j) const {
    if (i < 0 || static_cast<size_t>(i) >= data_.WordInfo.size() || j < 0 || j > 7) return {};
    return dadur::MarkText(data_.WordInfo[i].ExtralWordInfo[j]);
}

DaDurStatus ReplaceFileContents(const std::filesystem::path& fileName, std::string_view bytes) {
    std::filesystem::path temp = fileName;
    temp += ".~tmp";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        if (!file) return DaDurStatus::Failure("cannot create the file");
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.flush();
        if (!file) {
            file.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return DaDurStatus::Failure("cannot write the file");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, fileName, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return DaDurStatus::Failure("cannot replace the file: " + ec.message());
    }
    return {};
}

}  // namespace tessaly
