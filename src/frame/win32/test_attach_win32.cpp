#include <windows.h>

#include "frame/attach.h"

namespace vt::frame {

void attach_for_tests() { process_attach(GetModuleHandleA(nullptr)); }
void detach_for_tests() { process_detach(); }

}  // namespace vt::frame
