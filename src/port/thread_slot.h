// Platform seam: a few pointers of the calling thread. The formula engine
// keeps here the compile in progress on a thread (read at every node and
// name the parser makes) and the C handle whose callbacks are being served
// (read at every variable an evaluation reads), so a read must cost a few
// instructions. A C++ thread_local costs far more in the mingw builds (a
// call into the threads library, about 30 ns under wine); the Windows side
// reads the thread's own slot table directly.
#pragma once

namespace vt::port {

enum class ThreadSlot { compile, handle };
constexpr int kThreadSlots = 2;

// The calling thread's pointer in `slot`; null until the thread sets one.
void* thread_slot(ThreadSlot slot);
void set_thread_slot(ThreadSlot slot, void* value);

}  // namespace vt::port
