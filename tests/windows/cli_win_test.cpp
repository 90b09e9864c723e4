// vemora-calc.exe as a Windows user runs it in a console: file names beyond
// the ANSI code page, and German text, as the console shows them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "os/wide_text.h"
#include "support/files.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::RowName;
namespace fs = std::filesystem;

// Runs vemora-calc.exe, built beside this test, in `folder` with `arguments`
// on its wide command line, standard output and error both to `output`.
void RunCalc(const std::wstring& arguments, const fs::path& folder, HANDLE output) {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  std::wstring commandLine =
      L"\"" + self.substr(0, self.find_last_of(L'\\') + 1) + L"vemora-calc.exe\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                               folder.c_str(), &startup, &process));
  ::WaitForSingleObject(process.hProcess, 60000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

// Server lists under names the ANSI code page cannot hold (disk 101), beside
// the files its best fit makes of two of them (disk 999).
const std::pair<const wchar_t*, const char*> kFiles[] = {
    {L"server-\u03a9.csv", "101"},
    {L"server-O.csv", "999"},
    {L"\uff53\uff45\uff52\uff56\uff45\uff52.csv", "101"},
    {L"server.csv", "999"},
    {L"\u041e\u0442\u0447\u0451\u0442\\server.csv", "101"},
    {L"\u670d\u52a1\u5668.csv", "101"},
};

struct ConsoleRow {
  const char* name;
  std::wstring arguments;
  std::string line;  // the start of a line the console shows
};

const ConsoleRow kConsoleRows[] = {
    {"GreekOmegaName", L"--csv server-\u03a9.csv", "101,0,4,5,10000,"},
    {"FullwidthLatinName", L"--csv \uff53\uff45\uff52\uff56\uff45\uff52.csv", "101,0,4,5,10000,"},
    {"CyrillicFolder", L"--csv \u041e\u0442\u0447\u0451\u0442\\server.csv", "101,0,4,5,10000,"},
    {"ChineseName", L"--csv \u670d\u52a1\u5668.csv", "101,0,4,5,10000,"},
    {"ErrorMessage", L"--disk 2147483648", "vemora-calc: Laufzeitfehler 6: \u00dcberlauf"},
    {"ExplainColumnsAligned", L"--explain", "Volume-Bl\u00f6cke                  204.8 KB"},
    {"FileNameInMessage", L"--csv \u670d\u52a1\u5668-fehlt.csv",
     "vemora-calc: \u670d\u52a1\u5668-fehlt.csv: Datei nicht lesbar (cannot open file)"},
};

class CalcConsoleTest : public testing::TestWithParam<ConsoleRow> {
 protected:
  // A console of our own; the test's own output stays where it goes.
  static void SetUpTestSuite() {
    ::FreeConsole();
    ASSERT_TRUE(::AllocConsole());
  }
  // The screen's characters, one line each.
  static std::vector<std::string> Lines(HANDLE screen) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    ::GetConsoleScreenBufferInfo(screen, &info);
    std::vector<std::string> lines;
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
      std::wstring line(static_cast<std::size_t>(info.dwSize.X), L' ');
      DWORD read = 0;
      ::ReadConsoleOutputCharacterW(screen, line.data(), static_cast<DWORD>(line.size()),
                                    COORD{0, y}, &read);
      line.resize(std::min<std::size_t>(read, line.find_last_not_of(L' ') + 1));
      lines.push_back(Narrow(line));
    }
    return lines;
  }
};

TEST_P(CalcConsoleTest, ShowsTheTextAsWritten) {
  const testing_support::TempDir dir;
  for (const auto& [name, disk] : kFiles) {
    const fs::path file = fs::path(dir.Path()) / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << "disk\n" << disk << "\n";
  }
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE screen =
      ::CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inheritable, CONSOLE_TEXTMODE_BUFFER, nullptr);
  ASSERT_NE(screen, INVALID_HANDLE_VALUE);
  RunCalc(GetParam().arguments, dir.Path(), screen);
  const std::vector<std::string> lines = Lines(screen);
  ::CloseHandle(screen);
  const std::string& want = GetParam().line;
  EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.rfind(want, 0) == 0; }),
            lines.end())
      << testing::PrintToString(lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, CalcConsoleTest, testing::ValuesIn(kConsoleRows),
                         RowName<ConsoleRow>);

}  // namespace
}  // namespace vemora
