// Points in time inside number fields.
#include "format/point_in_time.h"

namespace vt::format {

bool write_point_in_time(double value, int fields, char* out) { return false; }

double read_point_in_time(char* text, int fields, int* error) {
  *error = 1;
  return -1.0;
}

}  // namespace vt::format
