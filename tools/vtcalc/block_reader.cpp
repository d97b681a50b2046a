#include "block_reader.h"

#include "cells.h"
#include "messages.h"
#include "text.h"

namespace vtcalc {

BlockReader::BlockReader(RecordReader& in, const RowSettings& s, const std::vector<Column>& columns,
                         const std::vector<int>& slots)
    : in_(in), s_(s), columns_(columns), slots_(slots), times_(s.decimal, s.notation) {}

int BlockReader::fill(Block& b, std::size_t max, std::size_t& n) {
  b.text.clear();
  b.starts.assign(1, 0);
  while (n < max) {
    RecordReader::Status st = in_.next(b.text);
    unsigned long line = in_.line();
    switch (st) {
      case RecordReader::Status::end:
        return 0;
      case RecordReader::Status::record:
        break;
      case RecordReader::Status::unclosed_quote:
        report_at(line, nullptr, "a quoted field is not closed before the end of the input");
        return 1;
      case RecordReader::Status::too_long:
        report_at(line, nullptr, "the row is longer than %zu bytes (a quoted field not closed?)", kMaxRecord);
        return 1;
      case RecordReader::Status::nul_byte:
        report_at(line, nullptr, "the row holds a NUL byte: the input is no text");
        return 1;
      case RecordReader::Status::read_error:
        report("reading the input failed");
        return 1;
    }
    std::size_t start = b.starts.back();
    if (b.text.size() == start) continue;  // an empty line holds no row
    if (!read_row(b, n, line, start)) return 1;
    b.starts.push_back(b.text.size());
    ++n;
  }
  return 0;
}

bool BlockReader::read_row(Block& b, std::size_t r, unsigned long line, std::size_t start) {
  std::string_view record(b.text.data() + start, b.text.size() - start);
  split_fields(record, s_.sep, fields_);
  if (fields_.size() != columns_.size()) {
    report_at(line, nullptr, "%zu fields, but the header has %zu", fields_.size(), columns_.size());
    return false;
  }
  for (std::size_t k = 0; k < slots_.size(); ++k) {
    const Column& column = columns_[static_cast<std::size_t>(slots_[k])];
    std::string_view cell = field_text(record, fields_[static_cast<std::size_t>(slots_[k])], scratch_);
    float& v = b.value(k, r);
    if (column.boolean ? parse_bool(cell, v) : parse_number(cell, s_.decimal, v)) continue;
    report_at(line, column.header.c_str(), "%s is no %s", quoted(cell.data(), cell.size()).c_str(),
              column.boolean    ? "Boolean (0/1, ein/aus, true/false, on/off, high/low)"
              : s_.decimal == ',' ? "number with a decimal comma"
                                  : "number with a decimal point");
    return false;
  }
  return s_.time_column < 0 || read_time(b, r, line, record);
}

bool BlockReader::read_time(Block& b, std::size_t r, unsigned long line, std::string_view record) {
  const Field& f = fields_[static_cast<std::size_t>(s_.time_column)];
  std::string_view cell = field_text(record, f, scratch_);
  TimeFault& fault = fault_;
  TimeRead read = times_.read(cell, b.times[r], fault);
  if (read == TimeRead::ok || read == TimeRead::empty) {
    b.time_empty[r] = read == TimeRead::empty;
    b.time_fields[r] = f;
    return true;
  }
  const char* name = columns_[static_cast<std::size_t>(s_.time_column)].header.c_str();
  const std::string text = quoted(cell.data(), cell.size());
  switch (read) {
    case TimeRead::ok:
    case TimeRead::empty:
      break;
    case TimeRead::no_such_date:
      report_at(line, name, "%s is a date that does not exist", text.c_str());
      return false;
    case TimeRead::no_such_local_time:
      report_at(line, name, "%s is a local time that does not exist (skipped when daylight time starts)",
                text.c_str());
      return false;
    case TimeRead::out_of_range:
      report_at(line, name, "%s: the %s at character %zu is out of range (%s)", text.c_str(), fault.what.c_str(),
                fault.at, fault.range);
      return false;
    case TimeRead::bad:
      if (fault.at)
        report_at(line, name, "%s is no ISO 8601 time like %s: at character %zu %s", text.c_str(),
                  example_time_text(s_.notation).c_str(), fault.at, fault.what.c_str());
      else
        report_at(line, name, "%s is no time in 1970-2099 (epoch seconds or a date and time like %s, see --date)",
                  text.c_str(), example_time_text(s_.notation).c_str());
      return false;
  }
  return false;
}

}  // namespace vtcalc
