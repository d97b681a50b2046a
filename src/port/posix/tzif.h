// Native builds: the zone files of the system (TZif, the binary form the
// C library reads from /etc/localtime and /usr/share/zoneinfo).
//
// The library keeps one rule per zone and no history, so of a zone file only
// its last word counts: the rule text in the footer of a version 2 or later
// file ("CET-1CEST,M3.5.0,M10.5.0/3"), which holds from the last listed
// transition on; or, when a file has no such rule, the local time type in
// effect after its last transition, as a zone without daylight time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "port/zone.h"

namespace vt::port::tzif {

// The footer's rule text is at most this long; tzdata's longest is about 40
// characters.
constexpr std::size_t kRuleSize = 128;

// What a zone file says of the present.
struct Zone {
  char rule[kRuleSize];  // the footer's rule text; empty when the file has none
  // The local time type after the last transition (the first type when
  // there are none): what an empty rule leaves.
  int32_t offset;                // seconds east of UTC
  char name[kZoneNameSize];      // its designation, such as "CET" or "+03"
};

// Reads a zone file of `size` bytes. False for anything that is not a
// complete, consistent TZif file (bad magic, counts that overrun the data,
// indices outside their tables, a footer without its line feeds): the caller
// takes such a file as no zone at all.
bool read(const unsigned char* data, std::size_t size, Zone& out);

}  // namespace vt::port::tzif
