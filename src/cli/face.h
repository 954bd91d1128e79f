#pragma once

#include <memory>

#include "cli/diagnostic.h"
#include "cli/reporter.h"

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
  explicit ConsoleFace(Palette colours = palette(false)) : console_(colours) {}
  void show_waiting() override {}
  void compile_error(const ErrorState& errors) override { console_.compile_error(errors); }
  void failure(const std::string& message) override { console_.failure(message); }

 private:
  ConsoleReporter console_;
};

// A desktop face: an error goes to the console and into a modal box with an OK button,
// which returns when the box is closed.
class BoxFace : public Face {
 public:
  void compile_error(const ErrorState& errors) final {
    console_.compile_error(errors);
    errore(error_message(errors.error_code));
  }
  void failure(const std::string& message) final {
    console_.failure(message);
    errore(message);
  }

 protected:
  virtual void errore(const std::string& text) = 0;

 private:
  ConsoleReporter console_;
};

}  // namespace tracciato
