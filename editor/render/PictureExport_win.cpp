#include "render/PictureExport_win.h"

#include "render/Gdip_win.h"

namespace notaline {

namespace flat = Gdiplus::DllExports;

namespace {

bool FileExists(const std::wstring& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

GpStatus Encode(const MemoryBuffer& picture, const std::wstring& file, PictureFormat format) {
    // Straight from the composed bitmap: no temporary file to collide with or leave behind.
    Gdiplus::GpBitmap* bitmap = nullptr;
    GpStatus status = flat::GdipCreateBitmapFromHBITMAP(picture.Bitmap(), nullptr, &bitmap);
    if (status != Gdiplus::Ok) return status;
    GpImage* image = bitmap;
    if (format == PictureFormat::Gif) {
        // The GIF encoder takes a palette picture: given true colour it writes an empty file.
        UINT w = 0, h = 0;
        flat::GdipGetImageWidth(image, &w);
        flat::GdipGetImageHeight(image, &h);
        Gdiplus::GpBitmap* indexed = nullptr;
        status = flat::GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), PixelFormat8bppIndexed,
                                            bitmap, &indexed);
        flat::GdipDisposeImage(image);
        if (status != Gdiplus::Ok) return status;
        image = indexed;
    }
    switch (format) {
        case PictureFormat::Jpg: status = SaveImageToJPG(image, file, 100); break;
        case PictureFormat::Png: status = SaveImageToPNG(image, file); break;
        case PictureFormat::Bmp: status = SaveImageToBMP(image, file); break;
        case PictureFormat::Gif: status = SaveImageToGIF(image, file); break;
        case PictureFormat::None: status = Gdiplus::InvalidParameter; break;
    }
    flat::GdipDisposeImage(image);
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
    if (screen.ResetPageBuffers() && screen.InitPageBuffers()) {
        for (int32_t n = 0; n < pages; ++n) {
            screen.DrawPageLayers(n, 0, {true, true, true});
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
    screen.ResetPageBuffers();
    screen.InitPageBuffers();
    screen.RefreshView(data.SelStart, data.SelLength, tessaly::AllRefresh);
    return status;
}

}  // namespace notaline
