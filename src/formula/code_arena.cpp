// The arena of the formulas' machine code (code_arena.h).
//
// Free space is kept twice, as extents named by their position: a position
// is the region's index in the high 32 bits and the offset in the low 32,
// so extents of one region are neighbours in position order and never
// touch another region's. By size (then position) for the best fit, by
// position for joining a freed piece with its neighbours; both are
// balanced trees, so a compile costs the same with 20,000 live formulas as
// with one.
//
// One writable view is open at a time, the one of the region last written
// to, and it stays open: code is mostly written where the last code went,
// and a view opened per compile would cost two system calls each.
#include "formula/code_arena.h"

#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "port/exec_memory.h"

namespace vt::formula {

namespace {

using Position = std::uint64_t;

struct Region {
  port::CodeMemory memory;  // run is null for a slot whose region was given back
  std::size_t live;         // bytes of live pieces
};

struct Arena {
  std::mutex mutex;
  std::vector<Region> regions;
  std::set<std::pair<std::size_t, Position>> by_size;  // free extents
  std::map<Position, std::size_t> by_position;         // the same extents
  std::size_t taken = 0;
  std::size_t open = SIZE_MAX;  // the region whose writable view is open
  unsigned char* write = nullptr;
  bool refuse = false;
};

Arena& arena() {
  static Arena* a = new Arena;  // never destroyed: formulas may outlive static destruction
  return *a;
}

Position position_of(std::size_t region, std::size_t offset) {
  return static_cast<Position>(region) << 32 | static_cast<Position>(offset);
}
std::size_t region_of(Position p) { return static_cast<std::size_t>(p >> 32); }
std::size_t offset_of(Position p) { return static_cast<std::size_t>(p & 0xFFFFFFFFu); }

void add_free(Arena& a, Position p, std::size_t n) {
  a.by_position.emplace(p, n);
  a.by_size.emplace(n, p);
}
void remove_free(Arena& a, std::map<Position, std::size_t>::iterator it) {
  a.by_size.erase({it->second, it->first});
  a.by_position.erase(it);
}

// A new region large enough for n bytes, all of it one free extent.
bool add_region(Arena& a, std::size_t n) {
  const std::size_t unit = port::code_memory_granularity();
  std::size_t bytes = n > kRegionBytes ? n : kRegionBytes;
  bytes = (bytes + unit - 1) / unit * unit;
  if (bytes > 0xFFFFFFFFu) return false;
  std::size_t index = 0;
  while (index < a.regions.size() && a.regions[index].memory.run) ++index;
  if (index == a.regions.size()) a.regions.push_back({{nullptr, 0, 0}, 0});
  port::CodeMemory m;
  if (!port::code_memory_create(bytes, &m)) return false;
  a.regions[index] = {m, 0};
  try {
    add_free(a, position_of(index, 0), bytes);
  } catch (...) {
    port::code_memory_destroy(m);
    a.regions[index].memory.run = nullptr;
    throw;
  }
  return true;
}

void close_view(Arena& a) {
  if (a.write) port::code_memory_close(a.regions[a.open].memory, a.write);
  a.write = nullptr;
  a.open = SIZE_MAX;
}

// The writable view of a region, opened when it is not the open one.
unsigned char* view_of(Arena& a, std::size_t region) {
  if (a.open != region) {
    close_view(a);
    if ((a.write = port::code_memory_open(a.regions[region].memory))) a.open = region;
  }
  return a.write;
}

// A region whose code is all freed is given back, unless it is the only
// empty one: then it stays for the next code, so that a formula compiled
// again and again does not make and unmake a region each time.
void give_back_if_empty(Arena& a, std::size_t region) {
  Region& r = a.regions[region];
  if (r.live) return;
  const auto whole = a.by_position.find(position_of(region, 0));
  if (whole == a.by_position.end() || whole->second != r.memory.bytes) return;  // an extent was lost
  for (std::size_t i = 0; i < a.regions.size(); ++i)
    if (i != region && a.regions[i].memory.run && !a.regions[i].live) {
      remove_free(a, whole);
      if (a.open == region) close_view(a);
      port::code_memory_destroy(r.memory);
      r.memory.run = nullptr;
      return;
    }
}

// The n bytes (a multiple of kCodeAlign) at offset of region go back to the
// free extents, joined with the free extents right after and right before.
void free_piece(Arena& a, std::size_t region, std::size_t offset, std::size_t n) {
  Position p = position_of(region, offset);
  a.regions[region].live -= n;
  a.taken -= n;
  auto next = a.by_position.lower_bound(p);
  if (next != a.by_position.end() && next->first == p + n) {
    n += next->second;
    auto after = std::next(next);
    remove_free(a, next);
    next = after;
  }
  if (next != a.by_position.begin()) {
    auto before = std::prev(next);
    if (before->first + before->second == p) {
      p = before->first;
      n += before->second;
      remove_free(a, before);
    }
  }
  try {
    add_free(a, p, n);
  } catch (...) {
    // No memory to note the extent: its bytes stay unused.
  }
  give_back_if_empty(a, region);
}

// The piece at place, if any, freed; place becomes kNoPlace.
void free_place(Arena& a, CodePlace& place) {
  if (!place.run) return;
  const CodePlace old = place;
  place = kNoPlace;
  free_piece(a, old.region, old.offset, old.bytes);
}

// Copies n bytes into region at offset through the writable view; false
// when no view can be had.
bool write_code(Arena& a, std::size_t region, std::size_t offset, const unsigned char* bytes, std::size_t n) {
  unsigned char* write = view_of(a, region);
  if (!write) return false;
  std::memcpy(write + offset, bytes, n);
  port::code_memory_written(a.regions[region].memory, offset, n);
  return true;
}

// The code written over the formula's own piece when it needs no more room
// than that (the rest of the piece is freed). False, with nothing changed,
// when it needs more or no view can be had.
bool rewrite_in_place(Arena& a, const unsigned char* bytes, std::size_t n, std::size_t need, CodePlace* place) {
  if (!place->run || need > place->bytes || !write_code(a, place->region, place->offset, bytes, n)) return false;
  if (need < place->bytes) {
    const std::size_t rest = place->bytes - need;
    place->bytes = static_cast<std::uint32_t>(need);
    free_piece(a, place->region, place->offset + need, rest);
  }
  return true;
}

// The code in the smallest free piece that fits (the lowest such), in a new
// region when none does.
bool place_new(Arena& a, const unsigned char* bytes, std::size_t n, std::size_t need, CodePlace* out) {
  auto fit = a.by_size.lower_bound({need, 0});
  if (fit == a.by_size.end()) {
    if (!add_region(a, need)) return false;
    fit = a.by_size.lower_bound({need, 0});
  }
  const std::size_t size = fit->first;
  const Position p = fit->second;
  const std::size_t region = region_of(p);
  const std::size_t offset = offset_of(p);
  if (!view_of(a, region)) return false;
  remove_free(a, a.by_position.find(p));
  if (size > need) {
    try {
      add_free(a, p + need, size - need);
    } catch (...) {
      add_free(a, p, size);  // erasing freed the room for it
      throw;
    }
  }
  write_code(a, region, offset, bytes, n);  // the view is open
  a.regions[region].live += need;
  a.taken += need;
  *out = {a.regions[region].memory.run + offset, static_cast<std::uint32_t>(region),
          static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(need)};
  return true;
}

}  // namespace

bool place_code(const unsigned char* bytes, std::size_t n, std::size_t budget, CodePlace* place) {
  Arena& a = arena();
  std::lock_guard<std::mutex> lock(a.mutex);
  const std::size_t need = (n + kCodeAlign - 1) / kCodeAlign * kCodeAlign;
  if (!a.refuse && a.taken - place->bytes + n <= budget) {
    if (rewrite_in_place(a, bytes, n, need, place)) return true;
    // Freed first, so that code grown a little may keep its place when
    // free space follows it.
    free_place(a, *place);
    try {
      if (place_new(a, bytes, n, need, place)) return true;
    } catch (...) {
      // out of memory for the free lists
    }
  }
  free_place(a, *place);
  return false;
}

void free_code(CodePlace& place) {
  if (!place.run) return;
  Arena& a = arena();
  std::lock_guard<std::mutex> lock(a.mutex);
  free_place(a, place);
}

CodeSpace code_space() {
  Arena& a = arena();
  std::lock_guard<std::mutex> lock(a.mutex);
  CodeSpace s = {a.taken, 0, 0};
  for (const Region& r : a.regions)
    if (r.memory.run) s.mapped += r.memory.bytes, ++s.regions;
  if (a.write) s.mapped += a.regions[a.open].memory.bytes;
  return s;
}

std::size_t code_bytes_taken() {
  Arena& a = arena();
  std::lock_guard<std::mutex> lock(a.mutex);
  return a.taken;
}

void refuse_code_for_tests(bool on) {
  Arena& a = arena();
  std::lock_guard<std::mutex> lock(a.mutex);
  a.refuse = on;
}

}  // namespace vt::formula
