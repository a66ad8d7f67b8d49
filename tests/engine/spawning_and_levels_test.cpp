// `change`: the waiting piece starts falling at its start position with its colours, the difficulty's
// speed is set, the "Intense" level follows the score and a new next piece is drawn.

#include <gtest/gtest.h>

#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class SpawningTest : public ::testing::Test, public EngineHarness { };

TEST_F(SpawningTest, SpeedFollowsTheDifficulty)
{
    const float speeds[] = {0.3f, 0.6f, 1.0f, 0.45f};
    for (int difficulty = 1; difficulty <= 4; ++difficulty) {
        QueuedRandom source;
        Program fresh(source);
        source.push(drawFor(1));
        source.push(drawFor(2));
        fresh.scrollTo(difficulty);
        fresh.clickGo();
        for (int i = 0; i < 33; ++i)
            fresh.tick(TimerId::Timer2);
        EXPECT_EQ(fresh.form1.speed, speeds[difficulty - 1]) << "difficulty " << difficulty;
        EXPECT_EQ(fresh.form1.piece, 1);
        EXPECT_EQ(fresh.form1.nextpiece, 2.0f);
    }
}

TEST_F(SpawningTest, NewPieceStartsAtAcrossThreeDownMinusFourTurnOneWithItsBoxHiddenAndColoured)
{
    startPlay(3, 2, 6);
    queue({drawFor(4)});
    program.keyDown(39);
    program.keyDown(39);
    tickPlay(5);
    program.keyDown(65);
    ASSERT_EQ(f().turn, 2);
    f().change();
    EXPECT_EQ(f().piece, 6);
    EXPECT_EQ(f().nextpiece, 4.0f);
    EXPECT_EQ(f().across, 3);
    EXPECT_EQ(f().down, -4.0f);
    EXPECT_EQ(f().turn, 1);
    EXPECT_EQ(f().row, 17);
    for (std::size_t k = 1; k <= 16; ++k) {
        EXPECT_FALSE(c().Shape1[k].Visible);
        EXPECT_EQ(c().Shape1[k].FillStyle, 6);
        EXPECT_EQ(c().Shape1[k].BackColor, RGB(180, 30, 150));
    }
}

TEST_F(SpawningTest, LargerPiecesTakeTheColoursOfTheStandardOnes)
{
    startPlay(4, 1, 1);
    const struct {
        int piece;
        int fill;
        Colour colour;
    } looks[] = {
        {1, 1, RGB(30, 180, 150)},
        {7, 7, RGB(210, 0, 150)},
        {8, 1, RGB(30, 180, 150)},
        {12, 5, RGB(150, 60, 150)},
        {14, 7, RGB(210, 0, 150)},
        {15, 1, RGB(30, 180, 150)},
        {16, 2, RGB(60, 150, 150)},
    };
    for (const auto& look : looks) {
        queue({0.0f});
        f().nextpiece = static_cast<float>(look.piece);
        f().change();
        EXPECT_EQ(c().Shape1[1].FillStyle, look.fill) << "piece " << look.piece;
        EXPECT_EQ(c().Shape1[1].BackColor, look.colour) << "piece " << look.piece;
    }
}

TEST_F(SpawningTest, EasyDrawsFromTheSevenStandardPiecesAndLeavesTheLevelLabel)
{
    startPlay(1, 3, 1);
    queue({0.99999994f});
    f().score = LooseValue::text("025000");
    f().change();
    EXPECT_EQ(f().nextpiece, 7.0f);
    EXPECT_EQ(f().level, 0);
    EXPECT_EQ(c().Level.Caption, "Level 0");
    EXPECT_FALSE(c().Level.Visible);
}

struct LevelCase {
    int score;
    int previous;
    int level;
};

class LevelTest : public ::testing::TestWithParam<LevelCase>, public EngineHarness { };

TEST_P(LevelTest, IntenseLevelFollowsTheScoreWithStrictBounds)
{
    const LevelCase& expected = GetParam();
    startPlay(4, 1, 1);
    f().level = static_cast<std::int16_t>(expected.previous);
    f().score = LooseValue::text(advanceCounter(expected.score, 0, 6));
    queue({0.99999994f});
    f().change();
    EXPECT_EQ(f().level, expected.level);
    EXPECT_EQ(c().Level.Caption, "Level " + std::to_string(expected.level));
    // The largest draw picks the last piece the level allows.
    EXPECT_EQ(f().nextpiece, static_cast<float>(expected.level + 7));
}

INSTANTIATE_TEST_SUITE_P(Bounds, LevelTest,
    ::testing::Values(LevelCase{0, 3, 0}, LevelCase{490, 3, 0}, LevelCase{500, 3, 3}, LevelCase{510, 3, 1},
        LevelCase{990, 0, 1}, LevelCase{1000, 1, 1}, LevelCase{1010, 1, 2}, LevelCase{2000, 7, 7},
        LevelCase{2010, 0, 3}, LevelCase{3000, 0, 0}, LevelCase{3010, 0, 4}, LevelCase{5000, 2, 2},
        LevelCase{5010, 0, 5}, LevelCase{7500, 4, 4}, LevelCase{7510, 0, 6}, LevelCase{10000, 5, 5},
        LevelCase{10010, 0, 7}, LevelCase{15000, 6, 6}, LevelCase{15010, 0, 8}, LevelCase{20000, 1, 1},
        LevelCase{20010, 0, 9}, LevelCase{999990, 0, 9}));

TEST_F(SpawningTest, IntenseHurryBonusCountsTowardsTheLevel)
{
    // A score that still holds the hurry bonus counts by its numeric value.
    startPlay(4, 1, 1);
    f().level = 2;
    f().score = LooseValue::number(505);
    queue({0.0f});
    f().change();
    EXPECT_EQ(f().level, 1);
}

TEST_F(SpawningTest, IntenseAtLevelNineDrawsFromAllSixteenPieces)
{
    startPlay(4, 1, 1);
    f().score = LooseValue::text("020010");
    queue({0.99999994f, 0.0f, 15.5f / 16.0f});
    f().change();
    EXPECT_EQ(f().nextpiece, 16.0f);
    f().change();
    EXPECT_EQ(f().nextpiece, 1.0f);
    f().change();
    EXPECT_EQ(f().nextpiece, 16.0f);
}

} // namespace
} // namespace blokko::test
