// Paths of the shell's special folders.
#include <windows.h>
#include <shlobj.h>

#include "veltra/ole.h"
#include "veltra/paths.h"

namespace {

// QueryWin32Param question: does the shell know the create-if-missing flag?
constexpr int kAsksCreateFlag = 1;

}  // namespace

extern "C" BOOL GetSpecialWindowsDir(int csidl, char* path) {
  if (!path) return FALSE;
  path[0] = '\0';
  if (QueryWin32Param(kAsksCreateFlag)) csidl |= CSIDL_FLAG_CREATE;
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return FALSE;
  BOOL ok = SHGetPathFromIDListA(items, path);
  CoTaskMemFree(items);
  if (!ok) path[0] = '\0';
  return ok;
}
