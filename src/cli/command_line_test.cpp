#include <gtest/gtest.h>

#include "cli/command.h"
#include "cli/help.h"
#include "testing/files.h"

namespace tracciato {
namespace {

// What the last command of the fake table was given.
struct Ran {
  std::string name;
  Arguments args;
};
Ran last_run;
// The status every command of the fake table ends with: neither help's nor a usage error's.
constexpr ExitStatus kRan = ExitStatus::kFileProblem;

template <const char* kName>
ExitStatus record(const Arguments& args, const CommandContext& /*context*/) {
  last_run = {kName, args};
  return kRan;
}
constexpr char kDefault[] = "(default)";
constexpr char kBuild[] = "build";

const EmbeddedScenario kScenario{"Prova", "1", "", "", "", "", ""};

std::vector<Command> fake_table() {
  return {
      {"", {"[--out DIR]"}, "the default run\n", {{"--out", "DIR", "where"}}, {}, record<kDefault>},
      {"build",
       {"LINE TRAIN [--fast]\n[--out DIR]"},
       "build two files\ninto one\n",
       {{"--fast", "", "build fast"}, {"--out", "DIR", "write into DIR\nmade first"}},
       {},
       record<kBuild>},
      kHelpCommand};
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// A command whose options take typed values and whose positionals are counted.
constexpr char kMeasure[] = "measure";
std::vector<Command> typed_table() {
  return {{"measure",
           {"FILE [--times N] [--mode quick|slow] [--out DIR]", "--pair A B"},
           "measure\n",
           {{"--times", "N", "measure N times", whole_number(1, 9)},
            {"--mode", "quick|slow|exact", "how", kWordValue},
            {"--out", "DIR", "where", kPathValue},
            {"--pair", "", "measure two"},
            {"--offset", "METRES", "from where", kAnyWholeNumber}},
           {{"--pair", {2}, "A and B"}, {"", {1}, "one FILE"}},
           record<kMeasure>}};
}

Outcome run(std::vector<std::string> words, const std::vector<Command>& table = fake_table()) {
  const CommandContext context{kScenario, [] { return std::unique_ptr<Face>(); }, table};
  last_run = {};
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int status = exit_code(run_command_line(words, context));
  std::string out = ::testing::internal::GetCapturedStdout();
  return {status, out, ::testing::internal::GetCapturedStderr()};
}

TEST(CommandLine, NoWordsOrAnOptionFirstIsTheDefaultRun) {
  EXPECT_EQ(run({}).status, exit_code(kRan));
  EXPECT_EQ(last_run.name, kDefault);
  EXPECT_EQ(run({"--out", "x"}).status, exit_code(kRan));
  EXPECT_EQ(last_run.name, kDefault);
  EXPECT_EQ(last_run.args.value("--out"), "x");
}

TEST(CommandLine, ACommandGetsItsOwnOptionsParsed) {
  EXPECT_EQ(run({"build", "a", "b", "--fast", "--out=d"}).status, exit_code(kRan));
  EXPECT_EQ(last_run.name, kBuild);
  EXPECT_EQ(last_run.args.positionals, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(last_run.args.flag("--fast"));
  EXPECT_EQ(last_run.args.value("--out"), "d");
}

TEST(CommandLine, AnOptionOfAnotherCommandIsAUsageError) {
  const Outcome o = run({"--fast"});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err, "usage: tracciato: unknown option --fast (tracciato --help for more)\n");
  EXPECT_EQ(last_run.name, "");
}

TEST(CommandLine, AnUnknownCommandIsAUsageError) {
  const Outcome o = run({"zzz"});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err, "usage: tracciato zzz: unknown command (tracciato --help for more)\n");
}

TEST(CommandLine, TheOverviewListsEveryFormAndSummary) {
  const Outcome o = run({"--help"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "usage: tracciato [--out DIR]\n"
            "       tracciato build LINE TRAIN [--fast]\n"
            "                       [--out DIR]\n"
            "       tracciato help [COMMAND | codes | rows]\n"
            "       tracciato --help | --version\n"
            "\n"
            "(none)    the default run\n"
            "build     build two files\n"
            "          into one\n"
            "help      show what COMMAND does and the options it takes, or this overview;\n"
            "          help codes lists the error codes, help rows every row keyword\n"
            "\n"
            "exit status:\n"
            "  0  built, or nothing found\n"
            "  1  a compile error, an error found by check, a damaged compiled file\n"
            "  2  the command line is wrong\n"
            "  3  a file cannot be read or written\n"
            "the description format: description-format.md, beside the README\n");
  EXPECT_EQ(run({"help"}).out, o.out);
}

TEST(CommandLine, CommandHelpComesFromTheTableWhicheverWayItIsAsked) {
  const std::string expected =
      "usage: tracciato build LINE TRAIN [--fast]\n"
      "                       [--out DIR]\n"
      "\n"
      "build two files\n"
      "into one\n"
      "\n"
      "options:\n"
      "  --fast      build fast\n"
      "  --out DIR   write into DIR\n"
      "              made first\n";
  for (const auto& words : std::vector<std::vector<std::string>>{
           {"help", "build"}, {"build", "--help"}, {"build", "a", "--help", "--nonsense"}}) {
    const Outcome o = run(words);
    EXPECT_EQ(o.status, 0) << words.front();
    EXPECT_EQ(o.out, expected) << words.back();
  }
  EXPECT_EQ(last_run.name, "");
}

TEST(CommandLine, AMistypedCommandOrOptionGetsTheNearestName) {
  EXPECT_EQ(run({"biuld"}).err,
            "usage: tracciato biuld: unknown command; did you mean build? (tracciato --help for "
            "more)\n");
  EXPECT_EQ(run({"build", "--fsat"}).err,
            "usage: tracciato build: unknown option --fsat; did you mean --fast? (tracciato "
            "--help for more)\n");
  EXPECT_EQ(run({"help", "buidl"}).err,
            "usage: tracciato help: unknown command buidl; did you mean build? (tracciato --help "
            "for more)\n");
  EXPECT_EQ(run({"zzz"}).err,
            "usage: tracciato zzz: unknown command (tracciato --help for more)\n");
}

TEST(CommandLine, HelpForAnUnknownCommandIsAUsageError) {
  const Outcome o = run({"help", "zzz"});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err, "usage: tracciato help: unknown command zzz (tracciato --help for more)\n");
}

TEST(CommandLine, VersionNamesTheScenario) {
  const Outcome o = run({"--version"});
  EXPECT_EQ(o.status, 0);
  EXPECT_TRUE(o.out.ends_with("scenario Prova, train 1)\n")) << o.out;
}

struct TypedCase {
  const char* name;
  std::vector<std::string> words;
  std::string complaint;  // empty: the command runs
};

class TypedArguments : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedArguments, AreCheckedBeforeTheCommandRuns) {
  std::vector<std::string> words = {"measure"};
  words.insert(words.end(), GetParam().words.begin(), GetParam().words.end());
  const Outcome o = run(words, typed_table());
  if (GetParam().complaint.empty()) {
    EXPECT_EQ(o.status, exit_code(kRan)) << o.err;
    EXPECT_EQ(last_run.name, kMeasure);
    return;
  }
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err,
            "usage: tracciato measure: " + GetParam().complaint + " (tracciato --help for more)\n");
  EXPECT_EQ(last_run.name, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedArguments,
    ::testing::Values(
        TypedCase{"AWholeNumberInItsRange", {"f", "--times", "9"}, ""},
        TypedCase{"AWholeNumberBelowItsRange",
                  {"f", "--times=0"},
                  "--times takes a whole number from 1 to 9, not '0'"},
        TypedCase{"AWholeNumberWithMoreAfterIt",
                  {"f", "--times", "3x"},
                  "--times takes a whole number from 1 to 9, not '3x'"},
        TypedCase{"ANegativeWholeNumberOfAnyRange", {"f", "--offset", "-250"}, ""},
        TypedCase{"NoNumberOfAnyRange",
                  {"f", "--offset", "1.5"},
                  "--offset takes a whole number, not '1.5'"},
        TypedCase{"AWordOfTheList", {"f", "--mode", "slow"}, ""},
        TypedCase{"AWordNotOfTheList",
                  {"f", "--mode", "fast"},
                  "--mode takes quick, slow or exact, not 'fast'"},
        TypedCase{"AnEmptyPath", {"f", "--out="}, "--out takes DIR, not an empty word"},
        TypedCase{"TooManyPositionals", {"f", "g"}, "measure takes one FILE"},
        TypedCase{"NoPositional", {}, "measure takes one FILE"},
        TypedCase{"PositionalsAsAFlagCountsThem", {"f", "g", "--pair"}, ""},
        TypedCase{"TooFewPositionalsForTheFlag", {"f", "--pair"}, "measure --pair takes A and B"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
