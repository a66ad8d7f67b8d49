// The scene follows the engine: after any event its items are those of a scene built afresh (so a
// write the engine forgot to stamp fails here), it reports the items that changed and their areas and
// nothing else, the drawing order is the design's, and its timers say when to start afresh.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "engine/program/program.h"
#include "engine/rules/keys.h"
#include "scene/form1_ids.h"
#include "scene/program_scene.h"
#include "tests/support/engine_harness.h"

namespace blokko::scene {
namespace {

constexpr int Keys[] = {
    keyCode(Key::Left), keyCode(Key::Right), keyCode(Key::Down), keyCode(Key::A), keyCode(Key::S), keyCode(Key::P), 38};

// A player and a clock at random: mostly ticks, now and then a key, a click or a choice of difficulty.
class RandomPlay {
public:
    explicit RandomPlay(unsigned seed) : choices_(seed) { }

    void step(Program& p)
    {
        const auto roll = choices_() % 100;
        if (roll < 55)
            p.tick(TimerId::Timer1);
        else if (roll < 70)
            p.tick(TimerId::Timer2);
        else if (roll < 78)
            p.tick(TimerId::Timer3);
        else if (roll < 92)
            p.keyDown(Keys[choices_() % std::size(Keys)]);
        else if (roll < 95)
            p.clickPause();
        else if (roll < 98)
            p.clickGameOver();
        else {
            p.scrollTo(static_cast<int>(choices_() % 4) + 1);
            p.clickGo();
        }
    }

private:
    std::mt19937 choices_;
};

bool covered(const Rect& r, const std::vector<Rect>& areas)
{
    return std::any_of(areas.begin(), areas.end(), [&](const Rect& a) { return a == r; });
}

// After an event and its update: the scene equals one built afresh, and it reports exactly the items
// that changed, each repainted where it was and where it is (on the window's surface or among the
// windowed controls), and exactly those that took another place in the drawing order.
void expectFollows(const ProgramScene& scene, const Window& before, std::uint64_t loadBefore, int event)
{
    ASSERT_EQ(scene.differenceFromFresh(), "") << "event " << event;
    const Window& w = scene.form1();
    if (w.load != loadBefore) {
        EXPECT_TRUE(w.allChanged) << "event " << event;
        return;
    }
    std::vector<Rect> expected;
    std::vector<Rect> expectedWindowed;
    std::vector<std::uint16_t> expectedIds;
    std::vector<std::uint16_t> expectedMoved;
    for (const Item& now : w.items) {
        if (before.slot[now.id] != w.slot[now.id])
            expectedMoved.push_back(now.id);
        const Item& old = *before.find(now.id);
        if (old == now)
            continue;
        expectedIds.push_back(now.id);
        auto& areas = isGraphical(now.kind) ? expected : expectedWindowed;
        if (old.visible)
            areas.push_back(old.rect);
        if (now.visible)
            areas.push_back(now.rect);
    }
    std::vector<std::uint16_t> ids = w.changedIds;
    std::sort(ids.begin(), ids.end());
    std::sort(expectedIds.begin(), expectedIds.end());
    EXPECT_EQ(ids, expectedIds) << "event " << event;
    std::vector<std::uint16_t> moved = w.movedIds;
    std::sort(moved.begin(), moved.end());
    std::sort(expectedMoved.begin(), expectedMoved.end());
    EXPECT_EQ(moved, expectedMoved) << "event " << event;
    EXPECT_EQ(w.restacked(), !moved.empty()) << "event " << event;
    EXPECT_EQ(w.windowedChanged,
        !expectedWindowed.empty() ||
            std::any_of(ids.begin(), ids.end(), [&](auto id) { return !isGraphical(w.find(id)->kind); }))
        << "event " << event;
    for (const auto& [areas, wanted] :
        {std::pair{&w.changed, &expected}, std::pair{&w.changedWindowed, &expectedWindowed}}) {
        for (const Rect& area : *areas)
            EXPECT_TRUE(covered(area, *wanted)) << "event " << event << ": area of an unchanged item";
        for (const Rect& area : *wanted)
            EXPECT_TRUE(covered(area, *areas)) << "event " << event << ": changed item not repainted";
    }
}

TEST(SceneTest, FollowsTheEngineThroughWholeSessionsAndRepaintsOnlyWhatChanged)
{
    TimeSeededRandom random([] { return 4321; });
    Program program(random);
    ProgramScene scene(program);
    RandomPlay play(7);
    int gamesOver = 0;
    for (int event = 0; event < 30000; ++event) {
        const Window before = scene.form1(); // the game window before the event
        const std::uint64_t load = scene.form1().load;
        play.step(program);
        scene.update();
        expectFollows(scene, before, load, event);
        if (HasFailure())
            return;
        gamesOver += program.form1.loaded() && program.form1.controls().Command1.Visible ? 1 : 0;
    }
    EXPECT_GT(gamesOver, 0) << "the sessions never reached a game over";
}

class SceneRowsTest : public ::testing::Test, protected test::EngineHarness { };

TEST_F(SceneRowsTest, RemovedRowsRepaintEveryCellThatMovedDown)
{
    startPlay(3, 3, 1);
    ProgramScene scene(program);
    drawBottom({
        "...2..4...",
        "5555555555",
        "....666666",
    });
    scene.update();
    placePiece(3, 1, 0, 15);
    queue({test::drawFor(2)});
    for (int event = 0; event < 10 && f().blocks == "0000"; ++event) {
        const Window before = scene.form1(); // the game window before the event
        tickPlay();
        scene.update();
        expectFollows(scene, before, scene.form1().load, event);
    }
    EXPECT_EQ(rowsText(18, 20), (std::vector<std::string>{"..........", "..........", "...2..4..."}));
}

TEST(SceneTest, PauseButtonComesInFrontOfTheCurtainWhenPIsPressed)
{
    TimeSeededRandom random([] { return 1; });
    Program program(random);
    ProgramScene scene(program);
    program.clickGo();
    scene.update();
    const auto windowedOrder = [&] {
        std::vector<std::uint16_t> ids;
        for (const Item& item : scene.form1().items)
            if (!isGraphical(item.kind))
                ids.push_back(item.id);
        return ids;
    };
    // After the load the curtain halves cover everything, the hidden buttons included.
    EXPECT_EQ(windowedOrder(),
        (std::vector<std::uint16_t>{
            form1::GameOverButton, form1::PauseButton, form1::CurtainTop, form1::CurtainBottom}));
    EXPECT_TRUE(isGraphical(scene.form1().items.front().kind));

    program.keyDown(keyCode(Key::P));
    scene.update();
    EXPECT_EQ(windowedOrder(),
        (std::vector<std::uint16_t>{
            form1::GameOverButton, form1::CurtainTop, form1::CurtainBottom, form1::PauseButton}));
    EXPECT_TRUE(scene.form1().find(form1::PauseButton)->visible);
    EXPECT_TRUE(scene.form1().windowedChanged);
    EXPECT_TRUE(scene.form1().restacked());
    EXPECT_TRUE(scene.form1().changed.empty());
}

// A game played event by event, the scene checked against one built afresh after each.
class SceneStampTest : public ::testing::Test, protected test::EngineHarness {
protected:
    ProgramScene scene{program};
    int events = 0;

    template <typename Event>
    void play(Event&& event)
    {
        if (HasFailure())
            return; // the first difference says it all
        event();
        scene.update();
        EXPECT_EQ(scene.differenceFromFresh(), "") << "after event " << events;
        ++events;
    }

    // The clock as it runs: the curtain ticks once for every four play ticks.
    void runClock(int playTicks)
    {
        for (int k = 0; k < playTicks && !HasFailure(); ++k) {
            if (k % 4 == 0 && c().Timer3.ticking())
                play([&] { program.tick(TimerId::Timer3); });
            if (c().Timer1.ticking())
                play([&] { program.tick(TimerId::Timer1); });
        }
    }

    // Steers the falling piece `by` columns, then lets it fall until the next one appears.
    void dropPiece(int by)
    {
        runClock(5);
        for (int k = 0; k < std::abs(by); ++k)
            play([&] { program.keyDown(keyCode(by < 0 ? Key::Left : Key::Right)); });
        for (int k = 0; k < 200 && f().down > -4 && c().Timer1.ticking() && !HasFailure(); ++k)
            runClock(1);
    }
};

TEST_F(SceneStampTest, KeepsUpThroughAnIntenseGamePastLevelOneAPauseAGameOverAndARestart)
{
    for (int k = 0; k < 400; ++k)
        queue({test::drawFor(5)}); // squares, while the level is 0
    play([&] { program.scrollTo(4); });
    play([&] { program.clickGo(); });
    while (c().Timer2.Interval > 0 && !HasFailure())
        play([&] { program.tick(TimerId::Timer2); }); // the parade
    // Squares side by side clear two rows at a time: 250 points for five, 510 after eleven.
    constexpr int Steer[] = {-4, -2, 0, 2, 4};
    for (int square = 0; square < 11 && !HasFailure(); ++square)
        dropPiece(Steer[square % 5]);
    EXPECT_EQ(scene.form1().find(form1::LevelLabel)->text, "Level 1");
    // Paused by the key, resumed by the button, twice.
    play([&] { program.keyDown(keyCode(Key::P)); });
    runClock(8);
    play([&] { program.clickPause(); });
    play([&] { program.keyDown(keyCode(Key::P)); });
    play([&] { program.clickPause(); });
    // Pieces left where they fall pile up to the top.
    for (int piece = 0; piece < 40 && c().Timer1.ticking() && !HasFailure(); ++piece)
        dropPiece(0);
    ASSERT_TRUE(c().Command1.Visible) << "no game over";
    // Another game: its window is a new load, with its own parade.
    play([&] { program.clickGameOver(); });
    play([&] { program.scrollTo(2); });
    play([&] { program.clickGo(); });
    for (int k = 0; k < 10; ++k)
        play([&] { program.tick(TimerId::Timer2); });
}

TEST_F(SceneStampTest, TimersStartAfreshAtANewLoadAndWhenTheEngineChangesThemOnly)
{
    const auto generations = [&] {
        std::vector<std::uint64_t> g;
        for (const TimerState& t : scene.timers())
            g.push_back(t.generation);
        return g;
    };
    for (int k = 0; k < 100; ++k)
        queue({test::drawFor(5)});
    startPlay(2, 5, 5);
    scene.update();
    const auto playing = generations();
    play([&] { program.tick(TimerId::Timer1); });
    play([&] { program.keyDown(keyCode(Key::Left)); });
    EXPECT_EQ(generations(), playing) << "an event that leaves the timers as they were restarted one";
    play([&] { program.keyDown(keyCode(Key::P)); }); // the play tick stops
    EXPECT_NE(generations()[0], playing[0]);
    // Game over, then the same difficulty again: the same intervals, but a new load's timers.
    play([&] { program.clickPause(); });
    for (int piece = 0; piece < 40 && c().Timer1.ticking() && !HasFailure(); ++piece)
        dropPiece(0);
    ASSERT_TRUE(c().Command1.Visible) << "no game over";
    const auto over = generations();
    play([&] { program.clickGameOver(); });
    play([&] { program.clickGo(); });
    for (std::size_t t = 0; t < 3; ++t)
        EXPECT_NE(generations()[t], over[t]) << "Timer" << t + 1 << " of a new load";
}

} // namespace
} // namespace blokko::scene
