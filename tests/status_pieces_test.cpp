// Brindlecot tests — the status line's texts in every language, and long texts drawn in the pieces
// the game shows whole.
//
// The plugin's sources are linked into this program (as in the soak), so the line can be pointed at
// any text, colour tokens and bytes no settings file yields included; the plugin's own frame draws it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "hud/catalogue.h"
#include "hud/settings_texts.h"
#include "hud/texts.h"
#include "input/settings.h"
#include "scenes/run_steps.h"
#include "script.h"
#include "sim/host.h"
#include "state.h"
#include "tests/scenario.h"

namespace {

int32_t attachPlugin(void* module, uint32_t reason, void* reserved) {
    return pluginAttach(static_cast<HMODULE>(module), reason, reserved);
}

// The ~...~ tokens of a text, in order.
std::vector<std::string> tokensOf(const std::string& text) {
    std::vector<std::string> tokens;
    for (size_t open = text.find('~'); open != std::string::npos; open = text.find('~', open + 1)) {
        const size_t close = text.find('~', open + 1);
        tokens.push_back(text.substr(open, close == std::string::npos ? std::string::npos : close - open + 1));
        if (close == std::string::npos) break;
        open = close;
    }
    return tokens;
}

// Whether a piece of a joined text begins and ends with a space.
std::pair<bool, bool> edgesOf(const std::string& text) {
    return {!text.empty() && text.front() == ' ', !text.empty() && text.back() == ' '};
}

const char* textIn(int text, int language) { return catalogueText(static_cast<TextId>(text), language); }

// A failing case names the text by its key under [Texts] and the language by its code.
std::string nameOf(int text, int language) {
    return std::string(kCatalogue[text].key) + " in " + kLanguageCodes[language];
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }

class StatusPieces : public ::testing::Test {
  protected:
    void SetUp() override {
        g_arrest = ArrestState();
        host.attachLinked(attachPlugin);
        host.step();
    }

    void TearDown() override { EXPECT_THAT(host.faults, ::testing::IsEmpty()); }

    // The components of the frame that draws `text`, held in a buffer of exactly its bytes and its
    // NUL, so that the sanitizer build reports a read past the end.
    DrawnText draw(const std::string& text) {
        const std::vector<char> bytes(text.c_str(), text.c_str() + text.size() + 1);
        setStatusMessage(bytes.data());
        const size_t from = host.trace.size();
        host.step();
        setStatusMessage(kStatusEmpty);
        EXPECT_EQ(host.statusLine(), text) << "the line the player sees";
        return drawnTextAt(host.trace, from);
    }

    // Every piece fits one component and the pieces give the text back. A text that fits is drawn
    // as it always was. In a text whose characters and ~...~ tokens are whole, no piece ends inside
    // one, and a piece gives way by no more than one of them (four bytes at most here).
    void expectWholeInPieces(const std::string& text, bool wellFormed = true) {
        const DrawnText drawn = draw(text);
        if (text.size() <= kTextComponentBytes) {
            EXPECT_EQ(drawn.label, "STRING");
            EXPECT_EQ(drawn.components, std::vector<std::string>{text});
            return;
        }
        EXPECT_EQ(drawn.label, "CELL_EMAIL_BCON");
        std::string joined;
        for (size_t n = 0; n < drawn.components.size(); ++n) {
            const std::string& piece = drawn.components[n];
            SCOPED_TRACE("piece " + std::to_string(n) + " at byte " + std::to_string(joined.size()));
            EXPECT_GE(piece.size(), 1u);
            EXPECT_LE(piece.size(), kTextComponentBytes);
            joined += piece;
            if (!wellFormed || n + 1 == drawn.components.size()) continue;
            EXPECT_GE(piece.size(), kTextComponentBytes - 3);
            EXPECT_FALSE(isContinuationByte(text[joined.size()])) << "cut inside a character";
            EXPECT_EQ(std::count(piece.begin(), piece.end(), '~') % 2, 0) << "cut inside a token";
        }
        EXPECT_EQ(joined, text);
    }

    sim::Host host;
};

// Every text of every language: there, UTF-8, its colours in the order of the English, the spaces
// where it is joined to its neighbours as in the English, and no longer than a player's may be.
TEST(Catalogue, EveryLanguageHasEveryTextShapedAsTheEnglish) {
    for (int text = 0; text < kTextCount; ++text) {
        const std::string english = textIn(text, kEnglish);
        for (int language = 0; language < kLanguageCount; ++language) {
            const char* words = textIn(text, language);
            if (words == nullptr || *words == '\0') {
                ADD_FAILURE() << nameOf(text, language) << " is missing";
                continue;
            }
            EXPECT_EQ(static_cast<int>(playerTextSlip(words)), static_cast<int>(SettingSlip::None))
                << nameOf(text, language) << " is not UTF-8 or leaves a ~ open";
            EXPECT_EQ(tokensOf(words), tokensOf(english)) << nameOf(text, language) << ": the colours";
            EXPECT_EQ(edgesOf(words), edgesOf(english)) << nameOf(text, language) << ": the spaces at its ends";
            EXPECT_LT(std::string(words).size() + 1, kStatusTextBytes) << nameOf(text, language) << " is too long";
        }
    }
}

TEST_F(StatusPieces, EveryTextOfEveryLanguageIsShownWhole) {
    for (int text = 0; text < kTextCount; ++text) {
        for (int language = 0; language < kLanguageCount; ++language) {
            SCOPED_TRACE(nameOf(text, language));
            if (textIn(text, language)) expectWholeInPieces(textIn(text, language));
        }
    }
}

// The drive text naming the longest key binding and the longest pad choice, and the longest warning,
// in every language: put together whole, and shown whole.
TEST_F(StatusPieces, TheLongestDriveTextAndWarningOfEveryLanguageFitAndAreShownWhole) {
    const struct {
        SettingValue key, pad;
        const char* name;
    } bindings[] = {{0x04 | kWithShift | kWithCtrl | kWithAlt, 0, "Shift+Ctrl+Alt+MouseMiddle"},
                    {0, 0x000F, "DPadUp+DPadDown+DPadLeft+DPadRight"}};
    const int padRow = 2;
    ASSERT_EQ(kSettingRows[padRow].kind, SettingKind::PadButtons);
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(kLanguageCodes[language]);
        g_arrest.settings.language = language;
        chooseLanguage();
        for (const auto& binding : bindings) {
            g_arrest.settings.keyArrest = binding.key;
            g_arrest.settings.keyArrestGamepad = binding.pad;
            fillDriveText();
            const std::string drive = scenes::driveTextOf(binding.name, language);
            EXPECT_EQ(g_arrest.driveText, drive);
            expectWholeInPieces(drive);
        }
        // What was written, as the record keeps it: one byte past the quote, here within a character.
        for (const std::string& written :
             {std::string(25, 'a'), std::string(11, 'x') + "\xD0\x96\xD0\x96\xD0\x96"
                                                           "\xD0\x96\xD0\x96\xD0\x96\xD0\x96"}) {
            g_arrest.settingsSlips = INT32_MAX;
            g_arrest.firstSlipRow = padRow;
            g_arrest.firstSlipWhy = static_cast<uint8_t>(SettingSlip::TooManyButtons);
            std::memcpy(g_arrest.firstSlipWritten, written.c_str(), written.size() + 1);
            showSettingsWarning();
            const std::string warning = g_arrest.settingsWarning;
            const std::string more = catalogueText(TextId::More, language);
            EXPECT_EQ(warning.substr(warning.size() - more.size()), more) << "put together whole: " << warning;
            EXPECT_EQ(static_cast<int>(playerTextSlip(warning.c_str())), static_cast<int>(SettingSlip::None))
                << "quoted between characters: " << warning;
            expectWholeInPieces(warning);
        }
    }
}

// Up to the longest the warning's buffer holds.
TEST_F(StatusPieces, TextsOfEveryLengthAreShownWhole) {
    std::string text;
    for (size_t length = 0; length < sizeof g_arrest.settingsWarning; ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        expectWholeInPieces(text);
        text += static_cast<char>('a' + length % 26);
    }
}

// Byte 99 inside a colour token or a character of two, three or four bytes, or just beside one;
// and texts made of nothing else, cut at every piece.
TEST_F(StatusPieces, ATokenOrACharacterAtTheCutGoesWholeIntoTheNextPiece) {
    for (const std::string unit : {"~r~", "~w~", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
        for (size_t at = kTextComponentBytes - unit.size(); at <= kTextComponentBytes; ++at) {
            SCOPED_TRACE("bytes " + std::to_string(unit.size()) + " at " + std::to_string(at));
            expectWholeInPieces(std::string(at, 'a') + unit + std::string(150 - at, 'b'));
        }
        std::string only;
        while (only.size() + unit.size() < sizeof g_arrest.settingsWarning)
            only += unit;
        SCOPED_TRACE("only " + unit);
        expectWholeInPieces(only);
    }
    expectWholeInPieces(std::string(96, 'a') + "~\xE2\x82\xAC~" + std::string(60, 'b'));  // a character in a token
}

// Where no cut keeps a token or a character whole, the line still moves on, piece by piece.
TEST_F(StatusPieces, AnUnmatchedTildeOrStrayContinuationBytesStillMoveOn) {
    const std::string stray(150, '\x80');
    for (const std::string& text : {"~" + std::string(150, 'a'), std::string(50, 'a') + "~" + std::string(100, 'b'),
                                    stray, "~" + stray, "a" + stray, std::string(98, 'a') + "~" + stray}) {
        SCOPED_TRACE(text.substr(0, 60));
        expectWholeInPieces(text, false);
    }
}

}  // namespace
