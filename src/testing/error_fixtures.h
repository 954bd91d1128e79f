#pragma once

#include <string>
#include <vector>

namespace tracciato::test_support {

// One small pair of descriptions for each code the compile can report, with that code.
struct ErrorFixture {
  const char* name;
  std::string line;
  std::string train;
  int code;
  // The text the diagnostic points at: the field that raised the code; empty where the
  // code concerns a whole file.
  const char* field;
};

const std::vector<ErrorFixture>& error_fixtures();

}  // namespace tracciato::test_support
