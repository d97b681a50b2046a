// Native builds have no OLE Automation: the services are never bound.
#include "port/oletime.h"

namespace vt::port {

bool system_time_to_variant(const WallTime&, double&) { return false; }
bool variant_to_system_time(double, WallTime&) { return false; }

}  // namespace vt::port
