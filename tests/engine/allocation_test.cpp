// No event of play touches the heap: a play tick (with or without a landing, row removal or game
// over), each key, a parade step and a curtain step.

#include <gtest/gtest.h>

#include "tests/support/allocation_counter.h"
#include "tests/support/engine_harness.h"

namespace blokko::test {
namespace {

class AllocationTest : public ::testing::Test, public EngineHarness {
protected:
    template <typename Event>
    long allocationsDuring(Event&& event)
    {
        const std::uint64_t before = allocationCount();
        event();
        return static_cast<long>(allocationCount() - before);
    }
};

TEST_F(AllocationTest, CountingSeesAnAllocation)
{
    // The counter itself works: a string too long for its own buffer comes from the heap.
    static std::string kept;
    const long seen = allocationsDuring([] { kept.assign(100, 'x'); });
    EXPECT_GE(seen, 1);
}

TEST_F(AllocationTest, ParadeAndCurtainTicksAllocateNothing)
{
    queue({drawFor(3), drawFor(5)});
    loadAt(4);
    EXPECT_EQ(allocationsDuring([this] {
        for (int i = 0; i < 32; ++i)
            program.tick(TimerId::Timer2);
    }),
        0);
    EXPECT_EQ(allocationsDuring([this] { program.tick(TimerId::Timer2); }), 0); // begin and the first spawn
    EXPECT_EQ(allocationsDuring([this] {
        for (int i = 0; i < 14; ++i)
            program.tick(TimerId::Timer3);
    }),
        0);
}

TEST_F(AllocationTest, PlayTickWithoutLandingAllocatesNothing)
{
    startPlay(1, 3, 1);
    EXPECT_EQ(allocationsDuring([this] { tickPlay(); }), 0);
}

TEST_F(AllocationTest, LandingThatClearsRowsAllocatesNothing)
{
    startPlay(4, 5, 1);
    queue({0.5f});
    f().score = LooseValue::text("000990");
    f().hiscore = LooseValue::text("000500");
    drawBottom({"1.........", "4444..4444", "4444..4444"});
    long seen = 0;
    for (int i = 0; i < 60 && !f().landed; ++i)
        seen += allocationsDuring([this] { tickPlay(); });
    ASSERT_TRUE(f().landed);
    EXPECT_EQ(c().rowslabel.Caption, "Rows:002");
    EXPECT_EQ(c().Level.Caption, "Level 2"); // 990 + 200 + 10 = 1200
    EXPECT_EQ(seen, 0);
}

TEST_F(AllocationTest, GameOverTickAllocatesNothing)
{
    startPlay(3, 4, 2);
    queue({drawFor(5)});
    drawRows(2, {"...7......"});
    EXPECT_EQ(allocationsDuring([this] { tickPlay(); }), 0);
    EXPECT_TRUE(c().Command1.Visible);
}

TEST_F(AllocationTest, EveryKeyAllocatesNothing)
{
    startPlay(1, 3, 1);
    tickPlay(12);
    for (int key : {37, 39, 65, 83, 40, 38, 80}) {
        EXPECT_EQ(allocationsDuring([this, key] { program.keyDown(key); }), 0) << "key " << key;
    }
    program.clickPause();
    // A refused shift: verified finds the wall.
    for (int i = 0; i < 5; ++i)
        program.keyDown(37);
    ASSERT_EQ(f().blocked, -1);
    EXPECT_EQ(allocationsDuring([this] { program.keyDown(37); }), 0);
    EXPECT_EQ(allocationsDuring([this] { program.clickPause(); }), 0);
}

} // namespace
} // namespace blokko::test
