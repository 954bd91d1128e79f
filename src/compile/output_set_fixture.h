#pragma once

#include <gtest/gtest.h>

#include "compile/output_files.h"
#include "testing/files.h"

namespace tracciato {

// A set of three new files and, in the directory, the earlier set they replace.
class OutputSet : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kNames)
      test_support::write_file(dir_ / name, std::string("earlier ") + name);
  }

  void write_set(bool replace_read_only = false) {
    std::vector<CompiledFile> files;
    for (const char* name : kNames) files.push_back({name, {kNewBytes}});
    write_all_or_nothing(dir_.path(), files, replace_read_only);
  }

  std::vector<std::string> unchanged_files() const {
    std::vector<std::string> same;
    for (const char* name : kNames) {
      if (std::filesystem::is_regular_file(dir_ / name) &&
          test_support::read_file(dir_ / name) == std::string("earlier ") + name) {
        same.emplace_back(name);
      }
    }
    return same;
  }

  static constexpr const char* kNames[] = {"A_linea.dat", "A_1.sim", "A_1.dat"};
  static constexpr std::uint8_t kNew[] = {'n', 'e', 'w'};
  const std::span<const std::uint8_t> kNewBytes{kNew};
  test_support::TempDir dir_;
};

}  // namespace tracciato
