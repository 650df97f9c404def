#include "render/PictureExport_win.h"

#include <optional>
#include <utility>
#include <vector>

#include "PageGrid.h"
#include "paint/PageScreen.h"
#include "render/GdiTextMeasurer_win.h"
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

win::GpStatus Encode(const MemoryBuffer& picture, const std::wstring& file, PictureFormat format) {
    // Straight from the composed bitmap: no temporary file to collide with or leave behind.
    win::BitmapHandle indexed;
    if (format == PictureFormat::Gif && !(indexed = PaletteCopy(picture))) return Gdiplus::OutOfMemory;
    Gdiplus::GpBitmap* bitmap = nullptr;
    win::GpStatus status =
        flat::GdipCreateBitmapFromHBITMAP(indexed ? indexed.Get() : picture.Bitmap(), nullptr, &bitmap);
    if (status != Gdiplus::Ok) return status;
    const win::gdip::Image owner(bitmap);
    win::GpImage* image = bitmap;
    switch (format) {
        case PictureFormat::Jpg: status = win::SaveImageToJPG(image, file, 100); break;
        case PictureFormat::Png: status = win::SaveImageToPNG(image, file); break;
        case PictureFormat::Bmp: status = win::SaveImageToBMP(image, file); break;
        case PictureFormat::Gif: status = win::SaveImageToGIF(image, file); break;
        case PictureFormat::None: status = Gdiplus::InvalidParameter; break;
    }
    return status;
}

// A view of no window: only its page slot is drawn, so its client is the least the grid takes.
class NoClient final : public tessaly::ScrollBarSink {
public:
    void ClientSize(int32_t& width, int32_t& height) override { width = height = 1; }
    void ShowBar(bool, bool) override {}
    void SetBar(bool, int32_t, int32_t) override {}
    void SetBarPosition(bool, int32_t) override {}
    int32_t TrackPosition(bool) override { return 0; }
};

bool FileExists(const std::wstring& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

struct PictureJob::Parts {
    EditorData Copy;
    PieceArray<StoredWord>::Snapshot Words;
    std::u16string Texture;
    PictureName Name;
};

PictureJob::PictureJob(EditorData& data, std::u16string textureFile, PictureName name)
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
    NoClient client;
    tessaly::PageGrid grid(client);
    grid.SetEditView(true);
    grid.InitPageScrollInfo(copy.PageWidthPx, copy.PageHeightPx, 1, copy.PageCount());
    GridScroll scroll(grid);
    PageBuffers buffers(nullptr);
    PageScreen screen(copy, scroll, buffers);
    screen.TextureFile = parts_->Texture;
    const PictureName& name = parts_->Name;
    const int32_t pages = copy.PageCount();
    PictureExportStatus status;
    if (!screen.ResetPageBuffers() || !screen.InitPageBuffers())
        return {PictureExportResult::WriteFailed, 0, MakePageFileName(name.Base, name.Ext, 0)};
    for (int32_t n = 0; n < pages; ++n) {
        if (next && !next(n, pages)) return {PictureExportResult::Stopped, status.Written, {}};
        screen.DrawWholePage(n, 0);
        const std::wstring file = MakePageFileName(name.Base, name.Ext, n);
        const MemoryBuffer* picture = buffers.ComposePicture(0);
        if (!picture || Encode(*picture, file, name.Format) != Gdiplus::Ok)
            return {PictureExportResult::WriteFailed, status.Written, file};
        ++status.Written;
    }
    return status;
}

bool AskOverwrite(HWND owner, const std::wstring& file) {
    return MessageBoxW(owner, OverwriteQuestion(file).c_str(), L"", MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
}

PictureExportStatus CheckPictureExport(const std::wstring& fileName, int32_t pageCount, const ConfirmOverwrite& confirm,
                                       PictureName& name) {
    if (!SplitPictureName(fileName, name)) return {PictureExportResult::BadName, 0, {}};
    if (name.Format == PictureFormat::None) return {PictureExportResult::UnsupportedExtension, 0, {}};
    if (!CheckPictureOverwrite(name, pageCount, FileExists, confirm)) return {PictureExportResult::Cancelled, 0, {}};
    return {};
}

PictureExportStatus SavePagePictures(EditorData& data, std::u16string textureFile, const std::wstring& fileName,
                                     const ConfirmOverwrite& confirm) {
    PictureName name;
    const PictureExportStatus checked = CheckPictureExport(fileName, data.PageCount(), confirm, name);
    if (checked.Result != PictureExportResult::Saved) return checked;
    PictureJob job(data, std::move(textureFile), std::move(name));
    return job.Write(nullptr, &data.Measurer.get());
}

}  // namespace notaline
