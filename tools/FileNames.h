#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

// The file name without folder and extension: "C:\歌曲\春天.DaDur" gives "春天".
// A dot that lies in a folder name is no extension: "C:\a.b\c" gives "c".
std::u16string FileNameNoExt(std::u16string_view path);

// The extension with its dot, the last dot of the whole path; ".txt" when there is none.
std::u16string FileExtName(std::u16string_view path);

// The longest whole-character prefix of text that takes at most maxBytes in code page 936,
// where INI values live. A character without a code page 936 form counts as one byte ("?").
std::u16string CutToAnsiBytes(std::u16string_view text, size_t maxBytes);

// The text of a buffer up to its first NUL character.
std::u16string UpToNul(std::u16string_view buffer);

}  // namespace tessaly
