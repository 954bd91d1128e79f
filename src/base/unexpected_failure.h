#pragma once

#include <stdexcept>
#include <string>

namespace tracciato {

// Anything the compile did not foresee (a read past the end, a value that does not fit
// its field, an index outside an array). The build turns it into error code 25.
class UnexpectedFailure : public std::runtime_error {
 public:
  explicit UnexpectedFailure(const std::string& what) : std::runtime_error(what) {}
  // Line of the description being read when it happened; 0 when none.
  int line = 0;
};

}  // namespace tracciato
