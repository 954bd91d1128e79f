#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/diagnostic.h"
#include "compile/pipeline.h"
#include "model/check_observer.h"

namespace tracciato {

struct Finding : Diagnostic {
  std::optional<std::int32_t> position;
  bool reported = false;  // the one the compile itself reports
};

// One mistake however often it is made: the kind, the file and the message without its
// numbers.
std::string mistake_key(const Finding& f);

// Findings of one mistake the text shows before it counts the rest.
inline constexpr int kRepeatsShown = 3;

// How much of a long run of findings a list keeps; the rest are counted. However many
// findings a pair of descriptions gives, a list then holds a bounded amount of them.
struct Retention {
  // Findings of one mistake kept at most; nothing: all of them. Those left out are the
  // ones a text that shows fewer than this before counting would hide.
  std::optional<int> per_mistake;
  // Findings kept at most, and the bytes they may take; past either, every finding is
  // only counted, but the compile's own error, which is always kept.
  std::size_t findings = 10000;
  std::size_t bytes = std::size_t{16} << 20;
};

// What the text needs to show the kept findings as it would show them all: enough to keep
// only the first few of a repeated mistake.
struct Kept {
  std::size_t mistake = 0;  // index into the counts of `mistake_count`
  int ordinal = 0;          // the how-manyth finding of its mistake this is
  // Errors left out for their mistake between the kept finding before this one and this.
  int errors_left_out_before = 0;
};

// Collects what a checking run of the compile tells, in the order it is told; or, not
// checking, the warnings of a compile that keeps its own rules. Each finding goes to the
// stream, if one is set, as it is told; the list keeps them as `Retention` allows.
class FindingList final : public CheckObserver {
 public:
  explicit FindingList(bool checking = true, Retention retention = {})
      : checking_(checking), retention_(retention) {}
  bool checking() const override { return checking_; }
  void error(const ErrorState& recorded) override;
  void warning(const Warning& warning) override;

  // Hands each finding, once marked, to `stream` as it is told.
  void stream_to(std::function<void(const Finding&)> stream) { stream_ = std::move(stream); }
  // A description that cannot be read at all: an error of the whole file, without a code.
  void file_problem(const std::string& path, const std::string& message);
  // The compile's own error, before the checking run: the first finding that is it (the
  // same code at the same row) is marked as reported and takes its wording.
  void expect_reported(const ErrorState& compile);
  // After the checking run: adds the compile's own error when the run did not meet it.
  void finish();

  // The findings kept, in the order told, and what the text needs of each.
  const std::vector<Finding>& findings() const { return findings_; }
  const std::vector<Kept>& kept() const { return kept_; }
  // How often the mistake of a kept finding was made in all.
  int mistake_count(const Kept& k) const { return mistake_counts_[k.mistake]; }
  // Errors left out for their mistake after the last finding kept.
  int errors_left_out_after() const { return errors_left_out_after_; }
  // Findings neither kept nor counted with a kept mistake: those past the list's bound.
  int errors_not_kept() const { return errors_not_kept_; }
  int warnings_not_kept() const { return warnings_not_kept_; }
  int errors() const { return errors_; }
  int warnings() const { return warnings_; }

 private:
  void add(Finding f);
  bool is_reported(const Finding& f) const;
  void keep(Finding f, std::string key, bool new_mistake);
  void count_not_kept(const Finding& f);

  bool checking_;
  Retention retention_;
  std::function<void(const Finding&)> stream_;
  std::optional<Finding> expected_;
  bool expected_met_ = false;
  std::vector<Finding> findings_;
  std::vector<Kept> kept_;
  std::unordered_map<std::string, std::size_t> mistakes_;
  std::vector<int> mistake_counts_;
  std::vector<int> mistake_kept_;
  std::size_t bytes_ = 0;
  bool full_ = false;
  int errors_left_out_after_ = 0;
  int errors_not_kept_ = 0;
  int warnings_not_kept_ = 0;
  int errors_ = 0;
  int warnings_ = 0;
};

// Every finding of the two descriptions into `list`, the compile's own error marked among
// them; `checked`, when given, receives the scenario as the checking run left it.
void check_descriptions(const BuildRequest& request, FindingList& list,
                        Scenario* checked = nullptr);
FindingList check_descriptions(const BuildRequest& request, Scenario* checked = nullptr);

}  // namespace tracciato
