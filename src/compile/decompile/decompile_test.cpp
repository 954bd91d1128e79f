#include "compile/decompile/decompile.h"

#include <gtest/gtest.h>

#include "compile/decompile/held_set.h"
#include "compile/description.h"
#include "compile/embedded_descriptions.h"
#include "compile/output_files.h"
#include "compile/pipeline.h"
#include "format/dump_decoder.h"

namespace tracciato {
namespace {

HeldSet compile_set(const std::string& line, const std::string& train, const ScenarioNames& names,
                    bool geometry) {
  MemoryDescription l("line", line);
  MemoryDescription t("train", train);
  const Scenario s =
      memorizza_percorso({l, t, {names.base_name, names.train_number}, geometry ? 1 : 0});
  EXPECT_FALSE(s.errors.failed()) << s.errors.explanation;
  const EncodedBuild build = encode_build(s, names.base_name, names.train_number);
  HeldSet held{{}, build.header, build.cells, geometry};
  for (const auto part : build.geometry)
    held.geometry.insert(held.geometry.end(), part.begin(), part.end());
  return held;
}

std::string first_difference(const Decompiled& d) {
  if (d.proven()) return "";
  const Difference& f = d.differences.front();
  return f.where + ": " + f.what + " (" + f.why + ")";
}

TEST(DecompileEmbedded, GivesDescriptionsThatCompileToTheSameBytes) {
  EmbeddedDescriptions e = embedded_descriptions(embedded_scenario());
  const std::string line(*e.line.load());
  const std::string train(*e.train.load());
  const ScenarioNames& names = e.names;
  for (const bool geometry : {true, false}) {
    const HeldSet held = compile_set(line, train, names, geometry);
    const Decompiled d = decompile(held.set());
    EXPECT_TRUE(d.proven()) << first_difference(d);
    EXPECT_EQ(d.names.base_name, names.base_name);
    EXPECT_EQ(d.names.train_number, names.train_number);
    EXPECT_EQ(d.geometry, geometry);
    const HeldSet again = compile_set(d.line, d.train, d.names, geometry);
    EXPECT_EQ(again.header, held.header);
    EXPECT_EQ(again.cells, held.cells);
    EXPECT_EQ(again.geometry, held.geometry);
  }
}

}  // namespace
}  // namespace tracciato
