#include "print/line_reader.h"

#include "print/limits.h"

namespace vt::print {

bool LineReader::read(std::string& line) {
  line.clear();
  cut_ = false;
  bool found = false;
  for (;;) {
    int c = source_.get();
    if (c < 0) {
      at_end_ = true;
      break;
    }
    found = true;
    if (c == '\n') break;
    if (static_cast<int>(line.size()) == kMaxLineChars) {
      source_.unget(c);
      cut_ = true;
      break;
    }
    line.push_back(static_cast<char>(c));
  }
  // Text-mode reading: a carriage return ending the line belongs to its
  // line end.
  if (!line.empty() && line.back() == '\r' && !cut_) line.pop_back();
  return found;
}

void LineReader::rewind() {
  source_.rewind();
  at_end_ = false;
  cut_ = false;
}

int auto_orientation(LineReader& reader) {
  int orientation = 1;
  std::string line;
  for (int i = 0; i < kWindowLines; ++i) {
    reader.read(line);
    if (reader.at_end()) break;
    if (static_cast<int>(line.size()) > kPortraitMaxChars) {
      orientation = 2;
      break;
    }
    if (reader.cut()) break;
  }
  reader.rewind();
  return orientation;
}

}  // namespace vt::print
