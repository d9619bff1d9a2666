// Does with the desktop's sound output what the program does at its start and its first files:
// prepares the media device, then plays a short WAV and a short MIDI file to their ends. Its
// standard error is what a user who started the program from a terminal would see of the media
// device; QuietAudioTest reads it. Its standard output names the OpenAL log level it ran with.
//   audio-probe-helper MEDIA_FOLDER

#include "platform/Media.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    platform::MediaOptions options;
    options.audio = platform::AudioOutput::Device;
    { platform::MediaPreparation preparation(options); }
    for (const char* name : {"blip.wav", "blip.mid"}) {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        platform::MediaSignals reports;
        reports.ended = [&](uint64_t, const std::string&) {
            std::lock_guard lock(mutex);
            done = true;
            ended.notify_all();
        };
        std::string error;
        auto medium = platform::OpenMedium(std::string(argv[1]) + "/" + name, options, reports, error);
        if (!medium || !medium->Play(error)) {
            std::printf("%s: %s\n", name, error.c_str());
            return 1;
        }
        std::unique_lock lock(mutex);
        ended.wait_for(lock, std::chrono::seconds(10), [&] { return done; });
    }
    const char* level = std::getenv("ALSOFT_LOGLEVEL");
    std::printf("ALSOFT_LOGLEVEL=%s\n", level ? level : "");
    return 0;
}
