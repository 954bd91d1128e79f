#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

#include "base/file_error.h"
#include "cli/exit_status.h"

namespace tracciato {

// Why a command stops short: the exit status it ends with and the sentence that tells why.
// The command line tells it once, for every command: a usage failure with the command's
// usage, any other after the program's name. Thrown, it ends the command.
class Failure : public std::runtime_error {
 public:
  Failure(ExitStatus status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  ExitStatus status() const { return status_; }

 private:
  ExitStatus status_;
};

inline Failure usage_failure(const std::string& message) {
  return {ExitStatus::kUsage, message};
}
inline Failure file_failure(const std::string& message) {
  return {ExitStatus::kFileProblem, message};
}
// "cannot write FILE: reason", for a file a command could not write.
inline Failure write_failure(const FileError& error) {
  return file_failure("cannot write " + std::string(error.what()));
}

// A value, or the failure that stopped its making.
template <typename T>
class Result {
 public:
  Result(T value) : held_(std::move(value)) {}
  Result(Failure failure) : held_(std::move(failure)) {}

  explicit operator bool() const { return held_.index() == 0; }
  T& operator*() { return std::get<T>(held_); }
  const T& operator*() const { return std::get<T>(held_); }
  T* operator->() { return &std::get<T>(held_); }
  const T* operator->() const { return &std::get<T>(held_); }
  const Failure& failure() const { return std::get<Failure>(held_); }
  // The value; the failure is thrown.
  T value() && {
    if (!*this) throw failure();
    return std::move(std::get<T>(held_));
  }

 private:
  std::variant<T, Failure> held_;
};

}  // namespace tracciato
