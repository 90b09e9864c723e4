#include "cli/report.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace vemora::cli {
namespace {

constexpr std::string_view kShareNames[kShareCount] = {
    "Basis (NetWare-Version)", "Plattenspeicher", "Kompression", "Dateien",
    "Volume-Blöcke",           "Clients",         "Fest",        "Andere Anwendungen",
};

std::string ToChars(double value, std::chars_format format) {
  // Enough for the longest fixed form of any real (a subnormal: 0.000...).
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
  return std::string(buffer, result.ptr);
}

// Characters on screen, not bytes: the names carry umlauts.
std::size_t DisplayWidth(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

struct Line {
  std::string_view name;
  std::string number;
  std::string_view unit;
};

std::string Table(const std::vector<Line>& lines) {
  std::size_t nameWidth = 0, numberWidth = 0;
  for (const Line& line : lines) {
    nameWidth = std::max(nameWidth, DisplayWidth(line.name));
    numberWidth = std::max(numberWidth, DisplayWidth(line.number));
  }
  std::string text;
  for (const Line& line : lines) {
    text += line.name;
    text.append(nameWidth - DisplayWidth(line.name) + 2 + numberWidth - DisplayWidth(line.number),
                ' ');
    text += line.number;
    text += ' ';
    text += line.unit;
    text += '\n';
  }
  return text;
}

}  // namespace

std::array<double, kShareCount> SharesOf(const CalcState& s) {
  return {static_cast<double>(s.L1),
          s.L2,
          static_cast<double>(s.L3),
          s.L4,
          s.L5,
          static_cast<double>(s.L6),
          static_cast<double>(s.L7),
          s.L8};
}

std::string ShortestNumber(double value) {
  return ToChars(value, std::chars_format::general);
}

std::string ShortestFixed(double value, std::string_view decimalSeparator) {
  std::string text = ToChars(value, std::chars_format::fixed);
  const std::size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  return text;
}

std::string ExplainText(const CalcState& state, std::string_view resultText,
                        std::string_view decimalSeparator) {
  std::vector<Line> lines;
  const auto shares = SharesOf(state);
  for (std::size_t i = 0; i < kShareCount; ++i) {
    lines.push_back({kShareNames[i], ShortestFixed(shares[i], decimalSeparator), "KB"});
  }
  lines.push_back({"Summe", ShortestFixed(state.SummeKB, decimalSeparator), "KB"});
  lines.push_back({"Summe", ShortestFixed(state.SummeMB, decimalSeparator), "MB"});
  return std::string(resultText) + "\n\n" + Table(lines);
}

std::string ErrorLine(const RuntimeError& error) {
  return std::to_string(error.Code()) + ": " + error.what();
}

}  // namespace vemora::cli
