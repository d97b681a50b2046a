// Native builds have no entry point: a load-time constructor stands in for
// process attach, so that the shared library and programs linking the
// static archive start in the same state as the DLL.
#include "frame/attach.h"

namespace vt::frame {

namespace {
__attribute__((constructor)) void on_load() { process_attach(nullptr); }
__attribute__((destructor)) void on_unload() { process_detach(); }
}  // namespace

void attach_for_tests() { process_attach(nullptr); }
void detach_for_tests() { process_detach(); }

}  // namespace vt::frame
