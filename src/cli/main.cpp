// vemora-calc: the memory calculation from the command line.
#include <clocale>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cli/usage_error.h"

namespace {

// A server list is small; refusing more keeps a wrong file (or /dev/zero)
// from filling memory.
constexpr std::size_t kMaxInputBytes = 16 * 1024 * 1024;

std::string ReadLimited(std::istream& in, const std::string& source) {
  std::string text;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxInputBytes) {
      throw vemora::cli::UsageError(source + ": größer als 16 MB (larger than 16 MB)");
    }
  }
  if (in.bad()) throw vemora::cli::UsageError(source + ": Lesefehler (read error)");
  return text;
}

std::string ReadSource(const std::string& source) {
  if (source == "-") return ReadLimited(std::cin, "-");
  std::ifstream file(source, std::ios::binary);
  if (!file) {
    throw vemora::cli::UsageError(source + ": Datei nicht lesbar (cannot open file)");
  }
  return ReadLimited(file, source);
}

// The user's decimal separator; numbers themselves are always read with '.'.
std::string DecimalSeparator() {
  std::setlocale(LC_ALL, "");
  std::string separator = std::localeconv()->decimal_point;
  std::setlocale(LC_ALL, "C");
  return separator.empty() ? "." : separator;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const vemora::cli::Outcome outcome = vemora::cli::Run(args, DecimalSeparator(), ReadSource);
  std::cout << outcome.out << std::flush;
  const bool written = static_cast<bool>(std::cout);
  std::cerr << outcome.err << std::flush;
  if (!written) {
    std::cerr << "vemora-calc: Schreibfehler (write error)\n";
    return vemora::cli::kExitCalculationFailed;
  }
  return outcome.status;
}
