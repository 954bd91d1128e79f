// Windows lets a program lock others out of a file it holds open.
#include <gtest/gtest.h>

#include "platform/mapped_file.h"
#include "platform/testing/held_file.h"
#include "testing/files.h"

namespace tracciato {
namespace {

TEST(MappedFile, ReadsADescriptionAnotherProgramHoldsOpenForWriting) {
  test_support::TempDir dir;
  test_support::write_file(dir / "F_linea.txt", "[generale]");
  const HeldFile editor(dir / "F_linea.txt", HeldFile::Hold::kForWriting);
  const auto mapped = MappedFile::open(dir / "F_linea.txt");
  ASSERT_TRUE(mapped);
  EXPECT_EQ(mapped->bytes(), "[generale]");
}

}  // namespace
}  // namespace tracciato
