#include "commands/lsp/diagnostics.h"

#include <gtest/gtest.h>

namespace tracciato::lsp {
namespace {

using nlohmann::json;

// No file open: columns come from the lines the findings quote.
class ClosedFiles final : public EditorView {
 public:
  std::string uri(const std::string& path) const override { return "file://" + path; }
  std::optional<std::string_view> line(const std::string&, int) const override {
    return std::nullopt;
  }
};

TEST(Diagnostics, PastTheBoundAFilesFindingsAreCountedInOneLastDiagnostic) {
  FindingList findings;
  const std::size_t beyond = 500;
  for (std::size_t i = 0; i < kMostDiagnosticsPerFile + beyond; ++i)
    findings.file_problem("/s/A_linea.txt", "problem " + std::to_string(i));
  findings.file_problem("/s/A-1-.txt", "the only one");
  auto by_path = diagnostics_by_path(findings, ClosedFiles());
  const json& many = by_path["/s/A_linea.txt"];
  ASSERT_EQ(many.size(), kMostDiagnosticsPerFile + 1);
  EXPECT_EQ(many[kMostDiagnosticsPerFile - 1]["message"],
            "problem " + std::to_string(kMostDiagnosticsPerFile - 1));
  EXPECT_EQ(many.back()["message"], "500 more findings: run tracciato check");
  EXPECT_EQ(by_path["/s/A-1-.txt"].size(), 1U);
}

}  // namespace
}  // namespace tracciato::lsp
