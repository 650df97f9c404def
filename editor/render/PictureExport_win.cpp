#include "render/PictureExport_win.h"

#include "win/GdipHandles.h"
#include "win/Gdip_win.h"

namespace notaline {

namespace flat = Gdiplus::DllExports;

namespace {

bool FileExists(const std::wstring& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

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

}  // namespace

bool AskOverwrite(HWND owner, const std::wstring& file) {
    return MessageBoxW(owner, OverwriteQuestion(file).c_str(), L"", MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
}

PictureExportStatus SavePagePictures(EditorData& data, PageScreen& screen, PageBuffers& buffers,
                                     const std::wstring& fileName, const ConfirmOverwrite& confirm) {
    PictureExportStatus status;
    PictureName name;
    if (!SplitPictureName(fileName, name)) return {PictureExportResult::BadName, 0, {}};
    if (name.Format == PictureFormat::None) return {PictureExportResult::UnsupportedExtension, 0, {}};
    const int32_t pages = data.PageCount();
    if (!CheckPictureOverwrite(name, pages, FileExists, confirm)) return {PictureExportResult::Cancelled, 0, {}};

    const double kept = data.AboutPageInfo.nScale;
    data.AboutPageInfo.nScale = 1;
    data.BlankParagraphEnds = true;
    if (screen.ResetPageBuffers() && screen.InitPageBuffers()) {
        for (int32_t n = 0; n < pages; ++n) {
            screen.DrawWholePage(n, 0);
            const std::wstring file = MakePageFileName(name.Base, name.Ext, n);
            const MemoryBuffer* picture = buffers.ComposePicture(0);
            if (!picture || Encode(*picture, file, name.Format) != Gdiplus::Ok) {
                status = {PictureExportResult::WriteFailed, n, file};
                break;
            }
            ++status.Written;
        }
    } else {
        status = {PictureExportResult::WriteFailed, 0, MakePageFileName(name.Base, name.Ext, 0)};
    }
    data.AboutPageInfo.nScale = kept;
    data.BlankParagraphEnds = false;
    screen.ResetPageBuffers();
    screen.InitPageBuffers();
    screen.RefreshView(data.SelStart, data.SelLength, tessaly::AllRefresh);
    return status;
}

}  // namespace notaline
