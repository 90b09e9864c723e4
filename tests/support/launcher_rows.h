// The tables GetKeyValue must pass, against the in-process store here and
// against advapi32 on Windows alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "os/registry.h"

namespace vemora::testing_support {

struct KeyValueRow {
  const char* name;
  std::uint32_t type;
  std::string data;
  std::string keyValOnEntry;
  bool result;
  std::string keyVal;
  std::string valueName = "V";  // another name reads a missing value
  std::string key = "Test";     // below a parent key; the key holding "V" is "Test"
};

inline std::vector<KeyValueRow> KeyValueRows() {
  using namespace std::string_literals;
  const std::string full(1024, 'a');
  return {
      {"TextWithTerminator", 1, "ABCDEFGHI\0"s, "old", true, "ABCDEFGHI"},
      {"TextWithoutTerminator", 1, "ABCDEFGHI"s, "old", true, "ABCDEFGHI"},
      // Only the last byte is looked at: a zero inside stays.
      {"OnlyOneTerminatorDropped", 1, "AB\0\0"s, "", true, "AB\0"s},
      {"EmptyText", 1, "\0"s, "old", true, ""},
      {"FillsTheBuffer", 1, full, "", true, full},
      {"FillsTheBufferWithTerminator", 1, full.substr(1) + '\0', "", true, full.substr(1)},
      {"LongerThanTheBuffer", 1, full + '\0', "old", false, ""},
      {"ExpandTextUnchanged", 2, "C:\\x\0"s, "old", true, "old"},
      {"DwordTopZeroByteDropped", 4, "\x02\x01\x00\x00"s, "", true, "&h012"},
      {"DwordAppendsToEntryText", 4, "\x0F\xC0\xB0\xA0"s, "X", true, "&hXA0B0C0F"},
      {"TextBeyondAscii", 1, "verf\xFCgbar\0"s, "", true, "verf\xFCgbar"},
      {"ValueMissing", 1, "abc\0"s, "old", false, "", "W"},
      {"KeyMissing", 1, "abc\0"s, "old", false, "", "V", "Gone"},
      {"PartOfAKeyName", 1, "abc\0"s, "old", false, "", "V", "Tes"},
      {"KeyAboveHasNoValue", 1, "abc\0"s, "old", false, "", "V", ""},
      // Names as the registry compares them.
      {"NamesIgnoreCase", 1, "abc\0"s, "", true, "abc", "v", "tEST"},
      {"TrailingSeparator", 1, "abc\0"s, "", true, "abc", "V", "Test\\"},
      {"DoubledSeparator", 1, "abc\0"s, "", true, "abc", "V", "\\Test"},
  };
}

// A value of size 0, text or not, raises error 5 and leaves the text as it was.
struct SizeZeroRow {
  const char* name;
  std::uint32_t type;
};

inline std::vector<SizeZeroRow> SizeZeroRows() {
  return {{"Text", kRegSz}, {"Dword", kRegDword}};
}

}  // namespace vemora::testing_support
