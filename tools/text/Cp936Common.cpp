#include <algorithm>
#include <cstring>

#include "text/Cp936.h"

namespace tessaly {

size_t FittingLength(std::string_view text, size_t room) {
    size_t n = 0;
    while (n < text.size()) {
        const size_t len = GbkCharLength(text, n);
        if (n + len > room) break;
        n += len;
    }
    return n;
}

void FillTextField(std::span<uint8_t> field, std::string_view text) {
    std::fill(field.begin(), field.end(), uint8_t{0});
    std::memcpy(field.data(), text.data(), FittingLength(text, field.size()));
}

std::vector<std::string_view> SplitGbkChars(std::string_view text) {
    std::vector<std::string_view> chars;
    for (size_t i = 0; i < text.size();) {
        const size_t n = GbkCharLength(text, i);
        chars.push_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

std::u16string Cp936ToUtf16Replacing(std::string_view gbk) {
    std::u16string text;
    for (auto ch : SplitGbkChars(gbk)) {
        auto wide = Cp936ToUtf16(ch);
        text += wide ? *wide : std::u16string(1, u'\uFFFD');
    }
    return text;
}

std::optional<int16_t> WdAscFromGbk(std::string_view ch) {
    if (ch.empty() || GbkCharLength(ch, 0) != ch.size()) return std::nullopt;
    const auto lead = static_cast<uint8_t>(ch[0]);
    if (ch.size() == 1) return static_cast<int16_t>(lead);
    return static_cast<int16_t>(static_cast<uint16_t>((lead << 8) | static_cast<uint8_t>(ch[1])));
}

std::optional<std::string> GbkFromWdAsc(int16_t code) {
    if (!HasGbkForm(code)) return std::nullopt;
    const auto bits = static_cast<uint16_t>(code);
    if (bits <= 0xFF) return std::string(1, static_cast<char>(bits));
    return std::string{static_cast<char>(bits >> 8), static_cast<char>(bits & 0xFF)};
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto b0 = static_cast<uint8_t>(utf8[i]);
        size_t extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            extra = 1, cp = b0 & 0x1F, minimum = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2, cp = b0 & 0x0F, minimum = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3, cp = b0 & 0x07, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (utf8.size() - i <= extra) return std::nullopt;  // truncated sequence
        for (size_t k = 1; k <= extra; ++k) {
            const auto b = static_cast<uint8_t>(utf8[i + k]);
            if ((b & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += extra + 1;
    }
    return out;
}

std::optional<std::string> Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return std::nullopt;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return std::nullopt;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace tessaly
