// A caller's output buffer of a stated size followed by guard bytes, for
// tests that a function writes nothing past the size its contract names.
#pragma once

#include <cstddef>
#include <vector>

namespace vt::test {

class GuardedBuffer {
 public:
  static constexpr size_t kGuardBytes = 16;
  static constexpr unsigned char kGuard = 0xA5;

  explicit GuardedBuffer(size_t size, unsigned char fill = 0x5A)
      : size_(size), bytes_(size + kGuardBytes, kGuard) {
    for (size_t i = 0; i < size; ++i) bytes_[i] = fill;
  }
  char* data() { return reinterpret_cast<char*>(bytes_.data()); }
  unsigned char* bytes() { return bytes_.data(); }
  bool guard_intact() const {
    for (size_t i = size_; i < bytes_.size(); ++i)
      if (bytes_[i] != kGuard) return false;
    return true;
  }

 private:
  size_t size_;
  std::vector<unsigned char> bytes_;
};

}  // namespace vt::test
