// The game window as each load builds it: the cell size, the window size, the well and its wall,
// the box cells and the centred side panel.

#include <gtest/gtest.h>

#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class LayoutTest : public ::testing::Test, public EngineHarness {
protected:
    void SetUp() override { loadAt(1); }
};

TEST_F(LayoutTest, CellIs292AndTheWindow6424By6874)
{
    EXPECT_EQ(f().cell, 292.0f);
    EXPECT_EQ(c().Width, 6424.0f);
    EXPECT_EQ(c().Height, 6874.0f);
    EXPECT_EQ(c().ScaleWidth(), 6300.0f);
    EXPECT_EQ(c().ScaleHeight(), 6480.0f);
    EXPECT_EQ(c().Shape1[0].Width, 292.0f);
    EXPECT_EQ(c().Shape2[0].Height, 292.0f);
    EXPECT_EQ(c().Shape3[0].Width, 1575.0f / 4); // the preview's own size
}

TEST_F(LayoutTest, CellSizeComesFromTheDesignedInnerWidth)
{
    // Sized again from a window of another inner width: 5859 still gives 292, 5860 gives 293.
    c().Width = 5859 + Form1FrameWidth;
    f().sizing();
    EXPECT_EQ(f().cell, 292.0f);
    c().Width = 5860 + Form1FrameWidth;
    f().sizing();
    EXPECT_EQ(f().cell, 293.0f);
    EXPECT_EQ(c().Width, 22.0f * 293);
    EXPECT_EQ(c().Height, 22.0f * 293 + 450);
}

TEST_F(LayoutTest, WellCellsStandRowByRowFromTheTopLeft)
{
    EXPECT_EQ(c().Shape2[1].Left, 60.0f);
    EXPECT_EQ(c().Shape2[1].Top, 50.0f);
    EXPECT_EQ(c().Shape2[264].Left, 3272.0f);
    EXPECT_EQ(c().Shape2[264].Top, 6182.0f);
    EXPECT_EQ(c().Shape2[26].Left, 60.0f + 292);
    EXPECT_EQ(c().Shape2[26].Top, 50.0f + 2 * 292);
}

TEST_F(LayoutTest, OnlyTheSixtyFourWallCellsAreShown)
{
    EXPECT_EQ(shownWellCells(), 64);
    EXPECT_FALSE(c().Shape2[14].Visible);
    EXPECT_FALSE(c().Shape2[251].Visible);
    EXPECT_TRUE(c().Shape2[13].Visible);
    EXPECT_TRUE(c().Shape2[24].Visible);
    EXPECT_EQ(wellRowText(0), "############");
    EXPECT_EQ(wellRowText(10), "#..........#");
    EXPECT_EQ(wellRowText(21), "############");
}

TEST_F(LayoutTest, CreatedCellsCopyTheirTemplateAndStartHidden)
{
    for (std::size_t n = 1; n <= 264; ++n) {
        const Cell& cell = c().Shape2[n];
        EXPECT_EQ(cell.Width, 292.0f);
        EXPECT_EQ(cell.Height, 292.0f);
        EXPECT_EQ(cell.BackColor, 0x000000FFu);
        EXPECT_EQ(cell.FillStyle, 7);
        EXPECT_EQ(cell.BorderColor, 0x00FF0000u);
        EXPECT_EQ(cell.BorderWidth, 4);
    }
    for (std::size_t k = 1; k <= 16; ++k) {
        EXPECT_FALSE(c().Shape1[k].Visible);
        EXPECT_EQ(c().Shape1[k].Width, 292.0f);
        EXPECT_EQ(lookChar(c().Shape1[k]), 'b');
        EXPECT_FALSE(c().Shape3[k].Visible);
        EXPECT_EQ(c().Shape3[k].Width, 393.75f);
        EXPECT_EQ(lookChar(c().Shape3[k]), 'g');
    }
}

TEST_F(LayoutTest, WellCellsAreDrawnInFrontOfTheDesignedCellsAndLabels)
{
    EXPECT_GT(c().Shape2[1].z, c().Level.z);
    EXPECT_GT(c().Shape2[264].z, c().Shape2[263].z);
}

TEST_F(LayoutTest, SidePanelIsCentredOnSeventeenCells)
{
    EXPECT_EQ(c().npiece.Left, 4176.5f); // 4964 - 1575 / 2
    EXPECT_EQ(c().backdrop.Left, 4176.5f);
    EXPECT_EQ(c().backdrop.Width, 1575.0f);
    const Control* panel[] = {
        &c().npiece, &c().backdrop, &c().scorelabel, &c().hscorelabel, &c().rowslabel, &c().piecelabel, &c().Level};
    const float tops[] = {120, 1440, 3120, 3720, 4320, 4920, 5520};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(panel[i]->Left + panel[i]->Width / 2, 4964.0f) << i;
        EXPECT_EQ(panel[i]->Top, tops[i]) << i;
    }
    EXPECT_EQ(c().piecelabel.Left, 4964.0f - 832.5f);
    EXPECT_FALSE(c().Level.Visible); // placed although hidden
    EXPECT_EQ(c().Level.Left, 4964.0f - 495);
}

TEST_F(LayoutTest, DesignedCountersAndButtonsBeforePlay)
{
    EXPECT_EQ(c().scorelabel.Caption, "Score:000000");
    EXPECT_EQ(c().hscorelabel.Caption, "HiScore:000000");
    EXPECT_EQ(c().rowslabel.Caption, "Rows:000");
    EXPECT_EQ(c().piecelabel.Caption, "Blocks:0000");
    EXPECT_EQ(c().Level.Caption, "Level 0");
    EXPECT_FALSE(c().Pause.Visible);
    EXPECT_FALSE(c().Command1.Visible);
    EXPECT_EQ(c().Command1.Left, 0.0f);
    EXPECT_EQ(c().Command1.Top, 2400.0f);
    EXPECT_EQ(c().Command1.Width, 2655.0f);
    EXPECT_EQ(c().Command1.Height, 2175.0f);
}

TEST_F(LayoutTest, PreviewShowsPatternsUnturnedAndHiddenCellsKeepTheirPlace)
{
    f().nextpiece = 3;
    f().shownext();
    EXPECT_EQ(previewText(), "............3333");
    const float left = c().Shape3[13].Left;
    f().nextpiece = 5;
    f().turn = 3;
    f().shownext();
    EXPECT_EQ(previewText(), ".....55..55.....");
    EXPECT_EQ(c().Shape3[13].Left, left);
    EXPECT_EQ(lookChar(c().Shape3[13]), '3');
    f().nextpiece = 16;
    f().shownext();
    EXPECT_EQ(previewText(), ".....2..222..2..");
}

// Until "GO!" only the difficulty window exists: ticks, keys and the Pause button find no game window.
TEST(Form2Test, DifficultyWindowOpensOnEasyAndGoStoresTheScrollBar)
{
    QueuedRandom source;
    Program program(source);
    EXPECT_TRUE(program.form2.Visible);
    program.tick(TimerId::Timer2);
    program.keyDown(39);
    program.clickPause();
    EXPECT_FALSE(program.form1.loaded());
    EXPECT_EQ(program.module1.difficulty, 0);
    EXPECT_EQ(program.form2.controls.HScroll1.Min, 1);
    EXPECT_EQ(program.form2.controls.HScroll1.Max, 4);
    EXPECT_EQ(program.form2.controls.Label1.Caption,
        std::string(17, ' ') + "Difficulty Level:" + std::string(18, ' ') + "Easy   Medium   Hard  Intense");
    program.clickGo();
    EXPECT_EQ(program.module1.difficulty, 1);
    EXPECT_FALSE(program.form2.Visible);
    EXPECT_TRUE(program.form1.loaded());
    EXPECT_TRUE(program.form1.controls().Visible);
}

} // namespace
} // namespace blokko::test
