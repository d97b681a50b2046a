// Platform seam: the user's locale settings.
#pragma once

namespace vt::port {

enum class LocaleItem { TimeSeparator, DateSeparator, DecimalSeparator, ShortDate };

// Queries one item of the user's default locale into buf (size bytes with
// the terminator), as GetLocaleInfoA does: the number of characters written
// including the terminator, or 0 when the item does not fit or is unknown.
int locale_info(LocaleItem item, char* buf, int size);

}  // namespace vt::port
