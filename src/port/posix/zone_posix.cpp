// Native builds: the machine's zone and "TZ".
//
// The machine's zone is the zone file /etc/localtime, or the file that "TZ"
// names when it holds a zone name ("Europe/Berlin", ":Europe/Berlin",
// ":/path/to/file") rather than rule text the library reads itself
// ("CET-1CEST"). Its record is the one the library would get from the
// system on Windows: bias, names and the transition dates of the file's
// rule (see tzif.h, posix_rule.h). No /etc/localtime means UTC, as the C
// library takes it; a zone file that does not read means no system zone.
//
// The record is read again when "TZ" changes and at most once a minute
// otherwise, so that the wall clock of every time() call follows it without
// a file read each time. Process-wide and unguarded, like the library's
// other caches of the system's state.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "port/char_class.h"
#include "port/posix/posix_rule.h"
#include "port/posix/tzif.h"
#include "port/posix/zone_clock.h"
#include "port/zone.h"

namespace vt::port {

namespace {

constexpr char kLocalZoneFile[] = "/etc/localtime";
constexpr char kZoneDirectory[] = "/usr/share/zoneinfo/";
// Zone files are a few kilobytes; anything much larger is no zone file.
constexpr std::size_t kMaxZoneFile = 64 * 1024;
constexpr std::size_t kPathSize = 4096;
// "TZ" values are remembered up to this length to notice a change.
constexpr std::size_t kTzKeySize = 256;
// Rule text of the library: three letters, then the offset's sign or digit.
constexpr int kRuleNameLength = 3;

struct Cache {
  bool valid = false;
  bool tz_set = false;
  char tz[kTzKeySize] = "";
  int64_t minute = 0;
  bool have_zone = false;  // false: no system zone
  ZoneInfo zone{};
};
Cache g_cache;

bool is_rule_text(const char* tz) {
  for (int i = 0; i < kRuleNameLength; ++i)
    if (!port::is_letter(tz[i])) return false;
  char c = tz[kRuleNameLength];
  return c == '+' || c == '-' || port::is_digit(c);
}

// The file a zone name stands for: an absolute path, or a name under the
// zone directory without any ".." that would leave it. False when the name
// cannot be a zone file's.
bool path_of_name(const char* name, char* path) {
  if (*name == '\0') return false;
  if (*name == '/') {
    if (std::strlen(name) >= kPathSize) return false;
    std::strcpy(path, name);
    return true;
  }
  for (const char* p = name; (p = std::strstr(p, "..")) != nullptr; p += 2)
    if ((p == name || p[-1] == '/') && (p[2] == '/' || p[2] == '\0')) return false;
  if (sizeof kZoneDirectory + std::strlen(name) > kPathSize) return false;
  std::strcpy(path, kZoneDirectory);
  std::strcat(path, name);
  return true;
}

bool is_file(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// The zone file "TZ" names, when it names one: a value beginning with ":",
// or one that is no rule text and names an existing file.
bool named_zone_file(const char* tz, char* path) {
  if (!tz) return false;
  if (*tz == ':') return path_of_name(tz + 1, path);
  return !is_rule_text(tz) && path_of_name(tz, path) && is_file(path);
}

enum class FileRead { Missing, Bad, Read };

// Reads a whole regular file of at most kMaxZoneFile bytes. Opened without
// blocking, so that a name of a pipe or device cannot stall the caller.
FileRead read_file(const char* path, unsigned char* buf, std::size_t& size) {
  int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return FileRead::Missing;
  struct stat st;
  FileRead r = FileRead::Bad;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    size = 0;
    ssize_t n = -1;
    while (size <= kMaxZoneFile && (n = ::read(fd, buf + size, kMaxZoneFile + 1 - size)) > 0)
      size += static_cast<std::size_t>(n);
    if (n == 0 && size <= kMaxZoneFile) r = FileRead::Read;
  }
  close(fd);
  return r;
}

// The record of a zone file: its rule, or else the fixed local time type it
// ends with.
bool zone_of_file(const unsigned char* data, std::size_t size, ZoneInfo& out) {
  tzif::Zone z;
  if (!tzif::read(data, size, z)) return false;
  if (z.rule[0]) return zone_of_rule(z.rule, out);
  out = ZoneInfo{};
  out.bias = -z.offset / 60;
  std::memcpy(out.standard_name, z.name, sizeof z.name);
  return true;
}

// Reads the machine's zone into the cache.
void load(const char* tz) {
  static unsigned char data[kMaxZoneFile + 1];
  char path[kPathSize];
  bool named = named_zone_file(tz, path);
  if (!named) std::strcpy(path, kLocalZoneFile);
  std::size_t size = 0;
  FileRead r = read_file(path, data, size);
  if (r == FileRead::Missing && !named) {
    g_cache.zone = ZoneInfo{};  // no zone set: UTC
    std::strcpy(g_cache.zone.standard_name, "UTC");
    g_cache.have_zone = true;
    return;
  }
  g_cache.have_zone = r == FileRead::Read && zone_of_file(data, size, g_cache.zone);
}

// The cached record, read again when "TZ" or the minute has changed.
const ZoneInfo* machine_zone(int64_t now) {
  const char* tz = std::getenv("TZ");
  int64_t minute = now / 60;
  bool same_tz = tz ? g_cache.tz_set && std::strncmp(tz, g_cache.tz, kTzKeySize - 1) == 0
                    : !g_cache.tz_set;
  if (!g_cache.valid || !same_tz || minute != g_cache.minute) {
    load(tz);
    g_cache.valid = true;
    g_cache.minute = minute;
    g_cache.tz_set = tz != nullptr;
    g_cache.tz[0] = '\0';
    if (tz) std::strncat(g_cache.tz, tz, kTzKeySize - 1);
  }
  return g_cache.have_zone ? &g_cache.zone : nullptr;
}

}  // namespace

ZoneNow query_system_zone(ZoneInfo& info) {
  int64_t now = static_cast<int64_t>(std::time(nullptr));
  const ZoneInfo* z = machine_zone(now);
  if (!z) return ZoneNow::Failed;
  info = *z;
  if (z->daylight_date.month == 0 || z->daylight_bias == 0) return ZoneNow::Unknown;
  return daylight_at(*z, now) ? ZoneNow::Daylight : ZoneNow::Standard;
}

bool read_tz(char* buf, std::size_t size) {
  if (!buf || size == 0) return false;
  buf[0] = '\0';
  const char* v = std::getenv("TZ");
  char path[kPathSize];
  // A zone name is the system's zone, which system_zone reads.
  if (!v || named_zone_file(v, path)) return false;
  std::size_t n = std::strlen(v);
  if (n >= size) n = size - 1;
  std::memcpy(buf, v, n);
  buf[n] = '\0';
  return true;
}

}  // namespace vt::port
