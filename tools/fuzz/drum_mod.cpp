// Reads arbitrary bytes as a drum template file: the file reader and the in-memory parser agree,
// the records give their bytes back, and every accessor, on the own records and on a view of
// caller memory, stays inside them for any index, channel and step.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "DrumPatterns.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void ReadEveryField(const tessaly::分析鼓点& p) {
    const int32_t count = p.DrumCount();
    for (int32_t i = -1; i <= count + 1; ++i) {
        std::string metre;
        const uint8_t steps = p.DrumTime(i, &metre);
        Check(steps <= tessaly::kDrumSteps && !metre.empty());
        Check(!p.DrumName(i).empty());
        (void)p.DrumVer(i), (void)p.DrumTrack(i), (void)p.DrumTimeSignature(i), (void)p.DrumSpeed(i);
        (void)p.BarsOfSong(i), (void)p.HaveDrum(i), (void)p.BeginSelStart(i);
        for (int no = -1; no <= 4; ++no) (void)p.XJLong(i, no);
        for (int k = -1; k <= 40; ++k) (void)p.sTimetmp(i, k);
        for (int ch = -1; ch <= tessaly::kDrumChannels; ++ch) {
            (void)p.DrumChannel(i, ch), (void)p.DrumVolume(i, ch), (void)p.DrumSounds(i, ch);
            (void)p.DrumSoundImage(i, ch);
            for (int step = -1; step <= tessaly::kDrumSteps; ++step) (void)p.DrumRhythms(i, step, ch);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<tessaly::XjDrumData> records = tessaly::ParseDrumRecords(bytes);
    Check(records.size() == size / tessaly::kDrumRecordBytes);
    // Whole records give their bytes back; a cut last record is left out.
    Check(tessaly::DrumRecordBytes(records) == bytes.substr(0, records.size() * tessaly::kDrumRecordBytes));

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("drum_mod_fuzz_" + std::to_string(getpid()) + ".dat");
    { std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }
    const auto read = tessaly::ReadDrumFile(file);
    std::filesystem::remove(file);
    Check(tessaly::DrumRecordBytes(read) == tessaly::DrumRecordBytes(records));

    tessaly::分析鼓点 own;
    own.DrumArrData(records);
    ReadEveryField(own);
    tessaly::分析鼓点 view;
    view.ViewRecords(records.data(), static_cast<int32_t>(records.size()));
    ReadEveryField(view);
    return 0;
}
