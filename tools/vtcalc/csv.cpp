#include "csv.h"

#include <cstring>

namespace vtcalc {

namespace {

// True when `record` ends inside a quoted field. A quote opens a quoted
// field only at the start of a field, as the splitter reads it.
bool ends_in_quotes(const std::string& record, char sep) {
  bool in_quotes = false, field_start = true;
  for (std::size_t i = 0; i < record.size(); ++i) {
    char c = record[i];
    if (in_quotes) {
      if (c == '"') {
        if (i + 1 < record.size() && record[i + 1] == '"')
          ++i;
        else
          in_quotes = false;
      }
    } else if (c == '"' && field_start) {
      in_quotes = true;
    }
    field_start = !in_quotes && (sep ? c == sep : (c == ';' || c == ','));
  }
  return in_quotes;
}

}  // namespace

bool RecordReader::next_line(std::string& out) {
  bool any = false;
  for (;;) {
    if (pos_ == end_) {
      if (eof_) return any;
      end_ = std::fread(buf_.data(), 1, buf_.size(), in_);
      pos_ = 0;
      if (end_ == 0) {
        eof_ = true;
        error_ = std::ferror(in_) != 0;
        return any;
      }
    }
    any = true;
    const char* start = buf_.data() + pos_;
    const char* nl = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
    if (!nl) {
      out.append(start, end_ - pos_);
      pos_ = end_;
      if (out.size() > kMaxRecord) return true;
      continue;
    }
    out.append(start, nl - start);
    pos_ += (nl - start) + 1;
    if (!out.empty() && out.back() == '\r') out.pop_back();
    return true;
  }
}

RecordReader::Status RecordReader::next(std::string& out) {
  std::size_t from = out.size();
  first_line_ = lines_ + 1;
  if (!next_line(out)) return error_ ? Status::read_error : Status::end;
  ++lines_;
  for (;;) {
    if (out.size() - from > kMaxRecord) return Status::too_long;
    // Only a record with a quote can continue on the next line.
    if (!std::memchr(out.data() + from, '"', out.size() - from)) break;
    if (!ends_in_quotes(out.substr(from), sep_)) break;
    out += '\n';
    if (!next_line(out)) return error_ ? Status::read_error : Status::unclosed_quote;
    ++lines_;
  }
  if (std::memchr(out.data() + from, '\0', out.size() - from)) return Status::nul_byte;
  return error_ ? Status::read_error : Status::record;
}

RecordReader::Status RecordReader::read_header(std::string& header, char sep, char decimal) {
  static const char kByteOrderMark[] = "\xEF\xBB\xBF";
  Status st = next(header);
  if (st != Status::record) return st;
  if (header.compare(0, 3, kByteOrderMark) == 0) header.erase(0, 3);
  sep_ = sep ? sep : header.find(';') != std::string::npos ? ';' : ',';
  decimal_ = decimal ? decimal : sep_ == ';' ? ',' : '.';
  return st;
}

void split_fields(std::string_view line, char sep, std::vector<Field>& fields) {
  std::size_t n = 0;
  std::size_t i = 0;
  const std::size_t size = line.size();
  for (;;) {
    if (n == fields.size()) fields.emplace_back();
    Field& f = fields[n++];
    f.begin = static_cast<std::uint32_t>(i);
    f.quoted = i < size && line[i] == '"';
    if (f.quoted) {
      for (++i; i < size; ++i) {
        if (line[i] == '"') {
          if (i + 1 < size && line[i + 1] == '"') {
            ++i;
          } else {
            ++i;
            break;
          }
        }
      }
    }
    // The rest of the field (after a closing quote: stray text is kept).
    // Fields are short: a plain loop beats a call to memchr.
    while (i < size && line[i] != sep) ++i;
    f.end = static_cast<std::uint32_t>(i);
    if (i >= size) break;
    ++i;  // past the separator
  }
  fields.resize(n);
}

std::string_view field_text(std::string_view line, const Field& f, std::string& scratch) {
  if (!f.quoted) return std::string_view(line.data() + f.begin, f.end - f.begin);
  scratch.clear();
  for (std::uint32_t i = f.begin + 1; i < f.end; ++i) {
    if (line[i] == '"') {
      if (i + 1 < f.end && line[i + 1] == '"')
        ++i;
      else
        continue;  // the closing quote
    }
    scratch += line[i];
  }
  return scratch;
}

void append_field(std::string& out, std::string_view field, char sep) {
  bool plain = true;
  for (char c : field) plain = plain && c != sep && c != '"' && c != '\r' && c != '\n';
  if (plain) {
    out.append(field.data(), field.size());
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace vtcalc
