#include "compile/pipeline.h"

#include <gtest/gtest.h>

#include "testing/descriptions.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using test_support::compile;
using test_support::crlf;
using test_support::line_description;
using test_support::train_description;

const std::string kGoodTrain = train_description({"velocita,       0,    30"});

// The program's own temporary descriptions on disk, as the default run leaves them.
class TemporaryDescriptions : public ::testing::Test {
 protected:
  Scenario build(const std::string& line_text, const std::string& train_text,
                 bool write_line = true) {
    if (write_line) test_support::write_file(line_file(), line_text);
    test_support::write_file(train_file(), train_text);
    FileDescription line(line_file(), true);
    FileDescription train(train_file(), true);
    return memorizza_percorso({line, train, {"Prova", "1"}, 1});
  }
  std::filesystem::path line_file() const { return dir_ / "Prova_linea.txt"; }
  std::filesystem::path train_file() const { return dir_ / "Prova_1-.txt"; }
  bool line_left() const { return std::filesystem::exists(line_file()); }
  bool train_left() const { return std::filesystem::exists(train_file()); }

  test_support::TempDir dir_;
};

TEST_F(TemporaryDescriptions, SuccessLeavesNeither) {
  EXPECT_EQ(build(line_description({}), kGoodTrain).errors.error_code, 0);
  EXPECT_FALSE(line_left());
  EXPECT_FALSE(train_left());
}

TEST_F(TemporaryDescriptions, MissingLineDescriptionDeletesNothing) {
  const Scenario s = build("", kGoodTrain, false);
  EXPECT_EQ(s.errors.error_code, 101);
  EXPECT_TRUE(train_left());
}

TEST_F(TemporaryDescriptions, LineErrorLeavesTheTrainDescription) {
  EXPECT_EQ(build(crlf({"nothing here", "[fine]"}), kGoodTrain).errors.error_code, 102);
  EXPECT_FALSE(line_left());
  EXPECT_TRUE(train_left());
}

TEST_F(TemporaryDescriptions, UnexpectedFailureRemovesBoth) {
  EXPECT_EQ(build("", kGoodTrain).errors.error_code, 25);
  EXPECT_FALSE(line_left());
  EXPECT_FALSE(train_left());
}

TEST_F(TemporaryDescriptions, TrainErrorRemovesBoth) {
  const Scenario s = build(line_description({}),
                           train_description({"stazione,  75,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,"
                                              "    0,  14,10, 0, X"}));
  EXPECT_EQ(s.errors.error_code, 8);
  EXPECT_FALSE(line_left());
  EXPECT_FALSE(train_left());
}

TEST(BuildPrecedence, LineRangeFailureStillCompilesTheTrain) {
  const Scenario s = compile(line_description({"pendenza,  999999,  2"}),
                             train_description({"velocita,  0,  50", "velocita,  1000,  80"}));
  EXPECT_EQ(s.errors.error_code, 15);
  EXPECT_EQ(s.errors.error_position, 999999);
  EXPECT_EQ(s.cells.at(5).cell_speed, 10);
  EXPECT_EQ(s.cells.at(25).cell_speed, 16);
  EXPECT_EQ(s.errors.where.path, "linea.txt");
  EXPECT_EQ(s.errors.where.line, 5);
}

TEST(BuildPrecedence, LineRangeFailureEndsTheTrainAtItsFirstSignal) {
  const Scenario s = compile(line_description({"pendenza,  999999,  2"}),
                             train_description({"segnale,  1000,  1, 4, 1, 0, 0, 0, 0,0,0, 0",
                                                "segnale,  2000,  1, 4, 1, 0, 0, 0, 0,0,0, 0"}));
  EXPECT_EQ(s.errors.error_code, 15);
  EXPECT_EQ(s.errors.error_position, 1000);
  EXPECT_EQ(s.cells.at(21).cell_type, 1);  // the recorder ran before the test
  EXPECT_EQ(s.cells.at(41).cell_type, 0);
  EXPECT_EQ(s.errors.where.path, "linea.txt");
  EXPECT_EQ(s.errors.where.line, 5);
  ASSERT_EQ(s.errors.notes.size(), 3u);
  // The route length row sets where the track ends.
  EXPECT_EQ(s.errors.notes[0].at.path, "linea.txt");
  EXPECT_EQ(s.errors.notes[0].at.line, 2);
  EXPECT_EQ(s.errors.notes[2].text,
            "the compile stopped at this row, which now gives the error position 1000 m");
  EXPECT_EQ(s.errors.notes[2].at.path, "treno.txt");
  EXPECT_EQ(s.errors.notes[2].at.line, 2);
}

TEST(BuildPrecedence, ProgressiveCheckReplacesEarlierCodes) {
  const std::string line = test_support::line_description_with(
      {"lunghezza percorso,  10000", "progressiva chilometrica uno,  0,  10025,  0"},
      {"pendenza,  999999,  2"});
  const Scenario s = compile(line, kGoodTrain);
  EXPECT_EQ(s.errors.error_code, 2);
  // At the progressive row's kilometre, the field off the grid.
  EXPECT_EQ(s.errors.where.path, "linea.txt");
  EXPECT_EQ(s.errors.where.line, 3);
  EXPECT_EQ(s.errors.where.column, 36);
}

TEST(BuildPrecedence, CodePassErrorsPointAtTheSlowdownRow) {
  // The near band of the slowdown start (cell 81) is filled with boards.
  const Scenario s =
      compile(line_description({"indicatori_vmax,  3650,  60,  0,  0,  0,  ,  ,  ,  0",
                                "indicatori_vmax,  3700,  60,  0,  0,  0,  ,  ,  ,  0",
                                "indicatori_vmax,  3750,  60,  0,  0,  0,  ,  ,  ,  0"}),
              train_description({"rallentamento,   4000,    50,  200, 1,  0,  0"}));
  EXPECT_EQ(s.errors.error_code, 12);
  EXPECT_EQ(s.errors.error_position, 81 * 50);
  EXPECT_EQ(s.errors.where.path, "treno.txt");
  EXPECT_EQ(s.errors.where.line, 2);
  EXPECT_EQ(s.errors.where.column, 18);
}

TEST(BuildPrecedence, ObjectsInTrackCellOneTripTheStamp) {
  const Scenario s = compile(line_description({}),
                             train_description({"rallentamento,   0,    50,  200, 1,  0,  0"}));
  EXPECT_EQ(s.errors.error_code, 1250);
}

TEST(BuildPrecedence, ARouteTooShortForTrackCellOneIsAnUnexpectedFailure) {
  EXPECT_EQ(compile(line_description({}, -6999), train_description({}), 0).errors.error_code, 25);
}

TEST(BuildPrecedence, UnexpectedFailuresNameTheLine) {
  const Scenario s = compile(line_description({"pendenza,  50x,  2"}), kGoodTrain);
  EXPECT_EQ(s.errors.error_code, 25);
  EXPECT_EQ(s.errors.where.line, 5);
  EXPECT_EQ(s.errors.where.column, 12);
  EXPECT_EQ(s.errors.explanation,
            "the position of the gradient row, \"50x\", is not a whole number");
  const Scenario past_end = compile(line_description({}), crlf({"[generale]", "velocita, 0"}));
  EXPECT_EQ(past_end.errors.error_code, 25);
  EXPECT_EQ(past_end.errors.where.path, "treno.txt");
  EXPECT_EQ(past_end.errors.where.line, 2);
}

TEST(BuildPrecedence, ARowShortOfFieldsIsReportedAtItselfNotingWhereTheFieldWasRead) {
  // The first gradient row lacks its gradient and takes the next line's keyword for it.
  const Scenario s =
      compile(line_description({"pendenza,  1000", "pendenza,  2000,  3"}), kGoodTrain);
  EXPECT_EQ(s.errors.error_code, 25);
  EXPECT_EQ(s.errors.where.line, 5);
  EXPECT_EQ(s.errors.where.column, 16);  // past the row's text, where the gradient belongs
  EXPECT_EQ(s.errors.explanation,
            "the gradient row has 1 field on its line but takes 2: the gradient is missing, and "
            "the compile reads it from line 6, \"pendenza\", which is not a whole number");
  ASSERT_EQ(s.errors.notes.size(), 1u);
  EXPECT_EQ(s.errors.notes[0].at.line, 6);
  EXPECT_EQ(s.errors.notes[0].at.source, "pendenza,  2000,  3");
  EXPECT_EQ(s.errors.notes[0].text, "the compile reads the gradient of the gradient row from here");
  // A row that ends on its own line leaves no note on a later error.
  const Scenario whole =
      compile(line_description({"pendenza,  1000,  2", "pendenza,  2x0,  3"}), kGoodTrain);
  EXPECT_EQ(whole.errors.error_code, 25);
  EXPECT_TRUE(whole.errors.notes.empty());
}

TEST(BuildPrecedence, MissingTrainDescriptionIsAnUnexpectedFailure) {
  test_support::TempDir dir;
  MemoryDescription line("linea.txt", line_description({}));
  FileDescription train(dir / "absent-.txt", false);
  const Scenario s = memorizza_percorso({line, train, {"Prova", "1"}, 1});
  EXPECT_EQ(s.errors.error_code, 25);
}

// A description that cannot be read, what the error says and the name it offers. Beside
// the files named stand Prova_linea.txt, Prova_1-.txt and a folder Cartella_linea.txt.
struct UnreadableCase {
  const char* name;
  const char* line;
  const char* train;
  std::int32_t code;
  std::string explanation;
  std::string hint;
};

class UnreadableDescriptions : public ::testing::TestWithParam<UnreadableCase> {};

TEST_P(UnreadableDescriptions, SayWhyAndOfferTheNearestName) {
  const UnreadableCase& c = GetParam();
  test_support::TempDir dir;
  test_support::write_file(dir / "Prova_linea.txt", line_description({}));
  test_support::write_file(dir / "Prova_1-.txt", kGoodTrain);
  std::filesystem::create_directory(dir / "Cartella_linea.txt");
  FileDescription line(dir / c.line, false, c.line);
  FileDescription train(dir / c.train, false, c.train);
  const Scenario s = memorizza_percorso({line, train, {"Prova", "1"}, 1});
  EXPECT_EQ(s.errors.error_code, c.code);
  EXPECT_EQ(s.errors.explanation, c.explanation);
  EXPECT_EQ(s.errors.hint, c.hint);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableDescriptions,
    ::testing::Values(
        UnreadableCase{"MissingLine", "Prova_line.txt", "Prova_1-.txt", 101,
                       "the line description does not exist", "did you mean \"Prova_linea.txt\"?"},
        UnreadableCase{"MissingTrain", "Prova_linea.txt", "Prova_11-.txt", 25,
                       "the train description cannot be opened: it does not exist",
                       "did you mean \"Prova_1-.txt\"?"},
        UnreadableCase{"MissingTrainWithNothingNear", "Prova_linea.txt", "Altro_treno.txt", 25,
                       "the train description cannot be opened: it does not exist", ""},
        UnreadableCase{"LineThatIsAFolder", "Cartella_linea.txt", "Prova_1-.txt", 25,
                       "the line description cannot be read: it is a directory", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
