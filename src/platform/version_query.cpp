// Windows version codes and yes/no questions over a version record.
#include "platform/version_query.h"

namespace vt::platform {

namespace {

// Question 34 is not a yes/no question but a size that callers pass on to
// the system: the larger one from version 5.1 (Windows XP) on.
constexpr int kNewRecordSize = 48;
constexpr int kOldRecordSize = 40;

// 9x versions: 4.0, 4.10 and 4.90; a 9x record above 4 reads as the code
// after XP, as the table has always had it.
int code_9x(const VersionRecord& v) {
  if (v.major > 4) return kWindowsServer2003;
  if (v.major < 4) return kVersionUnknown;
  if (v.minor < 10) return kWindows95;
  if (v.minor < 90) return kWindows98;
  return kWindowsMe;
}

int code_nt(const VersionRecord& v) {
  const bool ws = v.product_type == kWorkstation;
  if (v.major < 5) return kWindowsNT4;
  if (v.major == 5) return v.minor <= 2 ? static_cast<int>(kWindows2000 + v.minor) : kWindowsNewer;
  if (v.major > 6) return kWindowsNewer;
  switch (v.minor) {
    case 0: return ws ? kWindowsVista : kWindowsServer2008;
    case 1: return ws ? kWindows7 : kWindowsServer2008;
    case 2: return ws ? kWindows8 : kWindowsServer2012;
    case 3: return ws ? kWindows81 : kWindowsServer2012R2;
  }
  return kWindowsNewer;
}

bool at_least_nt(const VersionRecord& v, uint32_t major, uint32_t minor) {
  return v.platform == kPlatformNT && (v.major > major || (v.major == major && v.minor >= minor));
}

}  // namespace

int version_code(const VersionRecord& v) {
  if (v.platform == kPlatform9x) return code_9x(v);
  if (v.platform == kPlatformNT) return code_nt(v);
  return 0;
}

const char* version_name(int code) {
  switch (code) {
    case kWindowsMe: return "Windows Me";
    case kWindows95: return "Windows 95";
    case kWindows98: return "Windows 98";
    case kWindowsNT4: return "Windows NT";
    case kWindows2000: return "Windows 2000";
    case kWindowsXP: return "Windows XP";
    case kWindowsServer2003: return "Windows Server 2003";
    case kWindowsVista: return "Windows Vista";
    case kWindowsServer2008: return "Windows Server 2008";
    case kWindows7: return "Windows 7";
    case kWindowsServer2012: return "Windows Server 2012";
    case kWindows8: return "Windows 8";
    case kWindows81: return "Windows 8.1";
    case kWindowsServer2012R2: return "Windows Server 2012 R2";
  }
  return "Windows (higher)";
}

int version_param(const VersionRecord& v, int n, int (*is_64bit)()) {
  const bool nt = v.platform == kPlatformNT;
  const bool w9x = v.platform == kPlatform9x;
  switch (n) {
    case 0: case 4: case 32: case 33: return nt;
    case 1: return nt && v.major >= 5;
    case 2: return w9x && v.minor == 0;
    case 3: return w9x && v.minor >= 10 && v.major >= 4;
    case 5: return v.major >= 4 && nt;
    case 6: return nt || version_param(v, 3, is_64bit);
    case 7:
      return version_param(v, 1, is_64bit) || version_param(v, 3, is_64bit) ||
             version_param(v, 15, is_64bit);
    case 8: return !nt || v.major > 4;
    case 9: return at_least_nt(v, 5, 1);
    case 10: return at_least_nt(v, 5, 2);
    case 11: return version_code(v) >= kWindowsVista;
    case 12: return nt && v.major >= 6;
    case 13: return version_code(v) >= kWindowsServer2008;
    case 14: return version_code(v) >= kWindows7;
    case 15: return version_code(v) >= kWindows8;
    case 16: return version_code(v) >= kWindowsServer2012;
    case 17: return version_code(v) >= kWindows81;
    case 18: return version_code(v) >= kWindowsServer2012R2;
    case 19: return is_64bit && is_64bit() == 1;
    case kRecordSizeQuestion: return (v.major > 5 || (v.major == 5 && v.minor >= 1)) ? kNewRecordSize : kOldRecordSize;
  }
  return 0;
}

uint32_t version_build(const VersionRecord& v) {
  return v.platform == kPlatform9x ? (v.build & 0xFFFFu) : v.build;
}

}  // namespace vt::platform
