#include "tests/scenario.h"

using ::testing::ElementsAre;

TEST_F(Scenario, FirstFrameRunsStartupThenTheFrameSteps) {
    start();
    EXPECT_THAT(host.trace.calls(), ::testing::Contains("scriptWait(0)"));
    std::printf("%s", host.trace.dump().c_str());
}

TEST_F(Scenario, SmokeWholeArrest) {
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    const int32_t car = host.world.spawnVehicle({0, 10, 30});
    host.world.seatPed(host.world.playerPed, car, -1);
    host.world.unseatPed(host.world.playerPed);
    host.world.movePlayer({0, 0, 30});
    start();
    host.runFrames(20);
    host.world.aimTarget = ped;
    tapKey();
    host.world.aimTarget = 0;
    host.runFrames(20);
    std::printf("status: %s\n", host.statusLine().c_str());
    host.world.movePlayer({5, 1, 30});
    host.runFrames(20);
    tapKey();
    host.runFrames(2);
    std::printf("status: %s\n", host.statusLine().c_str());
    host.world.movePlayer({0, 8, 30});
    host.runFrames(400);
    std::printf("status: %s\n", host.statusLine().c_str());
    host.world.seatPed(host.world.playerPed, car, -1);
    host.runFrames(200);
    host.world.drive(car, {477, -1020, 28}, 30);
    host.runFrames(3000);
    std::printf("status: [%s]\n", host.statusLine().c_str());
    EXPECT_EQ(host.trace.count("CREATE_PED"), 1u);
    std::printf("%s", host.trace.dump(host.trace.find("GET_HASH_KEY") - 30, host.trace.find("GET_HASH_KEY")+40).c_str());
}
