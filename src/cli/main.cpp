// vemora-calc: the memory calculation from the command line.
#include <clocale>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cli/usage_error.h"

namespace {

std::unique_ptr<std::istream> OpenSource(const std::string& source) {
  // Shares standard input's buffer; owns nothing.
  if (source == "-") return std::make_unique<std::istream>(std::cin.rdbuf());
  auto file = std::make_unique<std::ifstream>(source, std::ios::binary);
  if (!*file) {
    throw vemora::cli::UsageError(vemora::cli::Printable(source) +
                                  ": Datei nicht lesbar (cannot open file)");
  }
  return file;
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
  return vemora::cli::Run(args, DecimalSeparator(), OpenSource, std::cout, std::cerr);
}
