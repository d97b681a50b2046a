// The text rules of paths, file-dialog templates, item numbers and help file
// names on arbitrary input, each in a heap copy of exactly its length so that
// AddressSanitizer catches a read past the terminator. Checked properties:
// a path read as a folder chain never yields an empty or backslashed name,
// a template splits into parts of the original text, and a number read back
// from its own "%G" text is accepted.
#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>

#include "config/ini_location.h"
#include "platform/path_text.h"
#include "ui/float_text.h"
#include "ui/help_places.h"
#include "veltra/paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = std::string(reinterpret_cast<const char*>(data), size).c_str();
  const size_t n = text.size();
  char* copy = static_cast<char*>(std::malloc(n + 1));

  std::memcpy(copy, text.c_str(), n + 1);
  auto chain = vt::platform::plan_folder_chain(copy);
  for (const std::string& name : chain.names)
    if (name.empty() || name.find('\\') != std::string::npos) std::abort();
  isuncpath(copy);
  checkfileextension(copy, copy + n / 2);
  vt::platform::initial_folder(copy, copy + n / 2);
  vt::config::ini_beside_module(text);
  vt::ui::help_file_for_message(text);

  std::memcpy(copy, text.c_str(), n + 1);
  vt::platform::FileTemplate t = vt::platform::split_file_template(copy);
  for (const char* part : {t.title, t.filter, t.ext})
    if (part && (part < copy || part > copy + n || text.find(part) == std::string::npos)) std::abort();

  std::memcpy(copy, text.c_str(), n + 1);
  if (PrepareFilter(copy) != static_cast<int>(std::count(text.begin(), text.end(), '|'))) std::abort();

  double v = 0;
  if (vt::ui::parse_item_float(text.c_str(), &v)) {
    char again[vt::ui::kFloatTextSize];
    double w = 0;
    if (vt::ui::format_item_float(v, again) && !vt::ui::parse_item_float(again, &w)) std::abort();
  }
  std::free(copy);
  return 0;
}
