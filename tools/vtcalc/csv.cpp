#include "csv.h"

#include <cstring>

namespace vtcalc {

bool LineReader::next(std::string& line) {
  line.clear();
  for (;;) {
    if (pos_ == end_) {
      if (eof_) return !line.empty();
      end_ = std::fread(buf_.data(), 1, buf_.size(), in_);
      pos_ = 0;
      if (end_ == 0) {
        eof_ = true;
        return !line.empty();
      }
    }
    const char* start = buf_.data() + pos_;
    const char* nl = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
    if (!nl) {
      line.append(start, end_ - pos_);
      pos_ = end_;
      continue;
    }
    line.append(start, nl - start);
    pos_ += (nl - start) + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
}

void split_fields(const std::string& line, char sep, std::vector<std::string>& fields) {
  std::size_t n = 0;
  std::size_t i = 0;
  for (;;) {
    if (n == fields.size()) fields.emplace_back();
    std::string& f = fields[n++];
    f.clear();
    if (i < line.size() && line[i] == '"') {
      for (++i; i < line.size(); ++i) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            f += '"';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          f += line[i];
        }
      }
      while (i < line.size() && line[i] != sep) f += line[i++];
    } else {
      std::size_t j = line.find(sep, i);
      if (j == std::string::npos) j = line.size();
      f.assign(line, i, j - i);
      i = j;
    }
    if (i >= line.size()) break;
    ++i;  // past the separator
  }
  fields.resize(n);
}

void write_field(std::FILE* out, const std::string& field, char sep) {
  if (field.find_first_of(std::string(1, sep) + "\"\r\n") == std::string::npos) {
    std::fwrite(field.data(), 1, field.size(), out);
    return;
  }
  std::fputc('"', out);
  for (char c : field) {
    if (c == '"') std::fputc('"', out);
    std::fputc(c, out);
  }
  std::fputc('"', out);
}

}  // namespace vtcalc
