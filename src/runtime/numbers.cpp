#include "runtime/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <utility>

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

// The common field: up to 15 digits and at most one decimal point, nothing
// else. Such digits are an exact double, and one division by an exact power
// of ten rounds as the general reading does, without its scanner.
std::optional<double> PlainDecimal(std::string_view text) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (text.size() > 16) return std::nullopt;
  std::uint64_t digits = 0;
  int count = 0, fractionDigits = 0;
  bool point = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) return std::nullopt;
    digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    ++count;
    if (point) ++fractionDigits;
  }
  if (count == 0 || count > 15) return std::nullopt;
  return static_cast<double>(digits) / kPowersOfTen[fractionDigits];
}

}  // namespace

double NumberFromText(std::string_view text) {
  if (const auto plain = PlainDecimal(text)) return *plain;
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

// 10^n for n up to 19.
std::uint64_t PowerOfTen(int n) {
  std::uint64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// A value to fifteen significant digits: digits * 10^(exponent - 14).
struct Decimal15 {
  std::uint64_t digits = 0;
  int exponent = 0;
};

// to_chars rounds the exact binary value half to even at the fifteenth digit.
Decimal15 PreciseFifteenDigits(double magnitude) {
  // d.dddddddddddddde±x
  char buffer[40];
  const char* end =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14)
          .ptr;
  Decimal15 d;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') d.digits = d.digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  const bool negative = p[1] == '-';
  for (p += 2; p != end; ++p) d.exponent = d.exponent * 10 + (*p - '0');
  if (negative) d.exponent = -d.exponent;
  return d;
}

// What the rounded product of a and b lost: a * b == product + error exactly
// (Dekker's product, from plain double operations).
double ProductError(double a, double b, double product) {
  const auto split = [](double x) {
    const double t = 134217729.0 * x;  // 2^27 + 1
    const double high = t - (t - x);
    return std::pair{high, x - high};
  };
  const auto [aHigh, aLow] = split(a);
  const auto [bHigh, bLow] = split(b);
  return ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}

// The same rounding from 1 to 1e15 in a few operations: the product with an
// exact power of ten is split into its rounded value and its exact error;
// the error only decides when the rounded value lies on a half, and an exact
// half goes to the even neighbour.
std::optional<Decimal15> FastFifteenDigits(double magnitude) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (!(magnitude >= 1 && magnitude < 1e15)) return std::nullopt;
  int exponent = 0;
  while (magnitude >= kPowersOfTen[exponent + 1]) ++exponent;
  const double scale = kPowersOfTen[14 - exponent];
  const double product = magnitude * scale;
  const double error = ProductError(magnitude, scale, product);
  const double whole = std::floor(product);
  // Exact: both are multiples of the product's unit in the last place.
  const double aboveHalf = (product - whole) - 0.5;
  auto digits = static_cast<std::uint64_t>(whole);
  const bool tie = aboveHalf == 0 && error == 0;
  if (aboveHalf > 0 || (aboveHalf == 0 && error > 0) || (tie && digits % 2 != 0)) ++digits;
  if (digits == PowerOfTen(15)) return Decimal15{digits / 10, exponent + 1};
  return Decimal15{digits, exponent};
}

Decimal15 FifteenDigits(double magnitude) {
  if (const auto fast = FastFifteenDigits(magnitude)) return *fast;
  return PreciseFifteenDigits(magnitude);
}

// Hundredths of the 15-digit decimal, half away from zero; nothing when they
// would not fit 64 bits (from 1e17 on).
std::optional<std::uint64_t> RoundedCents(const Decimal15& d) {
  const int shift = d.exponent - 12;
  if (shift > 4) return std::nullopt;
  if (shift >= 0) return d.digits * PowerOfTen(shift);
  if (shift < -15) return 0;
  const std::uint64_t unit = PowerOfTen(-shift);
  return d.digits / unit + (d.digits % unit >= unit / 2 ? 1 : 0);
}

std::string CentsText(std::uint64_t cents, bool negative, std::string_view decimalSeparator) {
  if (cents == 0) return "0";
  char whole[24];
  char* end = std::to_chars(whole, whole + sizeof whole, cents / 100).ptr;
  const auto hundredths = static_cast<unsigned>(cents % 100);
  std::string text;
  text.reserve(static_cast<std::size_t>(end - whole) + decimalSeparator.size() + 3);
  if (negative) text += '-';
  text.append(whole, end);
  if (hundredths != 0) {
    text += decimalSeparator;
    text += static_cast<char>('0' + hundredths / 10);
    if (hundredths % 10 != 0) text += static_cast<char>('0' + hundredths % 10);
  }
  return text;
}

// The same rounding on the digits as text, for values too large for cents.
std::string FormatLargeTwoDecimals(double value, std::string_view decimalSeparator) {
  // Fifteen significant digits, as d.dddddddddddddde±x.
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, 14);
  const std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t ePos = sci.find('e');
  std::string mantissa(sci.substr(0, 1));
  mantissa += sci.substr(2, ePos - 2);
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

}  // namespace

std::string FormatTwoDecimals(double value, std::string_view decimalSeparator) {
  CheckedReal(value);
  if (value == 0.0) return "0";
  if (const auto cents = RoundedCents(FifteenDigits(std::fabs(value))))
    return CentsText(*cents, value < 0, decimalSeparator);
  return FormatLargeTwoDecimals(value, decimalSeparator);
}

std::string IntegerText(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace vemora
