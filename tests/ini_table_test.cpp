// The Linux stand-in for GetPrivateProfileIntA against the INI table of the system's own reader.

#include <gtest/gtest.h>

#include "scenes/ini_cases.h"
#include "sim/host.h"

using scenes::IniCase;
using scenes::kIniCases;

namespace scenes {
void PrintTo(const IniCase& c, std::ostream* out) { *out << c.name; }
}  // namespace scenes

namespace {

class IniTableTest : public ::testing::TestWithParam<IniCase> {};

TEST_P(IniTableTest, AnswersAsTheSystemReaderDoes) {
    const IniCase& c = GetParam();
    sim::Host host;
    if (c.contents) host.setIni(c.contents);
    const auto got =
        static_cast<int32_t>(host.onGetPrivateProfileIntA("Brindlecot", c.key, c.defaultValue, ".\\Brindlecot.ini"));
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(All, IniTableTest, ::testing::ValuesIn(kIniCases),
                         [](const ::testing::TestParamInfo<IniCase>& param) { return param.param.name; });

}  // namespace
