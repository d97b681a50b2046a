#include "messages.h"

#include <cstdarg>
#include <cstdio>

namespace vtcalc {

namespace {

constexpr char kPrefix[] = "vtcalc: ";

void finish_line(const char* format, va_list args) {
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
}

}  // namespace

void report(const char* format, ...) {
  std::fputs(kPrefix, stderr);
  va_list args;
  va_start(args, format);
  finish_line(format, args);
  va_end(args);
}

void report_at(unsigned long line, const char* column, const char* format, ...) {
  std::fputs(kPrefix, stderr);
  if (column)
    std::fprintf(stderr, "line %lu, column %s: ", line, column);
  else
    std::fprintf(stderr, "line %lu: ", line);
  va_list args;
  va_start(args, format);
  finish_line(format, args);
  va_end(args);
}

}  // namespace vtcalc
