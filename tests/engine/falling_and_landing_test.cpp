// The play tick: the piece falls by `speed`, is drawn at its fractional row and lands on the first
// occupied cell below one of its cells.

#include <gtest/gtest.h>

#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class FallingTest : public ::testing::Test, public EngineHarness { };

TEST_F(FallingTest, NewPieceAtEasyFallsToMinusThreePointSevenAndStaysDrawnAboveTheWell)
{
    startPlay(1, 3, 1);
    ASSERT_EQ(f().down, -4.0f);
    tickPlay();
    EXPECT_EQ(f().down, -4.0f + 0.3f);
    EXPECT_FALSE(f().landed);
    // Piece 3 lies in box row 4 at a = 0.3: drawn in well row 0, columns 4 to 7.
    EXPECT_EQ(boxText(), "............3333");
    const float top = 292.0f * (4.0f + (-4.0f + 0.3f)) + 50.0f;
    EXPECT_EQ(c().Shape1[13].Top, top);
    EXPECT_EQ(c().Shape1[13].Left, 292.0f * 4 + 50);
    EXPECT_EQ(c().Shape1[16].Left, 292.0f * 7 + 50);
}

TEST_F(FallingTest, CellInOrAboveTheTopWallTestsCell26AndLandsAtOnceWhenItIsOccupied)
{
    startPlay(1, 3, 1);
    queue({drawFor(2)});
    wellCell(2, 1).Visible = true; // cell 26
    ASSERT_EQ(c().Shape2[26].Visible, true);
    tickPlay();
    EXPECT_TRUE(f().landed);
    // Fixed in the top wall row: the game is over.
    EXPECT_EQ(wellRowText(0), "####3333####");
    EXPECT_TRUE(c().Command1.Visible);
    EXPECT_EQ(c().Timer1.Interval, 0);
}

TEST_F(FallingTest, CellInTheTopWallRowIgnoresTheCellDirectlyBelowIt)
{
    startPlay(1, 3, 1);
    drawRows(1, {"...3333..."}); // directly below the piece's whole row 0
    tickPlay();
    EXPECT_FALSE(f().landed);
}

TEST_F(FallingTest, SumThatMissesAWholeValueLandsOneTickLater)
{
    // After 20 Easy ticks down is 1.99999952, not 2: box row 4 stands in whole row 5 and tests row 6.
    startPlay(1, 3, 1);
    queue({drawFor(2)});
    drawRows(7, {"...1......"});
    float down = -4.0f;
    for (int i = 0; i < 20; ++i)
        down += 0.3f;
    ASSERT_EQ(Int(4.0f + down), 5);
    tickPlay(20);
    EXPECT_FALSE(f().landed);
    tickPlay();
    EXPECT_TRUE(f().landed);
    EXPECT_EQ(rowsText(6, 7), (std::vector<std::string>{"...3333...", "...1......"}));
}

TEST_F(FallingTest, CellAtNineteenPointNineFallsOnOverAnEmptyRowTwenty)
{
    startPlay(1, 3, 1);
    placePiece(3, 1, 3, 15.9f - 0.3f); // one Easy step puts box row 4 at a = 19.9
    tickPlay();
    EXPECT_EQ(Int(4.0f + f().down), 19);
    EXPECT_FALSE(f().landed);
}

TEST_F(FallingTest, HardPieceMovesAWholeRowPerTickAndLandsWithItsCellInRowTwenty)
{
    startPlay(3, 4, 1);
    queue({drawFor(2)});
    tickPlay(19);
    EXPECT_EQ(f().down, 15.0f);
    EXPECT_FALSE(f().landed);
    tickPlay();
    EXPECT_EQ(bottomText(3), (std::vector<std::string>{"..........", "....4.....", "...444...."}));
    EXPECT_EQ(f().piece, 1);
    EXPECT_EQ(f().down, -4.0f);
}

TEST_F(FallingTest, LandingFindsTheBlockBelowWhileTheDrawingOverlapsIt)
{
    // Medium: 0.6 a tick. The block in row 12 stops box row 4 once its whole row is 11, drawn up to 0.6 into 12.
    startPlay(2, 3, 1);
    queue({drawFor(2)});
    drawRows(12, {"......6..."});
    float down = -4.0f;
    int ticks = 0;
    do {
        down += 0.6f;
        ++ticks;
    } while (Int(4.0f + down) < 11);
    tickPlay(ticks - 1);
    EXPECT_FALSE(f().landed);
    tickPlay();
    EXPECT_EQ(rowsText(11, 12), (std::vector<std::string>{"...3333...", "......6..."}));
}

TEST_F(FallingTest, PieceZeroIsNeverDrawnAndNeverLands)
{
    loadAt(1);
    placePiece(0, 1, 3, 19);
    f().speed = 1;
    f().drop();
    EXPECT_EQ(boxText(), "................");
    EXPECT_FALSE(f().landed);
}

TEST_F(FallingTest, LandedStaysTrueThroughStackAndChangeUntilTheNextDrop)
{
    startPlay(3, 3, 1);
    queue({drawFor(2)});
    tickPlay(20);
    EXPECT_TRUE(f().landed);
    EXPECT_EQ(f().down, -4.0f); // change has run
    tickPlay();
    EXPECT_FALSE(f().landed);
}

// Every box cell is drawn again from the piece and its turn, empty ones hidden: piece 4 turned once
// points right; the square fills the same cells at every turn; the plus moves inside the box; the bar
// lies in row 4, column 1, row 1 and column 4.
TEST_F(FallingTest, BoxCellsFollowThePieceAndItsTurn)
{
    loadAt(1);
    const struct {
        int piece;
        int turn;
        const char* box;
    } cases[] = {{4, 2, "b...bb..b......."}, {5, 1, ".....bb..bb....."}, {5, 2, ".....bb..bb....."},
        {5, 3, ".....bb..bb....."}, {5, 4, ".....bb..bb....."}, {16, 1, ".....b..bbb..b.."},
        {16, 3, "..b..bbb..b....."}, {3, 1, "............bbbb"}, {3, 2, "b...b...b...b..."}, {3, 3, "bbbb............"},
        {3, 4, "...b...b...b...b"}};
    for (const auto& expected : cases) {
        placePiece(expected.piece, expected.turn, 3, 5);
        f().drop();
        EXPECT_EQ(boxText(), expected.box) << "piece " << expected.piece << " turn " << expected.turn;
    }
}

// A drawn cell below the floor (well row 21 or lower) finds nothing in the well below it and counts
// as resting: play never gets there, the landing test must not read past the last well cell.
TEST_F(FallingTest, CellBelowTheFloorCountsAsResting)
{
    loadAt(1);
    placePiece(3, 1, 3, 17.5f);
    f().speed = 0;
    f().drop();
    EXPECT_EQ(Int(4.0f + f().down), 21);
    EXPECT_TRUE(f().landed);
}

} // namespace
} // namespace blokko::test
