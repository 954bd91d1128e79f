#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/testing/system.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using test_support::run_program;
using test_support::run_tracciato;

// The SHA-256 of each compiled file (.sim, .dat) the output digests hold in `folder`, by
// name, as sha256sum prints them.
std::map<std::string, std::string> stored_checksums(const std::string& folder) {
  std::ifstream in(TRACCIATO_OUTPUT_DIGESTS);
  std::map<std::string, std::string> sums;
  const std::string prefix = "./" + folder + "/";
  std::string digest;
  std::string path;
  while (in >> digest >> path) {
    const std::string name = path.substr(std::min(prefix.size(), path.size()));
    if (!path.starts_with(prefix) || name.find('/') != std::string::npos) continue;
    if (name.ends_with(".sim") || name.ends_with(".dat")) sums[name] = digest;
  }
  return sums;
}

// On Windows, scripts/cross-check compares the compiled files with the Linux program's
// byte for byte instead.
constexpr const char* kNoSha256sum =
    "sha256sum is a Linux tool; scripts/cross-check compares "
    "these files with the Linux program's";

std::string sha256(const std::filesystem::path& file) {
  const auto run = run_program("sha256sum", {file.string()}, file.parent_path());
  EXPECT_EQ(run.status, 0) << run.err;
  return run.out.substr(0, run.out.find(' '));
}

// Every compiled file stored for `folder` matches its digest; there are three.
void expect_stored_bytes(const test_support::TempDir& dir, const std::string& folder) {
  const auto stored = stored_checksums(folder);
  for (const auto& [name, digest] : stored) EXPECT_EQ(sha256(dir / name), digest) << name;
  EXPECT_EQ(stored.size(), 3u) << "compiled files of " << folder << " in "
                               << TRACCIATO_OUTPUT_DIGESTS;
}

// The generator's descriptions for `metres`, compiled into `dir`.
test_support::ProgramRun generate_and_compile(int metres, const test_support::TempDir& dir) {
  const auto generated =
      run_program(TRACCIATO_GENERATE_EXE, {std::to_string(metres), "."}, dir.path());
  EXPECT_EQ(generated.status, 0) << generated.err;
  std::istringstream paths(generated.out);
  std::string line;
  std::string train;
  std::getline(paths, line);
  std::getline(paths, train);
  return run_tracciato({"compile", line, train}, dir.path());
}

TEST(CompiledChecksums, EmbeddedScenarioKeepsItsBytes) {
  if (kBuiltForWindows) GTEST_SKIP() << kNoSha256sum;
  test_support::TempDir dir;
  const auto run = run_tracciato({"--out", dir.path(), "--headless"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  expect_stored_bytes(dir, "embedded");
}

TEST(CompiledChecksums, MaximalGeneratedScenarioKeepsItsBytes) {
  if (kBuiltForWindows) GTEST_SKIP() << kNoSha256sum;
  test_support::TempDir dir;
  const auto run = generate_and_compile(1'000'000, dir);
  ASSERT_EQ(run.status, 0) << run.err;
  expect_stored_bytes(dir, "generated-1000");
}

TEST(CompiledChecksums, ShorterGeneratedRoutesCompileWithoutError) {
  for (const int metres : {10'000, 100'000, 555'550}) {
    test_support::TempDir dir;
    const auto run = generate_and_compile(metres, dir);
    EXPECT_EQ(run.status, 0) << metres << " m: " << run.err;
    EXPECT_EQ(test_support::read_file(dir / "Massimale_linea.dat").size(),
              (metres + 7000u) * 20 - 36)
        << metres << " m";
  }
}

}  // namespace
}  // namespace tracciato
