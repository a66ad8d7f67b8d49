// The trace driver: every kind of bad line stops the script with status 2, and rand takes every form of
// a number in [0, 1). A draw from an empty queue names its line. The golden traces pin the rest.

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

// The parade's 33rd tick draws twice, from a queue that holds one value: the error names that line.
TEST(TraceScriptTest, DrawFromAnEmptyQueueStopsWithStatusThreeAndNamesTheLine)
{
    std::string script = "rand 0.5\nclick GO\n";
    for (int i = 0; i < 33; ++i)
        script += "tick Timer2\n";
    TraceSession session;
    const ScriptRun run = runScript(session, script + "dump\n");
    EXPECT_EQ(run.status, TraceRandomExhausted);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("line 35"), std::string::npos) << run.err;
}

TEST(TraceScriptTest, RandAcceptsZeroAndExponentForms)
{
    TraceSession session;
    const ScriptRun run = runScript(session, "rand 0 9e-1 -0 0.0001e3\n");
    EXPECT_EQ(run.status, TraceOk) << run.err;
}

} // namespace
} // namespace blokko
