// Program start (CreateProcess) and file lookup (FindFirstFile) on Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/process.h"
#include "platform/runtime_error.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using testing_support::CopyMarkerProgram;
using testing_support::Eventually;
using testing_support::Exists;
using testing_support::InDir;
using testing_support::InTempDir;
using testing_support::ReadFile;
using testing_support::RowName;
using testing_support::TempDir;
using testing_support::WaitForFile;
using testing_support::WriteFile;

// --- Program start -----------------------------------------------------------

struct NameRow {
  const char* name;
  std::string file;  // created below the test's folder
  std::string path;  // as passed; "{dir}" is the test's folder
};

class StartProgramNameTest : public testing::TestWithParam<NameRow> {};

TEST_P(StartProgramNameTest, StartsTheWholeTextAsOneFileInANormalWindow) {
  const NameRow& row = GetParam();
  InTempDir temp;
  const std::string file = temp.dir / row.file;
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  CopyMarkerProgram(file);
  const std::string path = InDir(row.path, temp.dir.Path());
  StartProgram(path);
  std::string how;
  ASSERT_TRUE(Eventually([&] { return !(how = ReadFile(file + ".started")).empty(); }));
  // Shown normally (SW_SHOWNORMAL), and the quoted path is its whole command line.
  EXPECT_EQ(how, "show=1\ncommand=\"" + path + "\"\n");
  EXPECT_FALSE(Exists(temp.dir / "x"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, StartProgramNameTest,
    testing::Values(
        NameRow{"Plain", "prog.exe", "{dir}\\prog.exe"},
        NameRow{"Blanks", "a b c.exe", "{dir}\\a b c.exe"},
        NameRow{"BlanksInTheFolder", "sub dir\\run me.exe", "{dir}\\sub dir\\run me.exe"},
        NameRow{"ShellCharacters", "a b'c;&x %OS% $(y).exe", "{dir}\\a b'c;&x %OS% $(y).exe"},
        NameRow{"ForwardSlashes", "sub\\prog.exe", "{dir}/sub/prog.exe"},
        NameRow{"DoubleBackslash", "tools\\MSINFO32.EXE", "{dir}\\tools\\\\MSINFO32.EXE"},
        NameRow{"OtherCase", "tools\\msinfo32.exe", "{dir}\\TOOLS\\MSINFO32.EXE"},
        NameRow{"Relative", "prog.exe", "prog.exe"}),
    RowName<NameRow>);

struct StartErrorRow {
  const char* name;
  std::string path;  // "{dir}/..." in the files set up below
};

class StartProgramErrorTest : public testing::TestWithParam<StartErrorRow> {};

TEST_P(StartProgramErrorTest, RaisesFileNotFound) {
  InTempDir temp;
  CopyMarkerProgram(temp.dir / "good.exe");
  WriteFile(temp.dir / "garbage.exe", "\x01\x02\x03 not a program\n");
  WriteFile(temp.dir / "empty.exe", "");
  std::filesystem::create_directory(temp.dir / "folder");
  try {
    StartProgram(InDir(GetParam().path, temp.dir.Path()));
    ADD_FAILURE() << "started";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Code(), 53);
  }
  EXPECT_FALSE(Exists(temp.dir / "good.exe.started"));
}

INSTANTIATE_TEST_SUITE_P(Paths, StartProgramErrorTest,
                         testing::Values(StartErrorRow{"Missing", "{dir}\\missing.exe"},
                                         StartErrorRow{"Empty", ""},
                                         StartErrorRow{"Folder", "{dir}\\folder"},
                                         StartErrorRow{"NotAProgram", "{dir}\\garbage.exe"},
                                         StartErrorRow{"EmptyFile", "{dir}\\empty.exe"},
                                         StartErrorRow{"InAMissingFolder", "{dir}\\gone\\good.exe"},
                                         StartErrorRow{"ZeroInsideName", "{dir}\\good.exe\0x"s},
                                         StartErrorRow{"TrailingBackslash", "{dir}\\good.exe\\"}),
                         RowName<StartErrorRow>);

TEST(StartProgram, ReturnsWhileTheProgramRuns) {
  InTempDir temp;
  const std::string program = temp.dir / "wait.exe";
  CopyMarkerProgram(program);
  StartProgram(program);
  ASSERT_TRUE(WaitForFile(program + ".started"));
  EXPECT_FALSE(Exists(program + ".ended"));
  WriteFile(program + ".release", "");
  EXPECT_TRUE(WaitForFile(program + ".ended"));
}

// --- File lookup -------------------------------------------------------------

struct LookupRow {
  const char* name;
  std::string path;
  std::string expected;
};

class FileLookupTest : public testing::TestWithParam<LookupRow> {};

TEST_P(FileLookupTest, GivesTheNameOfAnExistingOrdinaryFile) {
  InTempDir temp;
  WriteFile(temp.dir / "prog.exe", "");
  std::filesystem::create_directories(temp.dir / "tools\\MSINFO32.EXE");
  WriteFile(temp.dir / "tools\\other.txt", "");
  WriteFile(temp.dir / "hidden.exe", "");
  ASSERT_TRUE(::SetFileAttributesA((temp.dir / "hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(FileLookup(InDir(GetParam().path, temp.dir.Path())), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileLookupTest,
    testing::Values(LookupRow{"OrdinaryFile", "{dir}\\prog.exe", "prog.exe"},
                    LookupRow{"RelativeName", "prog.exe", "prog.exe"},
                    LookupRow{"OtherCaseGivesTheFilesOwn", "{dir}\\PROG.EXE", "prog.exe"},
                    LookupRow{"ForwardSlashes", "{dir}/tools/other.txt", "other.txt"},
                    LookupRow{"DoubleBackslash", "{dir}\\tools\\\\other.txt", "other.txt"},
                    LookupRow{"FolderNamedLikeTheProgram", "{dir}\\tools\\MSINFO32.EXE", ""},
                    LookupRow{"Folder", "{dir}\\tools", ""},
                    LookupRow{"FolderWithBackslash", "{dir}\\tools\\", ""},
                    LookupRow{"FileWithBackslash", "{dir}\\prog.exe\\", ""},
                    LookupRow{"Hidden", "{dir}\\hidden.exe", ""},
                    LookupRow{"Missing", "{dir}\\missing.exe", ""}, LookupRow{"Empty", "", ""},
                    LookupRow{"ZeroInsideName", "{dir}\\prog.exe\0x"s, ""},
                    // As the classic lookup does: a pattern gives the first
                    // ordinary file it matches.
                    LookupRow{"PatternSkipsFolders", "{dir}\\tools\\*", "other.txt"}),
    RowName<LookupRow>);

}  // namespace
}  // namespace vemora
