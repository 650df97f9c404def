#include <windows.h>

#include <algorithm>
#include <new>
#include <string>

#include "FileAccess.h"
#include "FileErrors.h"
#include "win/KernelHandles.h"

namespace tessaly {

namespace {

int32_t ErrorOf(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return kErrDiskFull;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: return kErrPermissionDenied;
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BUFFER_OVERFLOW: return kErrPathTooLong;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_INVALID_DRIVE: return kErrPathNotFound;
        default: return kErrFileAccess;
    }
}

// The full name with the "\\?\" prefix, so that no name is cut at MAX_PATH.
int32_t Extended(const std::wstring& name, std::wstring& out) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return ErrorOf(GetLastError());
        if (n < full.size()) {
            full.resize(n);
            break;
        }
        full.resize(n);
    }
    if (full.rfind(L"\\\\?\\", 0) == 0) {
        out = full;
    } else if (full.rfind(L"\\\\", 0) == 0) {
        out = L"\\\\?\\UNC\\" + full.substr(2);
    } else {
        out = L"\\\\?\\" + full;
    }
    return 0;
}

// The name of the file itself at the end of any links, as a "\\?\" name.
int32_t FinalName(std::wstring& path) {
    win::KernelHandle h(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h) return ErrorOf(GetLastError());
    std::wstring final(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(h.Get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    if (n >= final.size()) {
        final.resize(n + 1);
        n = GetFinalPathNameByHandleW(h.Get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    }
    const DWORD error = GetLastError();
    h.Close();
    if (n == 0 || n >= final.size()) return ErrorOf(error);
    final.resize(n);
    return Extended(final, path);
}

class HandleSink final : public FileSink {
public:
    explicit HandleSink(HANDLE h) : h_(h) {}
    bool Put(std::span<const uint8_t> bytes) override {
        while (!bytes.empty() && Error() == 0) {
            const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(h_, bytes.data(), piece, &written, nullptr)) {
                Fail(ErrorOf(GetLastError()));
            } else if (written == 0) {
                Fail(kErrDiskFull);
            }
            bytes = bytes.subspan(written);
        }
        return Error() == 0;
    }

private:
    HANDLE h_;
};

// Attributes that a file can be given back after it was replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                  FILE_ATTRIBUTE_TEMPORARY;

// Another save or a reader can hold the target for a moment: the replacement is tried again
// for about a second before the save is given up.
int32_t MoveOver(const std::wstring& from, const std::wstring& to) {
    for (DWORD attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 20) return ErrorOf(error);
        Sleep(attempt * 5);
    }
}

// Opening for deletion with no sharing fails while anyone else has the file open: a save that is
// still writing, or a reader, keeps its file.
void RemoveStaleTemporaries(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const win::FindHandle find(FindFirstFileW((folder + L"~jp*.tmp").c_str(), &found));
    if (!find) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !IsTemporaryFileName(std::u16string_view(reinterpret_cast<const char16_t*>(found.cFileName))))
            continue;
        // Closed at once, which deletes the file.
        const win::KernelHandle deleting(CreateFileW((folder + found.cFileName).c_str(), DELETE, 0, nullptr,
                                                     OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    } while (FindNextFileW(find.Get(), &found));
}

}  // namespace

int32_t ReadWholeFile(const std::filesystem::path& name, FileBytes& out) {
    std::wstring full;
    if (name.empty() || Extended(name.wstring(), full) != 0) return kErrFileNotFound;
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kErrFileNotFound : kErrFileAccess;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kErrFileNotFound;
    const win::KernelHandle file(CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return kErrFileAccess;
    const HANDLE h = file.Get();
    const auto read = [&]() -> int32_t {
        LARGE_INTEGER length{};
        if (!GetFileSizeEx(h, &length) || length.QuadPart < 0) return kErrFileAccess;
        if (static_cast<uint64_t>(length.QuadPart) > kMaxDocumentFileBytes) return kErrTooLarge;
        FileBytes bytes;
        bytes.size = static_cast<size_t>(length.QuadPart);
        bytes.data.reset(new (std::nothrow) uint8_t[bytes.size]);
        if (!bytes.data) return kErrTooLarge;
        for (size_t done = 0; done < bytes.size;) {
            const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size - done, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(h, bytes.data.get() + done, piece, &got, nullptr) || got == 0) return kErrFileAccess;
            done += got;
        }
        out = std::move(bytes);
        return 0;
    };
    return read();
}

int32_t ReplaceDocumentFile(const std::filesystem::path& target, const FileProducer& produce) {
    if (target.empty() || !target.has_filename()) return kErrFileAccess;
    std::wstring real;
    if (const int32_t e = Extended(target.wstring(), real)) return e;

    DWORD attributes = GetFileAttributesW(real.c_str());
    // Through links to the file itself (Wine's links do not show as reparse points); a file
    // whose final name cannot be had is replaced under the name given.
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::wstring final = real;
        if (FinalName(final) == 0) {
            real = final;
            attributes = GetFileAttributesW(real.c_str());
        }
    }
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) return ErrorOf(GetLastError());
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return kErrFileAccess;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return kErrReadOnly;

    const std::wstring folder = real.substr(0, real.find_last_of(L'\\') + 1);
    RemoveStaleTemporaries(folder);
    std::wstring temporary;
    win::KernelHandle h;
    for (int attempt = 0; attempt < 100 && !h; ++attempt) {
        const std::string name = TemporaryFileName(TemporarySeed());
        temporary = folder + std::wstring(name.begin(), name.end());
        h = win::KernelHandle(CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return ErrorOf(GetLastError());
    }
    if (!h) return kErrFileAccess;

    HandleSink sink(h.Get());
    int32_t error = Produce(produce, sink, [&] {
        h.Close();
        DeleteFileW(temporary.c_str());
    });
    if (error == 0 && !FlushFileBuffers(h.Get())) error = ErrorOf(GetLastError());
    // Held open through the move (which its sharing allows), so that another save's removal of
    // stale temporary files never takes it in between.
    if (error == 0) error = MoveOver(temporary, real);
    h.Close();
    if (error != 0) {
        DeleteFileW(temporary.c_str());
        return error;
    }
    if (exists) {
        const DWORD kept = attributes & kKeptAttributes;
        SetFileAttributesW(real.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
    }
    return 0;
}

}  // namespace tessaly
