// The registry store, program start, file lookup and reading, against the
// real OS.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "about_window/sysinfo.h"
#include "os/process.h"
#include "os/read_file.h"
#include "os/registry.h"
#include "os/single_instance.h"
#include "support/os_helpers.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::Eventually;
using testing_support::Exists;
using testing_support::RowName;
using testing_support::TempDir;
using testing_support::WaitForFile;
using testing_support::WriteFile;
using testing_support::WriteMarkerScript;

// Runs each test inside a fresh directory, so relative names resolve there.
class InTempDir {
 public:
  InTempDir() : old_(std::filesystem::current_path()) { std::filesystem::current_path(dir.Path()); }
  ~InTempDir() { std::filesystem::current_path(old_); }
  TempDir dir;

 private:
  std::filesystem::path old_;
};

struct FinderRow {
  const char* name;
  std::string files;       // blank-separated; "name/" a directory, "name-" not executable
  std::string searchPath;  // "{dir}" is the test's directory
  std::string expected;    // "" when none is found
  // With "{deep}" in the texts above: folders that make the path
  // "{dir}/{deep}/hardinfo2" this long, whatever the temporary directory.
  std::size_t fullPath = 0;
};

class SystemInfoStoreTest : public testing::TestWithParam<FinderRow> {};

// A directory path of `length` bytes in names of at most 200.
std::string Deep(std::size_t length) {
  std::string path;
  while (path.size() < length) {
    if (!path.empty()) path += '/';
    path += std::string(std::min<std::size_t>(200, length - path.size()), 'd');
  }
  return path;
}

TEST_P(SystemInfoStoreTest, AnswersOnlyMsinfoPathWithTheFirstProgramFound) {
  const FinderRow& row = GetParam();
  InTempDir temp;
  std::string deep;
  if (row.fullPath != 0) {
    const std::size_t around = temp.dir.Path().size() + std::string_view("//hardinfo2").size();
    ASSERT_LT(around, row.fullPath) << "no room for the row in " << temp.dir.Path();
    deep = Deep(row.fullPath - around);
  }
  const auto fill = [&](std::string text) {
    for (auto at = text.find("{deep}"); at != std::string::npos; at = text.find("{deep}", at))
      text.replace(at, 6, deep);
    return temp.dir.Fill(text);
  };
  std::filesystem::create_directories(temp.dir / "a");
  std::filesystem::create_directories(temp.dir / "b");
  std::istringstream files(fill(row.files));
  for (std::string name; files >> name;) {
    if (name.ends_with('/')) {
      std::filesystem::create_directories(temp.dir / name);
    } else {
      const bool plain = name.ends_with('-');
      WriteFile(temp.dir / name.substr(0, name.size() - plain), "#!/bin/sh\n", plain ? 0644 : 0755);
    }
  }
  RegistryStore store;
  FillSystemInfoStore(store, fill(row.searchPath));

  // Read as the launcher reads it; the fallback key stays missing.
  std::string path, dir;
  EXPECT_EQ(GetKeyValue(store, kHkeyLocalMachine, std::string(kMsinfoKey),
                        std::string(kMsinfoValue), path),
            !row.expected.empty());
  EXPECT_EQ(path, fill(row.expected));
  EXPECT_FALSE(GetKeyValue(store, kHkeyLocalMachine, std::string(kMsinfoDirectoryKey),
                           std::string(kMsinfoDirectoryValue), dir));
}

INSTANTIATE_TEST_SUITE_P(
    SearchPaths, SystemInfoStoreTest,
    testing::Values(FinderRow{"NameOrderBeforeDirectoryOrder", "a/kinfocenter b/hardinfo2",
                              "{dir}/a:{dir}/b", "{dir}/b/hardinfo2"},
                    FinderRow{"EarlierDirectoryForOneName", "a/hardinfo b/hardinfo",
                              "{dir}/a:{dir}/b", "{dir}/a/hardinfo"},
                    FinderRow{"NotExecutableSkipped", "a/hardinfo2- b/hardinfo", "{dir}/a:{dir}/b",
                              "{dir}/b/hardinfo"},
                    FinderRow{"DirectorySkipped", "a/hardinfo2/ a/gnome-system-monitor", "{dir}/a",
                              "{dir}/a/gnome-system-monitor"},
                    FinderRow{"TrailingSlash", "b/kinfocenter", "{dir}/b/", "{dir}/b/kinfocenter"},
                    FinderRow{"RelativeAndEmptyEntriesIgnored",
                              "hardinfo2 a/hardinfo b/kinfocenter",
                              "::a:.:{dir}/b:", "{dir}/b/kinfocenter"},
                    FinderRow{"NoneFound", "a/msinfo32", "{dir}/a:{dir}/b", ""},
                    FinderRow{"FullPathOf1023BytesFits", "{deep}/ {deep}/hardinfo2", "{dir}/{deep}",
                              "{dir}/{deep}/hardinfo2", 1023},
                    FinderRow{"FullPathOf1024BytesPassedOver",
                              "{deep}/ {deep}/hardinfo2 b/hardinfo", "{dir}/{deep}:{dir}/b",
                              "{dir}/b/hardinfo", 1024}),
    RowName<FinderRow>);

struct StartErrorRow {
  const char* name;
  std::string path;  // "{dir}/..." in the files set up below
};

class StartProgramErrorTest : public testing::TestWithParam<StartErrorRow> {};

TEST_P(StartProgramErrorTest, ReportsFailure) {
  InTempDir temp;
  WriteFile(temp.dir / "plain.sh", "#!/bin/sh\ntouch started\n", 0644);
  WriteFile(temp.dir / "garbage", std::string("\x01\x02\x03 not a program\n"), 0755);
  WriteMarkerScript(temp.dir / "good", temp.dir / "started");
  std::filesystem::create_directory(temp.dir / "folder");
  EXPECT_FALSE(StartProgram(temp.dir.Fill(GetParam().path)));
  EXPECT_FALSE(Exists(temp.dir / "started"));
}

INSTANTIATE_TEST_SUITE_P(Paths, StartProgramErrorTest,
                         testing::Values(StartErrorRow{"Directory", "{dir}/folder"},
                                         StartErrorRow{"NotExecutable", "{dir}/plain.sh"},
                                         StartErrorRow{"ExecFails", "{dir}/garbage"},
                                         StartErrorRow{"ZeroInsideName",
                                                       std::string("{dir}/good\0x", 12)}),
                         RowName<StartErrorRow>);

// Under a name that a shell would split or run "touch x" from, and with a
// backslash that is no separator. The program outlives the guard it must not
// have inherited, then ends and is reaped.
TEST(StartProgram, OneFileNameOwnSessionNoInheritedLockNoZombie) {
  InTempDir temp;
  auto guard = std::make_unique<SingleInstance>(temp.dir / "lock");
  ASSERT_TRUE(guard->Guarded());
  const std::string program = temp.dir / "a b'c;$(touch x)`touch x`\\MSINFO32.EXE";
  WriteFile(program,
            "#!/bin/sh\ncat /proc/$$/stat > stat.tmp && mv stat.tmp stat\ni=0\n"
            "while [ ! -e release ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n",
            0755);
  ASSERT_TRUE(StartProgram(program));
  ASSERT_TRUE(WaitForFile(temp.dir / "stat"));
  EXPECT_FALSE(Exists(temp.dir / "x"));
  guard.reset();
  const SingleInstance next(temp.dir / "lock");
  EXPECT_TRUE(next.Guarded());
  WriteFile(temp.dir / "release", "");
  std::ifstream file(temp.dir / "stat");
  const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const int pid = std::atoi(stat.c_str());
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  char state = 0;
  int parent = 0, group = 0, session = 0;
  ASSERT_TRUE(fields >> state >> parent >> group >> session);
  EXPECT_EQ(parent, ::getpid()) << "started by us, not through a shell";
  EXPECT_EQ(session, pid) << "leads a session of its own";
  // A zombie still answers kill(pid, 0); only a reaped child is gone.
  EXPECT_TRUE(Eventually([&] { return ::kill(pid, 0) != 0 && errno == ESRCH; }));
}

struct LookupRow {
  const char* name;
  std::string path;
  std::string expected;
};

class FileLookupTest : public testing::TestWithParam<LookupRow> {};

TEST_P(FileLookupTest, GivesTheNameOfAnExistingRegularFile) {
  InTempDir temp;
  WriteFile(temp.dir / "prog", "", 0644);
  WriteFile(temp.dir / "tools\\MSINFO32.EXE", "", 0644);
  std::filesystem::create_directory(temp.dir / "tools");
  std::filesystem::create_symlink(temp.dir / "prog", temp.dir / "link");
  EXPECT_EQ(FileLookup(temp.dir.Fill(GetParam().path)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, FileLookupTest,
                         testing::Values(LookupRow{"RegularFile", "{dir}/prog", "prog"},
                                         LookupRow{"RelativeName", "prog", "prog"},
                                         LookupRow{"BackslashInName", "{dir}/tools\\MSINFO32.EXE",
                                                   "tools\\MSINFO32.EXE"},
                                         LookupRow{"LinkToFile", "{dir}/link", "link"},
                                         LookupRow{"Directory", "{dir}/tools", ""},
                                         LookupRow{"Missing", "{dir}/missing", ""},
                                         LookupRow{"ZeroInsideName",
                                                   std::string("{dir}/prog\0x", 12), ""}),
                         RowName<LookupRow>);

struct ReadRow {
  const char* name;
  std::string path;                    // "{dir}/..." in the files set up below
  std::optional<std::string> content;  // none: refused
};

class ReadRegularFileTest : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadRegularFileTest, ReadsOnlyARegularFileWithinTheLimit) {
  TempDir dir;
  WriteFile(dir / "eight", "12345678");
  WriteFile(dir / "nine", "123456789");
  WriteFile(dir / "empty", "");
  std::filesystem::create_symlink(dir / "eight", dir / "link");
  ::mkfifo((dir / "fifo").c_str(), 0600);
  const std::string path = dir.Fill(GetParam().path);
  EXPECT_EQ(ReadRegularFile(path, 8), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadRegularFileTest,
    testing::Values(ReadRow{"AtTheLimit", "{dir}/eight", "12345678"},
                    ReadRow{"Empty", "{dir}/empty", ""},
                    ReadRow{"LinkFollowed", "{dir}/link", "12345678"},
                    ReadRow{"OneByteTooLarge", "{dir}/nine", std::nullopt},
                    ReadRow{"Missing", "{dir}/missing", std::nullopt},
                    ReadRow{"ZeroInsideName", std::string("{dir}/eight\0x", 13), std::nullopt},
                    // Would wait for a writer forever if opened to block.
                    ReadRow{"Fifo", "{dir}/fifo", std::nullopt},
                    // A regular file of size 0 with bytes to read, as
                    // a file that grew after it was opened.
                    ReadRow{"MoreBytesThanItsSize", "/proc/self/status", std::nullopt}),
    RowName<ReadRow>);

// The name flips between a regular file and a FIFO while it is read. A
// reader that looked at the name and then opened it to block would hang
// here; after a minute the FIFO is opened for writing, which frees it, and
// the test fails instead of hanging.
TEST(ReadRegularFileRace, NeverWaitsOnAFifoSwappedIn) {
  TempDir dir;
  const std::string clip = dir / "quorl.avi", other = dir / "other";
  WriteFile(clip, "RIFF");
  ASSERT_EQ(::mkfifo(other.c_str(), 0600), 0);
  std::atomic<bool> done = false;
  std::thread swapper([&] {
    while (!done) ::renameat2(AT_FDCWD, clip.c_str(), AT_FDCWD, other.c_str(), RENAME_EXCHANGE);
  });
  auto reads = std::async(std::launch::async, [&] {
    for (int i = 0; i < 2000; ++i) EXPECT_EQ(ReadRegularFile(clip, 1024).value_or("RIFF"), "RIFF");
  });
  const bool freed = reads.wait_for(std::chrono::seconds(60)) != std::future_status::ready;
  while (reads.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
    for (const std::string& name : {clip, other})
      ::close(::open(name.c_str(), O_RDWR | O_NONBLOCK));
  }
  done = true;
  swapper.join();
  EXPECT_FALSE(freed) << "a read waited on the FIFO until it was freed";
}

}  // namespace
}  // namespace vemora
