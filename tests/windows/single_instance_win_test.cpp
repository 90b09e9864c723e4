// The single-instance guard (a named mutex), with real second processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/single_instance.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using testing_support::HelperProgram;
using testing_support::RowName;
using testing_support::UniqueName;

// An inheritable pipe end for a child, the other end kept to ourselves.
struct Pipe {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  explicit Pipe(bool childReads) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    EXPECT_TRUE(::CreatePipe(&read, &write, &inherit, 0));
    ::SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
  }
};

// Guard probes (a separate program) that all take the guard at one moment,
// when their input pipe closes, and then hold it until they are ended.
class Probes {
 public:
  Probes(const std::string& name, int count) {
    Pipe start(true), results(false);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = start.read;
    startup.hStdOutput = results.write;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    const std::string program = HelperProgram("vemora_guard_probe.exe");
    for (int i = 0; i < count; ++i) {
      std::string commandLine = "\"" + program + "\" \"" + name + "\"";
      PROCESS_INFORMATION started{};
      EXPECT_TRUE(::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                   nullptr, nullptr, &startup, &started));
      ::CloseHandle(started.hThread);
      processes_.push_back(started.hProcess);
    }
    ::CloseHandle(start.read);
    ::CloseHandle(results.write);
    ::CloseHandle(start.write);  // go
    char result = 0;
    DWORD got = 0;
    while (results_.size() < processes_.size() &&
           ::ReadFile(results.read, &result, 1, &got, nullptr) && got == 1) {
      results_ += result;
    }
    ::CloseHandle(results.read);
  }
  ~Probes() { EndAll(); }
  Probes(const Probes&) = delete;
  Probes& operator=(const Probes&) = delete;

  // One letter per probe, in the order they answered: W won, P lost, U unguarded.
  const std::string& Results() const { return results_; }
  void EndAll() {
    for (const HANDLE process : processes_) ::TerminateProcess(process, 9);
    for (const HANDLE process : processes_) {
      ::WaitForSingleObject(process, INFINITE);
      ::CloseHandle(process);
    }
    processes_.clear();
  }

 private:
  std::vector<HANDLE> processes_;
  std::string results_;
};

TEST(SingleInstance, AnotherProcessHoldingTheGuardIsSeenUntilItIsEnded) {
  const std::string name = UniqueName("Vemora-Test");
  Probes holder(name, 1);
  ASSERT_EQ(holder.Results(), "W");
  EXPECT_TRUE(SingleInstance(name).PrevInstance());
  holder.EndAll();  // the hard way: no destructor of the holder runs
  const SingleInstance next(name);
  EXPECT_TRUE(next.Guarded());
  EXPECT_FALSE(next.PrevInstance());
}

TEST(SingleInstance, OfManyStartedAtOnceExactlyOneRuns) {
  for (int round = 0; round < 3; ++round) {
    Probes probes(UniqueName("Local\\Vemora-Test"), 8);
    const std::string& results = probes.Results();
    ASSERT_EQ(results.size(), 8u);
    EXPECT_EQ(std::count(results.begin(), results.end(), 'W'), 1) << results;
    EXPECT_EQ(std::count(results.begin(), results.end(), 'P'), 7) << results;
  }
}

TEST(SingleInstance, TheProgramsOwnGuardIsPerSession) {
  EXPECT_EQ(DefaultLockPath(), "Local\\Vemora-SingleInstance");
  const SingleInstance first;
  const SingleInstance second;
  EXPECT_TRUE(first.Guarded());
  EXPECT_TRUE(second.PrevInstance());
  EXPECT_FALSE(second.Guarded());
}

// Names that guard: a second guard of the same name sees the first.
struct NameRow {
  const char* name;
  std::string lock;  // "{n}" becomes a name unique to the test
};

std::string Unique(std::string lock) {
  const auto at = lock.find("{n}");
  if (at != std::string::npos) lock.replace(at, 3, UniqueName("Vemora-Test"));
  return lock;
}

class GuardNameTest : public testing::TestWithParam<NameRow> {};

TEST_P(GuardNameTest, SecondGuardSeesTheFirstUntilItEnds) {
  const std::string lock = Unique(GetParam().lock);
  auto first = std::make_unique<SingleInstance>(lock);
  EXPECT_TRUE(first->Guarded());
  EXPECT_FALSE(first->PrevInstance());
  {
    const SingleInstance second(lock);
    EXPECT_TRUE(second.PrevInstance());
    EXPECT_FALSE(second.Guarded());
  }
  first.reset();
  const SingleInstance third(lock);
  EXPECT_TRUE(third.Guarded());
  EXPECT_FALSE(third.PrevInstance());
}

INSTANTIATE_TEST_SUITE_P(Names, GuardNameTest,
                         testing::Values(NameRow{"Plain", "{n}"}, NameRow{"Session", "Local\\{n}"},
                                         NameRow{"Blanks", "Local\\{n} with blanks"},
                                         NameRow{"NonAscii", "Local\\{n}-\xC3\xBC"}),
                         RowName<NameRow>);

// Names that cannot guard: the program then runs unguarded, as it does with
// an untrusted lock file elsewhere, and never believes another copy runs.
struct BadNameRow {
  const char* name;
  std::string lock;
  std::function<HANDLE(const std::string&)> plant;  // someone else's object of that name
};

class BadGuardNameTest : public testing::TestWithParam<BadNameRow> {};

TEST_P(BadGuardNameTest, RunsUnguarded) {
  const std::string lock = Unique(GetParam().lock);
  const HANDLE planted = GetParam().plant ? GetParam().plant(lock) : nullptr;
  {
    const SingleInstance first(lock);
    const SingleInstance second(lock);
    EXPECT_FALSE(first.Guarded());
    EXPECT_FALSE(first.PrevInstance());
    EXPECT_FALSE(second.Guarded());
    EXPECT_FALSE(second.PrevInstance());
  }
  if (planted != nullptr) ::CloseHandle(planted);
}

INSTANTIATE_TEST_SUITE_P(Names, BadGuardNameTest,
                         testing::Values(BadNameRow{"Empty", "", nullptr},
                                         BadNameRow{"ZeroInside", "Local\\{n}\0x"s, nullptr},
                                         BadNameRow{"UnknownNamespace", "Nowhere\\{n}", nullptr},
                                         BadNameRow{"TakenByAnEvent", "Local\\{n}",
                                                    [](const std::string& lock) {
                                                      const HANDLE event = ::CreateEventA(
                                                          nullptr, TRUE, FALSE, lock.c_str());
                                                      EXPECT_NE(event, nullptr);
                                                      return event;
                                                    }}),
                         RowName<BadNameRow>);

}  // namespace
}  // namespace vemora
