#include "cli/reporter.h"

#include <iostream>

#include "cli/diagnostic.h"

namespace tracciato {

void ConsoleReporter::compile_error(const ErrorState& errors) {
  // The first line stays plain: tools read it as it is.
  std::cerr << error_message(errors.error_code) << '\n' << format_diagnostic(errors, colours_);
}

void ConsoleReporter::failure(const std::string& message) {
  std::cerr << "tracciato: " << message << '\n';
}

ExitStatus report_build(const BuildOutcome& outcome, Reporter& reporter) {
  if (outcome.errors.failed()) {
    reporter.compile_error(outcome.errors);
    return ExitStatus::kError;
  }
  if (outcome.write_failure) {
    reporter.failure(*outcome.write_failure);
    return ExitStatus::kFileProblem;
  }
  return ExitStatus::kOk;
}

}  // namespace tracciato
