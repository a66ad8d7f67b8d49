// `stack`: the shown box cells are fixed into the well cells they stand on, the piece is counted and
// scored, and a cell fixed in the top wall row ends the game.

#include <gtest/gtest.h>

#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class LockingTest : public ::testing::Test, public EngineHarness { };

TEST_F(LockingTest, PieceWhoseHighestCellIsInRowOneDoesNotEndTheGame)
{
    startPlay(3, 4, 1);
    queue({drawFor(2)});
    drawRows(3, {"...7......"});
    tickPlay(2);
    EXPECT_EQ(rowsText(1, 3), (std::vector<std::string>{"....4.....", "...444....", "...7......"}));
    EXPECT_EQ(wellRowText(0), "############");
    EXPECT_FALSE(c().Command1.Visible);
    EXPECT_EQ(c().Timer1.Interval, 50);
}

TEST_F(LockingTest, CellFixedInTheTopWallRowEndsTheGameForGoodWithTheButtonCentred)
{
    startPlay(3, 4, 2);
    queue({drawFor(5)});
    drawRows(2, {"...7......"});
    tickPlay();
    EXPECT_EQ(wellRowText(0), "#####4######"); // the wall cell takes the piece's look
    EXPECT_EQ(rowsText(1, 2), (std::vector<std::string>{"...444....", "...7......"}));
    EXPECT_TRUE(c().Command1.Visible);
    // 6300 / 2 - 2655 / 2 and 6480 / 2 - 2175 / 2
    EXPECT_EQ(c().Command1.Left, 1822.5f);
    EXPECT_EQ(c().Command1.Top, 2152.5f);
    EXPECT_EQ(c().Timer1.Interval, 0);
    EXPECT_EQ(c().piecelabel.Caption, "Blocks:0001");
    EXPECT_EQ(c().scorelabel.Caption, "Score:000010");
    // change still prepares the next piece, which never falls, not even after a pause and a resume.
    EXPECT_EQ(f().piece, 2);
    EXPECT_EQ(f().nextpiece, 5.0f);
    program.keyDown(80);
    program.clickPause();
    EXPECT_TRUE(c().Timer1.Enabled);
    EXPECT_EQ(c().Timer1.Interval, 0);
    tickPlay(5);
    EXPECT_EQ(f().down, -4.0f);
}

TEST_F(LockingTest, GameEndingPieceStillCompletesRowsAndCellsAboveTheWellAreDropped)
{
    startPlay(1, 3, 1);
    queue({drawFor(2)});
    drawRows(2, {"777.777777", "...7......"});
    placePiece(3, 2, 3, -2.0f); // upright in column 4, box rows 1 to 4 in well rows -1 to 2
    f().speed = 0;
    tickPlay();
    EXPECT_EQ(wellRowText(0), "####3#######");
    EXPECT_EQ(rowsText(1, 3), (std::vector<std::string>{"...3......", "...3......", "...7......"}));
    EXPECT_EQ(c().scorelabel.Caption, "Score:000110");
    EXPECT_EQ(c().rowslabel.Caption, "Rows:001");
    EXPECT_EQ(c().piecelabel.Caption, "Blocks:0001");
    EXPECT_TRUE(c().Command1.Visible);
    EXPECT_EQ(c().Timer1.Interval, 0);
}

// Piece 1 landing at once at Easy: box row 3 stands above the well (cell number -5); it ends the game
// and is not written anywhere, neither into the well nor into the cells around it.
TEST_F(LockingTest, ShownCellAboveTheWellTouchesNoCellButEndsTheGame)
{
    startPlay(1, 1, 1);
    c().Shape2[26].Visible = true;
    const std::string preview = previewText();
    f().drop();
    ASSERT_TRUE(f().landed);
    const std::string box = boxText();
    const int wellBefore = shownWellCells();
    f().stack();
    EXPECT_EQ(wellRowText(0), "####111#####");
    EXPECT_EQ(shownWellCells(), wellBefore); // the three row-0 cells were wall already
    EXPECT_EQ(previewText(), preview);
    for (std::size_t k = 1; k <= 16; ++k) {
        EXPECT_EQ(lookChar(c().Shape3[k]), k == 11 || (k >= 13 && k <= 15) ? '1' : 'g') << k;
    }
    EXPECT_EQ(boxText(), box);
    EXPECT_TRUE(c().Command1.Visible);
    EXPECT_EQ(c().Timer1.Interval, 0);
}

TEST_F(LockingTest, HiddenBoxCellsOverTheWallAreIgnored)
{
    startPlay(3, 3, 1);
    queue({drawFor(2)});
    placePiece(4, 1, 7, 15.0f); // box column 4 stands on the right wall, empty
    tickPlay();
    EXPECT_EQ(bottomText(2), (std::vector<std::string>{"........3.", ".......333"})); // coloured as piece 3
    EXPECT_EQ(wellRowText(20), "#.......333#");
    EXPECT_EQ(shownWellCells(), 64 + 4);
}

TEST_F(LockingTest, TenThousandthPieceShowsBlocksZero)
{
    startPlay(3, 3, 1);
    queue({drawFor(2)});
    f().blocks = "9999";
    tickPlay(20);
    EXPECT_EQ(c().piecelabel.Caption, "Blocks:0000");
}

} // namespace
} // namespace blokko::test
