// Platform seam: a few pointers of the calling thread. The formula engine
// keeps here the compile in progress on a thread (read at every node and
// name the parser makes) and the C handle whose callbacks are being served
// (read at every variable an evaluation reads), so a read must cost a few
// instructions. A C++ thread_local costs far more in the mingw builds (a
// call into the threads library, about 30 ns under wine); the Windows side
// reads the thread's own slot table directly. Natively a thread_local is
// the cheap way: in a program, a read is one load beside the thread
// pointer, so the reads are inline here.
#pragma once

namespace vt::port {

enum class ThreadSlot { compile, handle };
constexpr int kThreadSlots = 2;

// The calling thread's pointer in `slot`; null until the thread sets one.
#if defined(_WIN32)
void* thread_slot(ThreadSlot slot);
void set_thread_slot(ThreadSlot slot, void* value);
#else
// Plain pointers, no constructor and no destructor: a thread that ends
// leaves nothing behind. The initial-exec model reads them at a fixed
// offset from the thread pointer, with no call: the 16 bytes come from the
// static thread storage, which a module loaded later also has room for.
[[gnu::tls_model("initial-exec")]] inline thread_local void* t_thread_slots[kThreadSlots];
inline void* thread_slot(ThreadSlot slot) { return t_thread_slots[static_cast<int>(slot)]; }
inline void set_thread_slot(ThreadSlot slot, void* value) { t_thread_slots[static_cast<int>(slot)] = value; }
#endif

}  // namespace vt::port
