// The expected hashes of the cross-build sample (tests/math/sample.h),
// computed from the oracle: correctly rounded results are unique, so these
// are the numbers every build must reproduce. Printed as the lines of
// tests/math/sample_hashes.inc.
#pragma once

namespace checkmath {

void print_sample_hashes();

}  // namespace checkmath
