#include "runtime/numbers.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "runtime/runtime_error.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::RowName;

struct TextRow {
  const char* name;
  std::string text;
  double expected;
};

class NumberFromTextTest : public testing::TestWithParam<TextRow> {};

TEST_P(NumberFromTextTest, TakesTheLeadingNumber) {
  EXPECT_EQ(NumberFromText(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberFromTextTest,
    testing::Values(
        TextRow{"Empty", "", 0}, TextRow{"OnlyBlanks", " \t\n ", 0}, TextRow{"LoneMinus", "-", 0},
        TextRow{"LoneDot", ".", 0}, TextRow{"LeadingDot", ".5", 0.5},
        TextRow{"TrailingDot", "1.", 1}, TextRow{"PlusSign", "+7", 7},
        TextRow{"DoubleSign", "--1", 0}, TextRow{"BlanksInside", " 1 0\t0\n0 ", 1000},
        TextRow{"LeadingNumberOnly", "12abc34", 12}, TextRow{"CommaIsNotADecimalPoint", "1,5", 1},
        TextRow{"ExponentD", "2D2", 200}, TextRow{"NegativeExponent", "25E-1", 2.5},
        TextRow{"ExponentWithoutDigits", "1e", 1}, TextRow{"ExponentBlank", "1 e 2", 100},
        TextRow{"Underflow", "1e-400", 0}, TextRow{"Hex", "&H1F", 31},
        TextRow{"HexLowercase", "&hfa", 250}, TextRow{"HexPastF", "&Hg", 0},
        TextRow{"HexSixteenBit", "&HFFFF", -1}, TextRow{"HexThirtyTwoBit", "&HFFFFFFFF", -1},
        TextRow{"HexLong", "&H10000", 65536}, TextRow{"Octal", "&O17", 15},
        TextRow{"AmpersandOther", "&X1", 0}, TextRow{"NaNWord", "NaN", 0},
        TextRow{"EmbeddedNul", std::string{'1', '2', '\0', '3', '4'}, 12},
        TextRow{"Umlaut", "Ü12", 0}, TextRow{"FullWidthDigit", "\xEF\xBC\x91", 0},
        TextRow{"ManyZeros", std::string(1 << 20, '0') + "7", 7}),
    RowName<TextRow>);

struct RoundRow {
  const char* name;
  double value;
  std::int32_t expected;
};

class RealToInt32Test : public testing::TestWithParam<RoundRow> {};

TEST_P(RealToInt32Test, RoundsHalfToEven) {
  EXPECT_EQ(RealToInt32(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RealToInt32Test,
    testing::Values(RoundRow{"HalfDown", 100.5, 100}, RoundRow{"HalfUp", 101.5, 102},
                    RoundRow{"NineThreeQuarters", 9.75, 10}, RoundRow{"NegativeHalf", -2.5, -2},
                    RoundRow{"NegativeOddHalf", -3.5, -4},
                    RoundRow{"Below", 0.49999999999999994, 0},
                    RoundRow{"Max", 2147483647.0, 2147483647},
                    RoundRow{"MaxPlusQuarter", 2147483647.25, 2147483647},
                    RoundRow{"Min", -2147483648.0, std::numeric_limits<std::int32_t>::min()},
                    RoundRow{"MinMinusHalf", -2147483648.5,
                             std::numeric_limits<std::int32_t>::min()}),
    RowName<RoundRow>);

struct FormatRow {
  const char* name;
  double value;
  const char* comma;
};

class FormatTwoDecimalsTest : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatTwoDecimalsTest, ShowsPatternWithAnySeparator) {
  for (const std::string separator : {",", ".", "\xD9\xAB"}) {
    std::string expected = GetParam().comma;
    if (const auto at = expected.find(','); at != std::string::npos)
      expected.replace(at, 1, separator);
    EXPECT_EQ(FormatTwoDecimals(GetParam().value, separator), expected) << separator;
  }
}

INSTANTIATE_TEST_SUITE_P(Values, FormatTwoDecimalsTest,
                         testing::Values(FormatRow{"TwoPlaces", 12.3484375, "12,35"},
                                         FormatRow{"Zero", 0, "0"},
                                         FormatRow{"NegativeZero", -0.0, "0"}),
                         RowName<FormatRow>);

// Every way a number leaves its range, as one table.
struct ErrorRow {
  const char* name;
  std::function<void()> call;
  ErrorNumber expected = ErrorNumber::kOverflow;
};

class NumberErrorTest : public testing::TestWithParam<ErrorRow> {};

TEST_P(NumberErrorTest, RaisesTheRuntimeError) {
  try {
    GetParam().call();
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), GetParam().expected);
  }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Errors, NumberErrorTest,
    testing::Values(
        ErrorRow{"TextHugeExponent", [] { NumberFromText("1e400"); }},
        ErrorRow{"TextHexTooLong", [] { NumberFromText("&HFFFFFFFFFFFF"); }},
        ErrorRow{"TextMebibyteOfDigits", [] { NumberFromText(std::string(1 << 20, '9')); }},
        ErrorRow{"TextGiantExponentDigits", [] { NumberFromText("1e99999999999999999999"); }},
        ErrorRow{"RealMaxPlusHalfRoundsUp", [] { RealToInt32(2147483647.5); }},
        ErrorRow{"RealMinMinusOne", [] { RealToInt32(-2147483649.0); }},
        ErrorRow{"RealNaN", [] { RealToInt32(kNaN); }},
        ErrorRow{"RealInfinity", [] { RealToInt32(kInfinity); }},
        ErrorRow{"FormatInfinity", [] { FormatTwoDecimals(kInfinity, ","); }},
        ErrorRow{"FormatNaN", [] { FormatTwoDecimals(kNaN, ","); }},
        ErrorRow{"Add", [] { CheckedAdd(2147483600, 48); }},
        ErrorRow{"Subtract", [] { CheckedSubtract(-2147483600, 49); }},
        ErrorRow{"Multiply", [] { CheckedMultiply(42949673, 50); }},
        ErrorRow{"DivideByZero", [] { CheckedDivide(1024, 0); }, ErrorNumber::kDivisionByZero},
        ErrorRow{"DivideZeroByZero", [] { CheckedDivide(0, 0); }}),
    RowName<ErrorRow>);

TEST(RuntimeError, MessageAtTheEventBoundary) {
  EXPECT_EQ(UnhandledErrorMessage(RuntimeError(ErrorNumber::kOverflow)),
            "Laufzeitfehler '6':\n\n\xC3\x9C"
            "berlauf");
}

TEST(IgnoreErrors, SkipsOnlyTheFailingStatement) {
  int done = 0;
  IgnoreErrors([&] { Raise(ErrorNumber::kSubscriptOutOfRange); });
  IgnoreErrors([&] { ++done; });
  EXPECT_EQ(done, 1);
  EXPECT_THROW(IgnoreErrors([] { throw std::logic_error("fault"); }), std::logic_error);
}

}  // namespace
}  // namespace vemora
