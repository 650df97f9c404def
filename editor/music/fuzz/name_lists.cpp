// Arbitrary bytes as genmidi.txt (128 sounds from 0) and genmidi1.txt (75 drums from 13): the
// list always has its full length, and no name runs into the next line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "music/SetPlayInfoForm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto& [count, first] : {std::pair<size_t, int32_t>{128, 0}, {75, 13}}) {
        const auto names = notaline::ReadNameList(bytes, count, first);
        if (names.size() != count) __builtin_trap();
        for (const auto& name : names)
            if (name.find('\n') != std::string::npos) __builtin_trap();
    }
    return 0;
}
