// A bounded writer into a caller's character buffer: appends what fits,
// drops the rest, and always leaves room for the terminator.
#pragma once

#include <cstddef>

namespace vt::format {

class TextSink {
 public:
  TextSink(char* out, std::size_t size) : out_(out), cap_(size ? size - 1 : 0) {}

  void put(char c) {
    if (len_ < cap_) out_[len_++] = c;
  }
  void put(const char* s) {
    while (*s) put(*s++);
  }
  void repeat(char c, int n) {
    for (int i = 0; i < n; ++i) put(c);
  }
  void clear() { len_ = 0; }
  void drop_last() {
    if (len_) --len_;
  }
  bool ends_with(char c) const { return len_ && out_[len_ - 1] == c; }

  // Terminates the text and returns its length.
  std::size_t finish() {
    out_[len_] = '\0';
    return len_;
  }

 private:
  char* out_;
  std::size_t cap_;
  std::size_t len_ = 0;
};

}  // namespace vt::format
