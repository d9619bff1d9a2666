// The main of the test programs that run in a real window (the tests named window.*), under
// tests/under-xvfb.sh. A display that does not answer there means the server went away: the run
// is then skipped (exit 77), or fails under CI=true, before any case starts. A run whose every
// case skipped counts as skipped too. CTest reads the exit status alone, so a failed case is a
// failed test even when other cases skipped.

#include "platform/Display.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
int Unavailable(const std::string& why)
{
    const char* ci = std::getenv("CI");
    if (ci && std::strcmp(ci, "true") == 0) {
        std::fprintf(stderr, "error: %s; CI=true, so the window tests must run and this counts as a failure\n",
                     why.c_str());
        return 1;
    }
    std::printf("skipped: %s\n", why.c_str());
    return 77;
}
}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    std::string why;
    if (!platform::DisplayReachable(why))
        return Unavailable(why);
    const int result = RUN_ALL_TESTS();
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    if (result == 0 && unit.test_to_run_count() > 0 && unit.skipped_test_count() == unit.test_to_run_count())
        return Unavailable("every case skipped");
    return result;
}
