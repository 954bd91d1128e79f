#include "model/error_codes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/utf8_path.h"
#include "testing/files.h"

namespace tracciato {
namespace {

// The code each case of the diagnostics golden files fails with, by case: the first line
// of its compile.err is " Errore n. CODE". A case that compiles has none.
std::map<std::string, std::int32_t> golden_codes() {
  constexpr std::string_view kLead = " Errore n. ";
  const std::filesystem::path golden = utf8_path(TRACCIATO_GOLDEN_DIR);
  std::map<std::string, std::int32_t> codes;
  for (const std::string& name : test_support::file_names(golden)) {
    const std::filesystem::path err = golden / utf8_path(name) / "compile.err";
    if (!std::filesystem::is_regular_file(err)) continue;
    const std::string text = test_support::read_file(err);
    const std::string first = text.substr(0, text.find('\n'));
    if (first.starts_with(kLead)) codes[name] = std::stoi(first.substr(kLead.size()));
  }
  return codes;
}

TEST(ErrorCodes, AreListedOnceInIncreasingOrderEachWithASummary) {
  std::int32_t previous = 0;
  for (const ErrorCodeInfo& info : error_codes()) {
    EXPECT_GT(info.code, previous);
    EXPECT_NE(std::string(info.summary), "");
    previous = info.code;
  }
}

TEST(ErrorCodes, EveryCodeACompileEndsWithIsExplained) {
  const auto codes = golden_codes();
  ASSERT_FALSE(codes.empty()) << "no failing case in " << TRACCIATO_GOLDEN_DIR;
  for (const auto& [name, code] : codes) {
    EXPECT_NE(error_summary(code), nullptr) << name << " ends with " << code;
  }
  EXPECT_EQ(error_summary(0), nullptr);
  EXPECT_EQ(error_summary(14), nullptr);
}

}  // namespace
}  // namespace tracciato
