// Started from a terminal, the program's media device says nothing there of the sound libraries'
// search for a sound card (ALSA's configuration errors, OpenAL Soft's failed open), which a
// machine without one printed at the start and at the first file played. The helper program
// does with the desktop's output what the program does; its standard error is read here.

#include "platform/QuietAudio.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct HelperRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Read(const std::string& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the helper with the environment's assignments in front (`env` syntax).
HelperRun RunHelper(const std::string& assignments)
{
    TempTree tree("quiet-audio");
    std::string command = "env " + assignments + " '" + AUDIO_PROBE_HELPER + "' '" + ORVANE_TEST_DATA + "/media' >'" +
                          tree.Path("out") + "' 2>'" + tree.Path("err") + "'";
    HelperRun run;
    run.status = std::system(command.c_str());
    run.out = Read(tree.Path("out"));
    run.err = Read(tree.Path("err"));
    return run;
}

}  // namespace

TEST(QuietAudio, TheSoundLibrariesSayNothingOnStandardError)
{
    // Without a sound server, as in a terminal of a machine with no sound card or no session.
    HelperRun run = RunHelper("-u ALSOFT_LOGLEVEL PULSE_SERVER=unix:/nonexistent");
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.err.find("ALSA lib"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("AL lib"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("[ALSOFT]"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("ALSOFT_LOGLEVEL=0"), std::string::npos) << run.out;
}

TEST(QuietAudio, TheUsersOwnLogLevelIsKept)
{
    HelperRun run = RunHelper("ALSOFT_LOGLEVEL=2 PULSE_SERVER=unix:/nonexistent");
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("ALSOFT_LOGLEVEL=2"), std::string::npos) << run.out;
}

// Each case runs in a process of its own (CTest runs them one by one), so the quieting starts afresh.
TEST(QuietAudio, ProgramsItStartsDoNotInheritTheLevelItSetForItself)
{
    unsetenv("ALSOFT_LOGLEVEL");
    setenv("ORVANE_QUIET_TEST", "kept", 1);
    platform::QuietAudioProbing();
    ASSERT_STREQ(std::getenv("ALSOFT_LOGLEVEL"), "0");
    bool other = false;
    for (char* variable : platform::StartedProgramEnvironment()) {
        if (!variable)
            break;
        EXPECT_NE(std::string(variable).rfind("ALSOFT_LOGLEVEL=", 0), 0u) << variable;
        other = other || std::string(variable) == "ORVANE_QUIET_TEST=kept";
    }
    EXPECT_TRUE(other) << "the rest of the environment goes over";
    EXPECT_EQ(platform::StartedProgramEnvironment().back(), nullptr);
}
