#pragma once

#include <string>
#include <vector>

namespace tracciato::testing {

// One small pair of descriptions for each code the compile can report, with that code.
struct ErrorFixture {
  const char* name;
  std::string line;
  std::string train;
  int code;
};

const std::vector<ErrorFixture>& error_fixtures();

}  // namespace tracciato::testing
