#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "testing/descriptions.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using test_support::read_file;
using test_support::run_tracciato;
using test_support::write_file;

const std::string kExampleLine = std::string(TRACCIATO_EXAMPLES) + "/Esempio_linea.txt";
const std::string kExampleTrain = std::string(TRACCIATO_EXAMPLES) + "/Esempio_100-.txt";

std::string first_line(const std::string& text) {
  return text.substr(0, text.find('\n'));
}
std::string second_line(const std::string& text) {
  const std::size_t start = text.find('\n') + 1;
  return text.substr(start, text.find('\n', start) - start);
}

TEST(CompileCommand, BuildsTheThreeFilesAndNamesThem) {
  test_support::TempDir out;
  const auto run =
      run_tracciato({"compile", kExampleLine, kExampleTrain, "--out", out.path()}, out.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "wrote Esempio_linea.dat, Esempio_100.sim, Esempio_100.dat in " +
                         shown_path(out / "") + "\n");
  EXPECT_EQ(test_support::file_names(out.path()),
            (std::vector<std::string>{"Esempio_100.dat", "Esempio_100.sim", "Esempio_linea.dat"}));
  // 10000 m of route: cells 0 to 340; two names, two station names, two signboard texts.
  EXPECT_EQ(read_file(out / "Esempio_100.dat").size(), 341u * 15);
  EXPECT_EQ(read_file(out / "Esempio_100.sim").size(), 2958u + 7 + 3 + 8 + 6 + 3 + 10);
  // Metres 0 to 17000 per coordinate: two seeds, 16997 computed points, two empties.
  EXPECT_EQ(read_file(out / "Esempio_linea.dat").size(), 2u * (8 + 16997 * 10 + 4));
}

TEST(CompileCommand, ADescriptionMayComeFromStandardInput) {
  test_support::TempDir from_files;
  test_support::TempDir from_input;
  ASSERT_EQ(run_tracciato({"compile", kExampleLine, kExampleTrain}, from_files.path()).status, 0);
  const auto run = run_tracciato({"compile", "-", kExampleTrain, "--base", "Esempio"},
                                 from_input.path(), read_file(kExampleLine));
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* name : {"Esempio_100.dat", "Esempio_100.sim", "Esempio_linea.dat"}) {
    EXPECT_EQ(read_file(from_input / name), read_file(from_files / name)) << name;
  }
}

TEST(CompileCommand, StandardInputIsNamedInDiagnosticsAndReadOnce) {
  test_support::TempDir dir;
  std::string line = read_file(kExampleLine);
  line.insert(line.find("[fine]"), "cartello_indicatore,  850,   (G)\r\n");
  const auto run =
      run_tracciato({"compile", "-", kExampleTrain, "--base", "Esempio"}, dir.path(), line);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(second_line(run.err).substr(0, 25), "<stdin>:24:23: error 6: t");
  const auto both = run_tracciato({"check", "-", "-", "--base", "A", "--train", "1"}, dir.path());
  EXPECT_EQ(both.status, 2);
  EXPECT_NE(both.err.find("LINE and TRAIN cannot both be -"), std::string::npos) << both.err;
}

// Folder and names arrive in UTF-8 (UTF-16 on Windows); the files carry the names in
// Windows-1252, as the simulator reads them.
TEST(CompileCommand, NonAsciiFolderAndNamesReachTheFilesInWindows1252) {
  test_support::TempDir dir;
  const std::filesystem::path out = dir / utf8_path("uscita città €");
  std::filesystem::create_directory(out);
  const auto run = run_tracciato(
      {"compile", kExampleLine, kExampleTrain, "--base", "Città", "--train", "N°1", "--out", out},
      dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(test_support::file_names(out),
            (std::vector<std::string>{"Città_N°1.dat", "Città_N°1.sim", "Città_linea.dat"}));
  const std::string header = read_file(out / utf8_path("Città_N°1.sim"));
  EXPECT_NE(header.find("Citt\xe0"), std::string::npos);
  EXPECT_EQ(header.find("Città"), std::string::npos);
}

TEST(CompileCommand, WithoutGeometryLeavesAnEarlierGeometryFileAndSameCells) {
  test_support::TempDir with;
  test_support::TempDir without;
  run_tracciato({"compile", kExampleLine, kExampleTrain, "--out", with.path()}, with.path());
  write_file(without / "Esempio_linea.dat", "earlier");
  const auto run = run_tracciato(
      {"compile", kExampleLine, kExampleTrain, "--out", without.path(), "--no-geometry"},
      with.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(read_file(without / "Esempio_linea.dat"), "earlier");
  EXPECT_EQ(read_file(without / "Esempio_100.dat"), read_file(with / "Esempio_100.dat"));
  EXPECT_EQ(read_file(without / "Esempio_100.sim"), read_file(with / "Esempio_100.sim"));
}

TEST(CompileCommand, NamesComeFromOptionsOrFileNames) {
  test_support::TempDir dir;
  write_file(dir / "Mia_linea.txt", read_file(kExampleLine));
  write_file(dir / "Mia_R-7-.txt", read_file(kExampleTrain));
  auto run = run_tracciato({"compile", "Mia_linea.txt", "Mia_R-7-.txt", "--verbose"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Mia_R-7.sim"), std::string::npos);
  run = run_tracciato(
      {"compile", "Mia_linea.txt", "Mia_R-7-.txt", "--base=Altra", "--train", "9", "--no-geometry"},
      dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "Altra_9.sim"));
  EXPECT_TRUE(std::filesystem::exists(dir / "Mia_linea.txt"));  // inputs never deleted
  EXPECT_TRUE(std::filesystem::exists(dir / "Mia_R-7-.txt"));
}

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
  const char* complaint;
};
void PrintTo(const UsageCase& c, std::ostream* os) {
  *os << c.name;
}

class CompileUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CompileUsage, IsRefusedWithStatusTwo) {
  test_support::TempDir dir;
  write_file(dir / "A_linea.txt", read_file(kExampleLine));
  write_file(dir / "A_1-.txt", read_file(kExampleTrain));
  write_file(dir / "plain.txt", read_file(kExampleTrain));
  std::vector<test_support::Arg> args = {"compile"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const auto run = run_tracciato(args, dir.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.rfind("usage: tracciato compile", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(GetParam().complaint), std::string::npos) << run.err;
  EXPECT_EQ(test_support::file_names(dir.path()).size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompileUsage,
    ::testing::Values(
        UsageCase{"TrainMissing", {"A_linea.txt"}, "LINE and TRAIN"},
        UsageCase{"UnknownOption", {"A_linea.txt", "A_1-.txt", "--colour"}, "unknown option"},
        UsageCase{"OptionWithoutItsValue", {"A_linea.txt", "A_1-.txt", "--out"}, "needs a value"},
        UsageCase{"LineNameGivesNoBase", {"plain.txt", "A_1-.txt"}, "base name"},
        UsageCase{"TrainNameGivesNoNumber", {"A_linea.txt", "plain.txt"}, "train number"},
        UsageCase{
            "BaseIsParentFolder", {"A_linea.txt", "A_1-.txt", "--base", ".."}, "plain file name"},
        UsageCase{"BaseIsEmpty", {"A_linea.txt", "A_1-.txt", "--base", ""}, "plain file name"},
        UsageCase{
            "TrainHoldsASlash", {"A_linea.txt", "A_1-.txt", "--train", "a/b"}, "plain file name"},
        UsageCase{"TrainHoldsABackslash",
                  {"A_linea.txt", "A_1-.txt", "--train", "x\\y"},
                  "plain file name"},
        UsageCase{"TrainNamedLikeTheGeometry",
                  {"A_linea.txt", "A_1-.txt", "--train", "linea"},
                  "geometry"},
        UsageCase{
            "TrainIsCurrentFolderWithoutGeometry",
            {"A_linea.txt", "A_1-.txt", "--base", "plain.txt", "--train", ".", "--no-geometry"},
            "plain file name"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompileCommand, RefusesToReplaceItsOwnInput) {
  test_support::TempDir dir;
  write_file(dir / "A_1.sim", read_file(kExampleLine));
  write_file(dir / "A_1-.txt", read_file(kExampleTrain));
  const auto run = run_tracciato({"compile", "A_1.sim", "A_1-.txt", "--base", "A"}, dir.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(read_file(dir / "A_1.sim"), read_file(kExampleLine));
}

TEST(CompileCommand, CompileErrorKeepsEarlierFilesAndExplainsTheRow) {
  test_support::TempDir dir;
  run_tracciato({"compile", kExampleLine, kExampleTrain, "--out", dir.path()}, dir.path());
  const std::string earlier = read_file(dir / "Esempio_100.dat");
  std::string line = read_file(kExampleLine);
  line.insert(line.find("[fine]"), "cartello_indicatore,  850,   (G)\r\n");
  write_file(dir / "Esempio_linea.txt", line);
  const auto run =
      run_tracciato({"compile", "Esempio_linea.txt", kExampleTrain, "--out", "."}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(first_line(run.err), " Errore n. 6");
  EXPECT_EQ(run.err.substr(run.err.find('\n') + 1),
            "Esempio_linea.txt:24:23: error 6: the signboard at 850 m (km 9+150) falls in the "
            "same 50 m of track as a signboard, and a cell holds one object\n"
            "   24 | cartello_indicatore,  850,   (G)\n"
            "      |                       ^~~\n"
            "note: the two share track cell 18, the cell of what stands at 850 m\n"
            "Esempio_linea.txt:22:23: note: the signboard already in this cell was written here\n"
            "   22 | cartello_indicatore,  850,   (F)\n"
            "      |                       ^~~\n"
            "note: `tracciato explain 6` tells what the code means and how to fix it\n"
            "nothing was written\n");
  EXPECT_EQ(read_file(dir / "Esempio_100.dat"), earlier);
}

// A mistyped keyword the compile skips, in a pair that builds.
std::string line_with_mistyped_keyword() {
  return test_support::line_description({"pendnza, 450, 2"});
}

TEST(CompileCommand, WarnsAfterASuccessfulBuildUnlessToldNotTo) {
  test_support::TempDir dir;
  write_file(dir / "W_linea.txt", line_with_mistyped_keyword());
  write_file(dir / "W_1-.txt", read_file(kExampleTrain));
  auto run = run_tracciato({"compile", "W_linea.txt", "W_1-.txt"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "W_linea.txt:5:1: warning: \"pendnza\" names no row kind: the line is skipped\n"
            "    5 | pendnza, 450, 2\n"
            "      | ^~~~~~~\n"
            "help: did you mean \"pendenza\"?\n"
            "1 warning (-w leaves them out)\n"
            "wrote W_linea.dat, W_1.sim, W_1.dat\n");
  EXPECT_EQ(test_support::file_names(dir.path()).size(), 5u);
  run = run_tracciato({"compile", "W_linea.txt", "W_1-.txt", "-w"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "wrote W_linea.dat, W_1.sim, W_1.dat\n");
}

TEST(CompileCommand, AFailedBuildTellsItsErrorAlone) {
  test_support::TempDir dir;
  write_file(dir / "W_linea.txt",
             test_support::line_description({"pendnza, 450, 2", "pendenza, 4x0, 2"}));
  write_file(dir / "W_1-.txt", read_file(kExampleTrain));
  const auto run = run_tracciato({"compile", "W_linea.txt", "W_1-.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(first_line(run.err), " Errore n. 25");
  EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;
}

TEST(CompileCommand, ColoursDiagnosticsOnlyWhenAskedOrOnATerminal) {
  test_support::TempDir dir;
  write_file(dir / "W_linea.txt", line_with_mistyped_keyword());
  write_file(dir / "W_1-.txt", read_file(kExampleTrain));
  const auto piped = run_tracciato({"compile", "W_linea.txt", "W_1-.txt"}, dir.path());
  EXPECT_EQ(piped.err.find('\x1b'), std::string::npos);
  const auto forced =
      run_tracciato({"compile", "W_linea.txt", "W_1-.txt", "--color=always"}, dir.path());
  EXPECT_NE(forced.err.find("\x1b[1;35mwarning:\x1b[0m"), std::string::npos) << forced.err;
  write_file(dir / "W_linea.txt", test_support::line_description({"pendenza, 4x0, 2"}));
  const auto failed =
      run_tracciato({"compile", "W_linea.txt", "W_1-.txt", "--color", "always"}, dir.path());
  EXPECT_EQ(first_line(failed.err), " Errore n. 25") << "the first line is never coloured";
  EXPECT_EQ(
      run_tracciato({"compile", "W_linea.txt", "W_1-.txt", "--color=sometimes"}, dir.path()).status,
      2);
}

TEST(CompileCommand, TextTooLongForTheHeaderIsAnUnexpectedFailure) {
  test_support::TempDir dir;
  write_file(dir / "L_linea.txt", test_support::line_description(
                                      {"cartello_indicatore, 850, " + std::string(70000, 'x')}));
  write_file(dir / "L_1-.txt", test_support::train_description({"velocita, 0, 30"}));
  const auto run = run_tracciato({"compile", "L_linea.txt", "L_1-.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(first_line(run.err), " Errore n. 25");
  EXPECT_EQ(test_support::file_names(dir.path()).size(), 2u);
}

TEST(CompileCommand, MissingDescriptions) {
  test_support::TempDir dir;
  auto run =
      run_tracciato({"compile", "Nessuna_linea.txt", kExampleTrain, "--train", "100"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            " Errore n. 101\nNessuna_linea.txt: error 101: the line description does not exist\n"
            "note: `tracciato explain 101` tells what the code means and how to fix it\n"
            "nothing was written\n");
  run = run_tracciato({"compile", kExampleLine, "Esempio_9-.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(first_line(run.err), " Errore n. 25");
  EXPECT_TRUE(test_support::file_names(dir.path()).empty());
}

// One case of the command line: the words after "compile" and what standard error says,
// in a folder holding the pair A, a second train A_2 and a folder named as a line.
struct CommandLineCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::string err;
};
void PrintTo(const CommandLineCase& c, std::ostream* os) {
  *os << c.name;
}

class CompileCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CompileCommandLine, SaysWhatItDidOrWhy) {
  const CommandLineCase& c = GetParam();
  test_support::TempDir dir;
  write_file(dir / "A_linea.txt", read_file(kExampleLine));
  write_file(dir / "A_1-.txt", read_file(kExampleTrain));
  write_file(dir / "A_2-.txt", read_file(kExampleTrain));
  std::filesystem::create_directory(dir / "D_linea.txt");
  std::filesystem::create_directory(dir / "out");
  std::vector<test_support::Arg> args = {"compile"};
  args.insert(args.end(), c.args.begin(), c.args.end());
  const auto run = run_tracciato(args, dir.path());
  EXPECT_EQ(run.status, c.status);
  // Windows shows a folder with its own separator.
  std::string err = run.err;
  std::replace(err.begin(), err.end(), '\\', '/');
  EXPECT_EQ(err, c.err);
}

const std::string kExplain101 =
    "note: `tracciato explain 101` tells what the code means and how to fix it\n";
const std::string kExplain25 =
    "note: `tracciato explain 25` tells what the code means and how to fix it\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, CompileCommandLine,
    ::testing::Values(
        CommandLineCase{"NamesTheFilesWritten",
                        {"A_linea.txt", "A_1-.txt"},
                        0,
                        "wrote A_linea.dat, A_1.sim, A_1.dat\n"},
        CommandLineCase{"NamesTheFolderWrittenInto",
                        {"A_linea.txt", "A_1-.txt", "--out", "out", "--no-geometry"},
                        0,
                        "wrote A_1.sim, A_1.dat in out/\n"},
        CommandLineCase{
            "QuietSaysNothingOfASuccess", {"A_linea.txt", "A_1-.txt", "--quiet"}, 0, ""},
        CommandLineCase{"TrainAndLineSwapped",
                        {"A_1-.txt", "A_linea.txt"},
                        2,
                        "usage: tracciato compile: A_1-.txt names a train and A_linea.txt a "
                        "line: they are swapped; the line comes first: tracciato compile "
                        "A_linea.txt A_1-.txt (tracciato --help for more)\n"},
        CommandLineCase{"MissingLineOffersTheNearestName",
                        {"A_line.txt", "A_1-.txt", "--base", "A"},
                        1,
                        " Errore n. 101\nA_line.txt: error 101: the line description does not "
                        "exist\nhelp: did you mean \"A_linea.txt\"?\n" +
                            kExplain101 + "nothing was written\n"},
        CommandLineCase{"MissingTrainOffersTheNearestName",
                        {"A_linea.txt", "A_3-.txt"},
                        1,
                        " Errore n. 25\nA_3-.txt: error 25: the train description cannot be "
                        "opened: it does not exist\nhelp: did you mean \"A_1-.txt\"?\n" +
                            kExplain25 + "nothing was written\n"},
        CommandLineCase{"MissingTrainInAFolderOffersItsPath",
                        {"A_linea.txt", "out/../A_11-.txt"},
                        1,
                        " Errore n. 25\nout/../A_11-.txt: error 25: the train description cannot "
                        "be opened: it does not exist\nhelp: did you mean \"out/../A_1-.txt\"?\n" +
                            kExplain25 + "nothing was written\n"},
        CommandLineCase{"LineThatIsADirectory",
                        {"D_linea.txt", "A_1-.txt", "--train", "1"},
                        1,
                        " Errore n. 25\nD_linea.txt: error 25: the line description cannot be "
                        "read: it is a directory\n" +
                            kExplain25 + "nothing was written\n"},
        CommandLineCase{"QuietLeavesOutNothingWritten",
                        {"D_linea.txt", "A_1-.txt", "--train", "1", "--quiet"},
                        1,
                        " Errore n. 25\nD_linea.txt: error 25: the line description cannot be "
                        "read: it is a directory\n" +
                            kExplain25},
        CommandLineCase{"UnusableFolderWritesNothing",
                        {"A_linea.txt", "A_1-.txt", "--out", "A_1-.txt"},
                        3,
                        "tracciato: cannot write into A_1-.txt: not a directory\n"
                        "nothing was written\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompileCommand, UnwritableOutputIsStatusThreeWithNothingHalfWritten) {
  test_support::TempDir dir;
  auto run = run_tracciato({"compile", kExampleLine, kExampleTrain, "--out", "absent"}, dir.path());
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("absent"), std::string::npos);
  // A directory standing where the cell file goes: the rename into place fails.
  std::filesystem::create_directory(dir / "Esempio_100.dat");
  run = run_tracciato({"compile", kExampleLine, kExampleTrain, "--no-geometry"}, dir.path());
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("Esempio_100.dat"), std::string::npos) << run.err;
  for (const std::string& name : test_support::file_names(dir.path())) {
    EXPECT_EQ(name.find(".tracciato-"), std::string::npos) << name;
  }
}

TEST(CompileCommand, HelpAndVersionGoToStandardOutput) {
  test_support::TempDir dir;
  for (const char* option : {"--help", "--version"}) {
    const auto run = run_tracciato({option}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("tracciato"), std::string::npos);
  }
}

}  // namespace
}  // namespace tracciato
