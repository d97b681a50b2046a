#include "port/thread_slot.h"

namespace vt::port {

namespace {
// Plain pointers, no constructor and no destructor: a thread that ends
// leaves nothing behind.
thread_local void* t_slots[kThreadSlots];
}  // namespace

void* thread_slot(ThreadSlot slot) { return t_slots[static_cast<int>(slot)]; }
void set_thread_slot(ThreadSlot slot, void* value) { t_slots[static_cast<int>(slot)] = value; }

}  // namespace vt::port
