// The Windows version questions answered from a version record alone, so
// that every row of the code tables can be checked without that Windows.
#pragma once

#include <cstdint>

namespace vt::platform {

inline constexpr uint32_t kPlatform9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
inline constexpr uint32_t kPlatformNT = 2;  // VER_PLATFORM_WIN32_NT
inline constexpr uint8_t kWorkstation = 1;  // VER_NT_WORKSTATION

// The version codes of QueryWin32Type, in the order of the releases (the
// questions of QueryWin32Param compare them), with Windows Me apart.
enum VersionCode : int {
  kWindowsMe = -1,
  kVersionUnknown = 0,
  kWindows95 = 1,
  kWindows98 = 2,
  kWindowsNT4 = 3,
  kWindows2000 = 4,  // 5.0; 5.1 and 5.2 follow it
  kWindowsXP = 5,
  kWindowsServer2003 = 6,
  kWindowsVista = 7,
  kWindowsServer2008 = 8,
  kWindows7 = 9,
  kWindowsServer2012 = 10,
  kWindows8 = 11,
  kWindows81 = 12,
  kWindowsServer2012R2 = 13,
  kWindowsNewer = 14,  // newer than the table
};

// The question of QueryWin32Param that is a record size, not a yes/no.
constexpr int kRecordSizeQuestion = 34;

// The fields of the system's extended version record that the answers use.
struct VersionRecord {
  uint32_t major, minor, build, platform;
  uint8_t product_type;
};

// Version code: 1 Windows 95 ... 13 Windows Server 2012 R2, -1 Windows Me,
// 0 unknown, 14 newer than the table.
int version_code(const VersionRecord& v);

// Name of a version code; "Windows (higher)" for 0, 14 and unknown codes.
const char* version_name(int code);

// Answer to question n: 1/0, or a size for question 34. is_64bit is asked
// only for question 19.
int version_param(const VersionRecord& v, int n, int (*is_64bit)());

// The build number as reported: only its low 16 bits on 9x platforms.
uint32_t version_build(const VersionRecord& v);

}  // namespace vt::platform
