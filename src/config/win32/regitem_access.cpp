// Reading, checking and writing the values of the registry item dialog.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "config/regitem_rules.h"
#include "veltra/regitem.h"

namespace {

// Bytes of a string value read from the registry (the caller's buffer holds
// one more for the terminator).
constexpr DWORD kReadTextBytes = 260;

}  // namespace

BOOL AccessItemValue(HKEY defaultRoot, const char* defaultKeyPath, HKEY root, const char* keyPath,
                     const char* valueName, DWORD type, DWORD* number, char* text, int mode) {
  if ((mode != REGITEM_READ && mode != REGITEM_WRITE) || (type != REG_SZ && type != REG_DWORD))
    return FALSE;
  if (!root || !keyPath) {
    root = defaultRoot;
    keyPath = defaultKeyPath;
  }
  if (!root || !keyPath) return FALSE;
  if (type == REG_SZ ? !text : !number) return FALSE;

  HKEY key;
  if (RegOpenKeyExA(root, keyPath, 0, mode == REGITEM_READ ? KEY_READ : KEY_WRITE, &key) != ERROR_SUCCESS)
    return FALSE;
  LONG rc;
  if (mode == REGITEM_WRITE) {
    if (type == REG_SZ)
      rc = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
    else
      rc = RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(number),
                          sizeof *number);
  } else {
    DWORD stored = 0;
    if (type == REG_SZ) {
      DWORD size = kReadTextBytes;
      rc = RegQueryValueExA(key, valueName, nullptr, &stored, reinterpret_cast<BYTE*>(text), &size);
      if (rc == ERROR_SUCCESS && stored == REG_SZ) text[size < kReadTextBytes ? size : kReadTextBytes] = '\0';
    } else {
      DWORD size = sizeof *number;
      rc = RegQueryValueExA(key, valueName, nullptr, &stored, reinterpret_cast<BYTE*>(number), &size);
      if (rc == ERROR_SUCCESS && size != sizeof *number) rc = ERROR_INVALID_DATA;
      if (rc == ERROR_SUCCESS && stored == REG_DWORD && text)
        std::snprintf(text, kReadTextBytes + 1, "%ld", static_cast<long>(static_cast<LONG>(*number)));
    }
    if (rc == ERROR_SUCCESS && stored != type) rc = ERROR_INVALID_DATA;
  }
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

BOOL StoreItemValue(const char* text, int row, const REGITEMLIST* list) {
  if (!list || !text || row < 0 || row >= list->itemCount || !list->items) return FALSE;
  const REGITEM& item = list->items[row];
  std::int32_t value = 0;
  if (!vt::config::accept_edit(text, item.type, item.minimum, item.maximum, &value)) return FALSE;
  DWORD number = static_cast<DWORD>(value);
  // Writing only reads the text; the shared read/write signature is not const.
  return AccessItemValue(list->defaultRoot, list->defaultKeyPath, item.root, item.keyPath,
                         item.valueName, item.type, &number, const_cast<char*>(text), REGITEM_WRITE);
}
