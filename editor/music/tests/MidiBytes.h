#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace notaline::test {

// A variable-length number of a MIDI file read at `at`, which moves past it.
inline uint32_t ReadVlq(const std::string& f, size_t& at, size_t end) {
    uint32_t v = 0;
    for (int k = 0; k < 4 && at < end; ++k) {
        const auto b = static_cast<uint8_t>(f[at++]);
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) return v;
    }
    ADD_FAILURE() << "bad variable-length number";
    return v;
}

// A chunk's length, from the four bytes after its identifier at `at`.
inline uint32_t ChunkLength(const std::string& f, size_t at) {
    return (uint32_t(uint8_t(f[at + 4])) << 24) | (uint32_t(uint8_t(f[at + 5])) << 16) |
           (uint32_t(uint8_t(f[at + 6])) << 8) | uint8_t(f[at + 7]);
}

}  // namespace notaline::test
