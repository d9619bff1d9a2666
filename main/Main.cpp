// The program: the Qt back end under the application's process entry.

#include "app/Process.h"
#include "platform/DesktopStart.h"
#include "platform/Display.h"
#include "platform/DriveMap.h"
#include "platform/Host.h"
#include "platform/QuietAudio.h"
#include "qt/ClassicLook.h"
#include "qt/DesktopIdentity.h"
#include "qt/QtBackend.h"
#include "toolkit/Application.h"

#include <QApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    // Before any thread starts: it may set a variable of the environment.
    platform::QuietAudioProbing();
    std::string why;
    if (!platform::DisplayReachable(why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    QApplication qtApplication(argc, argv);
    qtui::ApplyClassicLook(qtApplication);
    qtui::ApplyDesktopIdentity(qtApplication);
    qtui::QtBackend backend;
    {
        tk::TApplication application;
        backend.Install(application);
        platform::Host host(platform::DriveMap::Default());
        if (platform::AsksForDesktopStart(argc, argv))
            platform::StartFromDesktop(host, platform::XdgDirs::FromEnvironment());
        orvane::Process process(application, host);
        // The sound system gets ready while the window comes up, so that the first file sounds
        // as soon as later ones.
        process.Media.Prepare();
        orvane::RunProcess(process);
    }
    return 0;
}
