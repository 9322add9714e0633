#pragma once
// Work spread over all cores by index, for loops whose iterations write disjoint results.
// The helpers are threads kept for the purpose, one set per priority of the threads that
// ask (a helper started by a lowered thread keeps that lower priority), so that a picture
// does not start and end threads several times over.

#include <algorithm>
#include <atomic>
#include <cstddef>

namespace parallel {

// Work offered to the helpers: Call(Context) until the work is done.
struct TJob {
  void (*Call)(void *) = nullptr;
  void *Context = nullptr;
  int Offers = 0;       // helpers still wanted
  int Running = 0;      // helpers at it
  void *Pool = nullptr; // the helpers it was offered to
};

// Offers job to up to helpers of the calling thread's priority.
void Offer(TJob &job, int helpers);
// Takes back the offers not yet taken and waits for the helpers at the job.
void Withdraw(TJob &job);
// Cores of the machine, at least 1.
unsigned Cores();

} // namespace parallel

// Calls work() on the calling thread and on up to helpers kept helpers at once; returns when
// every call has returned. The calls share out the work among themselves.
template <typename Work> void RunWithHelpers(size_t helpers, const Work &work) {
  if (helpers == 0) {
    work();
    return;
  }
  parallel::TJob job;
  job.Call = [](void *context) { (*static_cast<const Work *>(context))(); };
  job.Context = const_cast<Work *>(&work); // NOLINT: only ever called through a const Work
  parallel::Offer(job, static_cast<int>(helpers));
  // Taken back also when work throws here: no helper may be left at the job.
  struct TTakeBack {
    parallel::TJob &Job;
    ~TTakeBack() { parallel::Withdraw(Job); }
  } takeBack{job};
  work();
}

// Calls work(i) for i in 0..count-1 on all cores; returns when every call has returned.
template <typename Work> void ParallelFor(size_t count, const Work &work) {
  std::atomic<size_t> next{0};
  const auto run = [&] {
    for (size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1))
      work(i);
  };
  RunWithHelpers(std::min<size_t>(parallel::Cores() - 1, count > 0 ? count - 1 : 0), run);
}
