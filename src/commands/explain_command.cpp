#include "commands/explain_command.h"

#include <charconv>
#include <iostream>
#include <sstream>

#include "cli/exit_status.h"
#include "cli/help.h"
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

std::optional<std::int32_t> code_of(const std::string& word) {
  std::int32_t code = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), code);
  if (error != std::errc{} || end != word.data() + word.size()) return std::nullopt;
  return code;
}

int run(const Arguments& args, const CommandContext& /*context*/) {
  if (args.positionals.size() != 1) return usage_error("explain", "explain takes one CODE");
  const auto code = code_of(args.positionals.front());
  const ErrorCodeInfo* info = code ? error_code_info(*code) : nullptr;
  if (info == nullptr) {
    return usage_error(
        "explain", args.positionals.front() + " is no error code; tracciato help codes lists them");
  }
  std::cout << "error " << info->code << ": " << info->summary << "\n\n"
            << wrapped(info->rule) << '\n'
            << wrapped(std::string("fix: ") + info->fix) << "\nexample:\n    " << info->example
            << '\n';
  return exit_code(ExitStatus::kOk);
}

}  // namespace

const Command kExplainCommand{
    .name = "explain",
    .forms = {"CODE"},
    .summary =
        "what an error code means, its rule, the fix and a row that raises it;\n"
        "tracciato help codes lists every code\n",
    .options = {},
    .run = run,
};

}  // namespace tracciato
