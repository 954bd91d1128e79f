#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/diagnostic.h"
#include "compile/pipeline.h"
#include "model/check_observer.h"

namespace tracciato {

struct Finding : Diagnostic {
  std::optional<std::int32_t> position;
  bool reported = false;  // the one the compile itself reports
};

// Collects what a checking run of the compile tells, in the order it is told; or, not
// checking, the warnings of a compile that keeps its own rules.
class FindingList final : public CheckObserver {
 public:
  explicit FindingList(bool checking = true) : checking_(checking) {}
  bool checking() const override { return checking_; }
  void error(const ErrorState& recorded) override;
  void warning(const Warning& warning) override;

  // A description that cannot be read at all: an error of the whole file, without a code.
  void file_problem(const std::string& path, const std::string& message);
  // Marks the compile's own error, adding it when the checking run did not meet it.
  void mark_reported(const ErrorState& compile);
  const std::vector<Finding>& findings() const { return findings_; }
  int errors() const;
  int warnings() const;

 private:
  bool checking_;
  std::vector<Finding> findings_;
};

// Every finding of the two descriptions, the compile's own error marked among them;
// `checked`, when given, receives the scenario as the checking run left it.
FindingList check_descriptions(const BuildRequest& request, Scenario* checked = nullptr);

}  // namespace tracciato
