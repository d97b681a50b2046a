// Reading CSV text record by record in bounded memory, and splitting a
// record into fields. A record is one line, or several when a quoted field
// holds line breaks; "" inside a quoted field is one quote.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vtcalc {

// Longest record: more is taken for a quote that is never closed, which
// would otherwise read the rest of the file into memory.
constexpr std::size_t kMaxRecord = 1 << 20;

class RecordReader {
 public:
  enum class Status { record, end, unclosed_quote, too_long, nul_byte, read_error };

  explicit RecordReader(std::FILE* in) : in_(in) {}
  // Reads the header record and what it tells of the file: a UTF-8
  // byte-order mark is dropped; the separator is `sep`, or else ';' when
  // the header holds one and ',' otherwise; the decimal mark is `decimal`,
  // or else ',' with ';' as separator and '.' otherwise. Until then any
  // quote at a field's start opens a quoted field; from then on only one
  // after the separator.
  Status read_header(std::string& header, char sep, char decimal);
  char separator() const { return sep_; }
  char decimal_mark() const { return decimal_; }
  // Appends the next record, without its final line break (LF or CRLF), to
  // `out`. Anything but Status::record ends the reading.
  Status next(std::string& out);
  // The line on which the last record started (from 1).
  unsigned long line() const { return first_line_; }

 private:
  static constexpr std::size_t kChunk = 1 << 16;
  // Appends one line; false at the end of the input.
  bool next_line(std::string& out);

  std::FILE* in_;
  char sep_ = 0;  // 0 until the header is read
  char decimal_ = 0;
  std::vector<char> buf_ = std::vector<char>(kChunk);
  std::size_t pos_ = 0, end_ = 0;
  bool eof_ = false, error_ = false;
  unsigned long lines_ = 0, first_line_ = 0;
};

// Where a field lies in its record: bytes [begin, end), quotes included.
struct Field {
  std::uint32_t begin = 0, end = 0;
  bool quoted = false;
};

// Splits `record` at `sep` into `fields` (reused between calls).
void split_fields(std::string_view record, char sep, std::vector<Field>& fields);

// The text of a field: the bytes themselves, or for a quoted field its
// content with "" as one quote (written into `scratch`).
std::string_view field_text(std::string_view record, const Field& f, std::string& scratch);

// Appends a field to `out`, quoted when it holds the separator, a quote or
// a line break.
void append_field(std::string& out, std::string_view field, char sep);

}  // namespace vtcalc
