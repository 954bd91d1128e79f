#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"

namespace tracciato::test_support {

// Lines joined with CR LF, each line ended.
std::string crlf(const std::vector<std::string>& lines);

// A line description: "[generale]", a route length row and a signal-repetition row,
// "[curve]", the given object rows and "[fine]".
std::string line_description(const std::vector<std::string>& object_rows, int route_length = 10000);
// The same with general rows of the caller's own.
std::string line_description_with(const std::vector<std::string>& general_rows,
                                  const std::vector<std::string>& object_rows);

// "[generale]", the rows, "[fine]".
std::string train_description(const std::vector<std::string>& rows);

// The whole compile (both descriptions, code pass, stamp) held in memory.
Scenario compile(const std::string& line, const std::string& train, int j = 1,
                 const std::string& base_name = "Prova", const std::string& train_number = "1");

}  // namespace tracciato::test_support
