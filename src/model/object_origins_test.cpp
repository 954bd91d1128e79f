#include "model/object_origins.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

constexpr std::string_view kText = "[generale]\r\nsegnale, 2000, 1\r\nsegnale, 3000, 2\r\n";
constexpr std::size_t kSecondLine = 12;
constexpr std::size_t kThirdLine = 30;

ObjectOrigins::RowPlace row_at(int line, std::size_t line_start) {
  return {line, 10, 14, line_start, "signal row"};
}

TEST(ObjectOrigins, NameTheLastRowThatWroteACellWithItsLine) {
  ObjectOrigins origins;
  const ObjectOrigins::Reading reading(origins, "F_1-.txt", kText, false);
  origins.begin_row(row_at(2, kSecondLine));
  origins.placed(41);
  origins.marked(37);
  origins.begin_row(row_at(3, kThirdLine));
  origins.placed(41);
  const auto object = origins.object_at(41);
  ASSERT_TRUE(object);
  EXPECT_EQ(object->at.path, "F_1-.txt");
  EXPECT_EQ(object->at.line, 3);
  EXPECT_EQ(object->at.column, 10);
  EXPECT_EQ(object->at.source, "segnale, 3000, 2");
  EXPECT_EQ(object->row, "signal row");
  ASSERT_TRUE(origins.mark_at(37));
  EXPECT_EQ(origins.mark_at(37)->at.source, "segnale, 2000, 1");
  EXPECT_FALSE(origins.object_at(37));
  EXPECT_FALSE(origins.mark_at(41));
}

TEST(ObjectOrigins, KeepTheLinesOfADescriptionReleasedBeforeTheyAreAsked) {
  ObjectOrigins origins;
  {
    const std::string line_text(kText);
    const ObjectOrigins::Reading line(origins, "F_linea.txt", line_text, true);
    origins.begin_row(row_at(2, kSecondLine));
    origins.placed(41);
  }
  {
    const std::string train_text(kText);
    const ObjectOrigins::Reading train(origins, "F_1-.txt", train_text, false);
    origins.begin_row(row_at(3, kThirdLine));
    origins.placed(61);
  }
  EXPECT_EQ(origins.object_at(41)->at.source, "segnale, 2000, 1");
  EXPECT_EQ(origins.object_at(41)->at.path, "F_linea.txt");
  // The train's text is gone: its place stays, without the line.
  EXPECT_EQ(origins.object_at(61)->at.line, 3);
  EXPECT_EQ(origins.object_at(61)->at.source, "");
}

// A description saved as one line runs every row on along it.
TEST(ObjectOrigins, RowsRunningOnAlongOneLineShareOneCopyOfIt) {
  ObjectOrigins origins;
  const std::string one_line = "segnale, 1000, 1, segnale, 2000, 1, segnale, 3000, 1";
  {
    const ObjectOrigins::Reading line(origins, "F_linea.txt", one_line, true);
    for (int cell = 20; cell <= 60; cell += 20) {
      origins.begin_row({1, cell / 20 * 18 - 17, cell / 20 * 18 - 10, 0, "signal row"});
      origins.placed(cell);
    }
  }
  EXPECT_EQ(origins.kept_bytes(), one_line.size());
  EXPECT_EQ(origins.object_at(40)->at.source, one_line);
  EXPECT_EQ(origins.object_at(60)->at.column, 37);
}

TEST(ObjectOrigins, AnObjectWrittenWithoutARowHidesTheOneBeforeIt) {
  ObjectOrigins origins;
  {
    const ObjectOrigins::Reading reading(origins, "F_1-.txt", kText, false);
    origins.begin_row(row_at(2, kSecondLine));
    origins.placed(41);
  }
  origins.placed(41);
  EXPECT_FALSE(origins.object_at(41));
}

}  // namespace
}  // namespace tracciato
