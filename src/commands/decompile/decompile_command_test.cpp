#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "testing/descriptions.h"
#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;
using test_support::read_file;
using test_support::run_tracciato;
using test_support::write_file;

// A small scenario with an object of every kind, compiled by the program itself.
std::string prova_line() {
  return test_support::line_description_with(
      {"lunghezza percorso,    10000", "progressiva chilometrica uno,    0,    135000,    0",
       "ripetizione segnali 4 codici,    0    ,0"},
      {"curvad5,  300,  100", "curvas3,  2000,  400", "pendenza,   0,    5",
       "pendenza,  2000,   -3", "montagna,   1100,  1550,  12",
       "indicatori_vmax,  900,  60,  80,  80,  0,  ,  ,  ,  0",
       "cartello_indicatore,  1700,  (Ponte)"});
}

std::string prova_train() {
  return test_support::train_description(
      {"numero vetture,    4", "percentuale massa frenata,    105", "sabbia,    100",
       "orologio,    14              9             45 ", "aderenza,   0,    100",
       "velocita,       0,    120", "velocita,    6000,    80",
       "stazione,    5000,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   60,  14,10, 0, PROVA",
       "rallentamento,   7000,    50,  200, 1,  1,  0",
       "segnale,  3000,   1, 4, 1,  0, 0,    1,  3,1,0, 0", "abbattimento,   8500,   250"});
}

const std::vector<std::string> kCompiled = {"Prova_linea.dat", "Prova_1.sim", "Prova_1.dat"};

// The closing line of a decompile into out/, the folder shown in the system's form.
std::string wrote_into_out() {
  return "wrote Prova_linea.txt, Prova_1-.txt in " + shown_path(fs::path("out") / "") + "\n";
}

class DecompileCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(dir / "Prova_linea.txt", prova_line());
    write_file(dir / "Prova_1-.txt", prova_train());
    const auto run =
        run_tracciato({"compile", "Prova_linea.txt", "Prova_1-.txt", "-w"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    fs::create_directory(dir / "out");
  }

  test_support::ProgramRun decompile(std::vector<test_support::Arg> args) {
    args.insert(args.begin(), "decompile");
    return run_tracciato(args, dir.path());
  }

  // Changes one byte of a compiled file.
  void damage(const std::string& name, std::size_t offset, std::uint8_t value) {
    std::string bytes = read_file(dir / name);
    bytes.at(offset) = static_cast<char>(value);
    write_file(dir / name, bytes);
  }

  // Compiles the decompiled pair in `out` and tells whether it gives the same files.
  void expect_same_bytes_from_out(std::vector<test_support::Arg> extra = {}) {
    std::vector<test_support::Arg> args = {"compile", "Prova_linea.txt", "Prova_1-.txt", "--out",
                                           "again"};
    args.insert(args.end(), extra.begin(), extra.end());
    fs::create_directory(dir / "out" / "again");
    const auto run = run_tracciato(args, dir / "out");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& name : kCompiled) {
      if (!fs::exists(dir / name) || !fs::exists(dir / "out" / "again" / name)) {
        EXPECT_EQ(fs::exists(dir / name), fs::exists(dir / "out" / "again" / name)) << name;
        continue;
      }
      EXPECT_EQ(read_file(dir / "out" / "again" / name), read_file(dir / name)) << name;
    }
  }

  test_support::TempDir dir;
};

TEST_F(DecompileCommand, WritesDescriptionsThatCompileToTheSameBytes) {
  const auto run = decompile({"Prova_1.sim", "--out", "out"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err,
            "proven: the descriptions compile to the very bytes of Prova_1.sim, Prova_1.dat and "
            "Prova_linea.dat\n" +
                wrote_into_out());
  expect_same_bytes_from_out();
}

TEST_F(DecompileCommand, WritesCrLfLinesAndTheCodeRowTheCodePassDoesNotMake) {
  ASSERT_EQ(decompile({"Prova_1.sim", "--out", "out"}).status, 0);
  const std::string train = read_file(dir / "out" / "Prova_1-.txt");
  EXPECT_NE(train.find("\r\nabbattimento,    8500,   250\r\n[fine]\r\n"), std::string::npos)
      << train;
  for (const std::string& text : {train, read_file(dir / "out" / "Prova_linea.txt")}) {
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "a line ends without CR at byte " << i;
    }
  }
}

TEST_F(DecompileCommand, WritesBesideTheCompiledFilesByDefault) {
  fs::create_directory(dir / "set");
  for (const std::string& name : kCompiled) fs::rename(dir / name, dir / "set" / name);
  EXPECT_EQ(decompile({fs::path("set") / "Prova_1.sim"}).status, 0);
  EXPECT_TRUE(fs::exists(dir / "set" / "Prova_linea.txt"));
  EXPECT_TRUE(fs::exists(dir / "set" / "Prova_1-.txt"));
}

TEST_F(DecompileCommand, SaysAMissingPlanMeansACompileWithoutGeometry) {
  fs::remove(dir / "Prova_linea.dat");
  const auto run = decompile({"Prova_1.sim", "--out", "out"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("no Prova_linea.dat stands beside it: compile the descriptions with "
                         "--no-geometry"),
            std::string::npos)
      << run.err;
  expect_same_bytes_from_out({"--no-geometry"});
}

TEST_F(DecompileCommand, KeepsADescriptionThatDiffersUnlessForced) {
  write_file(dir / "out" / "Prova_linea.txt", "an author's edit\r\n");
  const auto kept = decompile({"Prova_1.sim", "--out", "out"});
  EXPECT_EQ(kept.status, 3);
  EXPECT_NE(kept.err.find("differs from the decompiled description; give --force to replace it"),
            std::string::npos)
      << kept.err;
  EXPECT_EQ(read_file(dir / "out" / "Prova_linea.txt"), "an author's edit\r\n");
  EXPECT_FALSE(fs::exists(dir / "out" / "Prova_1-.txt"));
  EXPECT_EQ(decompile({"Prova_1.sim", "--out", "out", "--force"}).status, 0);
  expect_same_bytes_from_out();
  const auto again = decompile({"Prova_1.sim", "--out", "out"});
  EXPECT_EQ(again.status, 0);
  EXPECT_NE(again.err.find("nothing was written: both descriptions already held these texts"),
            std::string::npos)
      << again.err;
}

struct Unproducible {
  const char* name;
  const char* file;
  std::size_t offset;
  std::uint8_t value;
  const char* first_difference;
};

// Cell i starts at byte i x 15; the approach mark is its byte 10. The plan's metre m
// lateral value starts at 4 + 4 + (m - 2) x 10 + 2.
const Unproducible kUnproducible[] = {
    {"a cell type the compiler never writes", "Prova_1.dat", std::size_t{50} * 15, 7,
     "first difference: Prova_1.dat, cell 50 (2450 m, km 137+450), cell type: holds 7; the "
     "descriptions give 0\n  why: no row of either description places cell type 7\n"},
    {"a signal without its approach marks", "Prova_1.dat", 59 * 15 + 10, 0,
     "first difference: Prova_1.dat, cell 59 (2900 m, km 137+900), cell approach mark: holds 0; "
     "the descriptions give 41\n"},
    {"a geometry bent by hand", "Prova_linea.dat", 8 + 998 * 10 + 2 + 7, 0x41,
     "first difference: Prova_linea.dat, metre 1000, lateral coordinate: holds "},
};

class DecompileUnproducible : public DecompileCommand,
                              public ::testing::WithParamInterface<Unproducible> {};

TEST_P(DecompileUnproducible, NamesTheFirstDifferenceAndWritesNothing) {
  damage(GetParam().file, GetParam().offset, GetParam().value);
  const auto run = decompile({"Prova_1.sim", "--out", "out"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(GetParam().first_difference), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("\nnothing was written\n"), std::string::npos) << run.err;
  EXPECT_TRUE(test_support::file_names(dir / "out").empty());
}

TEST_P(DecompileUnproducible, WritesTheNearestDescriptionsWithWarningsWhenAsked) {
  damage(GetParam().file, GetParam().offset, GetParam().value);
  const auto run = decompile({"Prova_1.sim", "--out", "out", "--nearest"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.rfind("warning: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(wrote_into_out()), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Sets, DecompileUnproducible, ::testing::ValuesIn(kUnproducible),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST_F(DecompileCommand, NamesTheDamageOfAFileCutShort) {
  const std::string header = read_file(dir / "Prova_1.sim");
  write_file(dir / "Prova_1.sim", header.substr(0, 100));
  const auto run = decompile({"Prova_1.sim", "--out", "out"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("tracciato: Prova_1.sim: offset ", 0), 0u) << run.err;
  EXPECT_TRUE(test_support::file_names(dir / "out").empty());
}

TEST_F(DecompileCommand, RefusesAFileThatIsNoHeaderFile) {
  const auto run = decompile({"Prova_1.dat"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("'Prova_1.dat' is not a header file NAME_NUMBER.sim"), std::string::npos)
      << run.err;
}

TEST_F(DecompileCommand, TakesTheHeadersNamesWhenTheFileNamesDiffer) {
  fs::rename(dir / "Prova_1.sim", dir / "Altra_2.sim");
  fs::rename(dir / "Prova_1.dat", dir / "Altra_2.dat");
  fs::rename(dir / "Prova_linea.dat", dir / "Altra_linea.dat");
  const auto run = decompile({"Altra_2.sim", "--out", "out"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("note: the header names scenario \"Prova\" and train \"1\", not "
                         "\"Altra\" and \"2\" as the file name does"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(fs::exists(dir / "out" / "Prova_linea.txt"));
  EXPECT_TRUE(fs::exists(dir / "out" / "Prova_1-.txt"));
}

}  // namespace
}  // namespace tracciato
