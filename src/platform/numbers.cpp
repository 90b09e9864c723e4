#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "platform/runtime_error.h"

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

double DecimalNumber(Scanner& in) {
  std::string literal;
  if (in.Peek() == '-' || in.Peek() == '+') {
    if (in.Peek() == '-') literal += '-';
    in.Next();
  }
  // Position of the first significant digit relative to the decimal point,
  // used to tell an overflow from an underflow.
  long long magnitude = 0;
  bool significant = false, anyDigit = false;
  for (; IsDigit(in.Peek()); in.Next()) {
    anyDigit = true;
    if (in.Peek() != '0') significant = true;
    if (significant) ++magnitude;
    literal += in.Peek();
  }
  if (in.Peek() == '.') {
    literal += '.';
    in.Next();
    for (; IsDigit(in.Peek()); in.Next()) {
      anyDigit = true;
      if (!significant && in.Peek() == '0') --magnitude;
      if (in.Peek() != '0') significant = true;
      literal += in.Peek();
    }
  }
  if (!anyDigit || !significant) return 0.0;
  const char e = in.Peek();
  if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
    in.Next();
    bool negative = false;
    if (in.Peek() == '-' || in.Peek() == '+') {
      negative = in.Peek() == '-';
      in.Next();
    }
    long long exponent = 0;
    for (; IsDigit(in.Peek()); in.Next()) {
      // Clamped: far beyond any real's range, and safe from overflow.
      if (exponent < 1000000) exponent = exponent * 10 + (in.Peek() - '0');
    }
    if (negative) exponent = -exponent;
    literal += 'e' + std::to_string(exponent);
    magnitude += exponent;
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    if (magnitude > 0) Raise(ErrorNumber::kOverflow);
    return 0.0;
  }
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
  if (value == 0.0) return "0";
  // Fifteen significant digits, as d.dddddddddddddde±x.
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, 14);
  const std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t ePos = sci.find('e');
  const std::string mantissa = std::string(sci.substr(0, 1)) + std::string(sci.substr(2, ePos - 2));
  const int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());

  std::string whole, fraction;
  if (exponent >= 0) {
    const auto intDigits = static_cast<std::size_t>(exponent) + 1;
    whole = mantissa.substr(0, std::min(intDigits, mantissa.size()));
    if (intDigits > mantissa.size()) whole.append(intDigits - mantissa.size(), '0');
    if (intDigits < mantissa.size()) fraction = mantissa.substr(intDigits);
  } else {
    whole = "0";
    fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
  }
  fraction.resize(std::max<std::size_t>(fraction.size(), 3), '0');

  // Two decimals, half away from zero on the exact 15-digit decimal.
  std::string cents = whole + fraction.substr(0, 2);
  if (fraction[2] >= '5') IncrementDigits(cents);
  whole = cents.substr(0, cents.size() - 2);
  std::string shown = cents.substr(cents.size() - 2);
  while (!shown.empty() && shown.back() == '0') shown.pop_back();
  const std::size_t firstNonZero = whole.find_first_not_of('0');
  whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
  if (whole == "0" && shown.empty()) return "0";

  std::string text = value < 0 ? "-" : "";
  text += whole;
  if (!shown.empty()) {
    text += decimalSeparator;
    text += shown;
  }
  return text;
}

std::string IntegerText(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace vemora
