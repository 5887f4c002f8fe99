// Brindlecot tests — the plugin's stations and the simulated map against the game's list of them.
//
// sim/stations.tsv is the game's own list of its police stations: for each, the hand-over point, the
// road's height there, the officer's start, heading and walk target. The plugin's table (kStations)
// must agree with it row by row, and the simulated map must know the road at each.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arrest/tuning.h"
#include "sim/world.h"

namespace {

struct ReferenceStation {
    int row = -1;
    std::string name;
    float handOver[3] = {}, groundZ = 0, officer[3] = {}, heading = 0, walk[3] = {};
};

// The rows of the reference; a line it cannot read fails the test with the line.
std::vector<ReferenceStation> readStations() {
    std::vector<ReferenceStation> rows;
    std::ifstream in(BRINDLECOT_STATIONS);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::stringstream fields(line);
        std::string field;
        std::vector<std::string> f;
        while (std::getline(fields, field, '\t'))
            f.push_back(field);
        if (f.size() != 13) {
            ADD_FAILURE() << "stations.tsv: expected 13 columns in: " << line;
            continue;
        }
        ReferenceStation s;
        s.row = std::atoi(f[0].c_str());
        s.name = f[1];
        float* values[] = {&s.handOver[0], &s.handOver[1], &s.handOver[2], &s.groundZ, &s.officer[0], &s.officer[1],
                           &s.officer[2],  &s.heading,     &s.walk[0],     &s.walk[1], &s.walk[2]};
        for (size_t n = 0; n < 11; ++n)
            *values[n] = std::strtof(f[n + 2].c_str(), nullptr);
        rows.push_back(s);
    }
    return rows;
}

::testing::AssertionResult samePoint(const NativeVec3& p, const float (&q)[3]) {
    if (p.x == q[0] && p.y == q[1] && p.z == q[2]) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << p.x << ", " << p.y << ", " << p.z << ") against (" << q[0] << ", "
                                         << q[1] << ", " << q[2] << ")";
}

TEST(Stations, TheTableIsTheGamesListRowByRow) {
    const std::vector<ReferenceStation> reference = readStations();
    ASSERT_FALSE(reference.empty()) << "cannot read " << BRINDLECOT_STATIONS;
    for (size_t n = 0; n < reference.size(); ++n) {
        const ReferenceStation& r = reference[n];
        ASSERT_EQ(r.row, static_cast<int>(n)) << "stations.tsv lists its rows out of order";
        if (r.row >= kStationCount) {
            ADD_FAILURE() << "kStations has no row " << r.row << " (" << r.name << ")";
            continue;
        }
        const Station& s = kStations[r.row];
        SCOPED_TRACE("row " + std::to_string(r.row) + " (" + r.name + ")");
        EXPECT_EQ(s.name, r.name);
        EXPECT_TRUE(samePoint(s.handOver, r.handOver)) << "hand-over point";
        EXPECT_TRUE(samePoint(s.officerStart, r.officer)) << "officer's start";
        EXPECT_EQ(s.officerHeading, r.heading) << "officer's heading";
        EXPECT_TRUE(samePoint(s.officerWalkTarget, r.walk)) << "officer's walk target";
        EXPECT_GT(r.handOver[2], r.groundZ) << "the marker would stand in the road";
    }
    for (int32_t row = static_cast<int32_t>(reference.size()); row < kStationCount; ++row)
        ADD_FAILURE() << "stations.tsv lacks row " << row << " (" << kStations[row].name << ") of kStations";
}

// The car stands at the hand-over point: an officer whose walk ends closer to it than half a car's
// length and a step walks into it.
TEST(Stations, TheOfficerStopsBesideTheCar) {
    constexpr float kBesideTheCar = 2.0f;
    for (const Station& s : kStations) {
        const float dx = s.officerWalkTarget.x - s.handOver.x, dy = s.officerWalkTarget.y - s.handOver.y;
        EXPECT_GE(std::sqrt(dx * dx + dy * dy), kBesideTheCar) << s.name;
    }
}

// The marker is seen only above the road: the simulated map must know the road at every station.
TEST(Stations, TheSimulatedMapKnowsTheRoadAtEach) {
    const sim::World world;
    for (const ReferenceStation& r : readStations()) {
        float z = -1000.0f;
        EXPECT_TRUE(world.groundAt(r.handOver[0], r.handOver[1], z)) << r.name;
        EXPECT_EQ(z, r.groundZ) << r.name;
    }
}

}  // namespace
