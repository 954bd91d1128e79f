#include "cli/description_pair.h"

#include <filesystem>
#include <system_error>

#include "base/utf8_path.h"
#include "cli/description_argument.h"
#include "model/description_files.h"
#include "model/file_names.h"

namespace tracciato {

namespace {

bool missing(const std::string& path) {
  std::error_code ec;
  return !std::filesystem::exists(utf8_path(path), ec);
}

bool named_as(std::string_view word, DescriptionKind kind) {
  const auto d = description_name(word);
  return d && d->kind == kind;
}

// "; did you mean X?" for a missing file when a name near its own stands beside it.
std::string nearest_suggestion(const std::string& path) {
  const auto near = nearest_name_beside(utf8_path(path));
  return near ? "; did you mean " + sibling(path, *near) + "?" : "";
}

Result<CompletedPair> line_of(const std::string& train, const std::string& base) {
  const std::string line = line_beside(train, base);
  if (missing(line)) {
    return usage_failure("no line description beside " + train + ": " + line +
                         " is not there; give LINE and TRAIN");
  }
  return CompletedPair{line, train, ""};
}

Result<CompletedPair> train_of(const std::string& line, const std::string& base) {
  const std::vector<std::string> trains = trains_beside(line, base);
  if (trains.empty()) {
    return usage_failure("no train description beside " + line + " (" + sibling(line, base) +
                         "_NUMBER-.txt); give LINE and TRAIN");
  }
  CompletedPair pair{line, trains.front(), ""};
  if (trains.size() > 1) {
    pair.choice = line + " has " + std::to_string(trains.size()) + " trains beside it; " +
                  trains.front() + ", the one changed last, is taken";
  }
  return pair;
}

}  // namespace

Result<std::vector<std::string>> in_description_order(std::string_view command,
                                                      const std::vector<std::string>& words) {
  if (words.size() != 2 || !named_as(words[0], DescriptionKind::kTrain) ||
      !named_as(words[1], DescriptionKind::kLine)) {
    return words;
  }
  return usage_failure(words[0] + " names a train and " + words[1] +
                       " a line: they are swapped; the line comes first: tracciato " +
                       std::string(command) + " " + words[1] + " " + words[0]);
}

Result<CompletedPair> complete_pair(const std::string& word) {
  if (word == kStandardInput) {
    return usage_failure(
        "a description from standard input needs the other one named: give LINE and TRAIN");
  }
  if (missing(word)) return usage_failure(word + " does not exist" + nearest_suggestion(word));
  const auto d = description_name(word);
  if (!d) {
    return usage_failure(
        "cannot tell whether " + word +
        " is a line (NAME_linea.txt) or a train (NAME_NUMBER-.txt): give LINE and TRAIN");
  }
  return d->kind == DescriptionKind::kTrain ? line_of(word, d->names.base_name)
                                            : train_of(word, d->names.base_name);
}

}  // namespace tracciato
