// Settings of controls and users in the registry. No key handle is kept:
// every call opens the control's key, reads or writes one value, and closes
// it again.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "veltra/settings.h"

namespace {

// The key path: maker, suite, control. Its fixed part is 35 characters, so
// a 260-byte buffer takes control names of up to 224 characters.
constexpr char kKeyFormat[] = "Software\\%s\\%s\\Controls\\%s";
constexpr char kMaker[] = "Quillbern";
constexpr char kSuite[] = "Veltra";
constexpr int kKeyPathSize = 260;

enum class Access { kRead, kWrite };

// Opens (creating it if missing) the control's key under `root`; null when
// that fails.
HKEY OpenSettingsKey(HKEY root, const char* control, Access access) {
  if (!control) return nullptr;
  char path[kKeyPathSize];
  snprintf(path, sizeof path, kKeyFormat, kMaker, kSuite, control);
  char no_class[] = "";
  REGSAM sam = access == Access::kWrite ? KEY_READ | KEY_WRITE : KEY_READ;
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path, 0, no_class, REG_OPTION_NON_VOLATILE, sam, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return nullptr;
  return key;
}

int write_value(HKEY root, const char* control, const char* name, DWORD type, const void* data, DWORD bytes) {
  HKEY key = OpenSettingsKey(root, control, Access::kWrite);
  if (!key) return 0;
  LONG rc = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

int write_string(HKEY root, const char* control, const char* name, const char* value) {
  if (!value) return 0;
  return write_value(root, control, name, REG_SZ, value, static_cast<DWORD>(strlen(value) + 1));
}

int write_int(HKEY root, const char* control, const char* name, LONG value) {
  return write_value(root, control, name, REG_DWORD, &value, sizeof value);
}

// The default, cut to the buffer: at most size - 1 characters.
int place_default(const char* def, char* buffer, int size) {
  if (!def) {
    buffer[0] = '\0';
    return 0;
  }
  size_t n = strlen(def) + 1;
  if (n > static_cast<size_t>(size)) n = size;
  memcpy(buffer, def, n - 1);
  buffer[n - 1] = '\0';
  return static_cast<int>(n - 1);
}

int get_string(HKEY root, const char* control, const char* name, const char* def, char* buffer, int size) {
  if (!buffer || size < 1) return 0;
  HKEY key = OpenSettingsKey(root, control, Access::kRead);
  int result = -1;
  if (key) {
    DWORD type = 0, bytes = static_cast<DWORD>(size);
    // A value longer than the buffer fails here (ERROR_MORE_DATA), so the
    // default is used rather than a cut stored value.
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) == ERROR_SUCCESS &&
        type == REG_SZ) {
      result = bytes > 0 ? static_cast<int>(bytes - 1) : 0;
      buffer[result] = '\0';  // a value stored without its terminator
    }
    RegCloseKey(key);
  }
  return result >= 0 ? result : place_default(def, buffer, size);
}

LONG get_int(HKEY root, const char* control, const char* name, LONG def) {
  HKEY key = OpenSettingsKey(root, control, Access::kRead);
  if (!key) return def;
  LONG value = 0;
  DWORD type = 0, bytes = sizeof value;
  LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_DWORD && bytes == sizeof value ? value : def;
}

}  // namespace

extern "C" {

int WriteCtrlIniString(const char* control, const char* name, const char* value) {
  return write_string(HKEY_LOCAL_MACHINE, control, name, value);
}
int WriteUsrIniString(const char* control, const char* name, const char* value) {
  return write_string(HKEY_CURRENT_USER, control, name, value);
}
int WriteCtrlIniInt(const char* control, const char* name, LONG value) {
  return write_int(HKEY_LOCAL_MACHINE, control, name, value);
}
int WriteUsrIniInt(const char* control, const char* name, LONG value) {
  return write_int(HKEY_CURRENT_USER, control, name, value);
}
int GetCtrlIniString(const char* control, const char* name, const char* def, char* buffer, int size) {
  return get_string(HKEY_LOCAL_MACHINE, control, name, def, buffer, size);
}
int GetUsrIniString(const char* control, const char* name, const char* def, char* buffer, int size) {
  return get_string(HKEY_CURRENT_USER, control, name, def, buffer, size);
}
LONG GetCtrlIniInt(const char* control, const char* name, LONG def) {
  return get_int(HKEY_LOCAL_MACHINE, control, name, def);
}
LONG GetUsrIniInt(const char* control, const char* name, LONG def) {
  return get_int(HKEY_CURRENT_USER, control, name, def);
}

}  // extern "C"
