// The environment of the run, set before `start`, and `start` itself.

#include "platform/CodePage.h"
#include "dos/DosPath.h"
#include "platform/CurrentFolder.h"
#include "probe/Arguments.h"
#include "probe/Probe.h"
#include "probe/Session.h"
#include "platform/Screen.h"

#include <sys/stat.h>
#include <unistd.h>

namespace probe {

namespace {
bool IsFolder(const std::string& hostPath)
{
    struct stat status {};
    return stat(hostPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// A host path made absolute against the probe's own current folder.
std::string AbsoluteHostPath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    const std::string base = platform::CurrentHostFolder();
    return path.empty() || path == "." ? base : base + (base == "/" ? "" : "/") + path;
}
}  // namespace

void Drive(Probe& probe, const Words& words)
{
    const std::string& letter = words[1];
    if (letter.size() != 2 || !dos::HasDriveLetter(letter))
        throw ProbeError("drive: expected a drive letter such as C:, not \"" + letter + "\"");
    std::string root = AbsoluteHostPath(words[2]);
    if (!IsFolder(root))
        throw ProbeError("drive: " + words[2] + " is not a folder");
    Environment& environment = probe.Env();
    // The first drive replaces the default map rather than adding to it.
    if (!environment.drives)
        environment.drives.emplace();
    environment.drives->Map(letter[0], root);
}

void Cwd(Probe& probe, const Words& words)
{
    const std::string& path = words[1];
    Environment& environment = probe.Env();
    if (dos::HasDriveLetter(path)) {
        platform::DriveMap drives = environment.drives ? *environment.drives : platform::DriveMap::Default();
        auto host = drives.ToHost(platform::Utf8ToCp932(path));
        if (!host)
            throw ProbeError("cwd: drive " + path.substr(0, 2) + " is not mapped");
        if (!IsFolder(*host))
            throw ProbeError("cwd: " + path + " is not a folder");
        environment.currentFolder = path;
        return;
    }
    std::string host = AbsoluteHostPath(path);
    if (!IsFolder(host))
        throw ProbeError("cwd: " + path + " is not a folder");
    environment.currentFolder = host;
}

void Desktop(Probe& probe, const Words& words)
{
    int width = IntegerArgument(words, 1, "W");
    int height = IntegerArgument(words, 2, "H");
    if (width <= 0 || height <= 0)
        throw ProbeError("desktop: the size must be positive");
    probe.Env().desktopWidth = width;
    probe.Env().desktopHeight = height;
}

void Registry(Probe& probe, const Words& words)
{
    std::string file = AbsoluteHostPath(words[1]);
    struct stat status {};
    if (stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        throw ProbeError("registry: " + words[1] + " is not a file");
    probe.Env().registryFile = file;
}

// Sets the foreground window, before or after start.
void Foreground(Probe& probe, const Words& words)
{
    std::optional<std::pair<int, int>> size;
    if (!(words.size() == 2 && words[1] == "none")) {
        if (words.size() != 3)
            throw ProbeError("usage: foreground W H | foreground none");
        size.emplace(IntegerArgument(words, 1, "W"), IntegerArgument(words, 2, "H"));
        if (size->first <= 0 || size->second <= 0)
            throw ProbeError("foreground: the size must be positive");
    }
    probe.Env().foreground = size;
    if (probe.Started() && !probe.Ended()) {
        if (size)
            probe.Running().Screen().SetForeground(size->first, size->second);
        else
            probe.Running().Screen().SetNoForeground();
    }
}

void IdleWait(Probe& probe, const Words& words)
{
    int ms = IntegerArgument(words, 1, "MS");
    if (ms < 0)
        throw ProbeError("idlewait: MS must not be negative");
    probe.Env().idleWaitMs = ms;
}

void Start(Probe& probe, const Words&)
{
    probe.Start();
}

}  // namespace probe
