// The single-instance guard, with real second processes.
#include "os/single_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
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

extern char** environ;

namespace vemora {
namespace {

using testing_support::Exists;
using testing_support::RowName;
using testing_support::TempDir;
using testing_support::WriteFile;

// Lock probes (a separate program) that all take the guard at one moment,
// when the start pipe closes, and then hold it until they are killed.
struct Probes {
  Probes(const std::string& lock, int count) {
    int start[2], answers[2];
    EXPECT_EQ(::pipe2(start, O_CLOEXEC), 0);
    EXPECT_EQ(::pipe2(answers, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, start[0], 0);
    ::posix_spawn_file_actions_adddup2(&actions, answers[1], 1);
    for (int i = 0; i < count; ++i) {
      const char* argv[] = {VEMORA_LOCK_PROBE, lock.c_str(), nullptr};
      pid_t pid = 0;
      EXPECT_EQ(::posix_spawn(&pid, VEMORA_LOCK_PROBE, &actions, nullptr, const_cast<char**>(argv),
                              environ),
                0);
      pids.push_back(pid);
    }
    ::posix_spawn_file_actions_destroy(&actions);
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
    testing::Values(
        UntrustedRow{"LinkToNothing",
                     [](auto& d) { fs::create_symlink(d / "missing", d / "lock"); }},
        UntrustedRow{"LinkToAFile", [](auto& d) { fs::create_symlink(d / "target", d / "lock"); }},
        UntrustedRow{"HardLink", [](auto& d) { fs::create_hard_link(d / "target", d / "lock"); }},
        UntrustedRow{"Fifo", [](auto& d) { ::mkfifo((d / "lock").c_str(), 0600); }},
        UntrustedRow{"Directory", [](auto& d) { fs::create_directory(d / "lock"); }},
        UntrustedRow{"ForeignOwner",
                     [](auto& d) {
                       WriteFile(d / "lock", "", 0600);
                       ASSERT_EQ(::chown((d / "lock").c_str(), 4242, 4242), 0);
                     },
                     true}),
    RowName<UntrustedRow>);

// Where the program's own lock lives, by $XDG_RUNTIME_DIR.
struct RuntimeDirRow {
  const char* name;
  std::optional<std::string> runtimeDir;  // "{dir}" is a fresh directory
  mode_t mode;
  bool used;  // the runtime directory holds the lock, else /tmp does
};

void SetRuntimeDir(const std::optional<std::string>& value) {
  value ? ::setenv("XDG_RUNTIME_DIR", value->c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR");
}

class DefaultLockPathTest : public testing::TestWithParam<RuntimeDirRow> {
  void TearDown() override { SetRuntimeDir(old_); }
  const char* env_ = std::getenv("XDG_RUNTIME_DIR");
  std::optional<std::string> old_ = env_ ? std::optional<std::string>(env_) : std::nullopt;
};

TEST_P(DefaultLockPathTest, UsesOnlyAPrivateRuntimeDirectory) {
  const RuntimeDirRow& row = GetParam();
  TempDir dir;
  ::chmod(dir.Path().c_str(), row.mode);
  std::optional<std::string> runtime = row.runtimeDir;
  if (runtime && runtime->starts_with("{dir}")) runtime->replace(0, 5, dir.Path());
  SetRuntimeDir(runtime);
  const std::string tmpLock = "/tmp/vemora-" + std::to_string(::geteuid()) + ".lock";
  EXPECT_EQ(DefaultLockPath(), row.used ? dir / "vemora.lock" : tmpLock);
  if (row.used) {
    const SingleInstance first;
    const SingleInstance second;
    EXPECT_TRUE(first.Guarded());
    EXPECT_TRUE(second.PrevInstance());
    EXPECT_TRUE(Exists(dir / "vemora.lock"));
  }
}

INSTANTIATE_TEST_SUITE_P(RuntimeDirs, DefaultLockPathTest,
                         testing::Values(RuntimeDirRow{"Private", "{dir}", 0700, true},
                                         RuntimeDirRow{"PrivateWithSlash", "{dir}/", 0700, true},
                                         RuntimeDirRow{"Unset", std::nullopt, 0700, false},
                                         RuntimeDirRow{"Empty", "", 0700, false},
                                         RuntimeDirRow{"Relative", "relative/dir", 0700, false},
                                         RuntimeDirRow{"Missing", "{dir}/missing", 0700, false},
                                         RuntimeDirRow{"GroupWritable", "{dir}", 0770, false},
                                         RuntimeDirRow{"WorldWritable", "{dir}", 01777, false},
                                         RuntimeDirRow{"NotADirectory", "/dev/null", 0700, false}),
                         RowName<RuntimeDirRow>);

}  // namespace
}  // namespace vemora
