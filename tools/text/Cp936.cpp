// Code page 936 through iconv, for the native build.
#include "text/Cp936.h"

#include <iconv.h>

#include <cerrno>

namespace tessaly {

namespace {

// One converter per direction and thread; iconv descriptors are not shareable between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Whole-input conversion; false on any invalid or incomplete sequence.
    bool Convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a failed call may leave shift state
        out.assign(in.size() * 2 + 16, '\0');
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t done = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + done;
            size_t dstLeft = out.size() - done;
            const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            done = out.size() - dstLeft;
            if (r != static_cast<size_t>(-1)) break;
            if (errno != E2BIG) return false;  // EILSEQ or EINVAL (truncated at the end)
            out.resize(out.size() * 2);
        }
        char* dst = out.data() + done;
        size_t dstLeft = out.size() - done;
        if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) return false;
        out.resize(out.size() - dstLeft);
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::u16string> Cp936ToUtf16(std::string_view gbk) {
    thread_local Converter toUtf16("UTF-16LE", "CP936");
    std::string bytes;
    if (!toUtf16.ok() || !toUtf16.Convert(gbk, bytes) || bytes.size() % 2 != 0) return std::nullopt;
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] =
            static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    return text;
}

std::optional<std::string> Utf16ToCp936(std::u16string_view text) {
    thread_local Converter toGbk("CP936", "UTF-16LE");
    std::string units(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        units[2 * i] = static_cast<char>(text[i] & 0xFF);
        units[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    std::string gbk;
    if (!toGbk.ok() || !toGbk.Convert(units, gbk)) return std::nullopt;
    return gbk;
}

}  // namespace tessaly
