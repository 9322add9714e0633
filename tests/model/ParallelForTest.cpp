#include "model/ParallelFor.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

int PriorityOfThisThread() { return getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())); }

// Several threads at once with loops of every size, one loop nested in another (the helpers
// may all be busy): every index exactly once.
TEST(ParallelForTest, EveryIndexOnceFromManyThreadsAndNested) {
  std::atomic<int> failures{0};
  auto ask = [&] {
    for (size_t count : {0, 1, 2, 3, 17, 1000}) {
      std::vector<std::atomic<int>> seen(count);
      ParallelFor(count, [&](size_t i) {
        seen[i].fetch_add(1);
        if (i == 0) {
          std::vector<std::atomic<int>> inner(50);
          ParallelFor(inner.size(), [&](size_t k) { inner[k].fetch_add(1); });
          for (const auto &n : inner)
            failures.fetch_add(n.load() != 1);
        }
      });
      for (const auto &n : seen)
        failures.fetch_add(n.load() != 1);
    }
  };
  std::vector<std::jthread> askers(4);
  for (auto &asker : askers)
    asker = std::jthread(ask);
  askers.clear();
  EXPECT_EQ(failures.load(), 0);
}

// Work that throws on the asking thread leaves ParallelFor only once the helper at it is
// done with the rest: nothing of the loop's is touched after it.
TEST(ParallelForTest, AThrowOnTheAskingThreadWaitsForTheHelpers) {
  if (parallel::Cores() < 2)
    GTEST_SKIP() << "one core: nobody helps";
  const auto asker = std::this_thread::get_id();
  for (int round = 0; round < 20; ++round) {
    std::atomic<int> done{0};
    std::atomic<bool> askerIn{false};
    const auto work = [&](size_t) {
      if (std::this_thread::get_id() == asker && !askerIn.exchange(true)) {
        while (done.load() == 0) // until the helper is at it
          std::this_thread::yield();
        throw std::runtime_error("stop");
      }
      while (!askerIn.load()) // the helper leaves the asker an index
        std::this_thread::yield();
      for (int k = 0; k < 300; ++k) // long enough to be still at work when the asker throws
        std::this_thread::yield();
      done.fetch_add(1);
    };
    EXPECT_THROW(ParallelFor(64, work), std::runtime_error);
    EXPECT_EQ(done.load(), 63) << round;
  }
}

// A thread that lowered its priority (as the picture's worker does) is helped only at that
// priority, even where helpers of the normal one exist already.
TEST(ParallelForTest, HelpersWorkAtTheAskersPriority) {
  if (parallel::Cores() < 2)
    GTEST_SKIP() << "one core: nobody helps";
  ParallelFor(100, [](size_t) {});
  std::atomic<bool> helped{false};
  std::atomic<int> higher{0};
  std::jthread([&] {
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), PriorityOfThisThread() + 3);
    const int mine = PriorityOfThisThread();
    const auto self = std::this_thread::get_id();
    ParallelFor(1000, [&](size_t i) {
      if (std::this_thread::get_id() != self) {
        helped = true;
        higher.fetch_add(PriorityOfThisThread() < mine);
      }
      while (i == 0 && !helped) // until a helper has taken some of the rest
        std::this_thread::yield();
    });
  }).join();
  EXPECT_TRUE(helped.load());
  EXPECT_EQ(higher.load(), 0);
}

} // namespace
