// The scene follows the engine: after any event its items are those of a scene built afresh, its
// changed areas cover every item that changed and nothing else, and the drawing order is the design's.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

void expectSameItems(const Window& ours, const Window& fresh, int event)
{
    ASSERT_EQ(ours.items.size(), fresh.items.size()) << "event " << event;
    for (std::size_t i = 0; i < ours.items.size(); ++i)
        ASSERT_TRUE(ours.items[i] == fresh.items[i]) << "event " << event << ", item " << fresh.items[i].id;
    EXPECT_EQ(ours.shown, fresh.shown) << "event " << event;
    EXPECT_EQ(ours.load, fresh.load) << "event " << event;
}

// The game window's items before an event, by id.
std::map<std::uint16_t, Item> itemsById(const ProgramScene& scene)
{
    std::map<std::uint16_t, Item> items;
    for (const Item& item : scene.form1().items)
        items.emplace(item.id, item);
    return items;
}

// After an event and its update: the scene equals one built afresh, every changed area belongs to an
// item that changed, and every changed item is repainted where it was and where it is.
void expectFollows(const ProgramScene& scene, const Program& program, const std::map<std::uint16_t, Item>& before,
    std::uint64_t loadBefore, int event)
{
    const ProgramScene fresh(program);
    expectSameItems(scene.form1(), fresh.form1(), event);
    expectSameItems(scene.form2(), fresh.form2(), event);
    ASSERT_TRUE(scene.timers() == fresh.timers()) << "event " << event;

    const Window& w = scene.form1();
    if (w.load != loadBefore) {
        EXPECT_TRUE(w.allChanged) << "event " << event;
        return;
    }
    std::vector<Rect> expected;
    for (const Item& now : w.items) {
        const Item& old = before.at(now.id);
        if (!isGraphical(now.kind) || old == now)
            continue;
        if (old.visible)
            expected.push_back(old.rect);
        if (now.visible)
            expected.push_back(now.rect);
    }
    for (const Rect& area : w.changed)
        EXPECT_TRUE(covered(area, expected)) << "event " << event << ": area of an unchanged item";
    for (const Rect& area : expected)
        EXPECT_TRUE(covered(area, w.changed)) << "event " << event << ": changed item not repainted";
}

TEST(SceneTest, FollowsTheEngineThroughWholeSessionsAndRepaintsOnlyWhatChanged)
{
    TimeSeededRandom random([] { return 4321; });
    Program program(random);
    ProgramScene scene(program);
    RandomPlay play(7);
    int gamesOver = 0;
    for (int event = 0; event < 30000; ++event) {
        const auto before = itemsById(scene);
        const std::uint64_t load = scene.form1().load;
        play.step(program);
        scene.update();
        expectFollows(scene, program, before, load, event);
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
        const auto before = itemsById(scene);
        tickPlay();
        scene.update();
        expectFollows(scene, program, before, scene.form1().load, event);
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
    EXPECT_TRUE(scene.form1().changed.empty());
}

} // namespace
} // namespace blokko::scene
