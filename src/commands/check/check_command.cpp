#include "commands/check/check_command.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <limits>
#include <memory>

#include "cli/colour_option.h"
#include "cli/description_argument.h"
#include "cli/exit_status.h"
#include "cli/findings_output.h"
#include "compile/pipeline.h"

namespace tracciato {

namespace {

// A description that is there but cannot be read, a directory say, stops the check: told
// on standard error, and in JSON as the one finding so that a tool still reads an array.
bool unreadable(Description& d, bool json) {
  if (!d.exists() || d.load()) return false;
  const std::string why = d.read_problem();
  const std::string message = "cannot read " + d.path() + (why.empty() ? "" : ": " + why);
  std::cerr << "tracciato: " << message << '\n';
  if (json) {
    FindingList problem;
    problem.file_problem(d.path(), message);
    write_findings_json(std::cout, problem);
  }
  return true;
}

// More errors than any pair holds: a larger --max-errors means the same.
constexpr std::int64_t kMostErrors = std::numeric_limits<int>::max();

// How the findings are written: text or JSON, and how many errors at most.
struct Output {
  bool json = false;
  std::optional<int> max_errors;
  Palette colours = palette(false);
};

ExitStatus run_check(DescriptionInputs& in, int j, const Output& output) {
  const bool json = output.json;
  if (unreadable(*in.line, json) || unreadable(*in.train, json)) {
    return ExitStatus::kFileProblem;
  }
  const BuildRequest request{*in.line, *in.train, in.names, j};
  if (json) {
    // Each finding goes out as it is met, and none is kept.
    FindingList list(true, {.per_mistake = std::nullopt, .findings = 0});
    JsonFindings out(std::cout, output.max_errors);
    list.stream_to([&out](const Finding& f) { out.add(f); });
    check_descriptions(request, list);
    out.close();
    return list.errors() > 0 ? ExitStatus::kError : ExitStatus::kOk;
  }
  FindingList list(true, text_retention());
  check_descriptions(request, list);
  write_findings_text(std::cout, list,
                      {.max_errors = output.max_errors.value_or(50), .colours = output.colours});
  return list.errors() > 0 ? ExitStatus::kError : ExitStatus::kOk;
}

ExitStatus run(const Arguments& args, const CommandContext& context) {
  Output output{args.value("--format") == "json", std::nullopt, palette(false)};
  const Palette colours = chosen_palette(args, true);
  if (!output.json) output.colours = colours;
  if (const auto max = args.whole("--max-errors")) {
    output.max_errors = static_cast<int>(std::min<std::int64_t>(*max, kMostErrors));
  }
  DescriptionInputs inputs = description_inputs(args, "check", context.scenario).value();
  return run_check(inputs, args.flag("--no-geometry") ? 0 : 1, output);
}

}  // namespace

const Command kCheckCommand{
    .name = "check",
    .forms = {"[LINE] [TRAIN] [--base NAME] [--train NUMBER] [--no-geometry]\n"
              "[--format text|json] [--max-errors N] [--color WHEN]"},
    .summary =
        "list every error and warning of the descriptions (the embedded ones\n"
        "without LINE and TRAIN) and write no file; status 1 if there is an error;\n"
        "LINE or TRAIN may be - for standard input, with --base and --train;\n"
        "given alone, a train is checked with NAME_linea.txt beside it, a line\n"
        "with the NAME_NUMBER-.txt beside it changed last\n",
    .options = {kBaseOption,
                kTrainOption,
                {"--no-geometry", "", "check a build without the plan geometry table"},
                {"--format", "text|json", "the findings as text (the default) or as JSON",
                 kWordValue},
                {"--max-errors", "N",
                 "show N errors at most (text: 50 unless given; JSON: all unless given)",
                 whole_number(1, kAnyWholeNumber.most)},
                kColourOption},
    .positionals = {{"", {0, 1, 2}, "LINE and TRAIN, one of them, or nothing"}},
    .run = run,
};

}  // namespace tracciato
