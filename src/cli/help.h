// The --help text, German first, then English.
#pragma once

#include <string_view>

namespace vemora::cli {

std::string_view HelpText();

}  // namespace vemora::cli
