// The screen without a display of its own: the fixed-size screen of tests and the probe.

#include "platform/Screen.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FakeScreen, HasADesktopAndAForegroundWindowOfTheSizesGiven)
{
    FakeScreen screen;
    EXPECT_EQ(screen.DesktopRect(), (ScreenRect{0, 0, 1024, 768}));
    EXPECT_FALSE(screen.ForegroundWindow()) << "no foreground window until one is set";
    screen.SetDesktop(800, 600);
    screen.SetForeground(300, 200);
    EXPECT_EQ(screen.DesktopRect(), (ScreenRect{0, 0, 800, 600}));
    auto window = screen.ForegroundWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(screen.WindowRect(*window), (ScreenRect{0, 0, 300, 200}));
    EXPECT_FALSE(screen.WindowRect(*window + 1));
    screen.SetNoForeground();
    EXPECT_FALSE(screen.ForegroundWindow());
    EXPECT_FALSE(screen.CaptureWindow(*window, 10, 10));
}

TEST(FakeScreen, CapturesItsTestPatternFromTheTopLeftCorner)
{
    FakeScreen screen;
    screen.SetForeground(300, 200);
    auto pixels = screen.CaptureWindow(FakeScreen::ForegroundId, 300, 200);
    ASSERT_TRUE(pixels);
    ASSERT_EQ(pixels->width, 300);
    ASSERT_EQ(pixels->height, 200);
    ASSERT_EQ(pixels->pixels.size(), 300u * 200u);
    EXPECT_EQ(pixels->pixels[0], 0xFF000000u);
    EXPECT_EQ(pixels->pixels[8], 0xFF0800FFu) << std::hex << pixels->pixels[8];
    EXPECT_EQ(pixels->pixels[199 * 300 + 299], FakeScreen::TestPattern(299, 199));
    EXPECT_EQ(FakeScreen::TestPattern(299, 199), 0xFF2BC7FFu) << std::hex << FakeScreen::TestPattern(299, 199);

    auto part = screen.CaptureWindow(FakeScreen::ForegroundId, 10, 0);
    ASSERT_TRUE(part);
    EXPECT_EQ(part->width, 10);
    EXPECT_EQ(part->height, 0);
    EXPECT_TRUE(part->pixels.empty());

    auto wider = screen.CaptureWindow(FakeScreen::ForegroundId, 310, 1);
    ASSERT_TRUE(wider);
    EXPECT_EQ(wider->pixels[299], FakeScreen::TestPattern(299, 0));
    EXPECT_EQ(wider->pixels[300], 0xFF000000u) << "beyond the window";
}
