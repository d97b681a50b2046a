// Reading CSV text line by line in constant memory, and splitting a line
// into fields (quoted fields with "" for a quote inside are understood).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace vtcalc {

class LineReader {
 public:
  explicit LineReader(std::FILE* in) : in_(in) {}
  // Next line without its line break (LF or CRLF); false at the end.
  bool next(std::string& line);

 private:
  static constexpr std::size_t kChunk = 1 << 16;
  std::FILE* in_;
  std::vector<char> buf_ = std::vector<char>(kChunk);
  std::size_t pos_ = 0, end_ = 0;
  bool eof_ = false;
};

// Splits `line` at `sep` into `fields` (reused between calls).
void split_fields(const std::string& line, char sep, std::vector<std::string>& fields);

// Writes a field, quoted when it holds the separator, a quote or a line break.
void write_field(std::FILE* out, const std::string& field, char sep);

}  // namespace vtcalc
