// The trace driver: exit statuses of bad scripts, and rand values rounded once to 32-bit floats.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tools/trace_script.h"

namespace blokko {
namespace {

struct ScriptRun {
    TraceStatus status;
    std::string out;
    std::string err;
};

ScriptRun runScript(TraceSession& session, const std::string& script)
{
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    const TraceStatus status = session.run(in, out, err);
    return {status, out.str(), err.str()};
}

std::string paradeTicks()
{
    std::string ticks;
    for (int i = 0; i < 33; ++i)
        ticks += "tick Timer2\n";
    return ticks;
}

TEST(TraceScriptTest, BadLinesStopWithStatusTwoAfterPrintingWhatCameBefore)
{
    for (const char* bad : {"jump 3", "key abc", "scroll 5", "scroll 0", "rand 1.0", "rand 1", "rand 10e-1",
             "rand 0.1e1", "rand -0.5", "rand 0.5x", "rand", "tick Timer4", "click Start", "dump now", "tick"}) {
        TraceSession session;
        const ScriptRun run = runScript(session, std::string("dump\n# a comment\n\n") + bad + "\ndump\n");
        EXPECT_EQ(run.status, TraceBadScript) << bad;
        EXPECT_EQ(run.out, "form2 visible=1 scroll=1\ndifficulty 0\nform1 loaded=0\nend\n") << bad;
        EXPECT_NE(run.err.find("line 4"), std::string::npos) << bad << ": " << run.err;
    }
}

TEST(TraceScriptTest, DrawFromAnEmptyQueueStopsWithStatusThree)
{
    TraceSession session;
    const ScriptRun run = runScript(session, "rand 0.5\nclick GO\n" + paradeTicks() + "dump\n");
    EXPECT_EQ(run.status, TraceRandomExhausted);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("line 35"), std::string::npos) << run.err;
}

TEST(TraceScriptTest, RandValueIsRoundedOnceToTheNearestFloat)
{
    // Just above the point halfway between 0.142857134 and 0.142857149: the float is 0.142857149, and
    // 7 times it is 1, so piece 2 begins. Through a double the value would tie and round down to piece 1.
    TraceSession session;
    const ScriptRun run = runScript(session, "rand 0.1428571417927742005 0.5\nclick GO\n" + paradeTicks());
    ASSERT_EQ(run.status, TraceOk) << run.err;
    EXPECT_EQ(session.program().form1.piece, 2);
}

TEST(TraceScriptTest, ValueThatRoundsToOneIsHeldJustBelowOne)
{
    TraceSession session;
    // Twenty nines: below 1, although the nearest double is 1.0.
    const ScriptRun run =
        runScript(session, "rand 0.99999999 0.99999999999999999999\nscroll 4\nclick GO\n" + paradeTicks());
    ASSERT_EQ(run.status, TraceOk) << run.err;
    EXPECT_EQ(session.program().form1.piece, 7);
    EXPECT_EQ(session.program().form1.nextpiece, 7.0f);
}

TEST(TraceScriptTest, RandAcceptsZeroAndExponentForms)
{
    TraceSession session;
    const ScriptRun run = runScript(session, "rand 0 9e-1 -0 0.0001e3\n");
    EXPECT_EQ(run.status, TraceOk) << run.err;
}

} // namespace
} // namespace blokko
