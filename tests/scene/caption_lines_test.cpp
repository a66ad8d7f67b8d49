// Where the designed captions break and where their lines stand, measured with the look-alike fonts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/rules/form1_controls.h"
#include "engine/windows/form2.h"
#include "scene/items.h"

namespace blokko::scene {
namespace {

constexpr float TwipsPerPixel = 15;

std::vector<std::string> texts(const Item& item)
{
    std::vector<std::string> result;
    for (const TextLine& line : item.lines)
        result.push_back(line.text);
    return result;
}

// A button's lines are centred one by one and as a block between its margins.
void expectCentred(const Item& button)
{
    const float width = button.rect.width / TwipsPerPixel;
    const float height = button.rect.height / TwipsPerPixel;
    for (const TextLine& line : button.lines)
        EXPECT_NEAR(line.left + line.width / 2, width / 2, 0.01) << line.text;
    const float top = button.lines.front().baseline - button.drawnFont.ascent;
    const float bottom = button.lines.back().baseline + button.drawnFont.descent;
    EXPECT_NEAR(top, height - bottom, 0.01) << button.text;
    EXPECT_GE(top, 0) << button.text;
}

// Every line stands inside its item, one line height below the one before.
void expectInside(const Item& item)
{
    const float width = item.rect.width / TwipsPerPixel;
    const float height = item.rect.height / TwipsPerPixel;
    for (std::size_t k = 0; k < item.lines.size(); ++k) {
        const TextLine& line = item.lines[k];
        EXPECT_GE(line.left, 0) << line.text;
        EXPECT_LE(line.left + line.width, width) << line.text;
        EXPECT_LE(line.baseline + item.drawnFont.descent, height) << line.text;
        if (k > 0) {
            EXPECT_EQ(line.baseline - item.lines[k - 1].baseline, item.drawnFont.lineHeight()) << line.text;
        }
    }
}

TEST(CaptionLines, TheDesignedButtonsBreakOnlyWhereTheirCaptionsDoNotFit)
{
    const Form1Controls game;
    const Form2Controls difficulty;
    const Item gameOver = itemOf(1, game.Command1);
    const Item pause = itemOf(2, game.Pause);
    const Item go = itemOf(3, difficulty.Command1);
    EXPECT_EQ(texts(gameOver), (std::vector<std::string>{"Game", "Over"}));
    EXPECT_EQ(texts(pause), std::vector<std::string>{"Pause"});
    EXPECT_EQ(texts(go), std::vector<std::string>{"GO!"});
    for (const Item* button : {&gameOver, &pause, &go}) {
        expectCentred(*button);
        expectInside(*button);
    }
    // Points at 96 dots per inch in whole pixels, the look-alike first and the fallback after it.
    EXPECT_EQ(gameOver.drawnFont.pixels, 48);
    EXPECT_STREQ(gameOver.drawnFont.family, "DejaVu Sans");
    EXPECT_STREQ(go.drawnFont.family, "Kaushan Script");
    EXPECT_STREQ(go.drawnFont.fallback, FallbackFamily);
    EXPECT_EQ(go.drawnFont.pixels, 96);
    EXPECT_EQ(go.drawnFont.weight, 700);
    EXPECT_TRUE(gameOver.drawnFont.italic);
}

TEST(CaptionLines, TheDesignedLabelsBreakAsTheDesktopAlwaysDid)
{
    const Form1Controls game;
    const Form2Controls difficulty;
    const Item heading = itemOf(1, difficulty.Label1);
    ASSERT_EQ(difficulty.Label1.Caption.size(), 81u);
    // The heading's first row keeps its leading blanks as an indent; its second row holds the choices.
    EXPECT_EQ(texts(heading), (std::vector<std::string>{"Difficulty Level:", "Easy   Medium   Hard  Intense"}));
    EXPECT_NEAR(heading.lines[0].left, heading.drawnFont.width(std::string(17, ' ')), 0.01);
    EXPECT_EQ(heading.lines[1].left, 0);
    EXPECT_NEAR(heading.lines[0].baseline, heading.drawnFont.ascent, 0.01);
    expectInside(heading);

    EXPECT_EQ(texts(itemOf(2, game.npiece)), (std::vector<std::string>{"Next", "Piece:"}));
    expectInside(itemOf(2, game.npiece));
    for (const Label* counter : {&game.scorelabel, &game.hscorelabel, &game.rowslabel, &game.piecelabel, &game.Level,
             &difficulty.Label2, &difficulty.Label3, &difficulty.Label4, &difficulty.Label5}) {
        const Item item = itemOf(3, *counter);
        EXPECT_EQ(texts(item), std::vector<std::string>{counter->Caption});
        expectInside(item);
    }
}

TEST(CaptionLines, AWordWiderThanTheBoxStaysWholeOnItsLine)
{
    const DrawnFont font = drawnFont({"MS Sans Serif", 18, true, false});
    const std::vector<TextLine> lines = captionLines("Extraordinarily long", font, 60, 100, CaptionPlacement::Label);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "Extraordinarily");
    EXPECT_GT(lines[0].width, 60);
    EXPECT_EQ(lines[1].text, "long");
    // Blanks inside a line are kept, those at a break are not.
    const std::vector<TextLine> wide = captionLines("a  b   ", font, 600, 100, CaptionPlacement::Label);
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].text, "a  b");
    EXPECT_EQ(captionLines("", font, 60, 100, CaptionPlacement::Label).size(), 0u);
    // Any bytes are measured, none is lost: an unknown font is measured with the fallback's metrics.
    const DrawnFont unknown = drawnFont({"No Such Font", 12, false, false});
    EXPECT_STREQ(unknown.family, "No Such Font");
    EXPECT_GT(unknown.width("\xff\xe4\xb8\x80x"), 0);
    EXPECT_EQ(captionLines("a\nb", unknown, 100, 100, CaptionPlacement::Label).size(), 2u);
}

} // namespace
} // namespace blokko::scene
