// Axis ticks of the trend chart at round values: times at whole seconds,
// minutes, hours or days of the local clock, labelled in the user's date
// notation; numbers at 1, 2 or 5 times a power of ten.
#pragma once

#include <string>
#include <vector>

#include "time_cell.h"

namespace vtcalc {

struct Tick {
  double value;
  std::string label;
  std::string label2;  // a second line: the date where the day changes
};

// Ticks within [lo, hi] (epoch seconds), about `wanted` of them.
std::vector<Tick> time_ticks(double lo, double hi, const Notation& n, int wanted);

// Ticks within [lo, hi], about `wanted` of them, with `decimal` as mark.
std::vector<Tick> number_ticks(double lo, double hi, char decimal, int wanted);

}  // namespace vtcalc
