#include "model/error_state.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(Located, KeepsAShortLineWhole) {
  const SourceLocation at = located("a_linea.txt", 4, 12, 15, "pendenza,  450,  2");
  EXPECT_EQ(at.source, "pendenza,  450,  2");
  EXPECT_EQ(at.source_from, 0);
}

// A long line keeps a window that holds the field, whatever the field's place on it.
TEST(Located, KeepsAWindowOfALongLineThatHoldsTheField) {
  std::string line;
  for (int i = 0; line.size() < 100000; ++i) line += "q" + std::to_string(i) + ",  450,  2, ";
  for (const int column : {1, 300, 50000, 99990, static_cast<int>(line.size()) + 1}) {
    const SourceLocation at = located("a_linea.txt", 1, column, column + 3, line);
    SCOPED_TRACE(column);
    EXPECT_LE(at.source.size(), 1024U);
    EXPECT_EQ(at.source, line.substr(static_cast<std::size_t>(at.source_from), at.source.size()));
    EXPECT_LE(at.source_from, column - 1);
    EXPECT_GE(at.source_from + static_cast<int>(at.source.size()),
              std::min(column + 2, static_cast<int>(line.size())));
  }
}

}  // namespace
}  // namespace tracciato
