#include "block_writer.h"

#include "result_text.h"

namespace vtcalc {

void BlockWriter::write_header() {
  line_ = s_.header;
  for (const Formula& f : formulas_) {
    line_ += s_.sep;
    append_field(line_, f.spec.name, s_.sep);
  }
  line_ += '\n';
  std::fwrite(line_.data(), 1, line_.size(), out_);
}

void BlockWriter::write(const Block& b, std::size_t n) {
  line_.clear();
  for (std::size_t r = 0; r < n; ++r) append_row(b, r);
  std::fwrite(line_.data(), 1, line_.size(), out_);
}

void BlockWriter::append_row(const Block& b, std::size_t r) {
  const char* record = b.text.data() + b.starts[r];
  std::size_t size = b.starts[r + 1] - b.starts[r];
  if (s_.time_column < 0 || b.time_empty[r]) {
    line_.append(record, size);
  } else {
    // The time cell is rewritten in the notation; the rest stays.
    char time_text[kTimeTextSize];
    const Field& f = b.time_fields[r];
    const TimeValue& t = b.times[r];
    times_.write(time_text, t.t, t.ms, t.fraction);
    line_.append(record, f.begin);
    append_field(line_, time_text, s_.sep);
    line_.append(record + f.end, size - f.end);
  }
  char text[kResultTextSize];
  for (std::size_t k = 0; k < formulas_.size(); ++k) {
    line_ += s_.sep;
    line_.append(text, result_text(text, b.result(k, r), formulas_[k].spec.format, s_.decimal));
  }
  line_ += '\n';
}

}  // namespace vtcalc
