// Program start (CreateProcess), file lookup (FindFirstFile) and file
// reading (CreateFile) on Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "os/process.h"
#include "os/read_file.h"
#include "runtime/runtime_error.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using namespace testing_support;

struct PathRow {
  const char* name;
  std::string path;  // "{dir}" is the test's folder
  std::string expected = {};
};

// Under a name with blanks and characters a shell would read.
TEST(StartProgram, StartsTheQuotedPathInANormalWindowAndReturnsAtOnce) {
  TempDir dir;
  const std::string path = dir / "sub dir\\a b'c;&x %OS% $(y).exe";
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::filesystem::copy_file(HelperProgram(), path);
  WriteFile(path + ".hold", "");
  ASSERT_TRUE(StartProgram(path));
  std::string how;
  ASSERT_TRUE(Eventually([&] { return !(how = ReadText(path + ".started")).empty(); }));
  EXPECT_EQ(how, "show=1\ncommand=\"" + path + "\"\n");  // SW_SHOWNORMAL
  EXPECT_FALSE(Exists(path + ".ended"));                 // the start does not wait for the program
  std::filesystem::remove(path + ".hold");
  EXPECT_TRUE(Eventually([&] { return Exists(path + ".ended"); }));
}

class StartProgramErrorTest : public testing::TestWithParam<PathRow> {};

TEST_P(StartProgramErrorTest, ReportsFailure) {
  TempDir dir;
  std::filesystem::copy_file(HelperProgram(), dir / "good.exe");
  WriteFile(dir / "garbage.exe", "\x01\x02\x03 not a program\n");
  EXPECT_FALSE(StartProgram(dir.Fill(GetParam().path)));
  EXPECT_FALSE(Exists(dir / "good.exe.started"));
}

INSTANTIATE_TEST_SUITE_P(Paths, StartProgramErrorTest,
                         testing::Values(PathRow{"NotAProgram", "{dir}\\garbage.exe"},
                                         PathRow{"ZeroInsideName", "{dir}\\good.exe\0x"s}),
                         RowName<PathRow>);

class FileLookupTest : public testing::TestWithParam<PathRow> {};

TEST_P(FileLookupTest, GivesTheNameOfAnOrdinaryFileOnly) {
  TempDir dir;
  WriteFile(dir / "prog.exe", "");
  WriteFile(dir / "hidden.exe", "");
  ASSERT_TRUE(::SetFileAttributesA((dir / "hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
  std::filesystem::create_directories(dir / "tools\\MSINFO32.EXE");
  WriteFile(dir / "tools\\other.txt", "");
  EXPECT_EQ(FileLookup(dir.Fill(GetParam().path)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileLookupTest,
    testing::Values(PathRow{"OtherCaseGivesTheFilesOwn", "{dir}\\PROG.EXE", "prog.exe"},
                    PathRow{"FolderNamedLikeTheProgram", "{dir}\\tools\\MSINFO32.EXE", ""},
                    PathRow{"Hidden", "{dir}\\hidden.exe", ""},
                    PathRow{"Missing", "{dir}\\missing.exe", ""},
                    PathRow{"ZeroInsideName", "{dir}\\prog.exe\0x"s, ""},
                    // A pattern gives the first ordinary file it matches.
                    PathRow{"PatternSkipsFolders", "{dir}\\tools\\*", "other.txt"}),
    RowName<PathRow>);

struct ReadRow {
  const char* name;
  std::string path;                    // "{dir}" is the test's folder, "{pipe}" a named pipe
  std::optional<std::string> content;  // none: refused
};

class ReadRegularFileTest : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadRegularFileTest, ReadsOnlyAFileOnDiskWithinTheLimit) {
  TempDir dir;
  WriteFile(dir / "eight", "12345678");
  WriteFile(dir / "nine", "123456789");
  // A client connects to it at once; reading from it would wait for a writer.
  const std::string pipe = "\\\\.\\pipe\\" + UniqueName("vemora-test");
  HANDLE server =
      ::CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  const std::string& path = GetParam().path;
  EXPECT_EQ(ReadRegularFile(path == "{pipe}" ? pipe : dir.Fill(path), 8), GetParam().content);
  ::CloseHandle(server);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadRegularFileTest,
                         testing::Values(ReadRow{"AtTheLimit", "{dir}\\eight", "12345678"},
                                         ReadRow{"OneByteTooLarge", "{dir}\\nine", std::nullopt},
                                         ReadRow{"Missing", "{dir}\\missing", std::nullopt},
                                         ReadRow{"NamedPipe", "{pipe}", std::nullopt},
                                         ReadRow{"ZeroInsideName", "{dir}\\eight\0x"s,
                                                 std::nullopt}),
                         RowName<ReadRow>);

}  // namespace
}  // namespace vemora
