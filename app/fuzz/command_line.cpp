// Arbitrary UTF-16 text after the program's name: the path taken is a piece of it, never empty.
#include <string>

#include "IniText.h"
#include "WinProc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring args;
    for (size_t i = 0; i + 1 < size; i += 2) args += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const auto path = tavolin::CommandLinePath(args);
    if (!path) return 0;
    fuzz::Check(!path->empty() && args.find(*path) != std::wstring::npos);
    return 0;
}
