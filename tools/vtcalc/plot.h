// The trend chart of --plot: the result columns and chosen signals over the
// time column (or the row number), one line per series, Boolean series as
// steps in lanes of their own below the chart, a legend on top. Streams in
// bounded memory: the points are kept in at most kMaxBuckets buckets per
// series, each with its first, lowest, highest and last value, so peaks
// survive however long the file is.
#pragma once

#include <string>
#include <vector>

#include "time_cell.h"

namespace vtcalc {

class Plot {
 public:
  struct Series {
    std::string name;  // UTF-8
    bool boolean = false;
  };

  // `time_axis`: x values are epoch seconds, labelled in the notation;
  // else row numbers. `decimal` is the mark of the y labels.
  Plot(std::vector<Series> series, bool time_axis, const Notation& notation, char decimal);

  // One row: x and one value per series (Boolean values as 0 or 1, or the
  // engine's Boolean cell).
  void add(double x, const float* values);

  // The chart as an SVG document.
  std::string svg() const;

  struct Bucket {
    double x_first, x_last;
    float first, low, high, last;
  };
  static constexpr std::size_t kMaxBuckets = 1200;

 private:
  void merge_pairs();

  std::vector<Series> series_;
  bool time_axis_;
  Notation notation_;
  char decimal_;
  std::size_t per_bucket_ = 1;   // rows in one full bucket
  std::size_t in_last_ = 0;      // rows in the last bucket
  std::vector<std::vector<Bucket>> buckets_;  // per series
};

}  // namespace vtcalc
