// What the launcher's tests share on every platform: services that start
// and look up for real while recording, and the tables the launcher and
// GetKeyValue must pass, against the store and against advapi32 alike.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "os/process.h"
#include "os/registry.h"
#include "runtime/runtime_error.h"
#include "support/files.h"
#include "toolkit/toolkit.h"

namespace vemora::testing_support {

class RecordingServices : public Services, public Programs {
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

// Paths are written with '/' after "{dir}", the test's directory; Windows
// reads each '/' as '\'. A backslash is part of a name on Linux.
struct LaunchRow {
  const char* name;
  std::optional<std::string> path;  // the bytes of the PATH entry (MSINFO key), if any
  std::optional<std::string> dir;   // the bytes of the MSINFO entry (kMsinfoDirectoryKey), if any
  std::string started;              // the program started; "": none, the message instead
  bool secondRead;                  // kMsinfoDirectoryKey was asked for
  std::string lookup = {};          // the one file looked up; "": none
};

// Every row's directory holds these programs, each leaving <name>.started.
inline const std::vector<std::string> kLaunchPrograms{"prog.exe", "tools\\MSINFO32.EXE",
                                                      "tools\\\\MSINFO32.EXE"};

inline std::vector<LaunchRow> LaunchRows() {
  using namespace std::string_literals;
  const std::string tools = "{dir}/tools\0"s;
  const std::string inTools = "{dir}/tools\\MSINFO32.EXE";
  const std::string twice = "{dir}/tools\\\\MSINFO32.EXE";
  return {
      {"PathStartsWithoutLookup", "{dir}/prog.exe\0"s, tools, "{dir}/prog.exe", false},
      {"DirHoldsProgram", {}, tools, inTools, true, inTools},
      // Appended as it stands; Windows reads the doubled separator as one.
      {"DirEndingInBackslashKept", {}, "{dir}/tools\\\0"s, twice, true, twice},
      {"DirLacksProgram", {}, "{dir}/empty\0"s, "", true, "{dir}/empty\\MSINFO32.EXE"},
      {"BothMissing", {}, {}, "", true},
      // A PATH entry that was read is used alone, even when it is no program.
      {"PathEmptyNoFallback", "\0"s, tools, "", false},
      {"PathFileMissingNoFallback", "{dir}/missing.exe\0"s, tools, "", false},
      // Size 0 raises error 5 inside the launcher: the message, no fallback.
      {"PathSizeZeroNoFallback", ""s, tools, "", false},
  };
}

// What the launcher did, against what `row` expects of it.
inline void ExpectLaunch(const LaunchRow& row, const TempDir& dir,
                         const RecordingServices& services,
                         const std::vector<std::string>& keysAskedFor) {
  std::vector<std::string> started, messages, lookups;
  if (!row.started.empty()) {
    started.push_back(dir.Fill(row.started));
    EXPECT_TRUE(WaitForFile(started[0] + ".started"));
  } else {
    messages.push_back("Systeminformationsprogramm zur Zeit nicht verfügbar.|0|");
  }
  if (!row.lookup.empty()) lookups.push_back(dir.Fill(row.lookup));
  EXPECT_EQ(services.started, started);
  EXPECT_EQ(services.messages, messages);
  EXPECT_EQ(services.lookups, lookups);
  EXPECT_EQ(std::count(keysAskedFor.begin(), keysAskedFor.end(), kMsinfoDirectoryKey) > 0,
            row.secondRead);
}

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
      {"ZeroInsideStays", 1, "AB\0CD\0"s, "", true, "AB\0CD"s},
      {"OnlyOneTerminatorDropped", 1, "AB\0\0"s, "", true, "AB\0"s},
      {"EmptyText", 1, "\0"s, "old", true, ""},
      {"FillsTheBuffer", 1, full, "", true, full},
      {"FillsTheBufferWithTerminator", 1, full.substr(1) + '\0', "", true, full.substr(1)},
      {"LongerThanTheBuffer", 1, full + '\0', "old", false, ""},
      {"ExpandTextUnchanged", 2, "C:\\x\0"s, "old", true, "old"},
      {"DwordTopZeroByteDropped", 4, "\x02\x01\x00\x00"s, "", true, "&h012"},
      {"DwordAllBytes", 4, "\xD0\xC0\xB0\xA0"s, "", true, "&hA0B0C0D0"},
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

}  // namespace vemora::testing_support
