#include "platform/Processes.h"

#include "platform/CodePage.h"
#include "dos/DosPath.h"
#include "platform/CommandLine.h"
#include "platform/DesktopEntry.h"
#include "platform/DriveMap.h"
#include "platform/QuietAudio.h"
#include "platform/XConnection.h"
#include "platform/XdgDirs.h"

#include <X11/Xatom.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>

namespace platform {

namespace {
// The program to run and its argument vector (host texts), or why there is none.
struct Invocation {
    std::string path;
    std::vector<std::string> argv;
    std::string error;
};

// A drive and, when more follows, a separator: "C:" or "C:\work", not "C:work".
bool IsDosPath(std::string_view text)
{
    return dos::HasDriveLetter(text) && (text.size() == 2 || text[2] == dos::PathSeparator || text[2] == '/');
}

// A DOS path on a mapped drive or an absolute host path, as a host path.
std::optional<std::string> HostPathOf(const DriveMap& drives, std::string_view text)
{
    if (IsDosPath(text))
        return drives.ToHost(std::string(text));
    if (!text.empty() && text.front() == '/')
        return Cp932ToUtf8(text);
    return std::nullopt;
}

bool Exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool IsFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool HasSuffix(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        return dos::AsciiLower(a) == b;
    });
}

// The folders of $PATH, an empty entry standing for the current folder.
std::vector<std::string> SearchFolders(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    std::string list = value && *value ? value : fallback;
    std::vector<std::string> folders;
    size_t start = 0;
    while (start <= list.size()) {
        size_t colon = list.find(':', start);
        size_t end = colon == std::string::npos ? list.size() : colon;
        std::string folder = list.substr(start, end - start);
        folders.push_back(folder.empty() ? "." : folder);
        start = end + 1;
    }
    return folders;
}

// A bare name, as execvp finds it: the first executable file of that name on PATH.
std::optional<std::string> SearchPath(const std::string& name)
{
    for (const std::string& folder : SearchFolders("PATH", "/usr/local/bin:/usr/bin:/bin")) {
        std::string candidate = folder + "/" + name;
        if (IsFile(candidate) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

// A bare .desktop name, among the desktop's applications.
std::optional<std::string> SearchApplications(const std::string& name)
{
    for (const std::string& folder : XdgDirs::FromEnvironment().DataFolders("applications"))
        if (IsFile(folder + "/" + name))
            return folder + "/" + name;
    return std::nullopt;
}

// The program name of a command line as a host path: a DOS path through the drive map, a host
// path as it is, a relative path from the current folder, a bare name from PATH. None when no
// such file exists.
std::optional<std::string> FindProgram(const DriveMap& drives, const std::string& program)
{
    std::optional<std::string> path = HostPathOf(drives, program);
    if (!path && !IsDosPath(program)) {
        std::string relative;
        for (size_t i = 0; i < program.size(); i = dos::NextCharacter(program, i)) {
            if (program[i] == '\\')
                relative += '/';
            else
                relative.append(program, i, dos::NextCharacter(program, i) - i);
        }
        std::string host = Cp932ToUtf8(relative);
        if (host.find('/') == std::string::npos)
            return HasSuffix(host, ".desktop") ? SearchApplications(host) : SearchPath(host);
        path = host;
    }
    if (path && Exists(*path))
        return path;
    return std::nullopt;
}

// The arguments after the program. A rest that names an existing file or folder is one
// argument, blanks and all: the programs of that system read their command line whole, and
// callers append a path to it without quotes.
std::vector<std::string> ArgumentsOf(const DriveMap& drives, std::string_view rest)
{
    std::string_view trimmed = rest;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
        trimmed.remove_suffix(1);
    for (std::string_view candidate : {rest, trimmed})
        if (auto whole = HostPathOf(drives, candidate); whole && Exists(*whole))
            return {*whole};
    std::vector<std::string> arguments;
    for (const std::string& argument : SplitArguments(trimmed)) {
        auto host = IsDosPath(argument) ? drives.ToHost(argument) : std::nullopt;
        arguments.push_back(host ? *host : Cp932ToUtf8(argument));
    }
    return arguments;
}

std::string ExecutableError(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return path + ": " + std::strerror(errno);
    if (S_ISDIR(info.st_mode))
        return path + ": is a folder";
    if (!S_ISREG(info.st_mode) || access(path.c_str(), X_OK) != 0)
        return path + ": not executable";
    return std::string();
}

Invocation DesktopInvocation(const std::string& entryPath, const std::vector<std::string>& files)
{
    Invocation invocation;
    std::optional<DesktopEntry> entry = ReadDesktopEntry(entryPath);
    if (!entry) {
        invocation.error = entryPath + ": no application entry with an Exec line";
        return invocation;
    }
    invocation.argv = ExpandExec(*entry, files);
    if (invocation.argv.empty()) {
        invocation.error = entryPath + ": Exec line without a program";
        return invocation;
    }
    const std::string& program = invocation.argv.front();
    if (program.find('/') != std::string::npos) {
        invocation.path = program;
    } else if (auto found = SearchPath(program)) {
        invocation.path = *found;
    } else {
        invocation.error = program + ": not found on PATH";
        return invocation;
    }
    invocation.error = ExecutableError(invocation.path);
    return invocation;
}

Invocation InvocationOf(const DriveMap& drives, const std::string& commandLine)
{
    Invocation invocation;
    std::vector<ProgramSplit> splits = ProgramSplits(commandLine);
    if (splits.empty()) {
        invocation.error = "empty command line";
        return invocation;
    }
    // The first reading that names a file, as CreateProcessA tries them; failing that, the
    // first that names anything, for the error to speak of.
    const ProgramSplit* chosen = nullptr;
    std::optional<std::string> program;
    for (const ProgramSplit& split : splits) {
        std::optional<std::string> found = FindProgram(drives, split.program);
        if (found && (!chosen || IsFile(*found))) {
            chosen = &split;
            program = found;
        }
        if (found && IsFile(*found))
            break;
    }
    if (!chosen) {
        invocation.error = Cp932ToUtf8(splits.front().program) + ": no such program";
        return invocation;
    }
    std::vector<std::string> arguments = ArgumentsOf(drives, chosen->rest);
    if (HasSuffix(*program, ".desktop") && IsFile(*program))
        return DesktopInvocation(*program, arguments);
    invocation.path = *program;
    invocation.argv.push_back(*program);
    invocation.argv.insert(invocation.argv.end(), arguments.begin(), arguments.end());
    invocation.error = ExecutableError(invocation.path);
    return invocation;
}

// Starts the program with the environment (less the sound log level this process set for itself)
// and the current folder of this process. Signals that this process ignores or blocks are the
// program's own business again.
StartedProcess Spawn(const Invocation& invocation)
{
    StartedProcess process;
    std::vector<char*> argv;
    for (const std::string& argument : invocation.argv)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    for (int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGCHLD, SIGALRM, SIGUSR1, SIGUSR2, SIGTSTP,
                       SIGTTIN, SIGTTOU})
        sigaddset(&signals, signal);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    // glibc's posix_spawn reports a failed exec as its result, so no start goes unnoticed.
    std::vector<char*> environment = StartedProgramEnvironment();
    int error = posix_spawn(&pid, invocation.path.c_str(), nullptr, &attributes, argv.data(), environment.data());
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        process.error = invocation.path + ": " + std::strerror(error);
        return process;
    }
    process.started = true;
    process.pid = pid;
    return process;
}

long long NowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

void SleepMs(long long milliseconds)
{
    timespec pause{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000};
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}

// The parent of a process, from /proc; none when the process is gone.
std::optional<int> ParentOf(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return std::nullopt;
    // "pid (name) state ppid ...": the name may hold blanks and parentheses.
    size_t close = line.rfind(')');
    if (close == std::string::npos || close + 4 >= line.size())
        return std::nullopt;
    return std::atoi(line.c_str() + close + 4);
}

bool IsSelfOrDescendant(int candidate, int ancestor)
{
    for (int step = 0; step < 64 && candidate > 1; ++step) {
        if (candidate == ancestor)
            return true;
        auto parent = ParentOf(candidate);
        if (!parent)
            return false;
        candidate = *parent;
    }
    return false;
}

// How often a wait looks: often enough not to keep the user waiting, seldom enough to cost
// nothing.
constexpr long long PollMs = 20;
}  // namespace

Processes::Processes(const DriveMap& drives) : m_drives(drives) {}

Processes::~Processes() = default;

StartedProcess Processes::CreateProcess(const std::string& commandLine)
{
    ReapEnded();
    Invocation invocation = InvocationOf(m_drives, commandLine);
    StartedProcess process;
    if (invocation.error.empty())
        process = Spawn(invocation);
    else
        process.error = invocation.error;
    if (process.started)
        m_reaper.Watch(process.pid);
    else
        // The user sees only that the application could not be started; the line says which
        // command and why, for whoever looks into it.
        std::fprintf(stderr, "orvane: cannot start %s: %s\n", Cp932ToUtf8(commandLine).c_str(),
                     process.error.c_str());
    m_starts.push_back({commandLine, process.started});
    return process;
}

IdleWait Processes::WaitForInputIdle(const StartedProcess& process, int boundMs)
{
    ReapEnded();
    if (!process.started || process.pid <= 0)
        return IdleWait::Failed;
    long long bound = boundMs < 0 ? m_idleBoundMs : std::min(boundMs, m_idleBoundMs);
    long long deadline = NowMs() + bound;
    if (!m_display)
        m_display = XConnection::Open();
    for (;;) {
        if (HasShownWindow(process.pid))
            return IdleWait::WindowShown;
        if (HasEnded(process.pid))
            return IdleWait::Ended;
        long long left = deadline - NowMs();
        if (left <= 0)
            return IdleWait::TimedOut;
        SleepMs(std::min(left, PollMs));
    }
}

std::vector<SpawnRecord> Processes::TakeStarts()
{
    std::vector<SpawnRecord> starts;
    starts.swap(m_starts);
    return starts;
}

void Processes::ReapEnded()
{
    m_reaper.CollectEnded();
}

// A program of ours has ended once it is collected; its pid may name another process after
// that, so the pid alone is asked only about processes we did not start.
bool Processes::HasEnded(int pid)
{
    if (std::optional<bool> ended = m_reaper.Ended(pid))
        return *ended;
    return kill(pid, 0) != 0 && errno == ESRCH;
}

bool Processes::HasShownWindow(int pid)
{
    if (!m_display)
        return false;
    for (Window window : m_display->ShownClientWindows()) {
        auto windowPid = m_display->LongProperty(window, "_NET_WM_PID", XA_CARDINAL);
        if (windowPid && IsSelfOrDescendant(static_cast<int>(*windowPid), pid))
            return true;
    }
    return false;
}

}  // namespace platform
