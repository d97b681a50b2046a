// The user's decimal separator, as number scanning sees it.
#pragma once

namespace vt::format {

inline char locale_decimal() { return '.'; }

}  // namespace vt::format
