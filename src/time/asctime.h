// The text form of a broken-down time.
#pragma once

#include "veltra/timezone.h"

namespace vt::time {

// "Www Mmm dd hh:mm:ss yyyy\n" in the process-wide 26-byte buffer.
char* asctime(const vt_tm& r);

}  // namespace vt::time
