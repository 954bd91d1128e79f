#include "textio/field_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "textio/keyword.h"

namespace tracciato {
namespace {

struct NumberCase {
  const char* name;
  const char* text;
  std::optional<std::int32_t> value;  // nullopt: an unexpected failure
  const char* rest;                   // what the next text field reads
  const char* hint = "";              // a failure's hint begins so; empty: none
};
void PrintTo(const NumberCase& c, std::ostream* os) {
  *os << c.name;
}

class FieldReaderNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FieldReaderNumbers, ReadsOrRefuses) {
  const NumberCase c = GetParam();
  FieldReader r(c.text);
  if (!c.value) {
    try {
      r.read_number();
      ADD_FAILURE() << "no failure for " << c.text;
    } catch (const UnexpectedFailure& failure) {
      EXPECT_TRUE(std::string(failure.hint).starts_with(c.hint)) << failure.hint;
      EXPECT_EQ(failure.hint.empty(), *c.hint == '\0') << failure.hint;
    }
    return;
  }
  EXPECT_EQ(r.read_number(), *c.value) << c.text;
  if (*c.rest != '\0')
    EXPECT_EQ(r.read_text(), c.rest) << c.text;
  else
    EXPECT_TRUE(r.at_end()) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, FieldReaderNumbers,
    ::testing::Values(NumberCase{"LeadingBlanksAndLineEnd", "   136000\r\nx", 136000, "x"},
                      NumberCase{"NegativeBeforeAComma", "-30,x", -30, "x"},
                      NumberCase{"BlanksBeforeTheCommaGoWithIt", "0    ,0", 0, "0"},
                      NumberCase{"BlanksAloneSeparateNumbers", "14     9", 14, "9"},
                      NumberCase{"OnlyBlanksReadZero", "  ,x", 0, "x"},
                      NumberCase{"EmptyLineIsAnEmptyField", "\r\nx", 0, "x"},
                      NumberCase{"BlankBeforeTheLineEnd", "45 \r\n[fine]", 45, "[fine]"},
                      NumberCase{"LoneLfEndsTheField", "7\nx", 7, "x"},
                      NumberCase{"LoneCrEndsTheField", "7\rx", 7, "x"},
                      NumberCase{"EndOfTheDataEndsTheField", "12", 12, ""},
                      NumberCase{"Int32Max", "2147483647,", 2147483647, ""},
                      NumberCase{"Int32Min", "-2147483648,", -2147483647 - 1, ""},
                      NumberCase{"AboveInt32MaxFails", "2147483648,", std::nullopt, ""},
                      NumberCase{"Beyond64BitsFails", "99999999999999999999999,", std::nullopt, ""},
                      NumberCase{"PlusSignFailsWithAHint", "+5,", std::nullopt, "",
                                 "write the number without a plus sign"},
                      NumberCase{"DecimalsFailWithAHint", "5.0,", std::nullopt, "",
                                 "numbers are whole"},
                      NumberCase{"LeadingTabFailsWithAHint", "\t5,", std::nullopt, "",
                                 "fields are separated by commas and spaces"},
                      NumberCase{"TrailingLetterFails", "5x,", std::nullopt, ""},
                      NumberCase{"WordFails", "abc,", std::nullopt, ""},
                      NumberCase{"LoneMinusFails", "-,", std::nullopt, ""},
                      NumberCase{"NoDataFails", "", std::nullopt, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct MistakeCase {
  const char* name;
  const char* field;
  NumberReading::Mistake mistake;
  const char* meant;
};
void PrintTo(const MistakeCase& c, std::ostream* os) {
  *os << c.name;
}

class LikelyNumber : public ::testing::TestWithParam<MistakeCase> {};

TEST_P(LikelyNumber, TellsWhatARefusedFieldMeant) {
  const MistakeCase c = GetParam();
  const NumberReading reading = likely_number(c.field);
  EXPECT_EQ(reading.mistake, c.mistake) << c.field;
  EXPECT_EQ(reading.meant, c.meant) << c.field;
}

using M = NumberReading::Mistake;
INSTANTIATE_TEST_SUITE_P(
    Mistakes, LikelyNumber,
    ::testing::Values(MistakeCase{"TimeOfDayIsThreeFields", "14:10:00", M::kTimeOfDay, "14, 10, 0"},
                      MistakeCase{"HoursAndMinutesAreTwoFields", "9:05", M::kTimeOfDay, "9, 5"},
                      MistakeCase{"FourPartsAreNoTime", "1:2:3:4", M::kUnknown, ""},
                      MistakeCase{"CapitalOForAZero", "1O0", M::kLetterO, "100"},
                      MistakeCase{"SmallOForAZero", "-3o", M::kLetterO, "-30"},
                      MistakeCase{"LoneOIsZero", "O", M::kLetterO, "0"},
                      MistakeCase{"OAmongOtherLettersIsNoZero", "OK", M::kUnknown, ""},
                      MistakeCase{"DotBetweenThousands", "10.000", M::kThousands, "10000"},
                      MistakeCase{"DotsBetweenMillions", "1.234.567", M::kThousands, "1234567"},
                      MistakeCase{"ApostropheBetweenThousands", "136'000", M::kThousands, "136000"},
                      MistakeCase{"NegativeThousands", "-1.500", M::kThousands, "-1500"},
                      MistakeCase{"DecimalPointBetweenTwoWholeNumbers", "2.5", M::kDecimal,
                                  "2 or 3"},
                      MistakeCase{"NegativeDecimal", "-2.5", M::kDecimal, "-2 or -3"},
                      MistakeCase{"ZeroDecimalsAreWhole", "5.0", M::kDecimal, "5"},
                      MistakeCase{"FractionAlone", ".5", M::kDecimal, "0 or 1"},
                      MistakeCase{"UnitAfterASpeed", "80km/h", M::kUnit, "80"},
                      MistakeCase{"UnitAfterMetresAnyCase", "450M", M::kUnit, "450"},
                      MistakeCase{"PerMilleSign", "5\x89", M::kUnit, "5"},
                      MistakeCase{"PlusSign", "+5", M::kPlusSign, "5"},
                      MistakeCase{"Tab", "\t5", M::kTab, ""},
                      MistakeCase{"TrailingBlanksDoNotCount", "10.000  ", M::kThousands, "10000"},
                      MistakeCase{"LetterInTheMiddleIsUnknown", "4x0", M::kUnknown, ""},
                      MistakeCase{"WordIsUnknown", "PROVA", M::kUnknown, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldReader, RefusedNumbersCarryTheirFieldAndHint) {
  FieldReader r("velocita,  1O0\r\n");
  r.read_text();
  try {
    r.read_number();
    ADD_FAILURE() << "1O0 is no number";
  } catch (const UnexpectedFailure& failure) {
    EXPECT_EQ(failure.field, UnexpectedFailure::Field::kNotANumber);
    EXPECT_EQ(failure.field_text, "1O0");
    EXPECT_EQ(failure.hint, "the letter O stands where a zero belongs: write 100");
  }
  FieldReader big("9999999999,");
  try {
    big.read_number();
    ADD_FAILURE() << "beyond 32 bits";
  } catch (const UnexpectedFailure& failure) {
    EXPECT_EQ(failure.field, UnexpectedFailure::Field::kBeyond32Bits);
    EXPECT_EQ(failure.field_text, "9999999999");
  }
  FieldReader ended("x");
  ended.read_text();
  try {
    ended.read_number();
    ADD_FAILURE() << "past the end";
  } catch (const UnexpectedFailure& failure) {
    EXPECT_EQ(failure.field, UnexpectedFailure::Field::kEndOfFile);
  }
}

TEST(FieldReader, MarksANumberFollowedByMoreTextInItsField) {
  FieldReader r("velocita, 900, 8 0\r\norologio, 14  9  45 \r\n");
  r.read_text();
  r.begin_row();
  r.read_number();
  EXPECT_TRUE(r.row_field(1).number);
  EXPECT_FALSE(r.row_field(1).more_text);
  EXPECT_EQ(r.read_number(), 8);
  EXPECT_TRUE(r.row_field(2).more_text);
  EXPECT_EQ(r.rest_of_line(), "0");
  EXPECT_EQ(r.read_text(), "0");
  EXPECT_FALSE(r.row_field(3).number);
  r.read_text();
  r.begin_row();
  for (const bool more : {true, true, false}) {
    r.read_number();
    EXPECT_EQ(r.row_field(r.row_fields_read() - 1).more_text, more);
  }
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, TellsWhatIsLeftOfTheLine) {
  FieldReader r("pendenza, 450, 2,5 \r\nx");
  r.read_text();
  r.read_number();
  r.read_number();
  EXPECT_EQ(r.rest_of_line(), "5 ");
  r.read_number();
  EXPECT_EQ(r.rest_of_line(), "x");
  r.read_text();
  EXPECT_EQ(r.rest_of_line(), "");
}

TEST(FieldReader, KnowsTheColumnsOfEachFieldOfTheRow) {
  FieldReader r("x\r\npendenza,  1000,\t2\r\n");
  r.read_text();
  r.read_text();
  r.begin_row();
  r.read_number();
  const FieldSpan& keyword = r.row_field(0);
  const FieldSpan& position = r.row_field(1);
  EXPECT_EQ(keyword.line, 2);
  EXPECT_EQ(keyword.column, 1);
  EXPECT_EQ(keyword.end_column, 9);
  EXPECT_EQ(position.column, 12);
  EXPECT_EQ(position.end_column, 16);
  EXPECT_EQ(r.line_text(position), "pendenza,  1000,\t2");
  EXPECT_EQ(r.fields_left_on_line(), 1);
  try {
    r.read_number();
    ADD_FAILURE() << "a tab is no blank";
  } catch (UnexpectedFailure& failure) {
    r.locate(failure);
    EXPECT_EQ(failure.line, 2);
    EXPECT_EQ(failure.column, 17);
    EXPECT_EQ(failure.end_column, 19);
    EXPECT_EQ(failure.source, "pendenza,  1000,\t2");
  }
}

TEST(FieldReader, TextFieldsSkipLeadingBlanksAndKeepTrailingOnes) {
  FieldReader r("  cartello_indicatore,  850,   (Prot. )(2 P.L.)  \r\n(F), x\r\n");
  EXPECT_EQ(r.read_text(), "cartello_indicatore");
  EXPECT_EQ(r.read_number(), 850);
  EXPECT_EQ(r.read_text(), "(Prot. )(2 P.L.)  ");
  EXPECT_EQ(r.read_text(), "(F)");
  EXPECT_EQ(r.read_text(), "x");
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, QuotesAndHighBytesAreOrdinaryText) {
  FieldReader r("\"a,b\"\r\nvelocit\xE0\r\n");
  EXPECT_EQ(r.read_text(), "\"a");
  EXPECT_EQ(r.read_text(), "b\"");
  EXPECT_EQ(r.read_text(), "velocit\xE0");
}

TEST(FieldReader, EndOfFileIsReachedWithTheLastFieldAndReadingOnFails) {
  FieldReader r("[generale]\r\n[fine]\r\n");
  EXPECT_EQ(r.read_text(), "[generale]");
  EXPECT_FALSE(r.at_end());
  EXPECT_EQ(r.read_text(), "[fine]");
  EXPECT_TRUE(r.at_end());
  EXPECT_THROW(r.read_text(), UnexpectedFailure);
  EXPECT_THROW(FieldReader("").read_text(), UnexpectedFailure);
}

TEST(FieldReader, CountsLinesOfEveryLineEnd) {
  FieldReader r("a\r\nb\nc\rd, e\r\n");
  for (const int line : {1, 2, 3, 4, 4}) {
    r.read_text();
    EXPECT_EQ(r.field_line(), line);
  }
  EXPECT_EQ(r.current_line(), 4);  // at the end, the last line
}

TEST(Keyword, MatchingFoldsAsciiLettersOnly) {
  EXPECT_TRUE(contains_any_case("LUNGHEZZA Percorso", "lunghezza"));
  EXPECT_TRUE(contains_any_case("Velocit\xE0", "velocit"));
  EXPECT_FALSE(contains_any_case("\xC0", "\xE0"));
  EXPECT_TRUE(contains_exact("progressiva chilometrica uno", "progressiva"));
  EXPECT_FALSE(contains_exact("Progressiva chilometrica uno", "progressiva"));
}

}  // namespace
}  // namespace tracciato
