// Reading a text file line by line, as both print layouts read it.
#pragma once

#include <string>

namespace vt::print {

// A rewindable byte source: a file on the printer side, a string in tests.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual int get() = 0;            // next byte 0..255, or -1 at the end
  virtual void unget(int c) = 0;    // puts back the byte just read
  virtual void rewind() = 0;        // back to the start, end state cleared
};

// The reading rule of the printer. A read takes the characters up to the
// next line feed (not kept; a carriage return right before it is dropped as
// well, so CR LF files read like text-mode streams). A read that meets the
// end of the file before any character fails and yields an empty line; a
// line of more than kMaxLineChars characters yields its first kMaxLineChars
// and is the last line of the text.
class LineReader {
 public:
  explicit LineReader(ByteSource& source) : source_(source) {}

  // Reads the next line into `line`; false when the read found nothing.
  bool read(std::string& line);

  // Whether a read has met the end of the file.
  bool at_end() const { return at_end_; }
  // Whether the last line read was cut; the text ends with it.
  bool cut() const { return cut_; }

  void rewind();

 private:
  ByteSource& source_;
  bool at_end_ = false;
  bool cut_ = false;
};

// Calls visit(line) for every line of the text by the reading rule: reading
// goes on until a read fails (that read still yields an empty line) or a line
// is cut. visit returns false to stop early. Returns whether all lines were
// visited.
template <class Visit>
bool for_each_line(LineReader& reader, Visit visit) {
  std::string line;
  for (;;) {
    bool found = reader.read(line);
    if (!visit(static_cast<const std::string&>(line))) return false;
    if (!found || reader.cut()) return true;
  }
}

// The orientation that automatic orientation asks for: landscape (2) when one
// of the first kWindowLines lines is longer than kPortraitMaxChars, else
// portrait (1). A read that meets the end of the file stops the test, and
// its line is not examined. The reader is rewound afterwards.
int auto_orientation(LineReader& reader);

}  // namespace vt::print
