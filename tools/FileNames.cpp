#include "FileNames.h"

#include "text/Cp936.h"

namespace tessaly {

std::u16string FileNameNoExt(std::u16string_view path) {
    const size_t slash = path.rfind(u'\\');
    const size_t start = slash == std::u16string_view::npos ? 0 : slash + 1;
    const size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos || dot < start) return std::u16string(path.substr(start));
    return std::u16string(path.substr(start, dot - start));
}

std::u16string FileExtName(std::u16string_view path) {
    const size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos) return u".txt";
    return std::u16string(path.substr(dot));
}

std::u16string CutToAnsiBytes(std::u16string_view text, size_t maxBytes) {
    size_t bytes = 0, i = 0;
    while (i < text.size()) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        const size_t units = pair ? 2 : 1;
        size_t width = 1;
        if (text[i] >= 0x80 && !pair) {
            const auto gbk = Utf16ToCp936(text.substr(i, 1));
            width = gbk ? gbk->size() : 1;
        }
        if (bytes + width > maxBytes) break;
        bytes += width;
        i += units;
    }
    return std::u16string(text.substr(0, i));
}

std::u16string UpToNul(std::u16string_view buffer) {
    return std::u16string(buffer.substr(0, buffer.find(u'\0')));
}

}  // namespace tessaly
