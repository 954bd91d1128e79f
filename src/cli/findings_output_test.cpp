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

}  // namespace
}  // namespace tracciato
