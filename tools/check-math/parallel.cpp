#include "parallel.h"

#include <atomic>
#include <thread>
#include <vector>

namespace checkmath {

void run_slices(int slices, int threads, const std::function<void(int, Oracle&)>& work) {
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  if (threads <= 0) threads = 1;
  std::atomic<int> next{0};
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t)
    pool.emplace_back([&] {
      Oracle oracle;  // MPFR's exponent range is per thread
      for (int s; (s = next.fetch_add(1)) < slices;) work(s, oracle);
    });
  for (std::thread& t : pool) t.join();
}

}  // namespace checkmath
