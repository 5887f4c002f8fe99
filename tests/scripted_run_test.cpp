// Plays every named scenario on the Linux build, checks its outcome and writes its trace to
// <build>/traces/<name>.txt, where the Windows runner's traces of the real .asi are compared with it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "scenes/runs.h"

namespace scenes {
void PrintTo(const ScriptedRun& run, std::ostream* out) { *out << run.name; }
}  // namespace scenes

namespace {

class ScriptedRunTest : public ::testing::TestWithParam<scenes::ScriptedRun> {};

TEST_P(ScriptedRunTest, ReachesItsOutcomeAndRecordsItsTrace) {
    const scenes::ScriptedRun& run = GetParam();
    std::string trace;
    {
        sim::Host host(run.startTick);
        EXPECT_EQ(run.play(host), "");
        host.unload();  // as the Windows runner does: the detach is part of the trace
        EXPECT_THAT(host.faults, ::testing::IsEmpty());
        trace = host.trace.dump();
    }
    const std::filesystem::path dir = BRINDLECOT_TRACE_DIR;
    std::filesystem::create_directories(dir);
    std::ofstream(dir / (std::string(run.name) + ".txt"), std::ios::binary) << trace;
}

INSTANTIATE_TEST_SUITE_P(All, ScriptedRunTest, ::testing::ValuesIn(scenes::scriptedRuns()),
                         [](const ::testing::TestParamInfo<scenes::ScriptedRun>& param) { return param.param.name; });

}  // namespace
