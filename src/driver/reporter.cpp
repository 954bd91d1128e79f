#include "driver/reporter.h"

#include <iostream>

#include "driver/diagnostic.h"

namespace tracciato {

void ConsoleReporter::compile_error(const ErrorState& errors) {
  std::cerr << error_message(errors.error_code) << '\n' << format_diagnostic(errors) << '\n';
}

void ConsoleReporter::failure(const std::string& message) {
  std::cerr << "tracciato: " << message << '\n';
}

}  // namespace tracciato
