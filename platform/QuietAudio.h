#pragma once

// The sound libraries under GStreamer's outputs look for a sound card, and without one each says
// so on standard error: some fourteen lines of ALSA's configuration errors and OpenAL Soft's failed
// open, at the start and at the first file played. The program finds its output (or the silent
// one) without that help; a user who started it from a terminal sees nothing of it.

#include <vector>

namespace platform {

// Quiets ALSA's error reports (through its handler of the whole process) and OpenAL Soft's log
// (its ALSOFT_LOGLEVEL, unless the user set one). Must come before GStreamer loads its plug-ins,
// and best before the program starts threads; later calls do nothing. GStreamer's own debug
// output stays as the user's GST_DEBUG says.
void QuietAudioProbing();

// The environment of the programs the program starts: its own, without the log level it set for
// itself, so that a started program's OpenAL says what it would have said. Null-terminated.
std::vector<char*> StartedProgramEnvironment();

}  // namespace platform
