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

// Where the program's own lock lives. $HOME is "{dir}/home" throughout.
struct LockDirRow {
  const char* name;
  std::optional<std::string> runtimeDir;  // "{dir}" is a fresh directory
  mode_t mode;                            // of that fresh directory
  std::optional<std::string> stateHome;
  std::string expected;                // "" when no directory is trusted
  std::optional<mode_t> planted = {};  // a "vemora" folder already in {dir}/state
};

const std::string kHomeLock = "{dir}/home/.local/state/vemora/vemora.lock";

class DefaultLockPathTest : public testing::TestWithParam<LockDirRow> {
 protected:
  static std::optional<std::string> Get(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  static void Set(const char* name, const std::optional<std::string>& value) {
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  void TearDown() override {
    for (const auto& [name, value] : old_) Set(name, value);
  }
  std::vector<std::pair<const char*, std::optional<std::string>>> old_ = {
      {"XDG_RUNTIME_DIR", Get("XDG_RUNTIME_DIR")},
      {"XDG_STATE_HOME", Get("XDG_STATE_HOME")},
      {"HOME", Get("HOME")}};
};

TEST_P(DefaultLockPathTest, UsesOnlyADirectoryNoOneElseCanWrite) {
  const LockDirRow& row = GetParam();
  TempDir dir;
  ::chmod(dir.Path().c_str(), row.mode);
  const auto in = [&](const std::optional<std::string>& text) {
    return text ? std::optional(dir.Fill(*text)) : text;
  };
  if (row.planted) {
    fs::create_directories(dir / "state/vemora");
    ::chmod((dir / "state/vemora").c_str(), *row.planted);
  }
  Set("XDG_RUNTIME_DIR", in(row.runtimeDir));
  Set("XDG_STATE_HOME", in(row.stateHome));
  Set("HOME", dir / "home");
  const std::string expected = dir.Fill(row.expected);
  EXPECT_EQ(DefaultLockPath(), expected);
  if (expected.empty()) return;
  const SingleInstance first, second;
  EXPECT_TRUE(first.Guarded());
  EXPECT_TRUE(second.PrevInstance());
  struct stat folder {};
  ASSERT_EQ(::stat(fs::path(expected).parent_path().c_str(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 0777, row.planted.value_or(0700));
}

INSTANTIATE_TEST_SUITE_P(
    LockDirs, DefaultLockPathTest,
    testing::Values(
        LockDirRow{"PrivateRuntime", "{dir}", 0700, "{dir}/state", "{dir}/vemora.lock"},
        LockDirRow{"PrivateRuntimeWithSlash", "{dir}/", 0700, std::nullopt, "{dir}/vemora.lock"},
        LockDirRow{"NoRuntimeStateHome", std::nullopt, 0700, "{dir}/state",
                   "{dir}/state/vemora/vemora.lock"},
        LockDirRow{"RelativeRuntime", "relative/dir", 0700, std::nullopt, kHomeLock},
        LockDirRow{"RuntimeNotADirectory", "/dev/null", 0700, std::nullopt, kHomeLock},
        LockDirRow{"RelativeStateHome", std::nullopt, 0700, "state", kHomeLock},
        // Another user could place a lock in these: never used.
        LockDirRow{"GroupWritableRuntime", "{dir}", 0770, "{dir}/state",
                   "{dir}/state/vemora/vemora.lock"},
        LockDirRow{"WorldWritableStateFolder", std::nullopt, 0700, "{dir}/state", "", 01777},
        LockDirRow{"StateFolderOnlyReadableByOthers", std::nullopt, 0700, "{dir}/state",
                   "{dir}/state/vemora/vemora.lock", 0755}),
    RowName<LockDirRow>);

}  // namespace
}  // namespace vemora
