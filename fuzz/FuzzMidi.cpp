// libFuzzer target: the MIDI file reader and the RIFF MIDI unwrapper.

#include "formats/Midi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    formats::ByteView file(data, size);
    if (formats::IsRiffMidi(file)) {
        if (auto inner = formats::UnwrapRiffMidi(file))
            formats::ReadMidiFile(*inner);
        return 0;
    }
    formats::ReadMidiFile(file);
    return 0;
}
