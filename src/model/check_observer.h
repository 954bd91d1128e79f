#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/error_state.h"

namespace tracciato {

// What the checker hears from a compile run on its behalf: every code the compile records
// and what it accepts silently but an author rarely means. The compile itself runs
// without one and behaves exactly as if the hooks were not there.
struct Warning {
  SourceLocation at;
  std::optional<std::int32_t> position;
  std::string message;
  std::string hint;
  // Other rows the warning concerns, each at its own place.
  std::vector<Note> notes = {};
};

class CheckObserver {
 public:
  virtual ~CheckObserver() = default;
  // A checker hears every code and has the compile go on past it; a compile that only
  // collects its warnings keeps its own rules and stops at its first code.
  virtual bool checking() const { return true; }
  virtual void error(const ErrorState& recorded) = 0;
  virtual void warning(const Warning& warning) = 0;
};

inline bool checking(const CheckObserver* observer) {
  return observer != nullptr && observer->checking();
}

}  // namespace tracciato
