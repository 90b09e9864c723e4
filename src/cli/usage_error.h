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
// but tab, 0x7F, the C1 controls as UTF-8 writes them) and every byte that
// is no part of valid UTF-8 become "\x1b", so a file or an argument cannot
// steer the terminal that shows the message. A lone byte 0x80-0x9F would be
// a C1 control to a terminal in a Latin-1 locale, and 0x9b starts a command.
std::string Printable(std::string_view text);

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
