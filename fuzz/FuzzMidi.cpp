// libFuzzer target: the MIDI file reader and the RIFF MIDI unwrapper (RMI files), as the media
// device reads a file: a RIFF file is unwrapped first and its MIDI data read.

#include "formats/Midi.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    formats::ByteView file(data, size);
    if (formats::IsRiffMidi(file)) {
        if (auto inner = formats::UnwrapRiffMidi(file)) {
            // The MIDI data is a part of the file itself.
            if (inner->size() > size || (inner->size() > 0 && (inner->data() < data || inner->data() + inner->size() > data + size)))
                std::abort();
            formats::ReadMidiFile(*inner);
        }
        return 0;
    }
    formats::ReadMidiFile(file);
    return 0;
}
