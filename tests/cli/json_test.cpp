#include "cli/json.h"

#include <gtest/gtest.h>

#include <string>

#include "support/row_name.h"

namespace vemora::cli {
namespace {

using testing_support::RowName;

struct EscapeRow {
  const char* name;
  std::string text;
  std::string json;
};

const std::string kFffd = "\xEF\xBF\xBD";

const EscapeRow kEscapeRows[] = {
    {"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
    {"ShortControls", "\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
    {"OtherControls", std::string("\x01\x1f", 2) + std::string(1, '\0'),
     "\"\\u0001\\u001f\\u0000\""},
    {"LoneContinuation", "a\x80z", "\"a" + kFffd + "z\""},
    {"Overlong", "\xC0\xAF", "\"" + kFffd + kFffd + "\""},
    {"Surrogate", "\xED\xA0\x80", "\"" + kFffd + kFffd + kFffd + "\""},
    {"BeyondUnicode", "\xF4\x90\x80\x80", "\"" + kFffd + kFffd + kFffd + kFffd + "\""},
    {"TruncatedAtEnd", "x\xE2\x82", "\"x" + kFffd + kFffd + "\""},
    {"LeadBeforeQuote", "\xC3\"", "\"" + kFffd + "\\\"\""},
};

class JsonStringTest : public testing::TestWithParam<EscapeRow> {};

TEST_P(JsonStringTest, EscapesAndKeepsValidUtf8) {
  EXPECT_EQ(JsonString(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(Cli, JsonStringTest, testing::ValuesIn(kEscapeRows), RowName<EscapeRow>);

}  // namespace
}  // namespace vemora::cli
