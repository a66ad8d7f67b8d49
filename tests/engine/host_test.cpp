// The game window needs nothing from the program but the Host: a ten-line fake drives it alone.

#include <gtest/gtest.h>

#include <string>

#include "engine/rules/form1.h"
#include "engine/rules/random.h"
#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class FakeHost final : public Host {
public:
    std::int16_t difficulty() const override { return chosen; }
    void setDifficulty(std::int16_t value) override { calls += "difficulty=" + std::to_string(value) + " "; }
    RandomSource& random() override { return queued; }
    void showForm1() override { calls += "show1 "; }
    void hideForm1() override { calls += "hide1 "; }
    void unloadForm1() override { calls += "unload1 "; }
    void showForm2() override { calls += "show2 "; }
    void hideForm2() override { calls += "hide2 "; }

    std::int16_t chosen = 0;
    QueuedRandom queued;
    std::string calls;
};

TEST(HostTest, TheGameWindowAsksItsHostForTheDifficultyTheDrawsAndTheWindows)
{
    FakeHost host;
    Form1 form1(host);

    // A load with no difficulty chosen is a restart's: it asks for the difficulty window again.
    form1.load();
    EXPECT_EQ(host.calls, "hide1 show2 ");

    // A new piece takes the speed of the host's difficulty and draws the next piece from its source.
    host.chosen = 2;
    host.queued.push(drawFor(6));
    form1.nextpiece = 4;
    form1.change();
    EXPECT_EQ(form1.piece, 4);
    EXPECT_EQ(form1.speed, 0.6f);
    EXPECT_EQ(form1.nextpiece, 6.0f);

    // "Game Over" hands the restart to the host, in this order.
    host.calls.clear();
    form1.Command1_Click();
    EXPECT_EQ(host.calls, "difficulty=0 unload1 show1 ");
}

} // namespace
} // namespace blokko::test
