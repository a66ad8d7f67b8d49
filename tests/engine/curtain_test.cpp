// The black curtain that covers the game window at each load and opens 250 twips a tick.

#include <gtest/gtest.h>

#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class CurtainTest : public ::testing::Test, public EngineHarness {
protected:
    void SetUp() override { loadAt(2); }
    void tickCurtain(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            program.tick(TimerId::Timer3);
    }
};

TEST_F(CurtainTest, HalvesMeetAtHalfTheWindowHeight)
{
    EXPECT_EQ(c().covertop.Top, -3437.0f);
    EXPECT_EQ(c().coverbottom.Top, 3437.0f);
    EXPECT_EQ(c().covertop.Left, 0.0f);
    EXPECT_EQ(c().covertop.Width, 6424.0f);
    EXPECT_EQ(c().coverbottom.Height, 6874.0f);
    EXPECT_EQ(c().cot.Width, 6424.0f);
    EXPECT_EQ(c().cob.Height, 6874.0f);
    EXPECT_TRUE(c().covertop.Visible);
    EXPECT_GT(c().coverbottom.z, c().covertop.z);
    EXPECT_GT(c().covertop.z, c().Command1.z);
    EXPECT_EQ(c().Timer2.Interval, 2);
    EXPECT_EQ(c().Timer3.Interval, 200);
}

TEST_F(CurtainTest, EdgeExactlyOnTheWindowHeightDoesNotStopIt)
{
    c().Height = 6000;
    f().cover();
    tickCurtain(12);
    EXPECT_EQ(c().coverbottom.Top, 6000.0f);
    EXPECT_EQ(c().Timer3.Interval, 200);
    tickCurtain();
    EXPECT_EQ(c().coverbottom.Top, 6250.0f);
    EXPECT_EQ(c().covertop.Top, -6250.0f);
    EXPECT_EQ(c().Timer3.Interval, 0);
}

TEST_F(CurtainTest, PauseFreezesTheCurtainAndResumeGoesOnWithoutLosingAStep)
{
    tickCurtain(5);
    program.keyDown(80);
    tickCurtain(4);
    EXPECT_EQ(c().coverbottom.Top, 3437.0f + 5 * 250);
    program.clickPause();
    tickCurtain();
    EXPECT_EQ(c().coverbottom.Top, 3437.0f + 6 * 250);
    EXPECT_EQ(c().covertop.Top, -3437.0f - 6 * 250);
}

TEST_F(CurtainTest, RestartRunsTheCurtainAgain)
{
    tickCurtain(14);
    ASSERT_EQ(c().Timer3.Interval, 0);
    c().Command1.Visible = true;
    program.clickGameOver();
    EXPECT_EQ(c().coverbottom.Top, 3437.0f);
    EXPECT_EQ(c().Timer3.Interval, 200);
    EXPECT_TRUE(c().Timer3.Enabled);
}

} // namespace
} // namespace blokko::test
