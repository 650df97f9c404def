#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "DaDurReader.h"
#include "FakeDaDurSystem.h"
#include "text/Cp936.h"

namespace tessaly::test {

// Code page 936 bytes of a UTF-8 literal.
inline std::string Gbk(const char8_t* utf8) {
    return Utf16ToCp936(Utf8ToUtf16(reinterpret_cast<const char*>(utf8)).value()).value();
}

// Reads the lines of a file from a fresh reader.
inline DaDurStatus ReadLines(FakeDaDurSystem& system, const std::vector<std::string>& lines, JpData& out,
                             intptr_t hwnd = 7) {
    DaDurReader reader(system, system.zoom);
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    return reader.Read(views, hwnd, out);
}

// The characters of one paragraph line read on its own.
inline std::vector<aWordInfo> ReadParagraph(const std::string& line) {
    FakeDaDurSystem system;
    JpData doc;
    const DaDurStatus status = ReadLines(system, {line}, doc);
    EXPECT_TRUE(status.ok) << status.reason;
    return doc.WordInfo;
}

}  // namespace tessaly::test
