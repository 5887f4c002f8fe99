// The Linux stand-in for GetPrivateProfileStringA, and the setting the plugin takes from its answer,
// against the INI table of the system's own reader.

#include <gtest/gtest.h>

#include <string>

#include "input/settings.h"
#include "scenes/ini_cases.h"
#include "sim/host.h"
#include "state.h"

using scenes::IniCase;
using scenes::kIniBufferSize;
using scenes::kIniCases;
using scenes::kTextIniCases;
using scenes::TextIniCase;

namespace scenes {
void PrintTo(const IniCase& c, std::ostream* out) { *out << c.name; }
void PrintTo(const TextIniCase& c, std::ostream* out) { *out << c.name; }
}  // namespace scenes

namespace {

class IniTableTest : public ::testing::TestWithParam<IniCase> {};

TEST_P(IniTableTest, AnswersAsTheSystemReaderDoesAndTheSettingFollows) {
    const IniCase& c = GetParam();
    sim::Host host;
    if (c.contents) host.setIni(c.contents);
    char buffer[kIniBufferSize];
    const uint32_t count =
        host.onGetPrivateProfileStringA("Brindlecot", c.key, "", buffer, sizeof buffer, ".\\Brindlecot.ini");
    std::string read(buffer, count);
    for (char& ch : read)
        if (ch == '\0') ch = '|';
    EXPECT_EQ(read, c.read);
    if (!c.key) return;
    const SettingRow* row = settingRow(c.key);
    ASSERT_NE(row, nullptr) << c.key << " is no setting";
    SettingValue value = -12345;
    SettingSlip why = SettingSlip::None;
    EXPECT_EQ(!settingFromIni(*row, buffer, count, sizeof buffer, &value, &why), c.said);
    EXPECT_EQ(value, c.value == scenes::kItsDefault ? row->defaultValue : c.value);
    if (c.why != SettingSlip::None) {
        EXPECT_EQ(static_cast<int>(why), static_cast<int>(c.why)) << "the reason the warning names";
    }
}

INSTANTIATE_TEST_SUITE_P(All, IniTableTest, ::testing::ValuesIn(kIniCases),
                         [](const ::testing::TestParamInfo<IniCase>& param) { return param.param.name; });

// A player's text: the reader's answer (tests/texts_test.cpp plays what the plugin makes of it).
class TextIniTest : public ::testing::TestWithParam<TextIniCase> {};

TEST_P(TextIniTest, ReadsAsTheSystemReaderDoes) {
    const TextIniCase& c = GetParam();
    sim::Host host;
    host.setIni(c.contents);
    char buffer[kStatusTextBytes];
    const uint32_t count =
        host.onGetPrivateProfileStringA("Texts", c.key, "", buffer, sizeof buffer, ".\\Brindlecot.ini");
    EXPECT_EQ(std::string(buffer, count), c.read);
}

INSTANTIATE_TEST_SUITE_P(All, TextIniTest, ::testing::ValuesIn(kTextIniCases),
                         [](const ::testing::TestParamInfo<TextIniCase>& param) { return param.param.name; });

}  // namespace
