#pragma once

// One run of the whole program without a display, started in a folder of a temporary drive C:.

#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/Host.h"
#include "tests/TempTree.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"
#include "app/View.h"

#include <unistd.h>

#include <functional>
#include <memory>
#include <string>

namespace orvane {

struct HeadlessRun {
    // The services outlive the application: its timers leave the clock when they are freed.
    tk::RecordingDialogs dialogs;
    tk::ManualClock clock;
    tk::TApplication application;
    platform::Host host;
    Process process{application, host};

    // `prepare` sets the host up before the program starts (its file types, say).
    HeadlessRun(const platform::DriveMap& drives, const std::string& startFolder,
                const std::function<void(platform::Host&)>& prepare = nullptr)
        : host(drives)
    {
        application.SetDialogs(&dialogs);
        application.SetClock(&clock);
        application.SetDesktopSize(1024, 768);
        auto screen = std::make_unique<platform::FakeScreen>();
        screen->SetDesktop(1024, 768);
        host.SetScreen(std::move(screen));
        host.SetCurrentDirectory(startFolder);
        if (prepare)
            prepare(host);
        RunProcess(process);
    }
    TImageForm& Form() { return *process.ImageForm; }
};

// A temporary folder mapped to C:, removed with everything in it at the end.
class TemporaryDrive {
public:
    TemporaryDrive()
    {
        drives.Map('C', m_tree.Root());
        drives.Map('Z', "/");
        if (!getcwd(m_previous, sizeof m_previous))
            m_previous[0] = '\0';
    }
    ~TemporaryDrive()
    {
        if (m_previous[0] && chdir(m_previous) != 0)
            m_previous[0] = '\0';
    }
    const std::string& Root() const { return m_tree.Root(); }

    platform::DriveMap drives;

private:
    TempTree m_tree{"app"};
    char m_previous[4096] = {};
};

}  // namespace orvane
