// Brindlecot tests — the values the player is promised, pinned once.
//
// Every other test takes the plugin's tuning (arrest/tuning.h) as it stands, so a modder who changes
// a value there gets a build whose tests still pass. This one alone holds the shipped values
// literally: the README's player section, INSTALL.txt and the INI promise them.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "arrest/tuning.h"
#include "input/settings.h"

namespace {

constexpr char kWhatElse[] =
    "\nA shipped default changed. If that was meant: INSTALL.txt and Brindlecot.ini follow the tuning "
    "by themselves when the package is made; update the numbers in the README's player section "
    "(\"How to play\") and the CHANGELOG, then the value here.";

std::string readme() {
    std::ostringstream text;
    text << std::ifstream(BRINDLECOT_README).rdbuf();
    return text.str();
}

TEST(ShippedValues, AreTheOnesThePlayerIsPromised) {
    EXPECT_EQ(kCuffRadius, 2.0f) << kWhatElse;
    EXPECT_EQ(kBoardingRadius, 5.0f) << kWhatElse;
    EXPECT_EQ(kDeliveryRadius, 5.0f) << kWhatElse;
    EXPECT_EQ(kLeashLength, 50.0f) << kWhatElse;
    EXPECT_EQ(kResistChancePercent, 15) << kWhatElse;
    EXPECT_EQ(kHandOverMs, 6000u) << kWhatElse;
    EXPECT_EQ(kLeaveVehicleLimitMs, 10000u) << kWhatElse;
    EXPECT_EQ(kEnterVehicleTimeoutMs, 10000) << kWhatElse;
    EXPECT_EQ(kSeatForcedAfterMs, 10000u) << kWhatElse;
    EXPECT_EQ(kStreamingLimitMs, 1000u) << kWhatElse;
    EXPECT_EQ(kPrecinctPoint.x, 477.0f) << kWhatElse;
    EXPECT_EQ(kPrecinctPoint.y, -1023.0f) << kWhatElse;
    EXPECT_EQ(kPrecinctPoint.z, 28.0f) << kWhatElse;
    EXPECT_EQ(kStations[0].handOver.z, 28.0f) << "the marker stands a metre above the road (z 27.0 there)" << kWhatElse;

    // The settings' defaults: F3, no gamepad button, mission peds refused, the line shown, every
    // hand-over at Mission Row.
    const std::pair<const char*, int32_t> defaults[] = {{"key_arrest", 114},
                                                        {"key_arrest_gamepad", 0},
                                                        {"arrest_mission_ped", 0},
                                                        {"show_msg", 1},
                                                        {"nearest_station", 0}};
    for (const auto& [key, value] : defaults) {
        const SettingRow* row = settingRow(key);
        ASSERT_NE(row, nullptr) << key << " is no setting any more" << kWhatElse;
        EXPECT_EQ(row->defaultValue, value) << key << kWhatElse;
    }

    const std::string words = readme();
    ASSERT_FALSE(words.empty()) << "cannot read " << BRINDLECOT_README;
    for (const char* promise : {"(within 2 m)", "15 times in\n   100", "within 5 m of your car", "within 5 m of it",
                                "more than 50 m away", "not got in after 10 seconds"}) {
        EXPECT_NE(words.find(promise), std::string::npos) << "the README no longer says \"" << promise << "\"";
    }
}

}  // namespace
