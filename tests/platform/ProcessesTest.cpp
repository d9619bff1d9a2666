// Starting programs: command lines taken apart as that system did, .desktop entries, programs
// that really start (or cannot), and the wait for them.

#include "platform/CommandLine.h"
#include "platform/DesktopEntry.h"
#include "platform/DriveMap.h"
#include "platform/Processes.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

using namespace platform;

namespace {
std::string Joined(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& word : words)
        out += "[" + word + "]";
    return out;
}

long long NowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

// The state of a child of this process from /proc ('R', 'S', 'Z' ...), or 0 when the pid names
// no child of ours: the child was collected (and the pid may be another process's by now).
char ChildState(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return 0;
    // "pid (name) state ppid ...": the name may hold blanks and parentheses.
    const size_t close = line.rfind(')');
    if (close == std::string::npos || close + 4 >= line.size())
        return 0;
    return std::atoi(line.c_str() + close + 4) == getpid() ? line[close + 2] : 0;
}

// Every zombie child of this process, from /proc.
std::vector<int> OurZombies()
{
    std::vector<int> zombies;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") == std::string::npos && ChildState(std::atoi(name.c_str())) == 'Z')
            zombies.push_back(std::atoi(name.c_str()));
    }
    return zombies;
}

// Waits up to ten seconds for the children to end and be collected, looking only, so that the
// test collects none itself. Gives the pids still there, as zombies or running.
std::vector<int> NotCollected(const std::vector<int>& pids)
{
    for (long long deadline = NowMs() + 10000;; usleep(10000)) {
        std::vector<int> left;
        for (int pid : pids)
            if (ChildState(pid) != 0)
                left.push_back(pid);
        if (left.empty() || NowMs() > deadline)
            return left;
    }
}
}  // namespace

// ---- Command lines -------------------------------------------------------------------------

TEST(CommandLine, SplitsByTheQuoteAndBackslashRulesOfThatSystem)
{
    struct Case {
        const char* line;
        const char* words;
    } cases[] = {
        {"a.exe b c", "[a.exe][b][c]"},
        {"  a.exe \t b   c  ", "[a.exe][b][c]"},
        {"\"C:\\Program Files\\a.exe\" x", "[C:\\Program Files\\a.exe][x]"},
        // The program name ends at its closing quote, backslash or not, and the next word may
        // follow at once.
        {"\"C:\\dir\\\" x", "[C:\\dir\\][x]"},
        {"\"C:\\a\"b c", "[C:\\a][b][c]"},
        {"p \"a b\" c", "[p][a b][c]"},
        {"p a\\b \"c\\d\" e\\\\", "[p][a\\b][c\\d][e\\\\]"},
        {"p a\\\\\"b c\"", "[p][a\\b c]"},
        {"p a\\\\\\\"b", "[p][a\\\"b]"},
        {"p a\\\"b", "[p][a\"b]"},
        {"p \\\\\\\\\"x y\"", "[p][\\\\x y]"},
        {"p \"\" x", "[p][][x]"},
        {"p \"\"", "[p][]"},
        {"p \"a\"\"b\"", "[p][a\"b]"},
        {"p \"a b", "[p][a b]"},
        // The second byte of "表" is 0x5C: no backslash, so the quote after it groups.
        {"p C:\\表\"a b\"", "[p][C:\\表a b]"},
        {"C:\\ソフト\\a.exe x", "[C:\\ソフト\\a.exe][x]"},
        {"", ""},
        {"   ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Joined(SplitCommandLine(c.line)), c.words) << "command line: " << c.line;
}

TEST(CommandLine, AnUnquotedProgramNameMayEndAtAnyBlankAsCreateProcessTriesThem)
{
    std::vector<ProgramSplit> splits = ProgramSplits("C:\\Program Files\\a.exe  x ");
    ASSERT_EQ(splits.size(), 3u);
    EXPECT_EQ(splits[0].program, "C:\\Program");
    EXPECT_EQ(splits[0].rest, "Files\\a.exe  x ");
    EXPECT_EQ(splits[1].program, "C:\\Program Files\\a.exe");
    EXPECT_EQ(splits[1].rest, "x ");
    EXPECT_EQ(splits[2].program, "C:\\Program Files\\a.exe  x");
    EXPECT_EQ(splits[2].rest, "");

    splits = ProgramSplits("\"C:\\Program Files\\a.exe\"   C:\\My Docs\\a b.txt");
    ASSERT_EQ(splits.size(), 1u);
    EXPECT_EQ(splits[0].rest, "C:\\My Docs\\a b.txt");
}

// ---- Desktop entries -----------------------------------------------------------------------

TEST(DesktopEntry, ReadsItsOwnGroupOnly)
{
    auto entry = ParseDesktopEntry("# comment\n[Desktop Entry]\r\nName = Viewer\nName[ja]=ビューア\n"
                                   "Exec=view\\s%f\nIcon=view\n[Desktop Action New]\nExec=other\n",
                                   "/apps/view.desktop");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->exec, "view %f");
    EXPECT_EQ(entry->name, "Viewer");
    EXPECT_EQ(entry->icon, "view");
    EXPECT_EQ(entry->location, "/apps/view.desktop");

    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nName=No program\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nType=Link\nExec=x\nURL=http://x/\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("[Other]\nExec=x\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("", "x"));
}

// The entry's group is the file's first, and a file that writes a group or a key twice is no
// desktop entry.
TEST(DesktopEntry, OnlyAWellFormedFileThatStartsWithItsGroupIsAnEntry)
{
    EXPECT_TRUE(ParseDesktopEntry("# comment\n\n[Desktop Entry]\nExec=a\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("[Other]\nKey=v\n[Desktop Entry]\nExec=a\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nExec=a\nExec=b\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nExec=a\n[Desktop Entry]\nIcon=b\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nExec=a\nthis line is no entry\n", "x"));
}

TEST(DesktopEntry, ExpandsFieldCodesAndQuoting)
{
    struct Case {
        const char* exec;
        std::vector<std::string> files;
        const char* argv;
    } cases[] = {
        {"app %f", {"/a b.txt"}, "[app][/a b.txt]"},
        {"app %f", {}, "[app]"},
        {"app --file=%f", {"/x"}, "[app][--file=/x]"},
        {"app %F", {"/a", "/b c"}, "[app][/a][/b c]"},
        {"app %U", {"/a b", "/\xE8\xA1\xA8"}, "[app][file:///a%20b][file:///%E8%A1%A8]"},
        {"app %u", {"http://host/x y"}, "[app][http://host/x y]"},
        {"app %i %c %k", {}, "[app][--icon][view][Viewer][/apps/view.desktop]"},
        {"app 100%% %d %D %n %N %v %m", {}, "[app][100%]"},
        // The value's escapes are undone before the quoting is read: \\\\ in the file is one
        // backslash within quotes, \\$ a dollar sign.
        {"\"/opt/my app/run\" \"a \\\"b\\\"\" \"c \\\\ d\" \\$HOME 'e f'", {},
         "[/opt/my app/run][a \"b\"][c \\ d][$HOME][e f]"},
        {"\"/opt/run %f", {"/x"}, ""},
        {"%f", {}, ""},
    };
    for (const Case& c : cases) {
        std::string text = std::string("[Desktop Entry]\nName=Viewer\nIcon=view\nExec=") + c.exec + "\n";
        auto entry = ParseDesktopEntry(text, "/apps/view.desktop");
        ASSERT_TRUE(entry) << c.exec;
        EXPECT_EQ(Joined(ExpandExec(*entry, c.files)), c.argv) << "Exec=" << c.exec;
    }
}

// ---- Programs that really start ------------------------------------------------------------

// A temporary folder mapped as drive T:, with a script that writes its arguments to a file.
class Starting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_root.empty());
        m_drives.Map('T', m_root);
        Folder("my tools");
        Folder("My Docs");
        Folder("\xE8\xA1\xA8");  // "表" in UTF-8
        Folder("apps");
        m_output = m_root + "/out.txt";
        File("my tools/args.sh", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + m_output + "'\n",
             0755);
        File("My Docs/a b.txt", "text\n", 0644);
    }

    void Folder(const std::string& name) { ASSERT_EQ(mkdir((m_root + "/" + name).c_str(), 0755), 0) << name; }

    void File(const std::string& name, const std::string& text, mode_t mode)
    {
        std::string path = m_root + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        ASSERT_EQ(chmod(path.c_str(), mode), 0) << path;
    }

    // Starts the command line, waits for its end and gives what the script wrote.
    std::string Run(const std::string& commandLine)
    {
        std::remove(m_output.c_str());
        StartedProcess process = m_processes.CreateProcess(commandLine);
        if (!process.started)
            return "not started: " + process.error;
        if (m_processes.WaitForInputIdle(process, 5000) != IdleWait::Ended)
            return "did not end";
        std::ifstream file(m_output);
        std::string line;
        std::string out;
        while (std::getline(file, line))
            out += "[" + line + "]";
        return out;
    }

    TempTree m_tree{"processes"};
    const std::string m_root = m_tree.Root();
    std::string m_output;
    DriveMap m_drives;
    Processes m_processes{m_drives};
};

TEST_F(Starting, APathWithBlanksArrivesWholeAsAHostPath)
{
    EXPECT_EQ(Run("\"T:\\my tools\\args.sh\" T:\\My Docs\\a b.txt"), "[" + m_root + "/My Docs/a b.txt]");
    EXPECT_EQ(Run("\"T:\\my tools\\args.sh\"  T:\\My Docs"), "[" + m_root + "/My Docs]") << "a folder too";
    // When the rest names nothing, it is split into arguments, DOS paths mapped.
    EXPECT_EQ(Run("\"T:\\my tools\\args.sh\" T:\\My Docs\\none.txt"),
              "[" + m_root + "/My][Docs\\none.txt]");
}

TEST_F(Starting, ArgumentsAreSplitAndDosPathsMapped)
{
    EXPECT_EQ(Run("\"T:\\my tools\\args.sh\" \"quoted arg\" T:\\表\\x.txt plain Q:\\unmapped"),
              "[quoted arg][" + m_root + "/\xE8\xA1\xA8/x.txt][plain][Q:\\unmapped]");
}

TEST_F(Starting, FindsUnquotedProgramPathsWithBlanksAndBareNamesOnPath)
{
    EXPECT_EQ(Run("T:\\my tools\\args.sh one"), "[one]");
    // "sh" comes from PATH; the script's DOS path reaches it as a host path.
    EXPECT_EQ(Run("sh \"T:\\my tools\\args.sh\" two"), "[two]");
}

TEST_F(Starting, ADesktopEntryRunsItsExecLine)
{
    File("apps/viewer.desktop",
         "[Desktop Entry]\nType=Application\nName=Viewer\nExec=\"" + m_root
             + "/my tools/args.sh\" --path %f --uris %U --name %c\n",
         0644);
    EXPECT_EQ(Run("\"T:\\apps\\viewer.desktop\" T:\\My Docs\\a b.txt"),
              "[--path][" + m_root + "/My Docs/a b.txt][--uris][file://" + m_root
                  + "/My%20Docs/a%20b.txt][--name][Viewer]");
    EXPECT_EQ(Run("\"T:\\apps\\viewer.desktop\""), "[--path][--uris][--name][Viewer]");
}

TEST_F(Starting, ProgramsThatCannotStartFailCleanly)
{
    File("apps/broken.desktop", "[Desktop Entry]\nName=Broken\n", 0644);
    File("apps/missing.desktop", "[Desktop Entry]\nExec=/nonexistent/program %f\n", 0644);
    File("my tools/bad interpreter.sh", "#!/nonexistent/shell\n", 0755);
    const char* lines[] = {
        "T:\\nothing.exe x",
        "\"T:\\My Docs\\a b.txt\"",
        "T:\\My Docs\\a b.txt",
        "T:\\My Docs",
        "\"T:\\apps\\broken.desktop\" x",
        "\"T:\\apps\\missing.desktop\" x",
        "\"T:\\my tools\\bad interpreter.sh\"",
        "Q:\\unmapped\\a.exe",
        "no-such-program-on-path",
        "",
    };
    for (const char* line : lines) {
        StartedProcess process = m_processes.CreateProcess(line);
        EXPECT_FALSE(process.started) << line;
        EXPECT_FALSE(process.error.empty()) << line;
        EXPECT_EQ(m_processes.WaitForInputIdle(process, 100), IdleWait::Failed) << line;
    }
    EXPECT_NE(m_processes.CreateProcess("\"T:\\My Docs\\a b.txt\"").error.find("not executable"), std::string::npos);
}

// The user sees only that the application could not be started: standard error says which
// command and why; a start that works writes nothing there.
TEST_F(Starting, AFailedStartNamesTheCommandAndTheReasonOnStandardError)
{
    for (const char* line : {"T:\\nothing.exe", "\"T:\\My Docs\\a b.txt\"", "no-such-program-on-path x"}) {
        testing::internal::CaptureStderr();
        StartedProcess process = m_processes.CreateProcess(line);
        const std::string written = testing::internal::GetCapturedStderr();
        ASSERT_FALSE(process.started) << line;
        EXPECT_NE(written.find(std::string("cannot start ") + line + ": " + process.error + "\n"), std::string::npos)
            << written;
    }
    testing::internal::CaptureStderr();
    StartedProcess started = m_processes.CreateProcess("\"T:\\my tools\\args.sh\" x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(started.started);
    m_processes.WaitForInputIdle(started, 5000);
}

TEST_F(Starting, EveryStartIsRecorded)
{
    StartedProcess started = m_processes.CreateProcess("\"T:\\my tools\\args.sh\" x");
    m_processes.CreateProcess("T:\\nothing.exe");
    m_processes.WaitForInputIdle(started, 5000);
    std::vector<SpawnRecord> starts = m_processes.TakeStarts();
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[0].commandLine, "\"T:\\my tools\\args.sh\" x");
    EXPECT_TRUE(starts[0].ok);
    EXPECT_EQ(starts[1].commandLine, "T:\\nothing.exe");
    EXPECT_FALSE(starts[1].ok);
    EXPECT_TRUE(m_processes.TakeStarts().empty());
}

TEST_F(Starting, TheProgramInheritsTheCurrentFolderAndEnvironment)
{
    File("my tools/where.sh", "#!/bin/sh\npwd > '" + m_output + "'\necho \"$ORVANE_TEST_MARK\" >> '" + m_output + "'\n",
         0755);
    char previous[4096];
    ASSERT_TRUE(getcwd(previous, sizeof previous));
    ASSERT_EQ(chdir((m_root + "/My Docs").c_str()), 0);
    setenv("ORVANE_TEST_MARK", "inherited", 1);
    std::string out = Run("\"T:\\my tools\\where.sh\"");
    unsetenv("ORVANE_TEST_MARK");
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(out, "[" + m_root + "/My Docs][inherited]");
}

// ---- Waiting -------------------------------------------------------------------------------

TEST_F(Starting, WaitingEndsWithTheProgramAndLeavesNoZombie)
{
    StartedProcess process = m_processes.CreateProcess("\"T:\\my tools\\args.sh\"");
    ASSERT_TRUE(process.started) << process.error;
    EXPECT_EQ(m_processes.WaitForInputIdle(process, 5000), IdleWait::Ended);
    EXPECT_EQ(waitpid(process.pid, nullptr, WNOHANG), -1) << "already collected";
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(Starting, ProgramsThatEndUnwatchedAreCollectedAtTheNextStart)
{
    StartedProcess first = m_processes.CreateProcess("\"T:\\my tools\\args.sh\"");
    ASSERT_TRUE(first.started) << first.error;
    for (int i = 0; i < 500 && kill(first.pid, 0) == 0; ++i) {
        siginfo_t info{};
        if (waitid(P_PID, first.pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == first.pid)
            break;
        usleep(10000);
    }
    m_processes.CreateProcess("T:\\nothing.exe");
    EXPECT_EQ(waitpid(first.pid, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

// Programs are collected as they end, however they end, with no later start or wait to do it: a
// program that ends at once, one that fails, one that leaves a child of its own behind, one killed.
TEST_F(Starting, EveryProgramIsCollectedWhenItEndsWithoutAnotherStart)
{
    std::vector<int> pids;
    for (const char* line : {"/bin/true", "sh -c \"exit 3\"", "sh -c \"sleep 0.2 & exit 0\"", "sleep 30"}) {
        StartedProcess process = m_processes.CreateProcess(line);
        ASSERT_TRUE(process.started) << line << ": " << process.error;
        pids.push_back(process.pid);
    }
    kill(pids.back(), SIGKILL);
    for (int pid : NotCollected(pids))
        ADD_FAILURE() << "pid " << pid << " is still a child of the test, in state " << ChildState(pid);
    EXPECT_EQ(OurZombies(), std::vector<int>{}) << "zombie children of the test";
    for (int pid : pids) {
        EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1) << "pid " << pid << " already collected";
        EXPECT_EQ(errno, ECHILD);
    }
}

// A program collected before anyone waited for it still counts as ended for the wait, and its pid
// is not asked about again (it may be another process's by then).
TEST_F(Starting, WaitingForAProgramAlreadyCollectedEndsAtOnce)
{
    StartedProcess process = m_processes.CreateProcess("/bin/true");
    ASSERT_TRUE(process.started) << process.error;
    ASSERT_EQ(NotCollected({process.pid}), std::vector<int>{});
    EXPECT_EQ(m_processes.WaitForInputIdle(process, 5000), IdleWait::Ended);
}

// Children the service did not start (QProcess's, GLib's) stay for their owners to collect.
TEST_F(Starting, ChildrenStartedElsewhereAreLeftToTheirOwners)
{
    char program[] = "/bin/true";
    char* argv[] = {program, nullptr};
    pid_t foreign = 0;
    ASSERT_EQ(posix_spawn(&foreign, program, nullptr, nullptr, argv, environ), 0);
    StartedProcess ours = m_processes.CreateProcess("/bin/true");
    ASSERT_TRUE(ours.started) << ours.error;
    ASSERT_EQ(NotCollected({ours.pid}), std::vector<int>{});
    ASSERT_TRUE(m_processes.WaitForInputIdle(ours, 5000) == IdleWait::Ended);
    int status = -1;
    EXPECT_EQ(waitpid(foreign, &status, 0), foreign) << "the other child was taken from its owner";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// The service can go while a program it started still runs.
TEST(Processes, GoesWhileItsProgramRuns)
{
    DriveMap drives;
    StartedProcess process;
    {
        Processes processes(drives);
        process = processes.CreateProcess("sleep 30");
        ASSERT_TRUE(process.started) << process.error;
    }
    ASSERT_EQ(kill(process.pid, SIGKILL), 0);
    EXPECT_EQ(waitpid(process.pid, nullptr, 0), process.pid);
}

TEST_F(Starting, WaitingGivesUpAtTheBound)
{
    StartedProcess process = m_processes.CreateProcess("sleep 5");
    ASSERT_TRUE(process.started) << process.error;
    long long start = NowMs();
    EXPECT_EQ(m_processes.WaitForInputIdle(process, 150), IdleWait::TimedOut);
    long long waited = NowMs() - start;
    EXPECT_GE(waited, 150);
    EXPECT_LT(waited, 2000);

    // A wait without a time limit is held to the service's bound.
    m_processes.SetIdleBound(100);
    start = NowMs();
    EXPECT_EQ(m_processes.WaitForInputIdle(process, InfiniteWait), IdleWait::TimedOut);
    EXPECT_LT(NowMs() - start, 2000);

    kill(process.pid, SIGKILL);
    m_processes.SetIdleBound(5000);
    EXPECT_EQ(m_processes.WaitForInputIdle(process, InfiniteWait), IdleWait::Ended);
}
