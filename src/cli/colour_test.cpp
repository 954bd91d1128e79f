#include "cli/colour.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace tracciato {
namespace {

struct DecisionCase {
  const char* name;
  ColourChoice choice;
  bool is_terminal;
  std::optional<std::string> no_color;
  bool colour;
};
void PrintTo(const DecisionCase& c, std::ostream* os) {
  *os << c.name;
}

class UseColour : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(UseColour, Decides) {
  const DecisionCase& c = GetParam();
  EXPECT_EQ(use_colour(c.choice, c.is_terminal, c.no_color), c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, UseColour,
    ::testing::Values(
        DecisionCase{"AutoColoursATerminal", ColourChoice::kAuto, true, std::nullopt, true},
        DecisionCase{"AutoLeavesAPipePlain", ColourChoice::kAuto, false, std::nullopt, false},
        DecisionCase{"AutoLeavesATerminalPlainWhenNoColorIsSet", ColourChoice::kAuto, true, "1",
                     false},
        DecisionCase{"AutoTakesAnyNoColorValueAsSet", ColourChoice::kAuto, true, "0", false},
        DecisionCase{"AutoIgnoresAnEmptyNoColor", ColourChoice::kAuto, true, "", true},
        DecisionCase{"AutoLeavesAPipePlainWhateverNoColorSays", ColourChoice::kAuto, false, "",
                     false},
        DecisionCase{"AlwaysColoursAPipe", ColourChoice::kAlways, false, std::nullopt, true},
        DecisionCase{"AlwaysOverridesNoColor", ColourChoice::kAlways, false, "1", true},
        DecisionCase{"NeverLeavesATerminalPlain", ColourChoice::kNever, true, std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct WordCase {
  const char* name;
  std::string_view word;
  std::optional<ColourChoice> choice;
};
void PrintTo(const WordCase& c, std::ostream* os) {
  *os << c.name;
}

class ParseColourChoice : public ::testing::TestWithParam<WordCase> {};

TEST_P(ParseColourChoice, ReadsTheWord) {
  const WordCase& c = GetParam();
  EXPECT_EQ(parse_colour_choice(c.word), c.choice);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ParseColourChoice,
    ::testing::Values(WordCase{"AutoIsAccepted", "auto", ColourChoice::kAuto},
                      WordCase{"AlwaysIsAccepted", "always", ColourChoice::kAlways},
                      WordCase{"NeverIsAccepted", "never", ColourChoice::kNever},
                      WordCase{"CapitalsAreRefused", "Always", std::nullopt},
                      WordCase{"AnAbbreviationIsRefused", "al", std::nullopt},
                      WordCase{"ATrailingBlankIsRefused", "never ", std::nullopt},
                      WordCase{"OtherToolsWordsAreRefused", "yes", std::nullopt},
                      WordCase{"NothingIsRefused", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

std::array<std::string_view, 7> parts(const Palette& p) {
  return {p.error, p.warning, p.note, p.help, p.location, p.caret, p.reset};
}

TEST(ColourPalette, IsEmptyWithoutColour) {
  for (const std::string_view part : parts(palette(false))) EXPECT_EQ(part, "");
}

TEST(ColourPalette, HoldsOneGraphicsSequencePerPartWithColour) {
  const Palette p = palette(true);
  for (const std::string_view part : parts(p)) {
    EXPECT_TRUE(part.starts_with("\x1b[") && part.ends_with('m') &&
                part.find_first_not_of("0123456789;", 2) == part.size() - 1)
        << part.substr(1);
  }
  // Each kind of line tells itself apart from the others at a glance.
  const std::array<std::string_view, 5> kinds{p.error, p.warning, p.note, p.help, p.caret};
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    for (std::size_t j = i + 1; j < kinds.size(); ++j) EXPECT_NE(kinds[i], kinds[j]) << i << j;
  }
  // Every attribute off, or the colour of one part would spill into the text after it.
  EXPECT_EQ(p.reset.find_first_not_of("0;", 2), p.reset.size() - 1) << p.reset.substr(1);
}

}  // namespace
}  // namespace tracciato
