#include "compile/row_kinds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tracciato {
namespace {

constexpr std::array kSections = {Section::kLineGeneral, Section::kLineObjects, Section::kTrain};

// The reader tests a keyword against every kind of its section in turn, and each kind it
// names reads its fields: a keyword as written must name its own kind alone.
TEST(RowKinds, EveryKeywordAsWrittenNamesItsOwnKindAndNoOtherOfItsSection) {
  for (const Section section : kSections) {
    for (const RowKind& row : rows_of(section)) {
      ASSERT_FALSE(row.keywords.empty()) << row.name;
      EXPECT_EQ(row.keywords.front(), row.keyword) << row.name;
      for (const std::string_view keyword : row.keywords) {
        EXPECT_EQ(named_kind(section, keyword), &row) << keyword;
        EXPECT_EQ(written_kind(section, std::string(keyword) + "  "), &row) << keyword;
        for (const RowKind& other : rows_of(section)) {
          if (&other != &row) {
            EXPECT_FALSE(names(other, keyword)) << keyword << ": " << other.name;
          }
        }
      }
    }
  }
}

// Any other field, a keyword in other letters or words among them, is no keyword as
// written: the warning pass then tells how the reader took it.
TEST(RowKinds, OnlyAKeywordAsTheWriterWritesItIsWrittenKind) {
  for (const char* field : {"Curvas4", "curva destra 5", "velocita aderenza", "", "c", "[curve]"}) {
    EXPECT_EQ(written_kind(Section::kLineObjects, field), nullptr) << field;
    EXPECT_EQ(written_kind(Section::kTrain, field), nullptr) << field;
  }
}

// A header is read as a keyword like any field: none may name a row kind.
TEST(RowKinds, NoWritersHeaderNamesARowKindOfItsDescription) {
  for (const Section section : kSections) {
    for (const RowKind& row : rows_of(section)) {
      for (const Section other : kSections) {
        if ((section == Section::kTrain) != (other == Section::kTrain)) continue;
        EXPECT_EQ(named_kind(other, row.header), nullptr) << row.header;
      }
    }
  }
}

TEST(RowKinds, EachSectionHoldsItsOwnRowsInTheOrderOfTheirIds) {
  std::size_t next = 0;
  for (const Section section : kSections) {
    for (const RowKind& row : rows_of(section)) {
      EXPECT_EQ(row.section, section) << row.name;
      EXPECT_EQ(static_cast<std::size_t>(row.id), next++) << row.name;
      EXPECT_EQ(&row_kind(row.id), &row) << row.name;
    }
  }
  EXPECT_EQ(next, all_rows().size());
}

// Diagnostics, hover and explain tell a field by its name: two alike would be one.
TEST(RowKinds, FieldsHaveDistinctNamesAndRangesThatHoldAValue) {
  for (const RowKind& row : all_rows()) {
    std::set<std::string_view> seen;
    for (const FieldSpec& f : row.fields) {
      EXPECT_FALSE(f.name.empty()) << row.name;
      EXPECT_TRUE(seen.insert(f.name).second) << row.name << ": " << f.name;
      if (f.storage != Storage::kText) {
        EXPECT_LE(f.low, f.high) << row.name << ": " << f.name;
      }
    }
  }
}

struct FieldCount {
  const char* name;
  RowId row;
  std::size_t read;
};

class RowFieldCounts : public ::testing::TestWithParam<FieldCount> {};

// The numbers of fields the compilers read after each keyword.
TEST_P(RowFieldCounts, AreTheFieldsTheCompilersRead) {
  EXPECT_EQ(row_kind(GetParam().row).fields.size(), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowFieldCounts,
    ::testing::Values(
        FieldCount{"RouteLength", RowId::kRouteLength, 1},
        FieldCount{"ProgressiveTre", RowId::kProgressiveTre, 3},
        FieldCount{"ProgressiveDue", RowId::kProgressiveDue, 3},
        FieldCount{"ProgressiveUno", RowId::kProgressiveUno, 3},
        FieldCount{"BackgroundUno", RowId::kBackgroundUno, 1},
        FieldCount{"BackgroundDue", RowId::kBackgroundDue, 1},
        FieldCount{"BackgroundTre", RowId::kBackgroundTre, 1},
        FieldCount{"SignalRepetition", RowId::kSignalRepetition, 2},
        FieldCount{"Gradient", RowId::kGradient, 2}, FieldCount{"Curve", RowId::kCurve, 2},
        FieldCount{"Mountain", RowId::kMountain, 3},
        FieldCount{"SpeedBoard", RowId::kSpeedBoard, 9},
        FieldCount{"Signboard", RowId::kSignboard, 2},
        FieldCount{"BrakedMass", RowId::kBrakedMass, 1}, FieldCount{"Cars", RowId::kCars, 1},
        FieldCount{"SpeedLimit", RowId::kSpeedLimit, 2},
        FieldCount{"Adhesion", RowId::kAdhesion, 2}, FieldCount{"Clock", RowId::kClock, 3},
        FieldCount{"Sand", RowId::kSand, 1}, FieldCount{"Signal", RowId::kSignal, 11},
        FieldCount{"Slowdown", RowId::kSlowdown, 6}, FieldCount{"CodeDrop", RowId::kCodeDrop, 2},
        FieldCount{"Station", RowId::kStation, 17}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
