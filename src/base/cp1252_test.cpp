#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

struct Utf8Case {
  const char* name;
  std::string_view bytes;
  bool utf8;
};

class LooksLikeUtf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(LooksLikeUtf8, TellsTextSavedAsUtf8) {
  EXPECT_EQ(looks_like_utf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LooksLikeUtf8,
    ::testing::Values(Utf8Case{"AccentedWordSavedAsUtf8", "CITT\xC3\x80", true},
                      Utf8Case{"TheSameWordInWindows1252", "CITT\xC0", false},
                      Utf8Case{"PlainAscii", "(Fine Ponte)", false},
                      Utf8Case{"ABrokenSequence", "CITT\xC3", false},
                      Utf8Case{"Windows1252ThatHappensToPair", "\xE8\x80", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
