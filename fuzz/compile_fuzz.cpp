// The whole compile, and the checker, from two descriptions held in memory. The input is
// one byte (bit 0: the geometry flag; bit 1: run the checker too, which must find the
// compile's own error at its row; bit 2: run the compile with its warning pass too), then
// the line description and the train description separated by the first NUL byte.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/unexpected_failure.h"
#include "compile/output_files.h"
#include "compile/pipeline.h"
#include "fuzz_pair.h"

namespace {

// Keeps where each error was told, to hold the checker to the compile.
class Heard final : public tracciato::CheckObserver {
 public:
  explicit Heard(bool checking) : checking_(checking) {}
  bool checking() const override { return checking_; }
  void error(const tracciato::ErrorState& e) override {
    errors_.push_back({e.error_code, e.where.path, e.where.line});
  }
  void warning(const tracciato::Warning&) override {}
  // Whether an error with the compile's code was told at the compile's row.
  bool heard(const tracciato::ErrorState& e) const {
    return std::find(errors_.begin(), errors_.end(),
                     Told{e.error_code, e.where.path, e.where.line}) != errors_.end();
  }
  bool any() const { return !errors_.empty(); }

 private:
  struct Told {
    std::int32_t code;
    std::string path;
    int line;
    bool operator==(const Told&) const = default;
  };
  bool checking_;
  std::vector<Told> errors_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int j = data[0] & 1;
  tracciato::fuzz::FuzzPair pair(data, size);
  const tracciato::BuildRequest request{pair.line, pair.train, {"Fuzz", "1"}, j};
  const tracciato::Scenario s = tracciato::memorizza_percorso(request);
  if (!s.errors.failed()) tracciato::encode_build(s, "Fuzz", "1");
  Heard checker(true);
  if ((data[0] & 2) != 0) {
    tracciato::memorizza_percorso(request, &checker);
    // The checker finds the compile's own error at its row, and none where it passes.
    if (s.errors.failed() ? !checker.heard(s.errors) : checker.any()) std::abort();
  }
  Heard warnings(false);
  if ((data[0] & 4) != 0) tracciato::memorizza_percorso(request, &warnings);
  return 0;
}
