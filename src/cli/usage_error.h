// Bad usage: an unknown option or column, a missing value, a malformed CSV
// row. Its text names the culprit; the program ends with status 2.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vemora::cli {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text from the user as a message may show it: control bytes (below 0x20
// but tab, 0x7F, and the C1 controls as UTF-8 writes them) become "\x1b",
// so a file or an argument cannot steer the terminal that shows the message.
inline std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  std::string out;
  const auto escape = [&](unsigned char byte) {
    out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (at(i) == 0xC2 && i + 1 < text.size() && at(i + 1) >= 0x80 && at(i + 1) < 0xA0) {
      escape(at(i));
      escape(at(++i));
    } else if ((at(i) < 0x20 && at(i) != '\t') || at(i) == 0x7F) {
      escape(at(i));
    } else {
      out += text[i];
    }
  }
  return out;
}

// "Zeile 3: <German> (line 3: <English>)"
inline std::string AtLine(std::size_t line, std::string_view german, std::string_view english) {
  const std::string n = std::to_string(line);
  return "Zeile " + n + ": " + std::string(german) + " (line " + n + ": " + std::string(english) +
         ")";
}

// "Zeile 3, Spalte mirror: <German> (line 3, column mirror: <English>)"
inline std::string AtCell(std::size_t line, std::string_view column, std::string_view german,
                          std::string_view english) {
  const std::string where = std::to_string(line) + ", ";
  const std::string c(column);
  return "Zeile " + where + "Spalte " + c + ": " + std::string(german) + " (line " + where +
         "column " + c + ": " + std::string(english) + ")";
}

}  // namespace vemora::cli
