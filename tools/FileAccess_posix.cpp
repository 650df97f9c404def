#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <system_error>

#include "FileAccess.h"
#include "FileErrors.h"

namespace tessaly {

namespace {

int32_t ErrorOf(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT: return kErrDiskFull;
        case EACCES:
        case EPERM:
        case EROFS: return kErrPermissionDenied;
        case ENAMETOOLONG: return kErrPathTooLong;
        case ENOENT:
        case ENOTDIR: return kErrPathNotFound;
        default: return kErrFileAccess;
    }
}

class FdSink final : public FileSink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    bool Put(std::span<const uint8_t> bytes) override {
        while (!bytes.empty() && Error() == 0) {
            const ssize_t n = write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                Fail(n < 0 ? ErrorOf(errno) : kErrDiskFull);
                break;
            }
            bytes = bytes.subspan(static_cast<size_t>(n));
        }
        return Error() == 0;
    }

private:
    int fd_;
};

// The file that a chain of links ends at; the name itself when it is no link.
int32_t FollowLinks(std::filesystem::path& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : ErrorOf(errno);
        if (!S_ISLNK(st.st_mode)) return 0;
        char buffer[PATH_MAX];
        const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
        if (n < 0) return ErrorOf(errno);
        const std::filesystem::path link(std::string(buffer, static_cast<size_t>(n)));
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return kErrFileAccess;
}

}  // namespace

int32_t ReadWholeFile(const std::filesystem::path& name, FileBytes& out) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(name, ec);
    if (status.type() == std::filesystem::file_type::not_found) return kErrFileNotFound;
    if (ec) return kErrFileAccess;
    // A folder, a device or a pipe is no document file.
    if (!std::filesystem::is_regular_file(status)) return kErrFileNotFound;
    std::ifstream in(name, std::ios::binary);
    if (!in) return kErrFileAccess;
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (length < 0 || !in) return kErrFileAccess;
    if (static_cast<uint64_t>(length) > kMaxDocumentFileBytes) return kErrTooLarge;
    FileBytes bytes;
    bytes.size = static_cast<size_t>(length);
    bytes.data.reset(new (std::nothrow) uint8_t[bytes.size]);
    if (!bytes.data) return kErrTooLarge;
    in.read(reinterpret_cast<char*>(bytes.data.get()), length);
    if (in.gcount() != length) return kErrFileAccess;
    out = std::move(bytes);
    return 0;
}

int32_t ReplaceDocumentFile(const std::filesystem::path& target, const FileProducer& produce) {
    if (target.empty() || !target.has_filename()) return kErrFileAccess;
    std::filesystem::path real = target;
    if (const int32_t e = FollowLinks(real)) return e;

    struct stat old;
    const bool exists = stat(real.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return ErrorOf(errno);
    if (exists) {
        if (S_ISDIR(old.st_mode)) return kErrFileAccess;
        // No write permission for anyone counts as read-only even for a user who could override it.
        if ((old.st_mode & 0222) == 0 || (access(real.c_str(), W_OK) != 0 && errno == EACCES)) return kErrReadOnly;
    }

    const std::filesystem::path folder = real.has_parent_path() ? real.parent_path() : std::filesystem::path(".");
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder / TemporaryFileName(TemporarySeed());
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return ErrorOf(errno);
    }
    if (fd < 0) return kErrFileAccess;
    if (exists) {
        // Best effort: only the owner of the file, or root, may give it back its owner.
        [[maybe_unused]] const int owned = fchown(fd, old.st_uid, old.st_gid);
        fchmod(fd, old.st_mode & 07777);
    }

    FdSink sink(fd);
    int32_t error = Produce(produce, sink, [&] {
        close(fd);
        unlink(temporary.c_str());
    });
    if (error == 0 && fsync(fd) != 0) error = ErrorOf(errno);
    if (close(fd) != 0 && error == 0) error = ErrorOf(errno);
    if (error == 0 && rename(temporary.c_str(), real.c_str()) != 0) error = ErrorOf(errno);
    if (error != 0) unlink(temporary.c_str());
    return error;
}

}  // namespace tessaly
