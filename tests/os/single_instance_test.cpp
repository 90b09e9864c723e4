// The single-instance guard, with real second processes.
#include "os/single_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/os_helpers.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::Exists;
using testing_support::RowName;
using testing_support::TempDir;
using testing_support::WriteFile;

// Lock probes (forked copies of this test) that all take the guard at one
// moment, when the start pipe closes, and then hold it until they are killed.
struct Probes {
  Probes(const std::string& lock, int count) {
    int start[2], answers[2];
    EXPECT_EQ(::pipe2(start, O_CLOEXEC), 0);
    EXPECT_EQ(::pipe2(answers, O_CLOEXEC), 0);
    for (int i = 0; i < count; ++i) {
      const pid_t pid = ::fork();
      if (pid == 0) {
        ::close(start[1]);
        for (char c = 0; ::read(start[0], &c, 1) > 0;) {
        }
        const SingleInstance guard(lock);
        const char result = guard.Guarded() ? 'W' : guard.PrevInstance() ? 'P' : 'U';
        if (::write(answers[1], &result, 1) == 1) ::pause();  // until killed
        ::_exit(1);
      }
      pids.push_back(pid);
    }
    ::close(start[0]);
    ::close(answers[1]);
    ::close(start[1]);  // go
    for (char c = 0; results.size() < pids.size() && ::read(answers[0], &c, 1) == 1;) results += c;
    ::close(answers[0]);
  }
  // SIGKILL: no destructor runs in the probe, so the lock must not go stale.
  ~Probes() {
    for (const pid_t pid : pids) ::kill(pid, SIGKILL);
    for (const pid_t pid : pids) ::waitpid(pid, nullptr, 0);
  }
  std::vector<pid_t> pids;
  std::string results;  // one letter per probe: W won, P lost, U unguarded
};

// Each round on the same lock, after the last round's holder was killed.
TEST(SingleInstance, OfManyStartedAtOnceExactlyOneRuns) {
  TempDir dir;
  for (int round = 0; round < 5; ++round) {
    const Probes probes(dir / "lock", 12);
    ASSERT_EQ(probes.results.size(), 12u);
    EXPECT_EQ(std::count(probes.results.begin(), probes.results.end(), 'W'), 1) << probes.results;
    EXPECT_EQ(std::count(probes.results.begin(), probes.results.end(), 'P'), 11) << probes.results;
    EXPECT_TRUE(SingleInstance(dir / "lock").PrevInstance());
  }
  EXPECT_TRUE(SingleInstance(dir / "lock").Guarded());
}

// A lock path that someone else prepared: never followed, never believed.
struct UntrustedRow {
  const char* name;
  std::function<void(const TempDir&)> plant;  // at dir/"lock"
  bool needsRoot = false;
};

class UntrustedLockTest : public testing::TestWithParam<UntrustedRow> {};

TEST_P(UntrustedLockTest, RunsUnguardedWithoutTouchingIt) {
  if (GetParam().needsRoot && ::geteuid() != 0) GTEST_SKIP() << "needs root to plant it";
  TempDir dir;
  WriteFile(dir / "target", "keep");
  GetParam().plant(dir);
  // Whoever planted it also holds a lock on whatever it leads to.
  const int held = ::open((dir / "lock").c_str(), O_RDONLY | O_NONBLOCK);
  if (held >= 0) ::flock(held, LOCK_EX | LOCK_NB);
  {
    const SingleInstance guard(dir / "lock");
    EXPECT_FALSE(guard.PrevInstance());
    EXPECT_FALSE(guard.Guarded());
  }
  if (held >= 0) ::close(held);
  EXPECT_FALSE(Exists(dir / "missing")) << "followed a link";
  struct stat info {};
  ASSERT_EQ(::stat((dir / "target").c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 4) << "changed the file a link leads to";
}

namespace fs = std::filesystem;

INSTANTIATE_TEST_SUITE_P(
    Plants, UntrustedLockTest,
    testing::Values(UntrustedRow{"LinkToNothing",
                                 [](auto& d) { fs::create_symlink(d / "missing", d / "lock"); }},
                    UntrustedRow{"HardLink",
                                 [](auto& d) { fs::create_hard_link(d / "target", d / "lock"); }},
                    UntrustedRow{"Fifo", [](auto& d) { ::mkfifo((d / "lock").c_str(), 0600); }},
                    UntrustedRow{"ForeignOwner",
                                 [](auto& d) {
                                   WriteFile(d / "lock", "", 0600);
                                   ASSERT_EQ(::chown((d / "lock").c_str(), 4242, 4242), 0);
                                 },
                                 true}),
    RowName<UntrustedRow>);

// Folders of every kind a session may name, in a fresh directory: "run" and
// "other" private, "shared" group-writable, and a regular "file".
void MakeFolders(const TempDir& dir) {
  for (const char* run : {"run", "other", "shared"}) fs::create_directories(dir / run);
  ::chmod((dir / "shared").c_str(), 0770);
  WriteFile(dir / "file", "");
}

std::vector<std::string> Paths(const TempDir& dir, const std::string& home, const char* run) {
  return LockPaths(home.empty() ? home : dir / home, run ? (dir / run).c_str() : nullptr);
}

// Where the program's own locks lie, for a home folder and a runtime folder.
struct LockPathsRow {
  const char* name;
  std::string home;
  const char* run;
  std::vector<std::string> expected;   // "{dir}" is the fresh directory
  std::optional<mode_t> planted = {};  // a state folder already in {dir}/home
};

const std::string kHomeLock = "{dir}/home/.local/state/vemora/vemora.lock";
const std::string kRunLock = "{dir}/run/vemora.lock";

class LockPathsTest : public testing::TestWithParam<LockPathsRow> {};

TEST_P(LockPathsTest, HomeAlwaysRuntimeBesideOnlyFoldersNoOneElseCanWrite) {
  const LockPathsRow& row = GetParam();
  TempDir dir;
  MakeFolders(dir);
  if (row.planted) {
    fs::create_directories(dir / "home/.local/state/vemora");
    ::chmod((dir / "home/.local/state/vemora").c_str(), *row.planted);
  }
  std::vector<std::string> expected;
  for (const std::string& path : row.expected) expected.push_back(dir.Fill(path));
  EXPECT_EQ(Paths(dir, row.home, row.run), expected);
  struct stat folder {};
  if (::stat((dir / "home/.local/state/vemora").c_str(), &folder) == 0) {
    EXPECT_EQ(folder.st_mode & 07777, row.planted.value_or(0700));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Places, LockPathsTest,
    testing::Values(
        LockPathsRow{"HomeThenRuntime", "home", "run", {kHomeLock, kRunLock}},
        LockPathsRow{"WithSlashes", "home/", "run/", {kHomeLock, kRunLock}},
        LockPathsRow{"NoRuntime", "home", nullptr, {kHomeLock}},
        LockPathsRow{"RuntimeNotADirectory", "home", "file", {kHomeLock}},
        LockPathsRow{"HomeIsAFile", "file", "run", {kRunLock}},
        LockPathsRow{"RuntimeIsTheStateFolder", "home", "home/.local/state/vemora", {kHomeLock}},
        LockPathsRow{"NoHomeNoRuntime", "", nullptr, {}},
        // Another user could place a lock in these: never used.
        LockPathsRow{"GroupWritableRuntime", "home", "shared", {kHomeLock}},
        LockPathsRow{"WorldWritableStateFolder", "home", "run", {kRunLock}, 01777},
        LockPathsRow{"StateFolderReadableByOthers", "home", nullptr, {kHomeLock}, 0755}),
    RowName<LockPathsRow>);

// Copies of one user started from sessions that differ: the second finds the
// first (home, "run") whether its session names another runtime folder or its
// home cannot be used ("file").
TEST(SingleInstance, TheCopyOfAnotherSessionFindsTheFirst) {
  TempDir dir;
  MakeFolders(dir);
  const SingleInstance first(Paths(dir, "home", "run"));
  ASSERT_TRUE(first.Guarded());
  EXPECT_TRUE(SingleInstance(Paths(dir, "home", "other")).PrevInstance());
  EXPECT_TRUE(SingleInstance(Paths(dir, "file", "run")).PrevInstance());
}

}  // namespace
}  // namespace vemora
