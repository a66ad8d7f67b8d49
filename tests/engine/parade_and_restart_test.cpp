// Start-up, the piece parade before play, pause and resume, and the restart through "Game Over".

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class ParadeTest : public ::testing::Test, public EngineHarness {
protected:
    void tickParade(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            program.tick(TimerId::Timer2);
    }

    // Hard, piece 4 falling and `next` waiting; a block in row 2 ends the game at the first play tick,
    // which spawns `next`; then "Game Over" is clicked.
    void endGameAndRestart(int next)
    {
        startPlay(3, 4, next);
        queue({drawFor(1)});
        drawRows(2, {"...7......"});
        tickPlay();
        ASSERT_TRUE(c().Command1.Visible);
        program.clickGameOver();
    }
};

// Every parade tick from the fifth shows the next turn of the next standard piece, four cells in the box
// colour (parade_first_load pins ticks 4, 5, 6, 32 and 33 cell by cell).
TEST_F(ParadeTest, EachStandardPieceIsShownAtItsFourTurnsInTheBoxColour)
{
    queue({drawFor(2), drawFor(3)});
    loadAt(1);
    tickParade(4);
    for (int tick = 5; tick <= 32; ++tick) {
        tickParade();
        EXPECT_EQ(f().piece, (tick - 5) / 4 + 1) << tick;
        EXPECT_EQ(f().turn, (tick - 5) % 4 + 1) << tick;
        const std::string box = boxText();
        EXPECT_EQ(std::count(box.begin(), box.end(), 'b'), 4) << tick;
    }
}

TEST_F(ParadeTest, PauseDuringTheParadeHoldsItAndResumeContinuesIt)
{
    queue({drawFor(2), drawFor(3)});
    loadAt(1);
    tickParade(6);
    program.keyDown(80);
    tickParade(10);
    EXPECT_EQ(f().piece, 1);
    EXPECT_EQ(f().turn, 2);
    program.clickPause();
    EXPECT_FALSE(c().Pause.Visible);
    EXPECT_EQ(runParade(), 27);
}

// After a restart the parade goes on from the last game's piece (5 at turn 1) to piece 7 at turn 4.
TEST_F(ParadeTest, RestartParadesTheRestOfTheStandardPieces)
{
    endGameAndRestart(5);
    queue({drawFor(6), drawFor(7)});
    EXPECT_EQ(runParade(), 12);
    EXPECT_EQ(f().piece, 6);
}

TEST_F(ParadeTest, BestScoreOfZeroShowsSixZerosAfterARestart)
{
    endGameAndRestart(5);
    f().hiscore = LooseValue::text("000000");
    c().Command1.Visible = true;
    queue({drawFor(1)});
    program.clickGameOver();
    EXPECT_EQ(c().hscorelabel.Caption, "HiScore:000000");
}

TEST_F(ParadeTest, RestartAfterALargePieceBeginsAtTheFirstParadeTick)
{
    startPlay(4, 4, 1);
    queue({drawFor(1)});
    f().nextpiece = 12;
    drawRows(2, {"7........."}); // cell 26: the first Intense step (a = 0.45) lands at once
    tickPlay();
    ASSERT_EQ(f().piece, 12);
    program.clickGameOver();
    EXPECT_FALSE(c().Level.Visible);
    queue({drawFor(3), drawFor(4)});
    tickParade();
    EXPECT_EQ(c().Timer2.Interval, 0);
    EXPECT_EQ(c().Timer1.Interval, 50);
    EXPECT_EQ(f().piece, 3);
}

TEST_F(ParadeTest, IntenseShowsTheLevelLabelOnlyAtTheFirstLoad)
{
    startPlay(4, 4, 2);
    EXPECT_TRUE(c().Level.Visible);
    queue({drawFor(1)});
    drawRows(2, {"7........."});
    tickPlay();
    program.clickGameOver();
    EXPECT_FALSE(c().Level.Visible);
    program.scrollTo(4);
    program.clickGo();
    EXPECT_EQ(program.module1.difficulty, 4);
    EXPECT_FALSE(c().Level.Visible);
    EXPECT_FALSE(program.form2.Visible);
}

TEST_F(ParadeTest, GoAfterARestartChangesTheSpeedFromTheNextPieceOn)
{
    endGameAndRestart(5);
    queue({drawFor(3), drawFor(1)});
    runParade();
    ASSERT_EQ(f().speed, 1.0f);
    program.scrollTo(1);
    program.clickGo();
    EXPECT_EQ(program.module1.difficulty, 1);
    EXPECT_FALSE(program.form2.Visible);
    tickPlay();
    EXPECT_EQ(f().down, -3.0f); // the running piece keeps 1.0
    queue({drawFor(2)});
    tickPlay(19);
    EXPECT_EQ(f().piece, 1);
    EXPECT_EQ(f().speed, 0.3f);
    EXPECT_FALSE(c().Level.Visible);
}

TEST_F(ParadeTest, WithoutAChoiceAHurriedSpeedStaysForEveryLaterPiece)
{
    endGameAndRestart(5);
    queue({drawFor(3), drawFor(1)});
    program.clickGameOver(); // not shown: nothing happens
    runParade();
    f().speed = 0.3f; // as if the last game had been at "Easy"
    program.keyDown(40);
    queue({drawFor(2), drawFor(2)});
    tickPlay(20);
    EXPECT_EQ(f().piece, 1);
    EXPECT_EQ(f().speed, 1.0f);
    EXPECT_EQ(f().nextpiece, 2.0f); // drawn from the seven standard pieces
}

} // namespace
} // namespace blokko::test
