// Reads arbitrary bytes as a DaDur song and plays it through the bar list, the timed notes and the
// MIDI writer: nothing may crash, the notes keep their bounds, and the file written is read back
// by a strict parser of its own.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "DaDurReader.h"
#include "MakeMid.h"
#include "music/MidiExport.h"
#include "music/NoteExtraction.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// A Standard MIDI File read strictly, independently of the writer: a format 1 header whose track
// count matches the MTrk chunks that follow and fill the file exactly; in each track, delta times
// of at most four bytes, channel messages with data bytes under 128 (running status allowed),
// meta and system-exclusive events inside the chunk, and an end-of-track event exactly at its end.
class StrictMidi {
public:
    explicit StrictMidi(std::string_view file) : f_(file) {}

    void Check() {
        ::Check(Bytes(4) == "MThd" && Number(4) == 6);
        ::Check(Number(2) == 1);
        const uint32_t tracks = Number(2);
        ::Check((Number(2) & 0x8000) == 0);  // ticks per quarter, not SMPTE
        for (uint32_t t = 0; t < tracks; ++t) Track();
        ::Check(at_ == f_.size());
    }

private:
    std::string_view Bytes(size_t n) {
        ::Check(n <= f_.size() - at_);
        const std::string_view b = f_.substr(at_, n);
        at_ += n;
        return b;
    }
    uint8_t Byte() { return static_cast<uint8_t>(Bytes(1)[0]); }
    uint32_t Number(int n) {
        uint32_t v = 0;
        for (int k = 0; k < n; ++k) v = v << 8 | Byte();
        return v;
    }
    uint32_t Vlq(size_t end) {
        uint32_t v = 0;
        for (int k = 0; k < 4; ++k) {
            ::Check(at_ < end);
            const uint8_t b = Byte();
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        __builtin_trap();  // five bytes or more
    }
    void Track() {
        ::Check(Bytes(4) == "MTrk");
        const uint32_t length = Number(4);
        ::Check(length <= f_.size() - at_);
        const size_t end = at_ + length;
        uint8_t status = 0;
        bool ended = false;
        while (at_ < end) {
            ::Check(!ended);
            Vlq(end);
            ::Check(at_ < end);
            uint8_t b = static_cast<uint8_t>(f_[at_]);
            if (b & 0x80) {
                ++at_;
                status = b;
            } else {
                ::Check(status >= 0x80 && status < 0xF0);  // running status of a channel message
            }
            if (status == 0xFF) {
                const uint8_t type = Byte();
                ::Check(type < 0x80);
                const uint32_t n = Vlq(end);
                ::Check(n <= end - at_);
                at_ += n;
                ended = type == 0x2F && n == 0;
                status = 0;
            } else if (status == 0xF0 || status == 0xF7) {
                const uint32_t n = Vlq(end);
                ::Check(n <= end - at_);
                at_ += n;
                status = 0;
            } else {
                ::Check(status < 0xF0);
                const int data = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
                for (int k = 0; k < data; ++k) {
                    ::Check(at_ < end);
                    ::Check(Byte() < 0x80);
                }
            }
        }
        ::Check(ended && at_ == end);
    }

    std::string_view f_;
    size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessaly::NoDaDurSystem system;
    tessaly::JpData doc;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!tessaly::DaDurReader(system, 1.0).Read(tessaly::SplitDaDurLines(bytes), 0, doc).ok) return 0;
    notaline::EditorData song;
    notaline::LoadDocument(song, std::move(doc));
    const notaline::BarList bars = notaline::BuildXjInfo(song);
    tessaly::MakeMid writer;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("music_export_fuzz_" + std::to_string(getpid()) + ".Mid");
    const bool writing = writer.WriteMidHead({}, song.PlayInfo, file).ok;
    for (int32_t t = 1; t <= static_cast<int32_t>(song.PlayInfo.Track.size()); ++t) {
        for (const auto& e : notaline::CollectTrackCodes(song, bars, t)) {
            Check(std::isfinite(e.DelayTimer) && e.DelayTimer >= 0);
            Check(e.Audio >= 0 && e.Audio <= 127);
            Check(song.IsWord(e.SelStart));
        }
        const auto events = notaline::BuildTrackMidEvents(song, bars, t);
        for (const auto& e : events) Check(std::isfinite(e.DeltaTime) && e.DeltaTime >= 0);
        if (writing) writer.WriteTrackInfo(events.data(), static_cast<int32_t>(events.size()), static_cast<int16_t>(t));
    }
    const auto drums = notaline::SongDrums(song, bars);
    if (writing) writer.WriteMidDrumInfo(drums.data(), static_cast<int32_t>(drums.size()));
    if (writing && writer.ColseFile().ok) {
        std::ifstream in(file, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(in)), {});
        StrictMidi(written).Check();
    }
    std::filesystem::remove(file);
    return 0;
}
