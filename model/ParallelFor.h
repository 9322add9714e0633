#pragma once
// Work spread over all cores by index, for loops whose iterations write disjoint results.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

// Calls work(i) for i in 0..count-1 on all cores; returns when every call has returned.
template <typename Work> void ParallelFor(size_t count, const Work &work) {
  std::atomic<size_t> next{0};
  auto run = [&] {
    for (size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1))
      work(i);
  };
  const size_t workers = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()),
                                          std::max<size_t>(count, 1));
  std::vector<std::jthread> pool;
  for (size_t w = 1; w < workers; ++w)
    pool.emplace_back(run);
  run();
}
