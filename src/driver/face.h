#pragma once

#include <memory>

#include "driver/reporter.h"

namespace tracciato {

// What the default run shows while it works and how it tells an error: a window with
// a message box, or the console alone.
class Face : public Reporter {
 public:
  // Shown before the build starts and left as it is until the program ends.
  virtual void show_waiting() = 0;
};

// The console face: errors on standard error, nothing to show while working.
class ConsoleFace final : public Face {
 public:
  void show_waiting() override {}
  void compile_error(const ErrorState& errors) override { console_.compile_error(errors); }
  void failure(const std::string& message) override { console_.failure(message); }

 private:
  ConsoleReporter console_;
};

}  // namespace tracciato
