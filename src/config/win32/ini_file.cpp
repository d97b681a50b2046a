// The location of a module's ini file: beside the module when that folder
// takes a write, else in the user's local application-data folder.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "config/ini_location.h"
#include "frame/no_throw.h"
#include "veltra/paths.h"
#include "veltra/settings.h"

namespace {

constexpr char kSection[] = "MakeIniFile";
constexpr char kKey[] = "WriteAccess";
constexpr char kProbe[] = "OKAY";
constexpr char kSuiteFolder[] = "Veltra";

}  // namespace

extern "C" char* MakeIniFile(HINSTANCE module, char* buffer) {
  using vt::config::kIniPathSize;
  if (!buffer) return nullptr;
  char module_path[kIniPathSize] = "";
  GetModuleFileNameA(module, module_path, sizeof module_path);
  buffer[0] = '\0';
  vt::config::IniBeside beside;
  if (!vt::frame::or_failure(false, [&] {
        beside = vt::config::ini_beside_module(module_path);
        return true;
      }))
    return buffer;
  if (!beside.ok) return buffer;

  memcpy(buffer, beside.path.c_str(), beside.path.size() + 1);
  if (WritePrivateProfileStringA(kSection, kKey, kProbe, buffer)) {
    WritePrivateProfileStringA(kSection, kKey, "", buffer);
    return buffer;
  }

  // The folder part stays empty when the shell does not know the folder;
  // the path is then relative to the current drive's root.
  GetSpecialWindowsDir(CSIDL_LOCAL_APPDATA, buffer);
  size_t n = strlen(buffer);
  snprintf(buffer + n, kIniPathSize - n, "\\%s", kSuiteFolder);
  mkpath(buffer);
  n = strlen(buffer);
  snprintf(buffer + n, kIniPathSize - n, "\\%s.ini", beside.base.c_str());
  return buffer;
}
