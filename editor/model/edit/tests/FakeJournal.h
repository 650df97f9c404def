#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/edit/UndoRedo.h"

namespace notaline::test {

// Journal bytes in memory that stop taking writes on request.
class FakeJournal : public UndoJournal {
public:
    int writesLeft = 1 << 30;
    std::vector<unsigned char> bytes;
    bool Write(int64_t Pos, const void* Bytes, size_t Count) override {
        if (writesLeft-- <= 0) return false;
        const size_t at = static_cast<size_t>(Pos - 1);
        if (bytes.size() < at + Count) bytes.resize(at + Count);
        std::memcpy(bytes.data() + at, Bytes, Count);
        return true;
    }
    bool Read(int64_t Pos, void* Bytes, size_t Count) override {
        const size_t at = static_cast<size_t>(Pos - 1);
        if (at + Count > bytes.size()) return false;
        std::memcpy(Bytes, bytes.data() + at, Count);
        return true;
    }
    bool Flush() override { return true; }
};

}  // namespace notaline::test
