// What the launcher's tests share on every platform: services that start
// and look up for real while recording, and the table of registry values
// GetKeyValue must read, against the store and against advapi32 alike.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "os/process.h"
#include "runtime/runtime_error.h"
#include "toolkit/toolkit.h"

namespace vemora::testing_support {

inline constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kDirKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

class RecordingServices : public Services {
 public:
  int MsgBox(std::string_view text, int style, std::string_view title) override {
    messages.push_back(std::string(text) + "|" + std::to_string(style) + "|" + std::string(title));
    return 1;
  }
  void StartProgram(const std::string& path) override {
    if (!vemora::StartProgram(path)) Raise(ErrorNumber::kFileNotFound);
    started.push_back(path);
  }
  std::string FileLookup(const std::string& path) override {
    lookups.push_back(path);
    return vemora::FileLookup(path);
  }
  void EndProgram() override { ADD_FAILURE() << "the launcher never ends the program"; }
  std::string DecimalSeparator() const override { return ","; }

  std::vector<std::string> messages;  // text|style|title
  std::vector<std::string> started;   // only the starts that succeeded
  std::vector<std::string> lookups;
};

struct KeyValueRow {
  const char* name;
  std::uint32_t type;
  std::string data;
  std::string keyValOnEntry;
  bool result;
  std::string keyVal;
  std::string valueName = "V";  // another name reads a missing value
  std::string key = "Test";     // the key holding "V" is "Test"
};

inline std::vector<KeyValueRow> KeyValueRows() {
  using namespace std::string_literals;
  const std::string full(1024, 'a');
  return {
      {"TextWithTerminator", 1, "ABCDEFGHI\0"s, "old", true, "ABCDEFGHI"},
      {"TextWithoutTerminator", 1, "ABCDEFGHI"s, "old", true, "ABCDEFGHI"},
      {"ZeroInsideStays", 1, "AB\0CD\0"s, "", true, "AB\0CD"s},
      {"OnlyOneTerminatorDropped", 1, "AB\0\0"s, "", true, "AB\0"s},
      {"EmptyText", 1, "\0"s, "old", true, ""},
      {"FillsTheBuffer", 1, full, "", true, full},
      {"FillsTheBufferWithTerminator", 1, full.substr(1) + '\0', "", true, full.substr(1)},
      {"LongerThanTheBuffer", 1, full + '\0', "old", false, ""},
      {"ExpandTextUnchanged", 2, "C:\\x\0"s, "old", true, "old"},
      {"BinaryUnchanged", 3, "\x01\x02"s, "old", true, "old"},
      {"DwordTopZeroByteDropped", 4, "\x02\x01\x00\x00"s, "", true, "&h012"},
      {"DwordAllBytes", 4, "\xD0\xC0\xB0\xA0"s, "", true, "&hA0B0C0D0"},
      {"DwordAppendsToEntryText", 4, "\x0F\x00\x00\x00"s, "X", true, "&hX00F"},
      {"ValueMissing", 1, "abc\0"s, "old", false, "", "W"},
      {"KeyMissing", 1, "abc\0"s, "old", false, "", "V", "Gone"},
  };
}

}  // namespace vemora::testing_support
