// The thread slots: every thread reads what it set itself, whatever the
// others set meanwhile, and a new thread starts with null in every slot.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "port/thread_slot.h"

namespace {

using vt::port::ThreadSlot;

TEST(ThreadSlot, EachThreadReadsItsOwnPointers) {
  constexpr int kThreads = 4;
  const ThreadSlot slots[] = {ThreadSlot::compile, ThreadSlot::handle};
  int marks[kThreads][2];
  std::atomic<int> written{0};
  struct Seen {
    void* at_start[2];
    void* at_end[2];
  };
  std::vector<Seen> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int s = 0; s < 2; ++s) seen[t].at_start[s] = vt::port::thread_slot(slots[s]);
      for (int s = 0; s < 2; ++s) vt::port::set_thread_slot(slots[s], &marks[t][s]);
      ++written;
      while (written.load() < kThreads) std::this_thread::yield();  // every thread has written its own
      for (int s = 0; s < 2; ++s) seen[t].at_end[s] = vt::port::thread_slot(slots[s]);
      for (int s = 0; s < 2; ++s) vt::port::set_thread_slot(slots[s], nullptr);
    });
  for (std::thread& th : threads) th.join();
  for (int t = 0; t < kThreads; ++t)
    for (int s = 0; s < 2; ++s) {
      EXPECT_EQ(nullptr, seen[t].at_start[s]) << "thread " << t << " slot " << s;
      EXPECT_EQ(&marks[t][s], seen[t].at_end[s]) << "thread " << t << " slot " << s;
    }
}

}  // namespace
