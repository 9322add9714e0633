#include "model/ParallelFor.h"

#include <sys/resource.h>
#include <unistd.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace parallel {
namespace {

// The helpers of one priority and the jobs offered to them.
class TPool {
public:
  ~TPool() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
  }

  // Called with mutex_ held.
  void Offer(TJob &job, int helpers, std::unique_lock<std::mutex> &) {
    job.Offers = helpers;
    job.Running = 0;
    queue_.push_back(&job);
    // Started by the asking thread, so that they keep its priority.
    while (threads_.size() < static_cast<size_t>(helpers))
      threads_.emplace_back([this] { Serve(); });
    wake_.notify_all();
  }

  void Withdraw(TJob &job, std::unique_lock<std::mutex> &lock) {
    std::erase(queue_, &job);
    done_.wait(lock, [&] { return job.Running == 0; });
  }

  std::mutex mutex_;

private:
  void Serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      if (stopping_)
        return;
      TJob *job = queue_.front();
      if (--job->Offers == 0)
        queue_.erase(queue_.begin());
      ++job->Running;
      lock.unlock();
      job->Call(job->Context);
      lock.lock();
      if (--job->Running == 0)
        done_.notify_all();
    }
  }

  std::condition_variable wake_;
  std::condition_variable done_;
  std::vector<TJob *> queue_;
  bool stopping_ = false;
  std::vector<std::jthread> threads_; // last: joined first, after stopping_ is set
};

std::mutex poolsMutex;

TPool &PoolOfThisThread() {
  // Pools live to the end of the program; their threads are joined at exit.
  static std::map<int, std::unique_ptr<TPool>> pools;
#ifdef __linux__
  const int priority = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
#else
  const int priority = 0;
#endif
  const std::lock_guard lock(poolsMutex);
  std::unique_ptr<TPool> &pool = pools[priority];
  if (!pool)
    pool = std::make_unique<TPool>();
  return *pool;
}

} // namespace

void Offer(TJob &job, int helpers) {
  TPool &pool = PoolOfThisThread();
  job.Pool = &pool;
  std::unique_lock lock(pool.mutex_);
  pool.Offer(job, helpers, lock);
}

void Withdraw(TJob &job) {
  TPool &pool = *static_cast<TPool *>(job.Pool);
  std::unique_lock lock(pool.mutex_);
  pool.Withdraw(job, lock);
}

unsigned Cores() {
  static const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  return cores;
}

} // namespace parallel
