// vemora-calc.exe as a Windows user runs it: file names beyond the ANSI
// code page, and German text on a console.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "os/wide_text.h"
#include "support/files.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::RowName;
using testing_support::TempDir;
namespace fs = std::filesystem;

// Runs vemora-calc.exe, built beside this test, with `arguments` on its wide
// command line, standard output and error both to `output`.
void RunCalc(const std::wstring& arguments, HANDLE output) {
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
                               nullptr, &startup, &process));
  ::WaitForSingleObject(process.hProcess, 60000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};

// A server list under a name the ANSI code page cannot hold, beside the
// file that code page's best fit makes of that name.
struct NameRow {
  const char* name;
  std::wstring file;
  std::wstring decoy;  // empty where the best fit is no usable name
};

const NameRow kNameRows[] = {
    {"GreekOmega", L"server-\u03a9.csv", L"server-O.csv"},
    {"FullwidthLatin", L"\uff53\uff45\uff52\uff56\uff45\uff52.csv", L"server.csv"},
    {"CyrillicFolder", L"\u041e\u0442\u0447\u0451\u0442\\server.csv", L""},
    {"ChineseName", L"\u670d\u52a1\u5668.csv", L""},
};

class CalcFileNameTest : public testing::TestWithParam<NameRow> {};

TEST_P(CalcFileNameTest, ReadsTheFileNamedAndNoOther) {
  const TempDir dir;
  const fs::path file = fs::path(dir.Path()) / GetParam().file;
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << "disk\n101\n";
  if (!GetParam().decoy.empty()) {
    std::ofstream(fs::path(dir.Path()) / GetParam().decoy, std::ios::binary) << "disk\n999\n";
  }
  const fs::path output = fs::path(dir.Path()) / "output.txt";
  HANDLE handle = ::CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  RunCalc(L"--csv \"" + file.wstring() + L"\"", handle);
  ::CloseHandle(handle);
  std::ifstream in(output, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_NE(text.find("\n101,0,4,5,10000,"), std::string::npos) << text;
  EXPECT_EQ(text.find("999"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(Names, CalcFileNameTest, testing::ValuesIn(kNameRows), RowName<NameRow>);

// The program's text as a console shows it, one line each: its characters
// read back from a screen buffer of the test's own console.
struct ConsoleRow {
  const char* name;
  std::wstring arguments;
  std::string line;
};

const ConsoleRow kConsoleRows[] = {
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
  HANDLE screen =
      ::CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inheritable, CONSOLE_TEXTMODE_BUFFER, nullptr);
  ASSERT_NE(screen, INVALID_HANDLE_VALUE);
  RunCalc(GetParam().arguments, screen);
  const std::vector<std::string> lines = Lines(screen);
  ::CloseHandle(screen);
  EXPECT_NE(std::find(lines.begin(), lines.end(), GetParam().line), lines.end())
      << testing::PrintToString(lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, CalcConsoleTest, testing::ValuesIn(kConsoleRows),
                         RowName<ConsoleRow>);

}  // namespace
}  // namespace vemora
