#pragma once

// Standard MIDI files and their RIFF wrapper (RMI files: "RIFF" ... "RMID" with the MIDI file in
// a "data" chunk). The reader checks the chunk structure the synthesiser relies on, so that a
// truncated file is refused before it reaches the media system.

#include "formats/Bytes.h"
#include "formats/Result.h"

#include <cstdint>

namespace formats {

struct MidiFileInfo {
    uint16_t format = 0;      // 0: one track, 1: simultaneous tracks, 2: independent tracks
    uint16_t trackCount = 0;  // the MTrk chunks the header announces, all present
    uint16_t division = 0;    // ticks per quarter note, or SMPTE frames when the top bit is set
};

// Whether the bytes start like a RIFF MIDI file (RMI).
bool IsRiffMidi(ByteView file);

// The MIDI file that an RMI file wraps: the bytes of its "data" chunk, a view into `file`.
Result<ByteView> UnwrapRiffMidi(ByteView file);

// Checks a standard MIDI file: the "MThd" header and every track chunk it announces lie whole
// inside the data (chunks of other types between them are skipped, as the format allows).
Result<MidiFileInfo> ReadMidiFile(ByteView file);

}  // namespace formats
