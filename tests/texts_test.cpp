// Brindlecot tests — the language the status line speaks, and the player's own texts.
//
//   [SECTION] The language
//   [SECTION] The player's texts

#include <string>

#include "hud/catalogue.h"
#include "input/settings.h"
#include "scenes/ini_cases.h"
#include "scenes/run_steps.h"
#include "tests/scenario.h"

namespace {

// The first frame's status line, as the plugin passed it in one or more components.
std::string firstLineDrawn(const sim::Trace& trace) {
    std::string line;
    for (const std::string& piece : drawnTextAt(trace, 0).components)
        line += piece;
    return line;
}

// A ped who fights the player on foot, unhurt: the press is refused with a text, and he stays.
int32_t spawnFighter(sim::World& world) {
    const int32_t ped = world.spawnPed({3, 0, 30});
    entityOf(world, ped).inCombat = true;
    return ped;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] The language
//-----------------------------------------------------------------------------

struct LanguageCase {
    const char* name;
    const char* setting;  // the value of language=; null: no such line
    int32_t gameAnswers;
    int shown;  // the catalogue's language the line speaks
    bool asked;
};

void PrintTo(const LanguageCase& c, std::ostream* out) { *out << c.name; }

class Language : public Scenario, public ::testing::WithParamInterface<LanguageCase> {};

// Asked at the start and at the arrest when it follows the game; never when the setting fixes it.
TEST_P(Language, FollowsTheGameOrTheSetting) {
    const LanguageCase& c = GetParam();
    if (c.setting) host.setIni(std::string("[Brindlecot]\nlanguage=") + c.setting + "\n");
    host.world.language = c.gameAnswers;
    const int32_t ped = spawnFighter(host.world);
    start();
    press(host, {ped});
    host.step();
    EXPECT_EQ(host.statusLine(), catalogueText(TextId::RefuseOnFoot, c.shown));
    EXPECT_EQ(host.trace.count("GET_CURRENT_LANGUAGE"), c.asked ? 2u : 0u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Language, ::testing::Values(
    LanguageCase{"NoSettingFollowsTheGame", nullptr, 12, 12, true},
    LanguageCase{"AutoFollowsTheGame", "auto", 1, 1, true},
    LanguageCase{"GameAnswersPastTheLast", "auto", 13, 0, true},
    LanguageCase{"GameAnswersBelowTheFirst", "auto", -1, 0, true},
    LanguageCase{"FixedFrench", "fr", 0, 1, false},
    LanguageCase{"FixedInAnyCase", "ZH-TW", 0, 9, false},
    LanguageCase{"FixedEnglishInAFrenchGame", "en", 1, 0, false},
    LanguageCase{"UnknownCodeFollowsTheGame", "klingon", 2, 2, true}),
    ByName());
// clang-format on

// With the setting at en, a game in French shows the English of the plugin's own texts, byte for byte.
class EnglishInAFrenchGame : public CustodyScenario {};

TEST_F(EnglishInAFrenchGame, IsTheEnglishOfEveryText) {
    host.setIni("[Brindlecot]\nlanguage=en\n");
    world().language = 1;
    startTransport();  // asserts the English escort and drive texts
}

// A game in French speaks French from the first press to the drive, the drive text naming the key.
class FrenchGame : public CustodyScenario {};

TEST_F(FrenchGame, ShowsEveryTextOfTheArrestInFrench) {
    world().language = 1;
    escortText = catalogueText(TextId::Escort, 1);
    driveText = scenes::driveTextOf("F3", 1);
    startTransport();
    EXPECT_GT(host.trace.count(componentOf(catalogueText(TextId::GetClose, 1))), 0u) << "the busted pose's text";
}

// The warning about a value that cannot be read speaks the language chosen at the start.
TEST_F(Scenario, UnknownLanguageIsSaidInTheGamesLanguage) {
    host.setIni("[Brindlecot]\nlanguage=xx\n");
    host.world.language = 2;
    start();
    EXPECT_EQ(host.statusLine(), std::string("Brindlecot.ini: language=xx") + catalogueText(TextId::NotALanguage, 2) +
                                     "auto" + catalogueText(TextId::IsUsed, 2));
}

// The player changes the game's language during an arrest: a press within it asks nothing, so its
// texts stay in the language of its start; the next arrest speaks the new one.
class LanguageChange : public CustodyScenario {};

TEST_F(LanguageChange, WithinAnArrestWaitsAndBetweenArrestsIsFollowed) {
    const int32_t fighter = spawnFighter(world());
    world().language = 1;
    startBusted();
    const size_t asked = host.trace.count("GET_CURRENT_LANGUAGE");
    world().language = 10;
    press(host, {0});
    EXPECT_EQ(host.statusLine(), catalogueText(TextId::Escort, 1)) << "the language of the arrest's start";
    EXPECT_EQ(host.trace.count("GET_CURRENT_LANGUAGE"), asked) << "the cuffing press asks nothing";

    world().language = 7;
    press(host, {fighter});
    host.step();
    EXPECT_EQ(host.statusLine(), catalogueText(TextId::RefuseOnFoot, 7));
}

//-----------------------------------------------------------------------------
// [SECTION] The player's texts
//-----------------------------------------------------------------------------

using scenes::TextIniCase;

namespace scenes {
void PrintTo(const TextIniCase& c, std::ostream* out) { *out << c.name; }
}  // namespace scenes

class PlayerText : public CustodyScenario, public ::testing::WithParamInterface<TextIniCase> {};

// The escort's text as the reader answers it replaces the plugin's, or is refused: the warning says
// why from the first frame, and the plugin's own text shows.
TEST_P(PlayerText, ReplacesTheEscortTextOrIsRefusedAndSaid) {
    const TextIniCase& c = GetParam();
    host.setIni(c.contents);
    const bool refused = c.why != SettingSlip::None;
    escortText = refused || c.read[0] == '\0' ? kStatusEscort : c.read;
    startEscort();
    const char* reason = c.why == SettingSlip::TextTooLong   ? catalogueText(TextId::TextTooLong, kEnglish)
                         : c.why == SettingSlip::TextNotUtf8 ? catalogueText(TextId::TextNotUtf8, kEnglish)
                                                             : catalogueText(TextId::TextLoneTilde, kEnglish);
    EXPECT_EQ(firstLineDrawn(host.trace), refused ? std::string("Brindlecot.ini: [Texts] ") + c.key + reason : "");
}

INSTANTIATE_TEST_SUITE_P(Cases, PlayerText, ::testing::ValuesIn(scenes::kTextIniCases),
                         [](const ::testing::TestParamInfo<TextIniCase>& p) { return std::string(p.param.name); });

// A player's text wins over every catalogue, the parts of the drive text and the warning included.
class PlayerTexts : public CustodyScenario {};

TEST_F(PlayerTexts, WinOverTheGamesLanguageInEveryPiece) {
    host.setIni(
        "[Brindlecot]\nkey_arrest=F33\n[Texts]\nescort=~b~Geleite~w~ ihn zum Wagen\ndrive=Fahr los\n"
        "drive_key_before=\" [\"\nwarn_not_a_key=\" ist keine Taste, \"\n");
    world().language = 1;
    escortText = "~b~Geleite~w~ ihn zum Wagen";
    driveText = std::string("Fahr los [F3") + catalogueText(TextId::DriveKeyAfter, 1);
    startTransport();
    EXPECT_EQ(firstLineDrawn(host.trace),
              std::string("Brindlecot.ini: key_arrest=F33 ist keine Taste, F3") + catalogueText(TextId::IsUsed, 1));
}

TEST_F(Scenario, KeyThatNamesNoTextIsSaid) {
    host.setIni("[Texts]\nescrot=Walk him\nEscort=Walk him\n");
    start();
    EXPECT_EQ(host.statusLine(),
              std::string("Brindlecot.ini: [Texts] escrot") + catalogueText(TextId::NotAText, kEnglish));
}
