#include "config/regitem_rules.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vt::config {

bool accept_edit(const char* text, std::uint32_t type, std::int32_t minimum, std::int32_t maximum,
                 std::int32_t* number) {
  if (!text) return false;
  const bool ranged = range_in_force(minimum, maximum);
  if (type == kTypeString) {
    std::size_t n = strnlen(text, kMaxStringValueChars + 1);
    if (!ranged) return n <= kMaxStringValueChars;
    long long len = static_cast<long long>(std::strlen(text));
    return len >= minimum && len <= maximum;
  }
  if (type == kTypeNumber) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text) return false;
    // strtol saturates at the limits of long, which is 32 bits wide in the
    // shipped library; saturate the same way where long is wider.
    if (v < INT32_MIN) v = INT32_MIN;
    if (v > INT32_MAX) v = INT32_MAX;
    if (ranged && (v < minimum || v > maximum)) return false;
    if (number) *number = static_cast<std::int32_t>(v);
    return true;
  }
  return false;
}

void range_text(char* buf, std::size_t size, std::int32_t minimum, std::int32_t maximum) {
  if (!buf || size == 0) return;
  if (range_in_force(minimum, maximum))
    std::snprintf(buf, size, "%ld...%ld", static_cast<long>(minimum), static_cast<long>(maximum));
  else
    std::snprintf(buf, size, "-");
}

const char* root_abbreviation(std::uint32_t root) {
  switch (root) {
    case kRootLocalMachine: return "HKLM";
    case kRootCurrentUser: return "HKCU";
    case kRootUsers: return "HKUS";
    case kRootCurrentConfig: return "HKCC";
    default: return "?UNKNOWN?";
  }
}

const char* type_name(std::uint32_t type) {
  if (type == kTypeString) return "REG_SZ";
  if (type == kTypeNumber) return "REG_DWORD";
  return "?UNKNOWN?";
}

void info_line_text(char* buf, std::size_t size, int column, std::uint32_t root, const char* key_path,
                    const char* value_name, std::uint32_t type, std::int32_t minimum,
                    std::int32_t maximum) {
  if (!buf || size == 0) return;
  buf[0] = '\0';
  if (column == 0) {
    std::snprintf(buf, size, "%s\\%s: %s", root_abbreviation(root), key_path ? key_path : "",
                  value_name ? value_name : "");
  } else if (column == 1) {
    if (range_in_force(minimum, maximum))
      std::snprintf(buf, size, "%s (%ld...%ld)", type_name(type), static_cast<long>(minimum),
                    static_cast<long>(maximum));
    else
      std::snprintf(buf, size, "%s", type_name(type));
  }
}

TextOrId classify_text_or_id(std::uintptr_t value) {
  if (value == 0 || value == 0xFFFFFFFFu || value == UINTPTR_MAX) return TextOrId::none;
  if (value < 0x10000) return TextOrId::string_id;
  return TextOrId::address;
}

}  // namespace vt::config
