// The running Windows' version, asked once and answered through the code
// tables of version_query.
#include <windows.h>

#include "platform/version_query.h"
#include "veltra/ole.h"

namespace {

// Filled on first use; concurrent first calls compute the same values.
OSVERSIONINFOEXA g_version;
bool g_version_read = false;

// -2: not asked yet.
int g_is64 = -2;

const OSVERSIONINFOEXA& version_info() {
  if (!g_version_read) {
    OSVERSIONINFOEXA v = {};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v));
#pragma GCC diagnostic pop
    g_version = v;
    g_version_read = true;
  }
  return g_version;
}

vt::platform::VersionRecord version_record() {
  const OSVERSIONINFOEXA& v = version_info();
  return {v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber, v.dwPlatformId, v.wProductType};
}

int ask_is64() { return Is64BitWindows(); }

}  // namespace

// A 32-bit process asks whether it runs under the 32-bit emulation layer; a
// 64-bit process runs on 64-bit Windows by its very existence.
int Is64BitWindows(void) {
  if (g_is64 != -2) return g_is64;
#ifdef _WIN64
  g_is64 = 1;
#else
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto fn = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  BOOL wow = FALSE;
  if (!fn)
    g_is64 = 0;
  else if (!fn(GetCurrentProcess(), &wow))
    g_is64 = -1;
  else
    g_is64 = wow ? 1 : 0;
#endif
  return g_is64;
}

int QueryWin32Type(void) { return vt::platform::version_code(version_record()); }

int QueryWin32Param(int n) { return vt::platform::version_param(version_record(), n, ask_is64); }

LPCSTR QueryWin32Name(int selector) {
  const vt::platform::VersionRecord v = version_record();
  switch (selector) {
    case 1: return version_info().szCSDVersion;
    case 2: return reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(vt::platform::version_build(v)));
    case 3: return reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(v.major));
    case 4: return reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(v.minor));
  }
  return vt::platform::version_name(vt::platform::version_code(v));
}
