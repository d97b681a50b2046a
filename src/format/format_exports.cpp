// Exported functions of the format word.
#include "format/format_word.h"
#include "veltra/format.h"

namespace {
// The one result buffer of FormatStr, shared with FormatStrLen.
char g_mask[vt::format::kMaskBufferSize];
}  // namespace

const char* FormatStr(int16_t format, int16_t decimals) {
  vt::format::write_mask(vt::format::make_word(format, decimals), g_mask, sizeof g_mask);
  return g_mask;
}

int FormatStrLen(int16_t format, int16_t decimals) {
  int n = 0;
  for (const char* p = FormatStr(format, decimals); *p; ++p)
    if (*p != '0' && *p != 'E') ++n;
  return n;
}

int ScanFormat(const char* text, int16_t* format, int16_t* decimals, int16_t allowed) {
  vt::format::Word w;
  if (!text || !format || !decimals || !vt::format::scan_mask(text, allowed, &w)) return 0;
  *format = static_cast<int16_t>(w.format);
  *decimals = static_cast<int16_t>(w.decimals);
  return 1;
}
