#pragma once

#include <string>
#include <utility>
#include <variant>

#include "cli/exit_status.h"

namespace tracciato {

// Why a command stops short: the exit status it ends with and the sentence that tells why.
// A usage failure is told with the command's usage; any other after the program's name.
struct Failure {
  ExitStatus status = ExitStatus::kUsage;
  std::string message;
};

inline Failure usage_failure(std::string message) {
  return {ExitStatus::kUsage, std::move(message)};
}
inline Failure file_failure(std::string message) {
  return {ExitStatus::kFileProblem, std::move(message)};
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

 private:
  std::variant<T, Failure> held_;
};

}  // namespace tracciato
