#include "tests/scenario.h"

using ::testing::ElementsAre;

TEST_F(Scenario, FirstFrameRunsStartupThenTheFrameSteps) {
    start();
    EXPECT_THAT(host.trace.calls(), ::testing::Contains("scriptWait(0)"));
    std::printf("%s", host.trace.dump().c_str());
}
