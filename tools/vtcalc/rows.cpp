#include "rows.h"

#include <cstdarg>
#include <memory>

#include "cells.h"
#include "evaluate.h"
#include "plot.h"
#include "text.h"

namespace vtcalc {

namespace {

// "vtcalc: line 7, column zeit: ..." (without a column for the whole row).
void fail(unsigned long line, const char* column, const char* format, ...) {
  if (column)
    std::fprintf(stderr, "vtcalc: line %lu, column %s: ", line, column);
  else
    std::fprintf(stderr, "vtcalc: line %lu: ", line);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
}

// The rows of one block as read, with what was read from them.
struct Block {
  std::string text;                // the records, one after the other
  std::vector<std::size_t> starts;  // offset of each record in text, and the end
  std::vector<float> values;   // slot-major, kBlockRows per slot
  std::vector<float> results;  // formula-major, kBlockRows per formula
  std::vector<TimeValue> times;
  std::vector<Field> time_fields;  // where the time cell lies in its record
  std::vector<bool> time_empty;
};

class RowLoop {
 public:
  RowLoop(RecordReader& in, const RowSettings& s, ColumnTable& columns, std::vector<Formula>& formulas,
          std::FILE* out)
      : in_(in), s_(s), columns_(columns.columns()), formulas_(formulas), out_(out) {
    for (std::size_t i = 0; i < columns_.size(); ++i)
      if (columns_[i].used) {
        columns_[i].slot = static_cast<int>(slots_.size());
        slots_.push_back(static_cast<int>(i));
      }
    b_.values.resize(slots_.size() * kBlockRows);
    b_.results.resize(formulas.size() * kBlockRows);
    evaluator_ = std::make_unique<BlockEvaluator>(columns_, b_.values.data());
    b_.times.resize(kBlockRows);
    b_.time_fields.resize(kBlockRows);
    b_.time_empty.resize(kBlockRows);
    plot_values_.resize(formulas.size() + s.plot_columns.size());
  }

  int run() {
    std::size_t block_rows = s_.per_row ? 1 : kBlockRows;
    unsigned long rows = 0;
    for (;;) {
      std::size_t n = 0;
      int rc = fill(block_rows, n);
      if (rc != 0) return rc;
      if (n == 0) break;
      evaluator_->evaluate(formulas_, n, b_.results.data());
      if (rows == 0) write_header();
      write(n);
      rows += n;
      if (s_.per_row) std::fflush(out_);
      if (n < block_rows) break;
    }
    if (rows == 0) {
      std::fputs("vtcalc: the input has a header but no data rows\n", stderr);
      return 1;
    }
    return 0;
  }

 private:
  // Reads up to `max` rows into the block; `n` gets their count.
  int fill(std::size_t max, std::size_t& n) {
    b_.text.clear();
    b_.starts.assign(1, 0);
    while (n < max) {
      RecordReader::Status st = in_.next(b_.text);
      unsigned long line = in_.line();
      switch (st) {
        case RecordReader::Status::end:
          return 0;
        case RecordReader::Status::record:
          break;
        case RecordReader::Status::unclosed_quote:
          fail(line, nullptr, "a quoted field is not closed before the end of the input");
          return 1;
        case RecordReader::Status::too_long:
          fail(line, nullptr, "the row is longer than %zu bytes (a quoted field not closed?)", kMaxRecord);
          return 1;
        case RecordReader::Status::nul_byte:
          fail(line, nullptr, "the row holds a NUL byte: the input is no text");
          return 1;
        case RecordReader::Status::read_error:
          std::fputs("vtcalc: reading the input failed\n", stderr);
          return 1;
      }
      std::size_t start = b_.starts.back();
      if (b_.text.size() == start) continue;  // an empty line holds no row
      if (!read_row(n, line, start)) return 1;
      b_.starts.push_back(b_.text.size());
      ++n;
    }
    return 0;
  }

  bool read_row(std::size_t r, unsigned long line, std::size_t start) {
    std::string_view record(b_.text.data() + start, b_.text.size() - start);
    split_fields(record, s_.sep, fields_);
    if (fields_.size() != columns_.size()) {
      fail(line, nullptr, "%zu fields, but the header has %zu", fields_.size(), columns_.size());
      return false;
    }
    for (std::size_t k = 0; k < slots_.size(); ++k) {
      std::size_t c = static_cast<std::size_t>(slots_[k]);
      std::string_view cell = field_text(record, fields_[c], scratch_);
      float& v = b_.values[k * kBlockRows + r];
      bool ok = columns_[c].boolean ? parse_bool(cell, v) : parse_number(cell, s_.decimal, v);
      if (!ok) {
        fail(line, columns_[c].header.c_str(), "%s is no %s",
             quoted(cell.data(), cell.size()).c_str(),
             columns_[c].boolean ? "Boolean (0/1, ein/aus, true/false, on/off, high/low)"
             : s_.decimal == ',' ? "number with a decimal comma"
                                 : "number with a decimal point");
        return false;
      }
    }
    if (s_.time_column >= 0) {
      const Field& f = fields_[static_cast<std::size_t>(s_.time_column)];
      std::string_view cell = field_text(record, f, scratch_);
      TimeRead read = read_time_cell(cell, s_.decimal, s_.notation, b_.times[r]);
      const char* name = columns_[static_cast<std::size_t>(s_.time_column)].header.c_str();
      if (read == TimeRead::no_such_date) {
        fail(line, name, "%s is a date that does not exist", quoted(cell.data(), cell.size()).c_str());
        return false;
      }
      if (read == TimeRead::bad) {
        fail(line, name,
             "%s is no time in 1970-2099 (epoch seconds or a date and time like %s, see --date)",
             quoted(cell.data(), cell.size()).c_str(), example_time_text(s_.notation).c_str());
        return false;
      }
      b_.time_empty[r] = read == TimeRead::empty;
      b_.time_fields[r] = f;
    }
    return true;
  }

  void write_header() {
    line_ = s_.header;
    for (const Formula& f : formulas_) {
      line_ += s_.sep;
      append_field(line_, f.spec.name, s_.sep);
    }
    line_ += '\n';
    std::fwrite(line_.data(), 1, line_.size(), out_);
  }

  // The block's rows go out in one write.
  void write(std::size_t n) {
    char text[kResultTextSize];
    char time_text[kTimeTextSize];
    line_.clear();
    for (std::size_t r = 0; r < n; ++r) {
      const char* record = b_.text.data() + b_.starts[r];
      std::size_t size = b_.starts[r + 1] - b_.starts[r];
      if (s_.time_column < 0 || b_.time_empty[r]) {
        line_.append(record, size);
      } else {
        // The time cell is rewritten in the notation; the rest stays.
        const Field& f = b_.time_fields[r];
        const TimeValue& t = b_.times[r];
        write_time(time_text, t.t, t.ms, t.fraction, s_.notation);
        line_.append(record, f.begin);
        append_field(line_, time_text, s_.sep);
        line_.append(record + f.end, size - f.end);
      }
      for (std::size_t k = 0; k < formulas_.size(); ++k) {
        line_ += s_.sep;
        std::size_t len = result_text(text, b_.results[k * kBlockRows + r], formulas_[k].spec.format, s_.decimal);
        line_.append(text, len);
      }
      line_ += '\n';
      if (s_.plot) add_to_plot(r);
    }
    std::fwrite(line_.data(), 1, line_.size(), out_);
  }

  void add_to_plot(std::size_t r) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < formulas_.size(); ++k) plot_values_[i++] = b_.results[k * kBlockRows + r];
    for (int c : s_.plot_columns)
      plot_values_[i++] = b_.values[static_cast<std::size_t>(columns_[static_cast<std::size_t>(c)].slot) *
                                        kBlockRows + r];
    if (s_.time_column < 0) {
      s_.plot->add(static_cast<double>(++plot_rows_), plot_values_.data());
    } else if (!b_.time_empty[r]) {
      s_.plot->add(epoch_seconds(b_.times[r].t) + b_.times[r].ms / 1000.0, plot_values_.data());
    }
  }

  RecordReader& in_;
  const RowSettings& s_;
  std::vector<Column>& columns_;
  std::vector<Formula>& formulas_;
  std::FILE* out_;
  std::vector<int> slots_;  // the column of each slot
  Block b_;
  std::unique_ptr<BlockEvaluator> evaluator_;
  std::string scratch_, line_;
  std::vector<Field> fields_;
  std::vector<float> plot_values_;
  unsigned long plot_rows_ = 0;
};

}  // namespace

int process_rows(RecordReader& in, const RowSettings& s, ColumnTable& columns, std::vector<Formula>& formulas,
                 std::FILE* out) {
  RowLoop loop(in, s, columns, formulas, out);
  return loop.run();
}

}  // namespace vtcalc
