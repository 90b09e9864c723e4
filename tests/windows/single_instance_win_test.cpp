// The single-instance guard (a named mutex), with real second processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "os/single_instance.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using namespace testing_support;

// Guard probes (helper_program.cpp) that all take the guard of `name` at one
// moment, when their input pipe closes, and hold it until they are ended.
class Probes {
 public:
  Probes(const std::string& name, int count) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE goRead = nullptr, goWrite = nullptr, outRead = nullptr, outWrite = nullptr;
    EXPECT_TRUE(::CreatePipe(&goRead, &goWrite, &inherit, 0));
    EXPECT_TRUE(::CreatePipe(&outRead, &outWrite, &inherit, 0));
    ::SetHandleInformation(goWrite, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = goRead;
    startup.hStdOutput = outWrite;
    const std::string program = HelperProgram();
    for (int i = 0; i < count; ++i) {
      std::string commandLine = "\"" + program + "\" \"" + name + "\"";
      PROCESS_INFORMATION started{};
      // Wine on a loaded machine now and then refuses a start; a probe that
      // did not start never answers, and waiting for it would hang.
      bool ok = false;
      for (int attempt = 0; attempt < 3 && !ok; ++attempt) {
        if (attempt > 0) ::Sleep(200);
        ok = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                              nullptr, nullptr, &startup, &started);
      }
      if (!ok) {
        ADD_FAILURE() << "probe " << i << " did not start, error " << ::GetLastError();
        continue;
      }
      ::CloseHandle(started.hThread);
      processes_.push_back(started.hProcess);
    }
    for (const HANDLE end : {goRead, outWrite, goWrite}) ::CloseHandle(end);  // the last: go
    char result = 0;
    DWORD got = 0;
    while (results_.size() < processes_.size() && ::ReadFile(outRead, &result, 1, &got, nullptr) &&
           got == 1) {
      results_ += result;
    }
    ::CloseHandle(outRead);
  }
  // Ends them the hard way: no destructor of theirs runs.
  ~Probes() {
    for (const HANDLE process : processes_) ::TerminateProcess(process, 9);
    for (const HANDLE process : processes_) {
      ::WaitForSingleObject(process, INFINITE);
      ::CloseHandle(process);
    }
  }
  Probes(const Probes&) = delete;
  Probes& operator=(const Probes&) = delete;

  // One letter per probe, in the order they answered: W won, P lost, U unguarded.
  const std::string& Results() const { return results_; }

 private:
  std::vector<HANDLE> processes_;
  std::string results_;
};

// Each round on the same name, after the last round's holder was killed; a
// name with a blank and a character beyond ASCII. (The program's own name
// is the real-window test's, which starts a second copy.)
TEST(SingleInstance, OfManyStartedAtOnceExactlyOneRuns) {
  const std::string name = UniqueName("Local\\Vemora-Test \xC3\xBC");
  for (int round = 0; round < 3; ++round) {
    const Probes probes(name, 8);
    const std::string& results = probes.Results();
    ASSERT_EQ(results.size(), 8u);
    EXPECT_EQ(std::count(results.begin(), results.end(), 'W'), 1) << results;
    EXPECT_EQ(std::count(results.begin(), results.end(), 'P'), 7) << results;
    EXPECT_TRUE(SingleInstance(name).PrevInstance());
  }
  EXPECT_TRUE(SingleInstance(name).Guarded());
}

struct NameRow {
  const char* name;
  std::string lock;  // "{n}" becomes a name unique to the test
};

std::string Lock(const NameRow& row) {
  return Replace(row.lock, "{n}", UniqueName("Vemora-Test"));
}

class UnguardedNameTest : public testing::TestWithParam<NameRow> {};

// As with an untrusted lock file elsewhere: the program runs, never
// believing another copy runs.
TEST_P(UnguardedNameTest, RunsUnguarded) {
  const std::string lock = Lock(GetParam());
  const SingleInstance first(lock), second(lock);
  for (const SingleInstance* guard : {&first, &second}) {
    EXPECT_FALSE(guard->Guarded());
    EXPECT_FALSE(guard->PrevInstance());
  }
}

INSTANTIATE_TEST_SUITE_P(Names, UnguardedNameTest,
                         testing::Values(NameRow{"Empty", ""},
                                         NameRow{"ZeroInside", "Local\\{n}\0x"s},
                                         NameRow{"UnknownNamespace", "Nowhere\\{n}"}),
                         RowName<NameRow>);

}  // namespace
}  // namespace vemora
