// The output: standard output, or a file that appears only when the whole
// run succeeded. A file is written as a temporary file in its folder and
// renamed into place at the end, so a failed run leaves an existing file as
// it was; an output that is the input is refused before anything is
// written.
#pragma once

#include <cstdio>
#include <string>

namespace vtcalc {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Removes a temporary file that was not committed.
  ~OutputFile();

  // Opens `path` ("" or "-" for standard output) for writing; `in` is the
  // open input. False with `error` set.
  bool open(const std::string& path, std::FILE* in, std::string& error);
  std::FILE* file() const { return file_; }
  // Writes out what is buffered and puts the file in place; false with
  // `error` set (the target is then unchanged).
  bool commit(std::string& error);

 private:
  std::string path_, temp_;
  std::FILE* file_ = nullptr;
};

}  // namespace vtcalc
