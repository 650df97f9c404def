// Reads arbitrary bytes as a DaDur song and plays it through the bar list, the timed notes and the
// MIDI writer (in memory): nothing may crash, and the notes keep their bounds.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "DaDurReader.h"
#include "MakeMid.h"
#include "music/MidiExport.h"
#include "music/NoteExtraction.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

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
    const bool writing = writer.WriteMidHead({}, song.PlayInfo, "unused.Mid").ok;
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
    return 0;
}
