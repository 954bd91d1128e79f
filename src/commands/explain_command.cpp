#include "commands/explain_command.h"

#include <iostream>
#include <limits>
#include <sstream>

#include "cli/exit_status.h"
#include "cli/row_help.h"
#include "model/error_codes.h"

namespace tracciato {

namespace {

constexpr std::size_t kWidth = 78;

// `text` broken between words into lines of at most kWidth characters.
std::string wrapped(std::string_view text) {
  std::istringstream words{std::string(text)};
  std::string out;
  std::string line;
  for (std::string word; words >> word;) {
    if (!line.empty() && line.size() + 1 + word.size() > kWidth) {
      out += line + '\n';
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line + '\n';
}

// Every row kind the word names, one after the other.
ExitStatus explain_rows(const std::string& word) {
  const std::vector<const RowKind*> rows = rows_named(word);
  if (rows.empty()) {
    const std::string meant = did_you_mean_row(word);
    throw usage_failure(
        word + " is no error code or row keyword" +
        (meant.empty() ? "; tracciato help codes and tracciato help rows list them" : meant));
  }
  const char* separator = "";
  for (const RowKind* row : rows) {
    std::cout << separator << row_explanation(*row);
    separator = "\n";
  }
  return ExitStatus::kOk;
}

ExitStatus run(const Arguments& args, const CommandContext& /*context*/) {
  const std::string& word = args.positionals.front();
  const auto code = whole_number_of(word);
  if (!code) return explain_rows(word);
  const ErrorCodeInfo* info = *code >= std::numeric_limits<std::int32_t>::min() &&
                                      *code <= std::numeric_limits<std::int32_t>::max()
                                  ? error_code_info(static_cast<std::int32_t>(*code))
                                  : nullptr;
  if (info == nullptr)
    throw usage_failure(word + " is no error code; tracciato help codes lists them");
  std::cout << "error " << info->code << ": " << info->summary << "\n\n"
            << wrapped(info->rule) << '\n'
            << wrapped(std::string("fix: ") + info->fix) << "\nexample:\n    " << info->example
            << '\n';
  return ExitStatus::kOk;
}

}  // namespace

const Command kExplainCommand{
    .name = "explain",
    .forms = {"CODE | ROW"},
    .summary =
        "what an error code means, its rule, the fix and a row that raises it;\n"
        "or a row kind (stazione, segnale, station): its keyword, section and\n"
        "fields with unit, range and storage; tracciato help codes and\n"
        "tracciato help rows list them\n",
    .options = {},
    .positionals = {{"", {1}, "one CODE or ROW"}},
    .run = run,
};

}  // namespace tracciato
