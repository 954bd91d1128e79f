#pragma once

#include <optional>
#include <string>

namespace tracciato {

// Every byte standard input holds, unchanged, up to its end; nothing when it cannot be
// read, and `why` then says why ("it is closed", "it is a directory", ...).
std::optional<std::string> read_standard_input(std::string& why);

// Standard input and output pass every byte unchanged from now on: a protocol that counts
// bytes must not see line ends translated.
void use_binary_standard_streams();

}  // namespace tracciato
