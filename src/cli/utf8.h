// Where text from the user is valid UTF-8.
#pragma once

#include <cstddef>
#include <string_view>

namespace vemora::cli {

// Length of the valid UTF-8 sequence at the start of text, 0 if invalid
// (overlong forms, surrogates and code points beyond U+10FFFF included).
std::size_t ValidSequence(std::string_view text);

}  // namespace vemora::cli
