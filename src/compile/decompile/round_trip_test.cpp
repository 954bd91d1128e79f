#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "compile/decompile/decompile.h"
#include "compile/decompile/held_set.h"
#include "compile/description.h"
#include "compile/output_files.h"
#include "compile/pipeline.h"
#include "testing/random_descriptions.h"
#include "testing/scenario_generator.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

std::optional<HeldSet> compiled(const std::string& line, const std::string& train,
                                const ScenarioNames& names, bool geometry) {
  MemoryDescription l("line", line);
  MemoryDescription t("train", train);
  const Scenario s = memorizza_percorso({l, t, names, geometry ? 1 : 0});
  if (s.errors.failed()) return std::nullopt;
  const EncodedBuild build = encode_build(s, names.base_name, names.train_number);
  HeldSet held{{}, build.header, build.cells, geometry};
  for (const auto part : build.geometry) {
    held.geometry.insert(held.geometry.end(), part.begin(), part.end());
  }
  return held;
}

// Compile, decompile, compile again: the two sets must be the same bytes.
void expect_round_trip(const HeldSet& held, const std::string& what) {
  const Decompiled d = decompile(held.set());
  ASSERT_TRUE(d.proven()) << what << ": " << d.differences.front().where << ": "
                          << d.differences.front().what << "\n--- line\n"
                          << d.line << "--- train\n"
                          << d.train;
  const auto again = compiled(d.line, d.train, d.names, d.geometry);
  ASSERT_TRUE(again.has_value()) << what;
  EXPECT_TRUE(*again == held) << what;
}

TEST(DecompileRoundTrip, RandomDescriptionsOfEveryRowKindComeBackToTheSameBytes) {
  const ScenarioNames names{"Casuale", "77"};
  for (std::uint32_t seed = 0; seed < 2000; ++seed) {
    test_support::SeededChoices choices(seed);
    const test_support::RandomPair pair = test_support::random_pair(choices);
    const auto held = compiled(pair.line, pair.train, names, pair.geometry);
    if (!held) continue;  // a track too crowded for the signal code pass
    expect_round_trip(*held, "seed " + std::to_string(seed) + "\n--- written line\n" + pair.line +
                                 "--- written train\n" + pair.train);
    if (HasFatalFailure()) return;
  }
}

// The generator's scenarios have every object at its densest, over routes up to the longest.
struct GeneratedLength {
  std::string name;
  std::int32_t metres;
};

class DecompileGeneratedScenario : public ::testing::TestWithParam<GeneratedLength> {};

TEST_P(DecompileGeneratedScenario, ComesBackToTheSameBytes) {
  const test_support::GeneratedScenario scenario =
      test_support::generate_scenario(GetParam().metres);
  const ScenarioNames names{scenario.base_name, scenario.train_number};
  const auto held = compiled(scenario.line, scenario.train, names, true);
  ASSERT_TRUE(held.has_value());
  expect_round_trip(*held, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Routes, DecompileGeneratedScenario,
    ::testing::Values(GeneratedLength{"Of10Km", 10'000}, GeneratedLength{"Of100Km", 100'000},
                      GeneratedLength{"Of1000Km", test_support::kMaximalRoute}),
    [](const auto& info) { return info.param.name; });

std::string file_text(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(DecompileRoundTrip, EverySuccessfulGoldenCaseComesBackToTheSameBytes) {
  for (const auto& entry : fs::directory_iterator(TRACCIATO_GOLDEN_DIR)) {
    if (!entry.is_directory() || fs::exists(entry.path() / "args")) continue;
    const std::string line = file_text(entry.path() / "F_linea.txt");
    const std::string train = file_text(entry.path() / "F_1-.txt");
    for (const bool geometry : {true, false}) {
      const auto held = compiled(line, train, {"F", "1"}, geometry);
      if (held) expect_round_trip(*held, entry.path().filename().string());
    }
  }
}

}  // namespace
}  // namespace tracciato
