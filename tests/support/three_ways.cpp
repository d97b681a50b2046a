#include "support/three_ways.h"

#include "formula/access.h"

namespace vt::test {

void run_three_ways(ctlcalc& c, float results[3], void (*before)(int way)) {
  c.setnative(1);
  before(0);
  results[0] = c.eval();
  c.setnative(0);
  before(1);
  results[1] = c.eval();
  c.setnative(1);
  before(2);
  results[2] = ctlcalc_access::run_reference(c);
}

}  // namespace vt::test
