// The player's keys: shifts and turns tested by `verified` and undone on overlap, the hurry key and
// the pause key.

#include <gtest/gtest.h>

#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

constexpr int LeftKey = 37;
constexpr int UpKey = 38;
constexpr int RightKey = 39;
constexpr int DownKey = 40;
constexpr int AKey = 65;
constexpr int PKey = 80;
constexpr int SKey = 83;

class MovesTest : public ::testing::Test, public EngineHarness {
protected:
    void press(int key) { program.keyDown(key); }
};

TEST_F(MovesTest, RightIsAcceptedWhenRowTenBelowTheShiftedPieceIsFree)
{
    startPlay(1, 3, 1);
    placePiece(3, 1, 2, 5.5f);
    c().Shape2[124].Visible = true; // row 10, column 3: left behind by the shift
    c().Shape2[129].Visible = true; // row 10, column 8: beside it
    press(RightKey);
    EXPECT_EQ(f().blocked, 0);
    EXPECT_EQ(f().across, 3);
}

TEST_F(MovesTest, OverhangingBlockInTheSameRowDoesNotRefuseAShift)
{
    startPlay(1, 3, 1);
    placePiece(3, 1, 2, 5.5f);
    drawRows(9, {"......3...", ".........."}); // beside the piece's whole row 9, nothing below it
    press(RightKey);
    EXPECT_EQ(f().across, 3);
}

TEST_F(MovesTest, WallCellsAloneStopShiftsAtColumnsOneAndTen)
{
    startPlay(1, 3, 1);
    for (int i = 0; i < 4; ++i)
        press(LeftKey);
    EXPECT_EQ(f().across, 0); // columns 1 to 4
    EXPECT_EQ(f().blocked, -1);
    for (int i = 0; i < 8; ++i)
        press(RightKey);
    EXPECT_EQ(f().across, 6); // columns 7 to 10
    EXPECT_EQ(f().blocked, -1);
}

TEST_F(MovesTest, PieceWithACellInBoxRowThreeCanShiftOnlyOnceDownReachesMinusThree)
{
    // At down = -4 box row 3 is tested against the top wall row.
    startPlay(1, 4, 1);
    press(LeftKey);
    EXPECT_EQ(f().across, 3);
    float down = -4.0f;
    int ticks = 0;
    while (down < -3.0f) {
        down += 0.3f;
        ++ticks;
    }
    tickPlay(ticks - 1);
    press(LeftKey);
    EXPECT_EQ(f().across, 3);
    tickPlay();
    press(LeftKey);
    EXPECT_EQ(f().across, 2);
}

TEST_F(MovesTest, ShiftTestUsesTheFloatSumOfDownNotTheDecimalOne)
{
    // Ten Easy steps leave down at -1.00000048, so floor(down) is -2 and box row 4 tests row 3.
    startPlay(1, 3, 1);
    tickPlay(10);
    ASSERT_EQ(Int(f().down), -2);
    drawRows(4, {".......1.."});
    press(RightKey);
    EXPECT_EQ(f().across, 4);
    drawRows(3, {".......1.."});
    press(RightKey);
    EXPECT_EQ(f().across, 4);
}

TEST_F(MovesTest, TurnsStepForwardAndBackWithWrapAround)
{
    startPlay(3, 6, 1);
    tickPlay(6); // down = 2: every box row inside the well
    press(AKey);
    EXPECT_EQ(f().turn, 2);
    press(AKey);
    press(AKey);
    EXPECT_EQ(f().turn, 4);
    press(AKey);
    EXPECT_EQ(f().turn, 1);
    press(SKey);
    EXPECT_EQ(f().turn, 4);
    press(SKey);
    EXPECT_EQ(f().turn, 3);
}

TEST_F(MovesTest, FourTurnsInOneDirectionDrawTheFirstPositionAgain)
{
    startPlay(3, 7, 1);
    tickPlay(6);
    const std::string first = boxText();
    for (int i = 0; i < 4; ++i)
        press(SKey);
    f().speed = 0;
    tickPlay();
    EXPECT_EQ(boxText(), first);
}

TEST_F(MovesTest, TurnNextToTheWallIsRefusedWithoutSidewaysAdjustment)
{
    startPlay(1, 3, 1);
    placePiece(3, 2, 9, 5.0f); // upright in well column 10
    press(AKey); // turn 3 would lie in columns 10 to 13
    EXPECT_EQ(f().turn, 2);
    EXPECT_EQ(f().across, 9);
    f().across = 6;
    press(AKey);
    EXPECT_EQ(f().turn, 3);
}

TEST_F(MovesTest, DownAtHardNeitherScoresNorChangesAnything)
{
    startPlay(3, 3, 1);
    press(DownKey);
    EXPECT_EQ(f().score.numeric(), 0);
    EXPECT_EQ(f().speed, 1.0f);
}

TEST_F(MovesTest, DownDuringTheParadeScoresWhileSpeedIsBelowOne)
{
    loadAt(2);
    program.tick(TimerId::Timer2);
    press(DownKey);
    EXPECT_EQ(f().score.numeric(), 5);
    EXPECT_EQ(f().speed, 1.0f);
}

TEST_F(MovesTest, PPausesEveryTimerAndASecondPChangesNothing)
{
    startPlay(1, 3, 1);
    press(PKey);
    EXPECT_TRUE(c().Pause.Visible);
    EXPECT_FALSE(c().Timer1.Enabled);
    EXPECT_FALSE(c().Timer2.Enabled);
    EXPECT_FALSE(c().Timer3.Enabled);
    press(PKey);
    EXPECT_TRUE(c().Pause.Visible);
    EXPECT_FALSE(c().Timer1.Enabled);
    tickPlay(3);
    EXPECT_EQ(f().down, -4.0f);
    program.clickPause();
    tickPlay();
    EXPECT_EQ(f().down, -4.0f + 0.3f);
}

TEST_F(MovesTest, OtherKeysDoNothing)
{
    startPlay(1, 3, 1);
    tickPlay(10);
    const int across = f().across;
    const int turn = f().turn;
    const float speed = f().speed;
    for (int key : {UpKey, 32, 13, 97, 115})
        press(key);
    EXPECT_EQ(f().across, across);
    EXPECT_EQ(f().turn, turn);
    EXPECT_EQ(f().speed, speed);
    EXPECT_FALSE(c().Pause.Visible);
}

// The worked example of a box hanging below the floor: piece 3 turned to lie in box row 1 falls until
// its cells are in row 19; turning it upright would test rows 20 to 23, two of them past the floor.
TEST_F(MovesTest, TurnOfABoxHangingBelowTheFloorIsRefused)
{
    startPlay(3, 3, 1);
    queue({drawFor(2)});
    tickPlay(3); // down = -1
    press(AKey);
    press(AKey);
    ASSERT_EQ(f().turn, 3);
    tickPlay(19);
    ASSERT_EQ(f().down, 18.0f);
    press(AKey);
    EXPECT_EQ(f().turn, 3);
    EXPECT_EQ(f().blocked, -1);
    press(SKey);
    EXPECT_EQ(f().turn, 3);
    tickPlay();
    EXPECT_EQ(bottomText(2), (std::vector<std::string>{"..........", "...3333..."}));
}

TEST_F(MovesTest, TestedCellPastTheLastWellCellCountsAsOccupied)
{
    startPlay(1, 3, 1);
    placePiece(3, 1, 3, 18.0f); // box row 4 tests row 23: cells 281 to 284
    f().verified();
    EXPECT_EQ(f().blocked, -1);
    EXPECT_TRUE(f().wellOccupied(265));
    EXPECT_TRUE(f().wellOccupied(264));
}

TEST_F(MovesTest, NegativeIndexTestsTheTopLeftCornerAndIndexZeroIsFree)
{
    startPlay(1, 3, 1);
    f().patterns[3][4] = "0001"; // a one-cell piece in box cell (4, 4)
    placePiece(3, 1, 7, -6.0f); // tested row -1, column 11: index 0
    f().verified();
    EXPECT_EQ(f().blocked, 0);
    EXPECT_FALSE(f().wellOccupied(0));
    f().across = 6; // index -1 becomes 1
    f().verified();
    EXPECT_EQ(f().blocked, -1);
}

TEST_F(MovesTest, FilledCellTestFindsNoCharacterOutsideThePatternTable)
{
    startPlay(1, 3, 1);
    EXPECT_EQ(f().patternChar(3, 4, 1), '1');
    EXPECT_EQ(f().patternChar(3, 4, 0), 0);
    EXPECT_EQ(f().patternChar(3, 4, 5), 0);
    EXPECT_EQ(f().patternChar(3, -1, 1), 0);
    EXPECT_EQ(f().patternChar(3, 11, 1), 0);
    EXPECT_EQ(f().patternChar(0, 4, 1), 0);
}

TEST_F(MovesTest, TurnOutsideOneToFourKeepsTheLastPatternPositionAndDrawsNothingAtPositionZero)
{
    startPlay(1, 3, 1);
    placePiece(3, 0, 3, 5.0f);
    f().prow = 4;
    f().pcol = 0;
    f().speed = 0;
    f().drop();
    EXPECT_EQ(boxText(), "................");
    EXPECT_EQ(f().prow, 4);
    f().verified();
    EXPECT_EQ(f().blocked, 0);
}

TEST_F(MovesTest, TurnBackBeforeTheFirstParadeTickLengthensTheParadeByOneTick)
{
    queue({drawFor(1), drawFor(1)});
    loadAt(1);
    press(SKey);
    EXPECT_EQ(f().turn, -1);
    program.tick(TimerId::Timer2);
    EXPECT_EQ(f().turn, 0);
    EXPECT_EQ(boxText(), "................");
    EXPECT_EQ(runParade(), 33);
}

} // namespace
} // namespace blokko::test
