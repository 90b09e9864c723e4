#include "cli/usage_error.h"

#include <cstdio>

#include "cli/utf8.h"

namespace vemora::cli {

std::string Printable(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = ValidSequence(text.substr(i));
    const bool c0 = length == 1 && ((byte < 0x20 && byte != '\t') || byte == 0x7F);
    const bool c1 = length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    if (length > 0 && !c0 && !c1) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    for (const std::size_t end = i + (length > 0 ? length : 1); i < end; ++i) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(text[i]));
      out += code;
    }
  }
  return out;
}

}  // namespace vemora::cli
