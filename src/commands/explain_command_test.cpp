#include <gtest/gtest.h>

#include <sstream>

#include "model/error_codes.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using testing::run_tracciato;

TEST(Explain, TellsTheRuleTheFixAndAnExample) {
  testing::TempDir dir;
  const auto run = run_tracciato({"explain", "15"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "error 15: a row lies beyond the end of the route\n"
            "\n"
            "Every object must lie within the track: its position plus 100 m (plus 800 m\n"
            "for a station), divided by 50, may not pass the last cell, 7000 m past the\n"
            "route length.\n"
            "\n"
            "fix: Check the position against the route length; a digit too many is the\n"
            "usual cause.\n"
            "\n"
            "example:\n"
            "    pendenza,  999999,  2\n");
}

TEST(Explain, EveryCodeIsExplainedWithinTheWidthOfATerminal) {
  testing::TempDir dir;
  for (const ErrorCodeInfo& info : error_codes()) {
    const auto run = run_tracciato({"explain", std::to_string(info.code)}, dir.path());
    EXPECT_EQ(run.status, 0) << info.code;
    EXPECT_TRUE(run.out.starts_with("error " + std::to_string(info.code) + ": " + info.summary))
        << run.out;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(line.size(), 80u) << info.code << ": " << line;
    }
  }
}

TEST(Explain, ANumberThatIsNoCodeIsAUsageError) {
  testing::TempDir dir;
  for (const char* word : {"14", "abc", "15x", ""}) {
    const auto run = run_tracciato({"explain", word}, dir.path());
    EXPECT_EQ(run.status, 2) << word;
    EXPECT_NE(run.err.find("is no error code; tracciato help codes lists them"), std::string::npos)
        << run.err;
  }
  EXPECT_EQ(run_tracciato({"explain"}, dir.path()).status, 2);
}

TEST(Explain, HelpCodesListsEveryCode) {
  testing::TempDir dir;
  const auto run = run_tracciato({"help", "codes"}, dir.path());
  EXPECT_EQ(run.status, 0);
  for (const ErrorCodeInfo& info : error_codes()) {
    EXPECT_NE(run.out.find(std::to_string(info.code) + "  " + info.summary + "\n"),
              std::string::npos)
        << info.code;
  }
}

}  // namespace
}  // namespace tracciato
