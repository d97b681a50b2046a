// TZif reading: a header of six counts, a data block whose size those
// counts give, and, from version 2 on, a second header and block with 64-bit
// times followed by the footer "\n<rule>\n". Every count is checked against
// the bytes that are there before anything is read, in 64-bit arithmetic, so
// no count can make the reading leave the data.
#include "port/posix/tzif.h"

#include <cstring>

namespace vt::port::tzif {

namespace {

constexpr unsigned char kMagic[4] = {'T', 'Z', 'i', 'f'};
constexpr std::size_t kHeaderSize = 44;  // magic, version, 15 reserved, 6 counts
constexpr std::size_t kCountsAt = 20;
constexpr std::size_t kTypeSize = 6;     // utoff (4), isdst (1), desigidx (1)
constexpr std::size_t kLeapCorrectionSize = 4;

struct Header {
  unsigned char version;  // 0 for version 1, else the character '2', '3', ...
  uint64_t isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt;
};

uint32_t be32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

bool read_header(const unsigned char* p, std::size_t avail, Header& h) {
  if (avail < kHeaderSize || std::memcmp(p, kMagic, sizeof kMagic) != 0) return false;
  h.version = p[4];
  if (h.version != 0 && h.version < '2') return false;
  const unsigned char* c = p + kCountsAt;
  h.isutcnt = be32(c);
  h.isstdcnt = be32(c + 4);
  h.leapcnt = be32(c + 8);
  h.timecnt = be32(c + 12);
  h.typecnt = be32(c + 16);
  h.charcnt = be32(c + 20);
  // At least one type to fall back on and a designation for it; the two
  // indicator tables are absent or have one entry per type.
  return h.typecnt != 0 && h.charcnt != 0 && (h.isutcnt == 0 || h.isutcnt == h.typecnt) &&
         (h.isstdcnt == 0 || h.isstdcnt == h.typecnt);
}

// Bytes of the data block after a header, with `time_size`-byte times. The
// counts are below 2^32, so the sum cannot overflow 64 bits.
uint64_t block_size(const Header& h, uint64_t time_size) {
  return h.timecnt * time_size + h.timecnt + h.typecnt * kTypeSize + h.charcnt +
         h.leapcnt * (time_size + kLeapCorrectionSize) + h.isstdcnt + h.isutcnt;
}

// Reads the type in effect after the last transition from a block that is
// known to be complete.
bool read_last_type(const unsigned char* block, const Header& h, uint64_t time_size, Zone& out) {
  const unsigned char* indices = block + h.timecnt * time_size;
  const unsigned char* types = indices + h.timecnt;
  const unsigned char* chars = types + h.typecnt * kTypeSize;
  for (uint64_t i = 0; i < h.timecnt; ++i)
    if (indices[i] >= h.typecnt) return false;
  const unsigned char* type = types + (h.timecnt ? indices[h.timecnt - 1] : 0) * kTypeSize;
  int32_t offset = static_cast<int32_t>(be32(type));
  unsigned desig = type[5];
  if (offset == INT32_MIN || desig >= h.charcnt) return false;
  const void* end = std::memchr(chars + desig, '\0', h.charcnt - desig);
  if (!end) return false;
  std::size_t n = static_cast<const unsigned char*>(end) - (chars + desig);
  if (n >= kZoneNameSize) n = kZoneNameSize - 1;
  std::memcpy(out.name, chars + desig, n);
  out.name[n] = '\0';
  out.offset = offset;
  return true;
}

}  // namespace

bool read(const unsigned char* data, std::size_t size, Zone& out) {
  if (!data) return false;
  Header h;
  if (!read_header(data, size, h)) return false;
  uint64_t at = kHeaderSize + block_size(h, 4);
  if (at > size) return false;
  out.rule[0] = '\0';
  if (h.version == 0) return read_last_type(data + kHeaderSize, h, 4, out);

  // Version 2 and later: the 64-bit block repeats the data; its times reach
  // past 2038, and the footer follows it.
  if (!read_header(data + at, size - at, h)) return false;
  const unsigned char* block = data + at + kHeaderSize;
  at += kHeaderSize + block_size(h, 8);
  if (at >= size || data[at] != '\n') return false;
  if (!read_last_type(block, h, 8, out)) return false;
  const unsigned char* rule = data + at + 1;
  const void* end = std::memchr(rule, '\n', size - at - 1);
  if (!end) return false;
  std::size_t n = static_cast<const unsigned char*>(end) - rule;
  if (n >= kRuleSize || std::memchr(rule, '\0', n)) return false;
  std::memcpy(out.rule, rule, n);
  out.rule[n] = '\0';
  return true;
}

}  // namespace vt::port::tzif
