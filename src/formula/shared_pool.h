// Working memory that a job needs for its length (a compile's parse state,
// the assembler of one formula's machine code) and that is dear to make:
// a job takes one object, and gives it back when done for the next job on
// any thread. No thread owns such memory, so a thread that ends (or a
// module unloaded while threads live on) leaves nothing behind, and a
// process with many threads keeps only a few idle objects.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

namespace vt::formula {

template <class T>
class SharedPool {
 public:
  // The object lent to one job, given back when the lease ends.
  class Lease {
   public:
    Lease(SharedPool* pool, std::unique_ptr<T> t) : pool_(pool), t_(std::move(t)) {}
    Lease(Lease&& other) noexcept = default;
    Lease& operator=(Lease&&) = delete;
    ~Lease() {
      if (t_) pool_->give(std::move(t_));
    }
    // The object, no longer given back by the lease: it must come back to
    // the pool through give().
    T* release() { return t_.release(); }
    T& operator*() const { return *t_; }
    T* operator->() const { return t_.get(); }
    T* get() const { return t_.get(); }

   private:
    SharedPool* pool_;
    std::unique_ptr<T> t_;
  };

  SharedPool() = default;
  SharedPool(const SharedPool&) = delete;
  SharedPool& operator=(const SharedPool&) = delete;
  ~SharedPool() { delete spare_.load(std::memory_order_acquire); }

  // An idle object, else a new one (std::bad_alloc when memory is short).
  Lease take() {
    if (T* t = spare_.exchange(nullptr, std::memory_order_acquire)) return Lease(this, std::unique_ptr<T>(t));
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (idle_count_) return Lease(this, std::move(idle_[--idle_count_]));
    }
    return Lease(this, std::make_unique<T>());
  }

  // An object back from a job, for the next one.
  void give(std::unique_ptr<T> t) noexcept {
    T* empty = nullptr;
    if (spare_.compare_exchange_strong(empty, t.get(), std::memory_order_acq_rel, std::memory_order_relaxed)) {
      t.release();
      return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (idle_count_ < kKeep) idle_[idle_count_++] = std::move(t);
  }  // else t is freed here

 private:
  // Idle objects kept; more at once (more threads in the same job) are
  // freed when given back. The list never grows, so giving back cannot fail.
  static constexpr int kKeep = 8;

  // One idle object is kept outside the lock: a job on one thread at a
  // time (the usual case) takes and gives it back by one atomic exchange
  // each, without the mutex.
  std::atomic<T*> spare_{nullptr};
  std::mutex mutex_;
  std::unique_ptr<T> idle_[kKeep];
  int idle_count_ = 0;
};

}  // namespace vt::formula
