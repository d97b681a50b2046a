#include "print/wrap.h"

#include <string>

#include "print/text_class.h"

namespace vt::print {

namespace {

constexpr int kTabStopChars = 8;

// A prefix pair "&x" is one unit; a lone "&" at the end shows nothing.
size_t unit_length(std::string_view s, size_t i) {
  return (s[i] == '&' && i + 1 < s.size()) ? 2 : 1;
}

// What a run of characters without gaps shows.
std::string shown(std::string_view run) {
  std::string out;
  for (size_t i = 0; i < run.size(); i += unit_length(run, i))
    if (run[i] != '&' || i + 1 < run.size()) out.push_back(run[i] == '&' ? run[i + 1] : run[i]);
  return out;
}

class Wrapper {
 public:
  Wrapper(std::string_view line, int width, TextMeasure& m)
      : line_(line), width_(width), m_(m), tab_(kTabStopChars * m.average_char_width()) {
    if (tab_ <= 0) tab_ = 1;
  }

  std::vector<std::string_view> run() {
    size_t i = 0;
    while (i < line_.size()) {
      size_t gap_end = i;
      int x = x_;
      while (gap_end < line_.size() && is_gap(line_[gap_end])) x = advance_gap(x, line_[gap_end++]);
      if (gap_end == line_.size()) break;  // trailing blanks are not drawn
      size_t word_end = gap_end;
      while (word_end < line_.size() && !is_gap(line_[word_end])) word_end += unit_length(line_, word_end);
      std::string_view word = line_.substr(gap_end, word_end - gap_end);
      int w = m_.text_width(shown(word));
      if (piece_start_ != npos && x + w > width_) {
        close(i);
        x = 0;
        begin(gap_end);
      } else if (piece_start_ == npos) {
        begin(i);  // the first piece keeps its indentation
      }
      if (x + w > width_) {
        place_long_word(word, gap_end, x);
      } else {
        x_ = x + w;
      }
      i = word_end;
      piece_end_ = word_end;
    }
    if (piece_start_ != npos) close(piece_end_);
    return pieces_;
  }

 private:
  static constexpr size_t npos = std::string_view::npos;

  int advance_gap(int x, char c) {
    if (c == '\t') return (x / tab_ + 1) * tab_;
    return x + m_.text_width(" ");
  }
  void begin(size_t at) { piece_start_ = at; x_ = 0; }
  void close(size_t end) {
    pieces_.push_back(line_.substr(piece_start_, end - piece_start_));
    piece_start_ = npos;
  }

  // A word that does not fit a whole line: as many units as fit on each line,
  // at least one.
  void place_long_word(std::string_view word, size_t at, int x) {
    size_t i = 0;
    while (i < word.size()) {
      size_t fit = i;
      size_t next = i + unit_length(word, i);
      while (next <= word.size() && x + m_.text_width(shown(word.substr(i, next - i))) <= width_) {
        fit = next;
        if (next == word.size()) break;
        next += unit_length(word, next);
      }
      if (fit == i) fit = i + unit_length(word, i);
      if (fit == word.size()) {
        x_ = x + m_.text_width(shown(word.substr(i)));
        return;
      }
      close(at + fit);
      begin(at + fit);
      x = 0;
      i = fit;
    }
  }

  std::string_view line_;
  int width_;
  TextMeasure& m_;
  int tab_;
  int x_ = 0;
  size_t piece_start_ = npos;
  size_t piece_end_ = 0;
  std::vector<std::string_view> pieces_;
};

}  // namespace

std::vector<std::string_view> wrap_line(std::string_view line, int width, TextMeasure& measure) {
  if (is_blank_line(line)) return {};
  return Wrapper(line, width, measure).run();
}

}  // namespace vt::print
