#include "plot.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace vtcalc {

namespace {

// A Boolean cell of the engine (0 or 1 in the low 16 bits) or a float 0/1.
float as_level(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  if ((bits & 0xFFFF0000u) == 0) return (bits & 0xFFFF) ? 1.0f : 0.0f;
  return v != 0.0f ? 1.0f : 0.0f;
}

void fold(Plot::Bucket& into, const Plot::Bucket& b) {
  into.x_last = b.x_last;
  if (std::isnan(into.first)) into.first = b.first;
  if (!std::isnan(b.low) && (std::isnan(into.low) || b.low < into.low)) into.low = b.low;
  if (!std::isnan(b.high) && (std::isnan(into.high) || b.high > into.high)) into.high = b.high;
  if (!std::isnan(b.last)) into.last = b.last;
}

}  // namespace

Plot::Plot(std::vector<Series> series, bool time_axis, const Notation& notation, char decimal)
    : series_(std::move(series)), time_axis_(time_axis), notation_(notation), decimal_(decimal),
      buckets_(series_.size()) {}

void Plot::add(double x, const float* values) {
  bool fresh = buckets_.empty() || buckets_[0].empty() || in_last_ == per_bucket_;
  if (fresh && !buckets_.empty() && buckets_[0].size() == kMaxBuckets) {
    merge_pairs();
    fresh = in_last_ == per_bucket_;
  }
  for (std::size_t s = 0; s < series_.size(); ++s) {
    float v = series_[s].boolean ? as_level(values[s]) : values[s];
    if (std::isinf(v)) v = NAN;  // no place on the chart
    Bucket b{x, x, v, v, v, v};
    if (fresh)
      buckets_[s].push_back(b);
    else
      fold(buckets_[s].back(), b);
  }
  in_last_ = fresh ? 1 : in_last_ + 1;
}

void Plot::merge_pairs() {
  for (std::vector<Bucket>& list : buckets_) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < list.size(); i += 2) {
      Bucket b = list[i];
      if (i + 1 < list.size()) fold(b, list[i + 1]);
      list[n++] = b;
    }
    list.resize(n);
  }
  // Merging happens only when the last of an even count of buckets is
  // full: the merged last bucket is full too.
  per_bucket_ *= 2;
  in_last_ = per_bucket_;
}

}  // namespace vtcalc
