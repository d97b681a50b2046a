// The tokenizer that keeps empty fields. Its scan position belongs to the
// calling thread, so threads tokenize independently.
#include <cstring>

#include "veltra/strings.h"

namespace {
thread_local char* t_position = nullptr;
}

char* strtoks(char* text, const char* delimiters) {
  if (text) t_position = text;
  char* start = t_position;
  if (!start || !*start) return nullptr;
  char* end = delimiters ? start + std::strcspn(start, delimiters) : start + std::strlen(start);
  if (*end) {
    *end = '\0';
    t_position = end + 1;
  } else {
    t_position = nullptr;
  }
  return start;
}
