// Environment variables in text, over the wide call.
#pragma once

#include <string>
#include <string_view>

namespace sys {

// `text` with every %NAME% of a set variable replaced by its value; names that are
// not set stay as written. `text` itself when the expansion fails.
std::string ExpandEnvironmentText(std::string_view text);

}  // namespace sys
