// The single-instance guard (a named mutex).
#include <gtest/gtest.h>

#include <algorithm>
#include <latch>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "os/single_instance.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using namespace testing_support;

// Each round on the same name, after the last round's guards ended; a name
// with a blank and a character beyond ASCII. Threads take it at one moment:
// the mutex is the system's, the same to a thread as to another process.
// (Separate copies, under the program's own name, are the real-window test's.)
TEST(SingleInstance, OfManyStartedAtOnceExactlyOneRuns) {
  const std::string name = UniqueName("Local\\Vemora-Test \xC3\xBC");
  for (int round = 0; round < 3; ++round) {
    std::vector<std::unique_ptr<SingleInstance>> guards(8);
    std::latch go(8);
    std::vector<std::thread> threads;
    for (auto& guard : guards) {
      threads.emplace_back([&] {
        go.arrive_and_wait();
        guard = std::make_unique<SingleInstance>(name);
      });
    }
    for (std::thread& thread : threads) thread.join();
    std::string results;  // W won, P lost, U unguarded
    for (const auto& guard : guards)
      results += guard->Guarded() ? 'W' : guard->PrevInstance() ? 'P' : 'U';
    EXPECT_EQ(std::count(results.begin(), results.end(), 'W'), 1) << results;
    EXPECT_EQ(std::count(results.begin(), results.end(), 'P'), 7) << results;
  }
  EXPECT_TRUE(SingleInstance(name).Guarded());
}

// The first copy runs elevated: its mutex exists, but opening it is refused.
// A mutex whose list of rights is empty refuses this process alike.
TEST(SingleInstance, AMutexThatCannotBeOpenedCountsAsARunningCopy) {
  const std::string name = UniqueName("Local\\Vemora-Test");
  ACL noRights{};
  SECURITY_DESCRIPTOR descriptor{};
  ASSERT_TRUE(::InitializeAcl(&noRights, sizeof noRights, ACL_REVISION));
  ASSERT_TRUE(::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(::SetSecurityDescriptorDacl(&descriptor, TRUE, &noRights, FALSE));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  const HANDLE first = ::CreateMutexA(&attributes, FALSE, name.c_str());
  ASSERT_NE(first, nullptr);
  const SingleInstance second(name);
  EXPECT_TRUE(second.PrevInstance());
  EXPECT_FALSE(second.Guarded());
  ::CloseHandle(first);
}

struct NameRow {
  const char* name;
  std::string lock;
};

class UnguardedNameTest : public testing::TestWithParam<NameRow> {};

// As with an untrusted lock file elsewhere: the program runs, never
// believing another copy runs.
TEST_P(UnguardedNameTest, RunsUnguarded) {
  const std::string& lock = GetParam().lock;
  const SingleInstance first(lock), second(lock);
  for (const SingleInstance* guard : {&first, &second}) {
    EXPECT_FALSE(guard->Guarded());
    EXPECT_FALSE(guard->PrevInstance());
  }
}

INSTANTIATE_TEST_SUITE_P(Names, UnguardedNameTest,
                         testing::Values(NameRow{"Empty", ""},
                                         NameRow{"ZeroInside", "Local\\Vemora-Test\0x"s},
                                         NameRow{"UnknownNamespace", "Nowhere\\Vemora-Test"}),
                         RowName<NameRow>);

}  // namespace
}  // namespace vemora
