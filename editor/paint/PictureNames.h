#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace notaline {

enum class PictureFormat { None, Jpg, Png, Bmp, Gif };

// A picture export's name split as the export uses it: the ending (".jpeg", or the last four
// characters) as typed, and what comes before it.
struct PictureName {
    std::wstring Base;
    std::wstring Ext;
    PictureFormat Format = PictureFormat::None;
};

// False for a name shorter than four characters.
bool SplitPictureName(const std::wstring& fileName, PictureName& out);

// Page 0 keeps the plain name; page n is base_n.
std::wstring MakePageFileName(const std::wstring& base, const std::wstring& ext, int32_t pageIndex);

// "文件“name”已经存在，覆盖保存？"
std::wstring OverwriteQuestion(const std::wstring& name);

// Every page whose file exists is asked about, the same way for all pages (no page silently
// writes elsewhere); false at the first refusal.
bool CheckPictureOverwrite(const PictureName& name, int32_t pageCount,
                           const std::function<bool(const std::wstring&)>& exists,
                           const std::function<bool(const std::wstring&)>& confirm);

}  // namespace notaline
