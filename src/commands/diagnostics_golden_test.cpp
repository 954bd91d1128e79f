// What compile and check tell about small description pairs, compared with the expected files
// kept beside each pair in testdata/diagnostics; TRACCIATO_UPDATE_GOLDEN=1 rewrites those
// files from the program instead (testdata/diagnostics/README.md).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "platform/terminal.h"
#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = utf8_path(TRACCIATO_GOLDEN_DIR);

// Each folder is a case, named by the folder; the README and such beside them are not.
std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const std::string& name : test_support::file_names(kGoldenDir)) {
    if (fs::is_directory(kGoldenDir / utf8_path(name))) names.push_back(name);
  }
  return names;
}

bool updating() {
  return environment_variable("TRACCIATO_UPDATE_GOLDEN") == "1";
}

// One argument a line; a CR left by a Windows editor and blank lines are not arguments.
std::vector<std::string> extra_args(const fs::path& args_file) {
  std::vector<std::string> args;
  if (!fs::exists(args_file)) return args;
  std::istringstream in(test_support::read_file(args_file));
  for (std::string word; std::getline(in, word);) {
    if (!word.empty() && word.back() == '\r') word.pop_back();
    if (!word.empty()) args.push_back(word);
  }
  return args;
}

// The one normalisation: Windows shows paths with backslashes, so that the same expected
// files serve both systems, a path separator becomes a slash: "\" in text, its escaped
// form "\\" in JSON, whose other escapes stay as they are.
std::string normalised(std::string text, bool json) {
  if (!json) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
  }
  for (std::size_t at = text.find("\\\\"); at != std::string::npos; at = text.find("\\\\", at)) {
    text.replace(at, 2, "/");
  }
  return text;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

// A CR or a tab that differs would otherwise not show; the normalised text has no
// backslash of its own, so these cannot be mistaken for the text.
std::string visible(const std::string& line) {
  std::string shown;
  for (const char c : line) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\t') {
      shown += "\\t";
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string numbered(char mark, std::size_t index, const std::string& line) {
  std::string number = std::to_string(index + 1);
  number.insert(0, number.size() < 4 ? 4 - number.size() : 0, ' ');
  return std::string(1, mark) + number + " | " + visible(line) + "\n";
}

// The stretch where the two texts part, as the lines each side has there with their
// numbers: what is the same before and after it is left out, but the line before it.
std::string line_diff(const std::string& expected, const std::string& actual) {
  constexpr std::size_t kShown = 8;
  const std::vector<std::string> e = lines_of(expected);
  const std::vector<std::string> a = lines_of(actual);
  std::size_t first = 0;
  while (first < e.size() && first < a.size() && e[first] == a[first]) ++first;
  std::size_t same_at_end = 0;
  while (same_at_end < e.size() - first && same_at_end < a.size() - first &&
         e[e.size() - 1 - same_at_end] == a[a.size() - 1 - same_at_end]) {
    ++same_at_end;
  }
  if (first == e.size() && first == a.size()) {
    return "the lines are the same; the newline at the end differs\n";
  }
  std::string diff = "--- expected\n+++ actual\n";
  if (first > 0) diff += numbered(' ', first - 1, e[first - 1]);
  const auto side = [&](char mark, const std::vector<std::string>& lines) {
    const std::size_t end = lines.size() - same_at_end;
    for (std::size_t i = first; i < end && i < first + kShown; ++i) {
      diff += numbered(mark, i, lines[i]);
    }
    if (end > first + kShown) {
      const std::size_t more = end - first - kShown;
      diff += std::string(1, mark) + " ... " + std::to_string(more) + " more line" +
              (more == 1 ? "" : "s") + "\n";
    }
  };
  side('-', e);
  side('+', a);
  return diff;
}

// One run of the program: the arguments, the file that holds what it should print and
// whether that goes to standard error.
struct Invocation {
  const char* expected_file;
  std::vector<test_support::Arg> args;
  bool on_standard_error;
};

class CompileAndCheck : public ::testing::TestWithParam<std::string> {};

TEST_P(CompileAndCheck, PrintTheExpectedDiagnostics) {
  const fs::path source = kGoldenDir / utf8_path(GetParam());
  // A copy, so that paths print as bare names and the compiled files land outside the tree.
  test_support::TempDir work;
  for (const std::string& name : test_support::file_names(source)) {
    const fs::path file = source / utf8_path(name);
    if (fs::is_regular_file(file))
      test_support::write_file(work / file.filename(), test_support::read_file(file));
  }
  fs::create_directory(work / "out");
  const std::vector<std::string> extra = extra_args(source / "args");
  const auto with_extra = [&](std::vector<test_support::Arg> args) {
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  };
  const std::vector<Invocation> runs = {
      {"compile.err", {"compile", "F_linea.txt", "F_1-.txt", "--out", "out"}, true},
      {"check.txt", with_extra({"check", "F_linea.txt", "F_1-.txt"}), false},
      {"check.json", with_extra({"check", "--format", "json", "F_linea.txt", "F_1-.txt"}), false},
  };
  std::vector<std::string> updated;
  for (const Invocation& run : runs) {
    const test_support::ProgramRun ran = test_support::run_tracciato(run.args, work.path());
    const std::string& shown = run.on_standard_error ? ran.err : ran.out;
    const std::string& other = run.on_standard_error ? ran.out : ran.err;
    EXPECT_EQ(other, "") << run.expected_file << ": the program wrote to the other stream too";
    const bool json = std::string_view(run.expected_file).ends_with(".json");
    const std::string actual =
        normalised(shown, json) + "status " + std::to_string(ran.status) + "\n";
    const fs::path expected_path = source / run.expected_file;
    const bool there = fs::exists(expected_path);
    const std::string expected = there ? test_support::read_file(expected_path) : std::string();
    if (updating()) {
      if (!there || expected != actual) {
        test_support::write_file(expected_path, actual);
        updated.emplace_back(run.expected_file);
      }
      continue;
    }
    if (!there) {
      ADD_FAILURE() << shown_path(expected_path)
                    << " is missing: TRACCIATO_UPDATE_GOLDEN=1 writes it from the program";
      continue;
    }
    if (expected != actual) {
      ADD_FAILURE() << shown_path(expected_path) << " differs from what the program prints"
                    << " (TRACCIATO_UPDATE_GOLDEN=1 rewrites it):\n"
                    << line_diff(expected, actual);
    }
  }
  if (updating()) {
    std::string told;
    for (const std::string& name : updated) told += (told.empty() ? "" : ", ") + name;
    std::cout << "TRACCIATO_UPDATE_GOLDEN: " << GetParam() << ": "
              << (told.empty() ? "the expected files hold this output already" : "wrote " + told)
              << '\n';
  }
}

INSTANTIATE_TEST_SUITE_P(DiagnosticsGolden, CompileAndCheck, ::testing::ValuesIn(case_names()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace tracciato
