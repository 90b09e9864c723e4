#include "runtime/numbers.h"

#include <fast_float/fast_float.h>
// {fmt} from its headers alone, and without the std::locale that only its
// "L" format uses, which keeps 130 KB out of the browser's page.
#define FMT_HEADER_ONLY
#define FMT_STATIC_THOUSANDS_SEPARATOR ','
#include <fmt/compile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "runtime/runtime_error.h"

namespace vemora {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Walks a text, skipping blanks wherever they stand.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}
  char Peek() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  // End of text and an embedded NUL both end the number: Peek gives '\0'.
  void Next() { ++pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  else if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  return v < base ? v : -1;
}

// &H and &O: up to 32 bits; a value that fits 16 bits is read as a 16-bit
// integer (&HFFFF is -1), a larger one as a 32-bit integer.
double RadixNumber(Scanner& in, int base) {
  std::uint64_t value = 0;
  for (int d = DigitValue(in.Peek(), base); d >= 0; d = DigitValue(in.Peek(), base)) {
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFu) Raise(ErrorNumber::kOverflow);
    in.Next();
  }
  if (value <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The classic syntax, written out as "0.<digits>e<power>" with the leading
// zeros dropped, then read by fast_float, which rounds exactly and behaves
// alike on every platform (the C library's strtod follows LC_NUMERIC).
// Beyond the largest real it gives infinity, below the smallest 0.
double DecimalNumber(Scanner& in) {
  bool negative = false;
  if (in.Peek() == '-' || in.Peek() == '+') {
    negative = in.Peek() == '-';
    in.Next();
  }
  std::string digits;
  long long power = 0;
  for (; IsDigit(in.Peek()); in.Next()) {
    if (digits.empty() && in.Peek() == '0') continue;
    digits += in.Peek();
    ++power;
  }
  if (in.Peek() == '.') {
    in.Next();
    for (; IsDigit(in.Peek()); in.Next()) {
      if (digits.empty() && in.Peek() == '0')
        --power;
      else
        digits += in.Peek();
    }
  }
  if (digits.empty()) return 0.0;
  const char e = in.Peek();
  if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
    in.Next();
    bool negativeExponent = false;
    if (in.Peek() == '-' || in.Peek() == '+') {
      negativeExponent = in.Peek() == '-';
      in.Next();
    }
    long long exponent = 0;
    for (; IsDigit(in.Peek()); in.Next()) {
      // Clamped: far beyond any real's range, and safe from overflow.
      if (exponent < 1000000) exponent = exponent * 10 + (in.Peek() - '0');
    }
    power += negativeExponent ? -exponent : exponent;
  }
  const std::string literal = (negative ? "-0." : "0.") + digits + 'e' + std::to_string(power);
  double value = 0.0;
  fast_float::from_chars(literal.data(), literal.data() + literal.size(), value);
  if (std::isinf(value)) Raise(ErrorNumber::kOverflow);
  return value;
}

}  // namespace

double NumberFromText(std::string_view text) {
  Scanner in(text);
  if (in.Peek() == '&') {
    in.Next();
    const char radix = in.Peek();
    if (radix == 'h' || radix == 'H') {
      in.Next();
      return RadixNumber(in, 16);
    }
    if (radix == 'o' || radix == 'O') {
      in.Next();
      return RadixNumber(in, 8);
    }
    return 0.0;
  }
  return DecimalNumber(in);
}

std::int32_t RealToInt32(double value) {
  if (std::isnan(value)) Raise(ErrorNumber::kOverflow);
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) Raise(ErrorNumber::kOverflow);
  return static_cast<std::int32_t>(whole);
}

double CheckedReal(double value) {
  if (!std::isfinite(value)) Raise(ErrorNumber::kOverflow);
  return value;
}

double CheckedDivide(double numerator, double denominator) {
  if (denominator == 0.0) {
    Raise(numerator == 0.0 || std::isnan(numerator) ? ErrorNumber::kOverflow
                                                    : ErrorNumber::kDivisionByZero);
  }
  return CheckedReal(numerator / denominator);
}

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
  std::int32_t r = 0;
  if (__builtin_add_overflow(a, b, &r)) Raise(ErrorNumber::kOverflow);
  return r;
}

std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b) {
  std::int32_t r = 0;
  if (__builtin_sub_overflow(a, b, &r)) Raise(ErrorNumber::kOverflow);
  return r;
}

std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b) {
  std::int32_t r = 0;
  if (__builtin_mul_overflow(a, b, &r)) Raise(ErrorNumber::kOverflow);
  return r;
}

namespace {

// Adds one unit in the last place of a string of decimal digits.
void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string FormatTwoDecimals(double value, std::string_view decimalSeparator) {
  CheckedReal(value);
  // Fifteen significant digits as d.dddddddddddddde±x; {fmt} rounds the
  // exact binary value, half to even, whatever the locale. The last byte
  // stays 0 for atoi.
  char buffer[32] = {};
  fmt::format_to_n(buffer, sizeof buffer - 1, FMT_COMPILE("{:.14e}"), std::fabs(value));
  const std::string_view sci = buffer;
  const std::size_t e = sci.find('e');
  std::string digits = sci[0] + std::string(sci.substr(2, e - 2));
  const int exponent = std::atoi(buffer + e + 1);

  // The same decimal written out with its point after `whole` digits and at
  // least three decimals.
  int whole = exponent + 1;
  if (whole < 1) {
    digits.insert(0, static_cast<std::size_t>(1 - whole), '0');
    whole = 1;
  }
  const auto hundredths = static_cast<std::size_t>(whole) + 2;
  if (digits.size() <= hundredths) digits.resize(hundredths + 1, '0');

  // Two decimals, half away from zero: the fifteen digits are exact, so a
  // third decimal of 5 or more is at least half a hundredth.
  const bool up = digits[hundredths] >= '5';
  digits.resize(hundredths);
  if (up) IncrementDigits(digits);

  std::string fraction = digits.substr(digits.size() - 2);
  digits.resize(digits.size() - 2);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
  if (digits == "0" && fraction.empty()) return "0";

  std::string text = value < 0 ? "-" : "";
  text += digits;
  if (!fraction.empty()) {
    text += decimalSeparator;
    text += fraction;
  }
  return text;
}

std::string IntegerText(std::int64_t value) {
  return std::to_string(value);
}

std::string HexText(std::uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

}  // namespace vemora
