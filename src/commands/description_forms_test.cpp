// Every command that reads descriptions takes them in the same forms, and each form means
// the same to all of them.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "testing/files.h"

namespace tracciato {
namespace {

using test_support::read_file;
using test_support::run_tracciato;
using test_support::write_file;

const std::string kLine = "Esempio_linea.txt";
const std::string kTrain = "Esempio_100-.txt";

enum class Input { kNone, kLine, kTrain };

struct Form {
  const char* name;
  std::vector<std::string> words;
  Input input;  // what standard input holds
  int status;
  std::string complaint;  // part of standard error; empty when nothing is asked of it
};

const Form kForms[] = {
    {"TheEmbeddedPair", {}, Input::kNone, 0, ""},
    {"LineAndTrainFiles", {kLine, kTrain}, Input::kNone, 0, ""},
    {"LineFromStandardInput", {"-", kTrain, "--base", "Esempio"}, Input::kLine, 0, ""},
    {"TrainFromStandardInput", {kLine, "-", "--train", "100"}, Input::kTrain, 0, ""},
    {"NamesFromBaseAndTrain",
     {kLine, kTrain, "--base", "Altro", "--train", "7"},
     Input::kNone,
     0,
     ""},
    {"MissingLine",
     {"Esempio_line.txt", kTrain, "--base", "Esempio"},
     Input::kNone,
     1,
     "error 101"},
    {"BothFromStandardInput",
     {"-", "-", "--base", "Esempio", "--train", "100"},
     Input::kLine,
     2,
     ": LINE and TRAIN cannot both be -: standard input holds one description"},
    {"StandardInputWithoutTheBaseName",
     {"-", kTrain},
     Input::kLine,
     2,
     ": cannot take the base name from '-'"},
    {"TrainAndLineSwapped",
     {kTrain, kLine},
     Input::kNone,
     2,
     ": Esempio_100-.txt names a train and Esempio_linea.txt a line: they are swapped"},
    {"BaseAndTrainWithoutDescriptions",
     {"--base", "Altro", "--train", "7"},
     Input::kNone,
     2,
     ": --base and --train go with LINE and TRAIN"},
};

const char* const kCommands[] = {"compile", "check", "report"};

class DescriptionForms : public ::testing::TestWithParam<std::tuple<const char*, const Form*>> {};

TEST_P(DescriptionForms, MeanTheSameToEveryCommand) {
  const auto [command, form] = GetParam();
  test_support::TempDir dir;
  const std::string examples = TRACCIATO_EXAMPLES;
  write_file(dir / kLine, read_file(examples + "/Esempio_linea.txt"));
  write_file(dir / kTrain, read_file(examples + "/Esempio_100-.txt"));
  std::vector<test_support::Arg> args = {command};
  args.insert(args.end(), form->words.begin(), form->words.end());
  const std::string input = form->input == Input::kLine    ? read_file(dir / kLine)
                            : form->input == Input::kTrain ? read_file(dir / kTrain)
                                                           : "";
  const auto run = run_tracciato(args, dir.path(), input);
  EXPECT_EQ(run.status, form->status) << run.err;
  EXPECT_NE((run.out + run.err).find(form->complaint), std::string::npos) << run.err;
  if (form->status == 2) {
    EXPECT_TRUE(run.err.starts_with("usage: tracciato " + std::string(command) + ": ")) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, DescriptionForms,
                         ::testing::Combine(::testing::ValuesIn(kCommands), ::testing::ValuesIn([] {
                                              std::vector<const Form*> forms;
                                              for (const Form& f : kForms) forms.push_back(&f);
                                              return forms;
                                            }())),
                         [](const auto& info) {
                           return std::string(std::get<1>(info.param)->name) + "_" +
                                  std::get<0>(info.param);
                         });

// --base and --train name what a command writes, whichever way the descriptions come.
TEST(DescriptionForms, BaseAndTrainNameTheFilesWritten) {
  test_support::TempDir dir;
  const std::string examples = TRACCIATO_EXAMPLES;
  write_file(dir / kTrain, read_file(examples + "/Esempio_100-.txt"));
  const std::string line = read_file(examples + "/Esempio_linea.txt");
  for (const char* command : {"compile", "report"}) {
    const auto run = run_tracciato(
        {command, "-", kTrain, "--base", "Altro", "--train", "7", "--quiet"}, dir.path(), line);
    EXPECT_EQ(run.status, 0) << command << ": " << run.err;
  }
  EXPECT_EQ(test_support::file_names(dir.path()),
            (std::vector<std::string>{"Altro_7.dat", "Altro_7.html", "Altro_7.sim",
                                      "Altro_linea.dat", kTrain}));
}

}  // namespace
}  // namespace tracciato
