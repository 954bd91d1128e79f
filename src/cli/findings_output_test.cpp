#include "cli/findings_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace tracciato {
namespace {

std::string text_of(const FindingList& list, const TextLimits& limits) {
  std::ostringstream out;
  write_findings_text(out, list, limits);
  return out.str();
}

TEST(CheckText, ARepeatedMistakeIsShownThreeTimesThenCounted) {
  FindingList list;
  for (int line = 1; line <= 6; ++line) {
    const int p = line * 100 + 25;
    list.warning({{"treno.txt", line, 0, 0, {}},
                  p,
                  "the signal at " + std::to_string(p) + " is not on a multiple of 50 m",
                  {}});
  }
  list.warning({{"treno.txt", 9, 0, 0, {}}, std::nullopt, "another mistake", {}});
  EXPECT_EQ(text_of(list, {.repeats_shown = 5}).find("note:"), std::string::npos)
      << "a count that would hide one finding shows it instead";
  EXPECT_EQ(
      text_of(list, {}),
      "treno.txt:1: warning: the signal at 125 is not on a multiple of 50 m\n"
      "treno.txt:2: warning: the signal at 225 is not on a multiple of 50 m\n"
      "treno.txt:3: warning: the signal at 325 is not on a multiple of 50 m\n"
      "note: the same mistake 3 more times after treno.txt:3 (tracciato check --format json lists "
      "every one)\n"
      "treno.txt:9: warning: another mistake\n"
      "0 errors, 7 warnings\n");
}

TEST(CheckText, NoMoreErrorsThanAskedAreShown) {
  FindingList list;
  for (int code = 1; code <= 5; ++code) {
    ErrorState e;
    e.record(code, "mistake " + std::string(1, static_cast<char>('a' + code)),
             {"linea.txt", code, 0, 0, {}});
    list.error(e);
  }
  list.warning({{"linea.txt", 7, 0, 0, {}}, std::nullopt, "a warning", {}});
  EXPECT_EQ(text_of(list, {.max_errors = 2}),
            "linea.txt:1: error 1: mistake b\n"
            "linea.txt:2: error 2: mistake c\n"
            "linea.txt:7: warning: a warning\n"
            "and 3 more errors (--max-errors 2)\n"
            "5 errors, 1 warning\n"
            "`tracciato explain CODE` tells what a code means and how to fix it\n");
}

// A run of findings: a repeated error, a repeated warning, a mistake made twice and
// mistakes made once, interleaved, with the compile's own error late among the repeats.
void tell_run(FindingList& list) {
  ErrorState own;
  own.record(25, "the value 39 does not fit its field", {"linea.txt", 39, 0, 0, {}});
  list.expect_reported(own);
  for (int line = 1; line <= 60; ++line) {
    if (line % 3 == 0) {
      ErrorState e;
      e.record(25, "the value " + std::to_string(line) + " does not fit",
               {"linea.txt", line, 0, 0, {}});
      list.error(e);
    } else if (line % 7 == 0) {
      list.warning({{"linea.txt", line, 0, 0, {}}, std::nullopt, "twice made", {}});
    } else if (line % 11 == 0) {
      list.warning({{"linea.txt", line, 0, 0, {}},
                    std::nullopt,
                    "once " + std::string(1, 'a' + line % 26),
                    {}});
    } else {
      list.warning({{"treno.txt", line, 0, 0, {}}, line, "off by " + std::to_string(line), {}});
    }
  }
  list.finish();
}

struct LimitsCase {
  const char* name;
  TextLimits limits;
};
void PrintTo(const LimitsCase& c, std::ostream* os) {
  *os << c.name;
}

class TextRetention : public ::testing::TestWithParam<LimitsCase> {};

// A list that keeps only what the text may show of a repeated mistake gives the very text
// of one that keeps every finding.
TEST_P(TextRetention, GivesTheTextOfAListThatKeepsEveryFinding) {
  FindingList every;
  FindingList bounded(true, text_retention());
  tell_run(every);
  tell_run(bounded);
  ASSERT_LT(bounded.findings().size(), every.findings().size());
  EXPECT_EQ(text_of(bounded, GetParam().limits), text_of(every, GetParam().limits));
}

INSTANTIATE_TEST_SUITE_P(Limits, TextRetention,
                         ::testing::Values(LimitsCase{"AsCheckShowsThem", {}},
                                           LimitsCase{"ErrorsCappedAtTwo", {.max_errors = 2}},
                                           LimitsCase{"ErrorsCappedAtFive", {.max_errors = 5}},
                                           LimitsCase{"EveryError", {.max_errors = std::nullopt}},
                                           LimitsCase{"OneRepeatShown", {.repeats_shown = 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckText, FindingsPastTheListsBoundAreCountedTheCompilesOwnErrorKept) {
  FindingList list(true, {.per_mistake = std::nullopt, .findings = 2});
  ErrorState own;
  own.record(16, "the signal falls on a taken cell", {"treno.txt", 9, 0, 0, {}});
  list.expect_reported(own);
  for (int line = 1; line <= 5; ++line) {
    list.warning(
        {{"linea.txt", line, 0, 0, {}}, std::nullopt, "mistake " + std::string(1, 'a' + line), {}});
  }
  list.error(own);
  list.finish();
  EXPECT_EQ(list.findings().size(), 3U);
  EXPECT_EQ(list.warnings_not_kept(), 3);
  EXPECT_EQ(text_of(list, {}),
            "linea.txt:1: warning: mistake b\n"
            "linea.txt:2: warning: mistake c\n"
            "treno.txt:9: error 16: the signal falls on a taken cell\n"
            "note: this is the error compile reports\n"
            "and 3 more findings (0 errors, 3 warnings) after the first 3 are not shown "
            "(tracciato check --format json lists every one)\n"
            "1 error, 5 warnings\n"
            "`tracciato explain CODE` tells what a code means and how to fix it\n");
}

TEST(CheckText, AListKeepsNoMoreBytesThanItsBound) {
  FindingList list(true, {.per_mistake = std::nullopt, .bytes = 100000});
  const std::string line(30000, 'x');
  for (int n = 1; n <= 10; ++n) {
    list.warning(
        {{"linea.txt", n, 1, 2, line}, std::nullopt, "long line " + std::string(1, 'a' + n), {}});
  }
  EXPECT_EQ(list.findings().size(), 4U);
  EXPECT_EQ(list.warnings_not_kept(), 6);
  EXPECT_EQ(list.warnings(), 10);
}

TEST(CheckJson, StreamedAsToldItIsTheArrayOfAListThatKeepsThemAll) {
  FindingList every;
  tell_run(every);
  std::ostringstream kept;
  write_findings_json(kept, every, 4);
  std::ostringstream streamed;
  FindingList none(true, {.per_mistake = std::nullopt, .findings = 0});
  JsonFindings json(streamed, 4);
  none.stream_to([&json](const Finding& f) { json.add(f); });
  tell_run(none);
  json.close();
  EXPECT_EQ(none.findings().size(), 1U) << "the compile's own error alone";
  EXPECT_EQ(streamed.str(), kept.str());
}

TEST(CheckJson, NoMoreErrorsThanAskedWhenAsked) {
  FindingList list;
  for (int code = 1; code <= 3; ++code) {
    ErrorState e;
    e.record(code, "mistake", {"linea.txt", code, 0, 0, {}});
    list.error(e);
  }
  std::ostringstream all;
  std::ostringstream capped;
  write_findings_json(all, list);
  write_findings_json(capped, list, 1);
  const std::string every = all.str();
  const std::string first = capped.str();
  EXPECT_EQ(std::count(every.begin(), every.end(), '{'), 3);
  EXPECT_EQ(std::count(first.begin(), first.end(), '{'), 1);
}

TEST(CheckJson, AFindingWithNotesRelatesEachAtItsPlaceAndKeepsThemInItsMessage) {
  FindingList list;
  ErrorState e;
  e.record_at(16, 2000, "the signal falls on the board", {"F_1-.txt", 3, 11, 15, {}});
  e.add_note("the two share track cell 41");
  e.add_note("the board already in this cell was written here", {"F_linea.txt", 6, 19, 23, {}});
  list.error(e);
  list.warning({{"F_1-.txt", 4, 0, 0, {}}, std::nullopt, "a warning without notes", {}});
  std::ostringstream out;
  write_findings_json(out, list);
  EXPECT_EQ(out.str(),
            "[\n"
            R"(  {"file": "F_1-.txt", "line": 3, "column": 11, "end_column": 15, )"
            R"("severity": "error", "code": 16, "position": 2000, "message": )"
            R"("the signal falls on the board; the two share track cell 41; the board already )"
            R"(in this cell was written here", "hint": null, "reported": false, "related": [)"
            R"({"file": null, "line": null, "column": null, "message": "the two share track )"
            R"(cell 41"}, {"file": "F_linea.txt", "line": 6, "column": 19, "message": "the )"
            R"(board already in this cell was written here"}]},)"
            "\n"
            R"(  {"file": "F_1-.txt", "line": 4, "column": null, "end_column": null, )"
            R"("severity": "warning", "code": null, "position": null, "message": "a warning )"
            R"(without notes", "hint": null, "reported": false})"
            "\n]\n");
}

}  // namespace
}  // namespace tracciato
