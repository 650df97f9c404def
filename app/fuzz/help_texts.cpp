// Reads arbitrary bytes as jpHlpInfo.ini and keeps every entry's key and text as the mark panel
// does: a text kept holds no line break, fits its bytes in code page 936, and keeps as it is.
#include "IniText.h"
#include "MarkHelp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::IniText ini(data, size);
    for (const auto& [name, value] : ini.All()) {
        const std::u16string key = tavolin::HelpKey(std::u16string(name.begin() + name.find(L'\n') + 1, name.end()));
        fuzz::Check(key == tavolin::HelpKey(key));
        const std::u16string text = tavolin::HelpText(std::u16string(value.begin(), value.end()));
        fuzz::Check(text.find_first_of(u"\r\n") == std::u16string::npos);
        if (const auto bytes = tessaly::Utf16ToCp936(text)) fuzz::Check(bytes->size() <= tavolin::kHelpTextBytes);
        fuzz::Check(text == tavolin::HelpText(text));
    }
    return 0;
}
