#pragma once

#include <string>

#include "cli/colour.h"
#include "cli/exit_status.h"
#include "compile/build_files.h"
#include "model/error_state.h"

namespace tracciato {

// Where the outcome of a build is told: a console, or a window's message box.
class Reporter {
 public:
  virtual ~Reporter() = default;
  // A recorded error code of the compile.
  virtual void compile_error(const ErrorState& errors) = 0;
  // A failure outside the compile (a file that cannot be written), with its reason.
  virtual void failure(const std::string& message) = 0;
};

// Writes " Errore n. CODE" and the diagnostic, or the failure, to standard error.
class ConsoleReporter final : public Reporter {
 public:
  explicit ConsoleReporter(Palette colours = palette(false)) : colours_(colours) {}
  void compile_error(const ErrorState& errors) override;
  void failure(const std::string& message) override;

 private:
  Palette colours_;
};

// Tells how a build ended and gives its exit status.
ExitStatus report_build(const BuildOutcome& outcome, Reporter& reporter);

}  // namespace tracciato
