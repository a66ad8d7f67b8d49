// Removing full rows (rows 2 to 20), the score, rows and best-score counters.

#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class RowsTest : public ::testing::Test, public EngineHarness {
protected:
    void SetUp() override
    {
        queue({drawFor(3), drawFor(1)});
        loadAt(3);
        runParade();
    }
};

TEST_F(RowsTest, RowsNineteenAndTwentyAreBothRemovedAndRowOneIsDuplicated)
{
    drawRows(1, {"1........."});
    drawRows(17, {"..2.......", "...3......", "4444444444", "5555555555"});
    f().checkrow();
    EXPECT_EQ(rowsText(1, 4), (std::vector<std::string>{"1.........", "1.........", "1.........", ".........."}));
    EXPECT_EQ(bottomText(3), (std::vector<std::string>{"..........", "..2.......", "...3......"}));
    EXPECT_EQ(f().rows.joined(), "002");
    EXPECT_EQ(c().rowslabel.Caption, "Rows:002");
    EXPECT_EQ(c().scorelabel.Caption, "Score:000200");
}

TEST_F(RowsTest, RowsEighteenAndTwentyAreRemovedAndRowNineteenEndsInRowTwenty)
{
    drawBottom({"..6.......", "7777777777", "1.1.1.1.1.", "2222222222"});
    f().checkrow();
    EXPECT_EQ(bottomText(4), (std::vector<std::string>{"..........", "..........", "..6.......", "1.1.1.1.1."}));
    EXPECT_EQ(c().rowslabel.Caption, "Rows:002");
}

TEST_F(RowsTest, RowWithOneHoleInItsFirstOrLastColumnStays)
{
    const std::vector<std::string> well{".333333333", "333333333.", "33333.3333"};
    drawBottom(well);
    f().checkrow();
    EXPECT_EQ(bottomText(3), well);
    EXPECT_EQ(c().rowslabel.Caption, "Rows:000");
    EXPECT_EQ(c().scorelabel.Caption, "Score:000000");
}

TEST_F(RowsTest, FullRowOneIsNeverRemovedByItself)
{
    drawRows(1, {"6666666666"});
    f().checkrow();
    EXPECT_EQ(rowsText(1, 2), (std::vector<std::string>{"6666666666", ".........."}));
    EXPECT_EQ(f().score.joined(), "000000");
}

TEST_F(RowsTest, EachRemovedRowIsTenStepsOfTen)
{
    f().score = LooseValue::text("000120");
    drawBottom({"5555555555"});
    f().temp = 20;
    f().deleterow();
    EXPECT_EQ(c().scorelabel.Caption, "Score:000220");
    EXPECT_EQ(f().row, 1); // the scan of checkrow starts again at row 2
}

TEST_F(RowsTest, ScoreAfter999990IsZeroAndTheBestScoreStays)
{
    f().score = LooseValue::text("999990");
    f().hiscore = LooseValue::text("999990");
    f().addscore();
    EXPECT_EQ(c().scorelabel.Caption, "Score:000000");
    EXPECT_EQ(c().hscorelabel.Caption, "HiScore:999990");
}

TEST_F(RowsTest, EqualScoreLeavesTheBestScoreAndAHigherOneReplacesIt)
{
    f().score = LooseValue::text("000040");
    f().hiscore = LooseValue::text("000050");
    f().addscore();
    EXPECT_EQ(f().hiscore.joined(), "000050");
    f().addscore();
    EXPECT_EQ(f().hiscore.joined(), "000060");
    EXPECT_EQ(c().hscorelabel.Caption, "HiScore:000060");
}

TEST_F(RowsTest, RowsCounterAfter999IsZero)
{
    f().rows = LooseValue::text("999");
    drawBottom({"2222222222"});
    f().checkrow();
    EXPECT_EQ(c().rowslabel.Caption, "Rows:000");
}

TEST_F(RowsTest, FirstStepOfTheProgramRunSetsTheBestScore)
{
    ASSERT_TRUE(f().hiscore.isEmpty());
    f().addscore();
    EXPECT_EQ(f().hiscore.joined(), "000010");
    EXPECT_EQ(c().hscorelabel.Caption, "HiScore:000010");
}

TEST_F(RowsTest, PartlyFilledRowOneStaysAfterARemoval)
{
    drawRows(1, {"666666666."});
    drawBottom({"2222222222"});
    f().checkrow();
    EXPECT_EQ(rowsText(1, 2), (std::vector<std::string>{"666666666.", "666666666."}));
}

// A full row 1 copied into row 2 by a removal would be found full again after every removal and the
// scan would never end. The removal runs first in a child that an alarm ends, so that such a scan fails
// in seconds instead of hanging the suite; then here, where its result is read.
using RowsDeathTest = RowsTest;

TEST_F(RowsDeathTest, FullRowOneIsEmptiedWhenARemovalCopiesItDown)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    drawRows(1, {"6666666666"});
    drawBottom({"3.........", "2222222222"});
    ASSERT_EXIT(
        {
            std::signal(SIGALRM, SIG_DFL); // whatever the runner left, the alarm ends the child
            alarm(5);
            f().checkrow();
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "")
        << "the removal with a full row 1 never ended";
    f().checkrow();
    EXPECT_EQ(rowsText(1, 3), emptyRows(3));
    EXPECT_EQ(bottomText(1), (std::vector<std::string>{"3........."}));
    EXPECT_EQ(c().rowslabel.Caption, "Rows:002");
    EXPECT_EQ(c().scorelabel.Caption, "Score:000200");
}

} // namespace
} // namespace blokko::test
