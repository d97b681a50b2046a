// Working memory that a job needs for its length (a compile's parse state,
// the assembler of one formula's machine code) and that is dear to make:
// a job takes one object, and gives it back when done for the next job on
// any thread. No thread owns such memory, so a thread that ends (or a
// module unloaded while threads live on) leaves nothing behind, and a
// process with many threads keeps only a few idle objects.
#pragma once

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
    T& operator*() const { return *t_; }
    T* operator->() const { return t_.get(); }
    T* get() const { return t_.get(); }

   private:
    SharedPool* pool_;
    std::unique_ptr<T> t_;
  };

  // An idle object, else a new one (std::bad_alloc when memory is short).
  Lease take() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (idle_count_) return Lease(this, std::move(idle_[--idle_count_]));
    }
    return Lease(this, std::make_unique<T>());
  }

 private:
  // Idle objects kept; more at once (more threads in the same job) are
  // freed when given back. The list never grows, so giving back cannot fail.
  static constexpr int kKeep = 8;

  void give(std::unique_ptr<T> t) noexcept {
    std::lock_guard<std::mutex> lock(mutex_);
    if (idle_count_ < kKeep) idle_[idle_count_++] = std::move(t);
  }  // else t is freed here

  std::mutex mutex_;
  std::unique_ptr<T> idle_[kKeep];
  int idle_count_ = 0;
};

}  // namespace vt::formula
