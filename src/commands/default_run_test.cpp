#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "base/utf8_path.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using test_support::file_names;
using test_support::read_file;
using test_support::run_program;
using test_support::run_tracciato;

const std::vector<std::string> kCompiled = {
    "BrenzanoC_OstuviaC_4417.dat", "BrenzanoC_OstuviaC_4417.sim", "BrenzanoC_OstuviaC_linea.dat"};
const std::vector<std::string> kDocuments = {"BrenzanoC_OstuviaC_4417_note.txt",
                                             "BrenzanoC_OstuviaC_4417_rallentamenti.txt",
                                             "BrenzanoC_OstuviaC_4417_scheda_treno.txt"};
const std::string kLine = "BrenzanoC_OstuviaC_linea.txt";
const std::string kTrain = "BrenzanoC_OstuviaC_4417-.txt";

std::vector<std::string> sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return sorted(a);
}

// The closing line of a run that wrote into `dir`.
std::string wrote(const std::string& names, const test_support::TempDir& dir) {
  return "wrote " + names + " in " + shown_path(dir / "") + "\n";
}

const std::string kAllWritten =
    "BrenzanoC_OstuviaC_4417_note.txt, BrenzanoC_OstuviaC_4417_rallentamenti.txt, "
    "BrenzanoC_OstuviaC_4417_scheda_treno.txt, BrenzanoC_OstuviaC_linea.dat, "
    "BrenzanoC_OstuviaC_4417.sim, BrenzanoC_OstuviaC_4417.dat";

TEST(DefaultRun, LeavesCompiledFilesAndDocumentsOnlyAndNamesThem) {
  test_support::TempDir out;
  const auto run = run_tracciato({"--out", out.path()}, out.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, wrote(kAllWritten, out));
  EXPECT_EQ(file_names(out.path()), kCompiled + kDocuments);
  EXPECT_EQ(read_file(out / "BrenzanoC_OstuviaC_4417.dat").size(), 42915u);
}

TEST(DefaultRun, WritesBesideTheProgramWithoutOut) {
  test_support::TempDir home;
  test_support::TempDir elsewhere;
  std::filesystem::copy_file(TRACCIATO_EXE, home / "tracciato");
  const auto run = run_program(home / "tracciato", {}, elsewhere.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(file_names(home.path()),
            (kCompiled + kDocuments + std::vector<std::string>{"tracciato"}));
  EXPECT_TRUE(file_names(elsewhere.path()).empty());
}

TEST(DefaultRun, WritesBesideAProgramInANonAsciiFolder) {
  test_support::TempDir dir;
  const std::filesystem::path home = dir / utf8_path("programmi più €");
  std::filesystem::create_directory(home);
  std::filesystem::copy_file(TRACCIATO_EXE, home / "tracciato");
  const auto run = run_program(home / "tracciato", {}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(file_names(home), (kCompiled + kDocuments + std::vector<std::string>{"tracciato"}));
}

TEST(DefaultRun, ExportThenCompileGivesTheSameBytes) {
  test_support::TempDir built;
  test_support::TempDir exported;
  ASSERT_EQ(run_tracciato({"--out", built.path()}, built.path()).status, 0);
  auto run = run_tracciato({"export", "--out", exported.path()}, built.path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(file_names(exported.path()), (kDocuments + std::vector<std::string>{kLine, kTrain}));
  run = run_tracciato({"compile", kLine, kTrain}, exported.path());
  ASSERT_EQ(run.status, 0) << run.err;
  for (const std::string& name : kCompiled + kDocuments) {
    EXPECT_EQ(read_file(exported / name), read_file(built / name)) << name;
  }
}

TEST(DefaultRun, ExportKeepsAFileThatDiffersUnlessForced) {
  test_support::TempDir dir;
  const std::string edited = "[generale]\r\nlunghezza percorso, 5000\r\n";
  test_support::write_file(dir / kLine, edited);
  const auto run = run_tracciato({"export"}, dir.path());
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find(kLine +
                         " differs from the embedded scenario's text; give --force to replace it"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(read_file(dir / kLine), edited);
  EXPECT_EQ(file_names(dir.path()), std::vector<std::string>{kLine});
  ASSERT_EQ(run_tracciato({"export", "--force"}, dir.path()).status, 0);
  EXPECT_NE(read_file(dir / kLine), edited);
}

TEST(DefaultRun, ExportLeavesAnIdenticalFileAsItIs) {
  test_support::TempDir dir;
  ASSERT_EQ(run_tracciato({"export"}, dir.path()).status, 0);
  const auto long_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
  std::filesystem::last_write_time(dir / kLine, long_ago);
  // As the file system keeps it, which may round what was set.
  const auto kept = std::filesystem::last_write_time(dir / kLine);
  ASSERT_EQ(run_tracciato({"export"}, dir.path()).status, 0);
  EXPECT_EQ(std::filesystem::last_write_time(dir / kLine), kept);
}

TEST(DefaultRun, ExportedDescriptionsHaveTheirLinesAndAreReplacedNotAppended) {
  test_support::TempDir dir;
  test_support::write_file(dir / kLine, std::string(100000, 'x'));
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(run_tracciato({"export", "--force"}, dir.path()).status, 0);
  }
  for (const auto& [name, count] : {std::pair{kLine, 450}, std::pair{kTrain, 118}}) {
    const std::string text = read_file(dir / name);
    std::size_t crlf = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
      ++crlf;
    }
    EXPECT_EQ(crlf, static_cast<std::size_t>(count)) << name;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), count) << name;
    EXPECT_EQ(text.rfind("\r\n[fine]\r\n"), text.size() - 10) << name;
    EXPECT_EQ(text.rfind("[generale]\r\n", 0), 0u) << name;
    EXPECT_EQ(text.find("riferimento fine del file"), std::string::npos) << name;
  }
}

// An author exports the descriptions, edits one and runs the program again: the edit
// must not be replaced and deleted.
TEST(DefaultRun, AnEditedDescriptionSurvivesAndNothingIsWritten) {
  test_support::TempDir dir;
  const std::string edited = "[generale]\r\nlunghezza percorso, 5000\r\n";
  test_support::write_file(dir / kTrain, edited);
  const auto run = run_tracciato({"--out", dir.path(), "--headless"}, dir.path());
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "tracciato: " + shown_path(dir / kTrain) +
                         " differs from the embedded scenario's text; the run would replace it "
                         "and delete it: give --force for that, or build it with tracciato "
                         "compile\nnothing was written\n");
  EXPECT_EQ(read_file(dir / kTrain), edited);
  EXPECT_EQ(file_names(dir.path()), std::vector<std::string>{kTrain});
}

TEST(DefaultRun, BothEditedDescriptionsAreNamedInOneMessage) {
  test_support::TempDir dir;
  ASSERT_EQ(run_tracciato({"export", "--quiet"}, dir.path()).status, 0);
  for (const std::string& name : {kLine, kTrain}) {
    test_support::write_file(dir / name, read_file(dir / name) + "\r\n");
  }
  const auto run = run_tracciato({"--out", dir.path(), "--headless"}, dir.path());
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err.substr(0, run.err.find(';')),
            "tracciato: " + shown_path(dir / kLine) +
                " differs from the embedded scenario's text, and " + shown_path(dir / kTrain) +
                " differs from the embedded scenario's text")
      << run.err;
  EXPECT_EQ(file_names(dir.path()), (kDocuments + std::vector<std::string>{kLine, kTrain}));
}

TEST(DefaultRun, ForceReplacesAnEditedDescriptionAndBuildsAsBefore) {
  test_support::TempDir dir;
  test_support::TempDir plain;
  test_support::write_file(dir / kLine, "[generale]\r\nlunghezza percorso, 5000\r\n");
  const auto run = run_tracciato({"--out", dir.path(), "--headless", "--force"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, wrote(kAllWritten, dir));
  EXPECT_EQ(file_names(dir.path()), kCompiled + kDocuments);
  ASSERT_EQ(run_tracciato({"--out", plain.path(), "--quiet"}, plain.path()).status, 0);
  for (const std::string& name : kCompiled) {
    EXPECT_EQ(read_file(dir / name), read_file(plain / name)) << name;
  }
}

TEST(DefaultRun, AnIdenticalDescriptionGoesOnAsBefore) {
  test_support::TempDir dir;
  ASSERT_EQ(run_tracciato({"export", "--quiet"}, dir.path()).status, 0);
  const auto run = run_tracciato({"--out", dir.path(), "--headless"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, wrote(kAllWritten, dir));
  EXPECT_EQ(file_names(dir.path()), kCompiled + kDocuments);
}

TEST(DefaultRun, QuietLeavesOutTheClosingLine) {
  test_support::TempDir dir;
  auto run = run_tracciato({"--out", dir.path(), "--headless", "--quiet"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  run = run_tracciato({"export", "--quiet", "--force"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
}

// The five files are one set: what stops one of them stops them all, so a later export
// finds no half-written set to take for an edit.
TEST(DefaultRun, ExportWritesNoneOfItsFilesWhenADirectoryStandsAtOnesName) {
  test_support::TempDir dir;
  const std::string blocked = "BrenzanoC_OstuviaC_4417_rallentamenti.txt";
  std::filesystem::create_directory(dir / blocked);
  auto run = run_tracciato({"export"}, dir.path());
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find(blocked + ": a directory stands there\n"), std::string::npos) << run.err;
  EXPECT_TRUE(run.err.ends_with("\nnothing was written\n")) << run.err;
  EXPECT_EQ(file_names(dir.path()), std::vector<std::string>{blocked});
  std::filesystem::remove(dir / blocked);
  run = run_tracciato({"export"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(file_names(dir.path()), (kDocuments + std::vector<std::string>{kLine, kTrain}));
}

TEST(DefaultRun, ExportNamesWhatItWroteAndWhatWasAlreadyThere) {
  test_support::TempDir dir;
  auto run = run_tracciato({"export", "--out", dir.path()}, dir.path());
  EXPECT_EQ(run.err, wrote(kLine + ", " + kTrain +
                               ", BrenzanoC_OstuviaC_4417_note.txt, "
                               "BrenzanoC_OstuviaC_4417_rallentamenti.txt, "
                               "BrenzanoC_OstuviaC_4417_scheda_treno.txt",
                           dir));
  std::filesystem::remove(dir / kTrain);
  run = run_tracciato({"export"}, dir.path());
  EXPECT_EQ(run.err, "wrote " + kTrain + " (" + kLine +
                         ", BrenzanoC_OstuviaC_4417_note.txt, "
                         "BrenzanoC_OstuviaC_4417_rallentamenti.txt, "
                         "BrenzanoC_OstuviaC_4417_scheda_treno.txt already up to date)\n");
  run = run_tracciato({"export"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "nothing was written: every file already held its text\n");
}

TEST(DefaultRun, DamagedScenarioFailsWithItsCodeAndKeepsTheTrainDescription) {
  test_support::TempDir out;
  test_support::write_file(out / "BrenzanoC_OstuviaC_4417.dat", "earlier");
  const auto run = run_program(TRACCIATO_DAMAGED_EXE, {"--out", out.path()}, out.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.substr(0, run.err.find('\n')), " Errore n. 6");
  EXPECT_NE(run.err.find("\nBrenzanoC_OstuviaC_linea.txt:399:23: error 6: "), std::string::npos)
      << run.err;
  EXPECT_EQ(file_names(out.path()),
            (kDocuments + std::vector<std::string>{kTrain, "BrenzanoC_OstuviaC_4417.dat"}));
  EXPECT_EQ(read_file(out / "BrenzanoC_OstuviaC_4417.dat"), "earlier");
  // What the failed run left is named: the train description and the documents, no
  // compiled file.
  EXPECT_TRUE(run.err.ends_with("\nwrote only " + kTrain +
                                ", BrenzanoC_OstuviaC_4417_note.txt, "
                                "BrenzanoC_OstuviaC_4417_rallentamenti.txt, "
                                "BrenzanoC_OstuviaC_4417_scheda_treno.txt in " +
                                shown_path(out / "") + "\n"))
      << run.err;
}

TEST(DefaultRun, AnEmptyDirectoryWhereADescriptionGoesIsAFileProblemAndStays) {
  test_support::TempDir out;
  std::filesystem::create_directory(out / "BrenzanoC_OstuviaC_linea.txt");
  const auto run = run_tracciato({"--headless", "--out", out.path()}, out.path());
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("BrenzanoC_OstuviaC_linea.txt: a directory stands there"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(std::filesystem::is_directory(out / "BrenzanoC_OstuviaC_linea.txt"));
}

TEST(DefaultRun, AnOutputDirectoryThatIsMissingOrAFileIsToldApart) {
  test_support::TempDir dir;
  test_support::write_file(dir / "plain", "x");
  const auto missing = run_tracciato({"export", "--out", "absent"}, dir.path());
  EXPECT_EQ(missing.status, 3);
  EXPECT_EQ(missing.err,
            "tracciato: cannot write into absent: it does not exist\nnothing was written\n");
  const auto file =
      run_tracciato({"compile", "a_linea.txt", "a_1-.txt", "--out", "plain"}, dir.path());
  EXPECT_EQ(file.status, 3);
  EXPECT_EQ(file.err, "tracciato: cannot write into plain: not a directory\nnothing was written\n");
}

TEST(DefaultRun, UsageAndUnwritableDirectory) {
  test_support::TempDir dir;
  EXPECT_EQ(run_tracciato({"--colour"}, dir.path()).status, 2);
  EXPECT_EQ(run_tracciato({"--out", "absent"}, dir.path()).status, 3);
  EXPECT_EQ(run_tracciato({"export", "--out", "absent"}, dir.path()).status, 3);
  EXPECT_EQ(run_tracciato({"stray"}, dir.path()).status, 2);
}

}  // namespace
}  // namespace tracciato
