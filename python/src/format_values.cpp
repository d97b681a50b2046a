#include "format_values.h"

#include "result_text.h"

namespace veltra_py {

namespace {

bool read_mask(const std::string& mask, vtcalc::ResultFormat& format) {
  return mask.empty() || vtcalc::parse_mask(mask.c_str(), format);
}

}  // namespace

bool valid_mask(const std::string& mask) {
  vtcalc::ResultFormat format;
  return read_mask(mask, format);
}

std::vector<std::string> format_values(const float* values, std::size_t count, const std::string& mask) {
  vtcalc::ResultFormat format;
  read_mask(mask, format);
  std::vector<std::string> texts;
  texts.reserve(count);
  char text[vtcalc::kResultTextSize];
  for (std::size_t i = 0; i < count; ++i) texts.emplace_back(text, vtcalc::result_text(text, values[i], format, '.'));
  return texts;
}

}  // namespace veltra_py
