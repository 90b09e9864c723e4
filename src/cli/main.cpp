// vemora-calc: the memory calculation from the command line.
#include <clocale>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cli/usage_error.h"
#include "os/standard_stream.h"
#include "os/wide_text.h"

namespace {

std::unique_ptr<std::istream> OpenSource(const std::string& source) {
  // Shares standard input's buffer; owns nothing.
  if (source == "-") return std::make_unique<std::istream>(std::cin.rdbuf());
  // A path from UTF-8: Windows opens it by its wide name, never through the
  // ANSI code page, whose best fit would open another file ("Ω" as "O").
  const std::filesystem::path path(std::u8string(source.begin(), source.end()));
  auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
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

int Main(const std::vector<std::string>& arguments) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string_view> args(arguments.begin(), arguments.end());
  const auto outBuffer = vemora::StandardStreamBuffer(vemora::StandardStream::kOutput);
  const auto errBuffer = vemora::StandardStreamBuffer(vemora::StandardStream::kError);
  std::ostream out(outBuffer.get()), err(errBuffer.get());
  return vemora::cli::Run(args, DecimalSeparator(), OpenSource, out, err);
}

}  // namespace

#ifdef _WIN32
// The wide command line, as the user typed it, whatever the ANSI code page.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(vemora::Narrow(argv[i]));
  return Main(arguments);
}
#else
int main(int argc, char** argv) {
  return Main(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
#endif
