// Native builds answer with the library's defaults (German notation); the
// reading of the locale state is tested over explicit query results instead.
#include <cstring>

#include "port/locale.h"

namespace vt::port {

int locale_info(LocaleItem item, char* buf, int size) {
  const char* v = "";
  switch (item) {
    case LocaleItem::TimeSeparator: v = ":"; break;
    case LocaleItem::DateSeparator: v = "."; break;
    case LocaleItem::DecimalSeparator: v = "."; break;
    case LocaleItem::ShortDate: v = "dd.MM.yyyy"; break;
  }
  int n = static_cast<int>(std::strlen(v)) + 1;
  if (!buf || n > size) return 0;
  std::memcpy(buf, v, n);
  return n;
}

}  // namespace vt::port
