#include "port/charclass.h"
#include "port/cp1252_table.h"

namespace vt::port {

unsigned char char_lower(unsigned char c) { return cp1252_lower(c); }
bool char_is_alnum(unsigned char c) { return cp1252_is_alnum(c); }

}  // namespace vt::port
