#include "compile/train/signal_recorder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "base/unexpected_failure.h"
#include "testing/descriptions.h"

namespace tracciato {
namespace {

class SignalRecorder : public ::testing::Test {
 protected:
  void SetUp() override { s.cells.allocate(2900); }

  static SignalRow row(std::int32_t at, std::int32_t sx, std::int32_t dx, std::int32_t tempo = 0) {
    SignalRow r;
    r.posizione = at;
    r.sx = sx;
    r.s1 = 4;
    r.s2 = 1;
    r.s3 = 0;
    r.rapp = 0;
    r.dx = dx;
    r.d1 = 3;
    r.d2 = 1;
    r.d3 = 0;
    r.tempo = tempo;
    return r;
  }

  Scenario s;
};

TEST_F(SignalRecorder, PlacesSignalAndApproachMarks) {
  SignalRow r = row(104300, 1, 1);
  memo_segnale(s, r);
  ASSERT_EQ(s.errors.error_code, 0);
  const TrackCell& c = s.cells.at(2087);
  EXPECT_EQ(c.cell_type, cell_type::kSignal);
  EXPECT_EQ(c.cell_value, 43);
  EXPECT_EQ(c.cell_value_2, 11);
  EXPECT_EQ(c.cell_value_3, 0);
  EXPECT_EQ(c.cell_value_4, 4);
  EXPECT_EQ(c.cell_timer, 0);
  for (std::int32_t i = 2070; i <= 2090; ++i) {
    const int expected = i == 2085 ? 41 : i == 2083 ? 42 : i == 2081 ? 43 : i == 2079 ? 44 : 0;
    EXPECT_EQ(s.cells.at(i).cell_approach_mark, expected) << "cell " << i;
    if (i != 2087) {
      EXPECT_EQ(s.cells.at(i).cell_type, 0) << "cell " << i;
    }
  }
}

TEST_F(SignalRecorder, PacksAspectPairsAndSides) {
  SignalRow r{10000, 2, 7, 8, 9, 1, 2, 6, 5, 4, 0};
  memo_segnale(s, r);
  const TrackCell& c = s.cells.at(201);
  EXPECT_EQ(c.cell_value, 76);
  EXPECT_EQ(c.cell_value_2, 85);
  EXPECT_EQ(c.cell_value_3, 94);
  EXPECT_EQ(c.cell_value_4, 18);
  EXPECT_EQ(s.cells.at(199).cell_approach_mark, 81);
  EXPECT_EQ(s.cells.at(193).cell_approach_mark, 84);
}

TEST_F(SignalRecorder, PositionRoundsToTheNearestCellHalvesToEven) {
  for (const auto& [at, cell] : {std::pair{10025, 202}, {10075, 202}, {10125, 204}, {10010, 201}}) {
    s.cells.allocate(2900);
    SignalRow r = row(at, 1, 0);
    memo_segnale(s, r);
    EXPECT_EQ(s.cells.at(cell).cell_type, cell_type::kSignal) << at;
    EXPECT_EQ(s.cells.at(cell - 2).cell_approach_mark, 31) << at;
  }
}

struct TempoCase {
  const char* name;
  std::int32_t sx;
  std::int32_t tempo;
  int timer;
};
void PrintTo(const TempoCase& c, std::ostream* os) {
  *os << c.name;
}

class SignalRecorderTempo : public ::testing::TestWithParam<TempoCase> {};

TEST_P(SignalRecorderTempo, SetsTheTimer) {
  const TempoCase c = GetParam();
  Scenario s;
  s.cells.allocate(400);
  SignalRow r{5000, c.sx, 1, 1, 1, 0, 0, 0, 0, 0, c.tempo};
  memo_segnale(s, r);
  EXPECT_EQ(s.cells.at(101).cell_timer, c.timer);
}

// Only a left aspect of 2 is timed, and a tempo of 1 to 100 as 101.
INSTANTIATE_TEST_SUITE_P(SignalTempoCases, SignalRecorderTempo,
                         ::testing::Values(TempoCase{"Aspect2Raises50To101", 2, 50, 101},
                                           TempoCase{"Aspect2Raises1To101", 2, 1, 101},
                                           TempoCase{"Aspect2Raises100To101", 2, 100, 101},
                                           TempoCase{"Aspect2Keeps101", 2, 101, 101},
                                           TempoCase{"Aspect2KeepsZero", 2, 0, 0},
                                           TempoCase{"Aspect2Keeps235", 2, 235, 235},
                                           TempoCase{"Aspect2TimerKeepsLow8BitsOf300", 2, 300, 44},
                                           TempoCase{"Aspect2TimerKeepsLow8BitsOfMinus5", 2, -5,
                                                     251},
                                           TempoCase{"Aspect1Raises50WithoutATimer", 1, 50, 0},
                                           TempoCase{"Aspect1Keeps235WithoutATimer", 1, 235, 0},
                                           TempoCase{"Aspect0Keeps235WithoutATimer", 0, 235, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SignalRecorder, ReplacesAMountainMarker) {
  s.cells.at(201).cell_type = cell_type::kMountainMarker;
  s.cells.at(201).cell_mountain = 2;
  SignalRow r = row(10000, 1, 0);
  memo_segnale(s, r);
  EXPECT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(s.cells.at(201).cell_type, cell_type::kSignal);
  EXPECT_EQ(s.cells.at(201).cell_mountain, 2);
}

TEST_F(SignalRecorder, TakenCellGives16AndWritesNothing) {
  for (const std::uint8_t taken : {1, 2, 3, 4, 5, 6, 10, 12, 13, 14}) {
    s.cells.allocate(2900);
    s.errors.reset();
    s.errors.error_position = 777;
    TrackCell& c = s.cells.at(201);
    c.cell_type = taken;
    c.cell_value = 9;
    SignalRow r = row(10000, 2, 2, 50);
    memo_segnale(s, r);
    EXPECT_EQ(s.errors.error_code, 16) << int{taken};
    EXPECT_EQ(s.errors.error_position, 777) << int{taken};
    EXPECT_EQ(c.cell_type, taken);
    EXPECT_EQ(c.cell_value, 9);
    EXPECT_EQ(c.cell_timer, 0);
    EXPECT_EQ(s.cells.at(199).cell_approach_mark, 0);
  }
}

TEST_F(SignalRecorder, ApproachMarksIgnoreWhatTheirCellsHold) {
  s.cells.at(199).cell_type = cell_type::kSlowdownStart;
  s.cells.at(199).cell_approach_mark = 84;
  s.cells.at(197).cell_type = cell_type::kSignal;
  SignalRow r = row(10000, 1, 0);
  memo_segnale(s, r);
  EXPECT_EQ(s.errors.error_code, 0);
  EXPECT_EQ(s.cells.at(199).cell_type, cell_type::kSlowdownStart);
  EXPECT_EQ(s.cells.at(199).cell_approach_mark, 31);
  EXPECT_EQ(s.cells.at(197).cell_approach_mark, 32);
}

// The fourth approach mark of a signal below 325 m would fall before cell 0.
TEST_F(SignalRecorder, ApproachMarkBeforeCellZeroIsUnexpected) {
  SignalRow lowest = row(325, 1, 0);
  memo_segnale(s, lowest);
  EXPECT_EQ(s.cells.at(8).cell_type, cell_type::kSignal);
  EXPECT_EQ(s.cells.at(0).cell_approach_mark, 34);
  SignalRow below = row(324, 1, 0);
  EXPECT_THROW(memo_segnale(s, below), UnexpectedFailure);
}

TEST(SignalRecorderBuild, SignalBelow325Gives25) {
  const std::string line = test_support::line_description({});
  const std::string row = ", 1, 4, 1, 0, 0, 1, 3,1,0, 0";
  EXPECT_EQ(test_support::compile(line, test_support::train_description({"segnale, 324" + row}))
                .errors.error_code,
            25);
  EXPECT_EQ(test_support::compile(line, test_support::train_description({"segnale, 300" + row}))
                .errors.error_code,
            25);
  EXPECT_EQ(test_support::compile(line, test_support::train_description({"segnale, 350" + row}))
                .errors.error_code,
            0);
}

}  // namespace
}  // namespace tracciato
