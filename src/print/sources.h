// Byte sources for the line reader: a C stream, and text in memory.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "print/line_reader.h"

namespace vt::print {

class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* f) : f_(f) {}
  int get() override { return std::fgetc(f_); }
  void unget(int c) override { std::ungetc(c, f_); }
  void rewind() override { std::rewind(f_); }  // also clears the end state

 private:
  std::FILE* f_;
};

class TextSource : public ByteSource {
 public:
  explicit TextSource(std::string_view text) : text_(text) {}
  int get() override { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_++]) : -1; }
  void unget(int) override { --pos_; }
  void rewind() override { pos_ = 0; }

 private:
  std::string text_;
  size_t pos_ = 0;
};

}  // namespace vt::print
