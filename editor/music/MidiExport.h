#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "DaDurReader.h"
#include "model/document/EditorData.h"
#include "music/BarList.h"

namespace notaline {

// Shown by the caller after an export that succeeded, and only then.
inline constexpr char kMidSavedText[] = "保存成功！";  // UTF-8

// The events of one track for the MIDI file: its volume and pan, the start delay as a silent note,
// then a note-on and note-off pair per note or rest in playing order, deltas in beats, corrected
// for tuplets, ties and grace notes. Every note of a sounding block has the track's volume.
std::vector<tessaly::aMidEvent> BuildTrackMidEvents(const EditorData& data, const BarList& bars, int32_t track);

// Writes the document's used tracks and drums as a Standard MIDI File. `texts` carries the title,
// rights notice and remarks of the play settings. The file is replaced only when the whole of it
// was written; a refused or failed export leaves any earlier file as it was. A song in which no
// note sounds is refused with NothingToSoundNotice.
tessaly::DaDurStatus WriteMidFile(const EditorData& data, const std::filesystem::path& fileName,
                                  tessaly::aMidTxtInfo texts = {});

}  // namespace notaline
