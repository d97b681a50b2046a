#include <windows.h>

#include "port/locale.h"

namespace vt::port {

int locale_info(LocaleItem item, char* buf, int size) {
  LCTYPE type = 0;
  switch (item) {
    case LocaleItem::TimeSeparator: type = LOCALE_STIME; break;
    case LocaleItem::DateSeparator: type = LOCALE_SDATE; break;
    case LocaleItem::DecimalSeparator: type = LOCALE_SDECIMAL; break;
    case LocaleItem::ShortDate: type = LOCALE_SSHORTDATE; break;
  }
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, size);
}

}  // namespace vt::port
