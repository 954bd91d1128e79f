// Windows keeps its environment in UTF-16; the program reads it in UTF-8.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/terminal.h"

namespace tracciato {
namespace {

TEST(EnvironmentVariable, ReadsAValueAnEmptyValueAndAnUnsetName) {
  const wchar_t* const name = L"TRACCIATO_TEST_VARIABLE";
  // Longer than a first guess at its size, with letters beyond ASCII.
  std::wstring value;
  std::string utf8;
  for (int i = 0; i < 100; ++i) {
    value += L"caff\u00e8 \u6f22";
    utf8 += "caff\xC3\xA8 \xE6\xBC\xA2";
  }
  ASSERT_TRUE(::SetEnvironmentVariableW(name, value.c_str()));
  EXPECT_EQ(environment_variable("TRACCIATO_TEST_VARIABLE"), utf8);
  ASSERT_TRUE(::SetEnvironmentVariableW(name, L""));
  EXPECT_EQ(environment_variable("TRACCIATO_TEST_VARIABLE"), "");
  ASSERT_TRUE(::SetEnvironmentVariableW(name, nullptr));
  EXPECT_EQ(environment_variable("TRACCIATO_TEST_VARIABLE"), std::nullopt);
}

}  // namespace
}  // namespace tracciato
