#include "paint/PictureNames.h"

namespace notaline {

namespace {

// ASCII only: the known endings are ASCII, and other letters must not fold into them.
std::wstring Upper(std::wstring text) {
    for (auto& c : text)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return text;
}

}  // namespace

// The ending keeps its spelling: the files are named as the user typed them.
bool SplitPictureName(const std::wstring& fileName, PictureName& out) {
    if (fileName.size() < 4) return false;
    const bool jpeg = fileName.size() >= 5 && Upper(fileName.substr(fileName.size() - 5)) == L".JPEG";
    const size_t ending = jpeg ? 5 : 4;
    out.Base = fileName.substr(0, fileName.size() - ending);
    out.Ext = fileName.substr(fileName.size() - ending);
    const std::wstring upper = Upper(out.Ext);
    out.Format = upper == L".JPG" || jpeg ? PictureFormat::Jpg
                 : upper == L".PNG"       ? PictureFormat::Png
                 : upper == L".BMP"       ? PictureFormat::Bmp
                 : upper == L".GIF"       ? PictureFormat::Gif
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
