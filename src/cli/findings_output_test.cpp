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
