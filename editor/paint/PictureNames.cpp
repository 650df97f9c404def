#include "paint/PictureNames.h"

namespace notaline {

bool SplitPictureName(const std::wstring& fileName, PictureName& out) {
    if (fileName.size() < 4) return false;
    out.Base = fileName.substr(0, fileName.size() - 4);
    out.Ext = fileName.substr(fileName.size() - 4);
    // ASCII only: the four known extensions are ASCII, and other letters must not fold into them.
    for (auto& c : out.Ext)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    out.Format = out.Ext == L".JPG"   ? PictureFormat::Jpg
                 : out.Ext == L".PNG" ? PictureFormat::Png
                 : out.Ext == L".BMP" ? PictureFormat::Bmp
                 : out.Ext == L".GIF" ? PictureFormat::Gif
                                      : PictureFormat::None;
    return true;
}

std::wstring MakePageFileName(const std::wstring& base, const std::wstring& ext, int32_t pageIndex) {
    if (pageIndex == 0) return base + ext;
    return base + L"_" + std::to_wstring(pageIndex) + ext;
}

std::wstring OverwriteQuestion(const std::wstring& name) {
    return L"文件“" + name + L"”已经存在，覆盖保存？";
}

bool CheckPictureOverwrite(const PictureName& name, int32_t pageCount,
                           const std::function<bool(const std::wstring&)>& exists,
                           const std::function<bool(const std::wstring&)>& confirm) {
    for (int32_t n = 0; n < pageCount; ++n) {
        const std::wstring file = MakePageFileName(name.Base, name.Ext, n);
        if (exists(file) && !confirm(file)) return false;
    }
    return true;
}

}  // namespace notaline
