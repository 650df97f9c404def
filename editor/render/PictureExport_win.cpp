#include "render/PictureExport_win.h"

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "FileAccess.h"
#include "FileErrors.h"
#include "PageGrid.h"
#include "com/ComPtr.h"
#include "model/document/OneJob.h"
#include "paint/PageScreen.h"
#include "render/GdiTextMeasurer_win.h"
#include "render/OffscreenPages_win.h"
#include "render/PageBuffers_win.h"
#include "win/GdipHandles.h"
#include "win/Gdip_win.h"

namespace notaline {

namespace flat = Gdiplus::DllExports;

namespace {

// The page as a 256-colour bitmap for the GIF encoder, which takes a palette picture (given
// true colour it writes an empty file). GDI maps the colours: GDI+'s own conversion to an
// indexed format takes seconds a page.
win::BitmapHandle PaletteCopy(const MemoryBuffer& picture) {
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colours[256];
    } info{};
    info.Header.biSize = sizeof info.Header;
    info.Header.biWidth = picture.Size().Width;
    info.Header.biHeight = -picture.Size().Height;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = 8;
    info.Header.biClrUsed = 256;
    // A 6 by 6 by 6 colour cube and 40 greys: notes, marks and their anti-aliased edges.
    int n = 0;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                info.Colours[n++] = {static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(r * 51),
                                     0};
    for (int k = 0; n < 256; ++k, ++n) {
        const auto grey = static_cast<BYTE>(6 + k * 6);
        info.Colours[n] = {grey, grey, grey, 0};
    }
    void* bits = nullptr;
    win::BitmapHandle copy(
        CreateDIBSection(picture.Dc(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy) return copy;
    win::OwnedDc dc(CreateCompatibleDC(picture.Dc()));
    const HGDIOBJ old = SelectObject(dc.Get(), copy.Get());
    BitBlt(dc.Get(), 0, 0, picture.Size().Width, picture.Size().Height, picture.Dc(), 0, 0, SRCCOPY);
    SelectObject(dc.Get(), old);
    GdiFlush();
    return copy;
}

// The composed page as a picture of its own, so that the page buffers can take the next page
// while this one is encoded.
win::gdip::Image PageImage(const MemoryBuffer& picture, PictureFormat format) {
    win::BitmapHandle indexed;
    if (format == PictureFormat::Gif && !(indexed = PaletteCopy(picture))) return nullptr;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (flat::GdipCreateBitmapFromHBITMAP(indexed ? indexed.Get() : picture.Bitmap(), nullptr, &bitmap) != Gdiplus::Ok)
        return nullptr;
    return win::gdip::Image(bitmap);
}

win::GpStatus Encode(win::GpImage* image, IStream* stream, PictureFormat format) {
    switch (format) {
        case PictureFormat::Jpg: return win::SaveImageToJPG(image, stream, 100);
        case PictureFormat::Png: return win::SaveImageToPNG(image, stream);
        case PictureFormat::Bmp: return win::SaveImageToBMP(image, stream);
        case PictureFormat::Gif: return win::SaveImageToGIF(image, stream);
        case PictureFormat::None: break;
    }
    return Gdiplus::InvalidParameter;
}

// The encoder gave no file error of its own.
constexpr int32_t kNotEncoded = -1;

// Encoded whole in memory, then written as a document is saved: into a temporary file beside
// the final name, which takes that name only once every byte is on disk. A kill or a full disk
// never leaves a torn picture under the final name. 0, or why it failed (FileErrors.h).
int32_t WritePicture(win::GpImage* image, const std::wstring& file, PictureFormat format) {
    com::Ptr<IStream> stream;
    if (!image || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
        Encode(image, stream.Get(), format) != Gdiplus::Ok)
        return kNotEncoded;
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (FAILED(GetHGlobalFromStream(stream.Get(), &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return kNotEncoded;
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
    if (!bytes) return kNotEncoded;
    const int32_t error = tessaly::ReplaceDocumentFile(std::filesystem::path(file), [&](tessaly::ByteSink& sink) {
        sink.Put({bytes, static_cast<size_t>(stat.cbSize.QuadPart)});
        return 0;
    });
    GlobalUnlock(memory);
    return error;
}

// Encodes the pages handed to it on a thread beside the drawing one, in order, while the next
// page is drawn: one page waits at the most. The first failure ends the encoding. One thread
// serves every page, so the encoders' COM is set up once.
class PageEncoder {
public:
    struct Outcome {
        int32_t Written = 0;
        std::optional<std::wstring> Failed;  // the first page that failed
        int32_t Error = 0;                   // and why
    };

    explicit PageEncoder(PictureFormat format) {
        job_.Start([this, format] { return Run(format); });
    }
    ~PageEncoder() { Finish(); }

    // False once a page failed: nothing more is taken.
    bool Hand(win::gdip::Image image, std::wstring file) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !waiting_ || failed_; });
        if (failed_) return false;
        page_ = std::move(image);
        file_ = std::move(file);
        waiting_ = true;
        changed_.notify_all();
        return true;
    }
    // Every page handed encoded, or the first that failed.
    Outcome Finish() {
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
            changed_.notify_all();
        }
        if (auto outcome = job_.Take()) last_ = std::move(*outcome);
        return last_;
    }

private:
    Outcome Run(PictureFormat format) {
        // The encoders are COM objects.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        Outcome out;
        for (;;) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return waiting_ || ended_; });
            if (!waiting_) break;
            win::gdip::Image image = std::move(page_);
            const std::wstring file = std::move(file_);
            lock.unlock();
            const int32_t error = WritePicture(image.get(), file, format);
            image.reset();
            lock.lock();
            waiting_ = false;
            if (error == 0) {
                ++out.Written;
            } else {
                out.Failed = file;
                out.Error = error == kNotEncoded ? 0 : error;
                failed_ = true;
            }
            changed_.notify_all();
            if (failed_) break;
        }
        if (SUCCEEDED(com)) CoUninitialize();
        return out;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    win::gdip::Image page_;
    std::wstring file_;
    bool waiting_ = false;
    bool ended_ = false;
    bool failed_ = false;
    Outcome last_;
    OneJob<Outcome> job_;  // last: its thread reads the rest
};

bool FileExists(const std::wstring& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder the pages go to is there (no folder named: the current one).
bool FolderExists(const std::wstring& base) {
    const size_t slash = base.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return true;
    const std::wstring folder = base.substr(0, slash + 1);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

struct PictureJob::Parts {
    EditorData Copy;
    PieceArray<StoredWord>::Snapshot Words;
    std::u16string Texture;
    PictureName Name;
};

PictureJob::PictureJob(EditorData& data, WholeLayout, std::u16string textureFile, PictureName name)
    : parts_(std::make_unique<Parts>()) {
    // Everything but the characters is copied; they stay shared until the drawing thread copies them.
    PieceArray<StoredWord> words = std::move(data.WordInfo);
    struct Back {
        EditorData& Data;
        PieceArray<StoredWord>& Words;
        ~Back() { Data.WordInfo = std::move(Words); }
    };
    {
        const Back back{data, words};
        parts_->Copy = data;
    }
    parts_->Words = data.WordInfo.Snap();
    parts_->Texture = std::move(textureFile);
    parts_->Name = std::move(name);
    EditorData& copy = parts_->Copy;
    copy.AboutPageInfo.nScale = 1;
    copy.BlankParagraphEnds = true;
    copy.Measurer = NoMeasurer();
    copy.System = NoSystem();
}

PictureJob::~PictureJob() = default;

int32_t PictureJob::PageCount() const {
    return parts_->Copy.PageCount();
}

PictureExportStatus PictureJob::Write(const std::function<bool(int32_t, int32_t)>& next, TextMeasurer* measurer) {
    EditorData& copy = parts_->Copy;
    if (parts_->Words.size() > 0) {
        std::vector<StoredWord> words(parts_->Words.size());
        parts_->Words.CopyOut(0, words.size(), words.begin());
        parts_->Words = {};  // the editor's writes need copy nothing more
        copy.WordInfo = std::move(words);
    }
    // A device context serves one thread at a time: another thread's measurer is not borrowed.
    std::optional<GdiTextMeasurer> own;
    copy.Measurer = measurer ? *measurer : own.emplace();
    // Only the page slot is drawn: the least client the grid takes.
    OffscreenPages offscreen(copy, 1, 1);
    PageScreen& screen = offscreen.Screen();
    screen.TextureFile = parts_->Texture;
    const PictureName& name = parts_->Name;
    const int32_t pages = copy.PageCount();
    if (!screen.ResetPageBuffers() || !screen.InitPageBuffers())
        return {PictureExportResult::WriteFailed, 0, MakePageFileName(name.Base, name.Ext, 0), tessaly::kErrTooLarge,
                pages};
    PageEncoder encoder(name.Format);
    bool stopped = false;
    for (int32_t n = 0; n < pages; ++n) {
        if (next && !next(n, pages)) {
            stopped = true;
            break;
        }
        screen.DrawWholePage(n, 0);
        const MemoryBuffer* picture = offscreen.Buffers().ComposePicture(0);
        if (!encoder.Hand(picture ? PageImage(*picture, name.Format) : nullptr,
                          MakePageFileName(name.Base, name.Ext, n)))
            break;
    }
    const auto done = encoder.Finish();
    if (done.Failed) return {PictureExportResult::WriteFailed, done.Written, *done.Failed, done.Error, pages};
    return {stopped ? PictureExportResult::Stopped : PictureExportResult::Saved, done.Written, {}, 0, pages};
}

PictureExportStatus CheckPictureExport(const std::wstring& fileName, WholeLayout whole, const ConfirmOverwrite& confirm,
                                       PictureName& name) {
    const int32_t pageCount = whole.PageCount();
    if (!SplitPictureName(fileName, name)) return {PictureExportResult::BadName, 0, {}, 0, pageCount};
    if (name.Format == PictureFormat::None) return {PictureExportResult::UnsupportedExtension, 0, {}, 0, pageCount};
    if (!FolderExists(name.Base))
        return {PictureExportResult::WriteFailed, 0, MakePageFileName(name.Base, name.Ext, 0),
                tessaly::kErrPathNotFound, pageCount};
    if (!CheckPictureOverwrite(name, pageCount, FileExists, confirm))
        return {PictureExportResult::Cancelled, 0, {}, 0, pageCount};
    return {PictureExportResult::Saved, 0, {}, 0, pageCount};
}

PictureExportStatus SavePagePictures(EditorData& data, WholeLayout whole, std::u16string textureFile,
                                     const std::wstring& fileName, const ConfirmOverwrite& confirm) {
    PictureName name;
    const PictureExportStatus checked = CheckPictureExport(fileName, whole, confirm, name);
    if (checked.Result != PictureExportResult::Saved) return checked;
    PictureJob job(data, whole, std::move(textureFile), std::move(name));
    return job.Write(nullptr, &data.Measurer.get());
}

}  // namespace notaline
