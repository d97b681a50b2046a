// Platform seam: file names the system knows about the running process.
#pragma once

namespace vt::port {

// Buffer size for a module's file name, terminator included.
constexpr int kModulePathBytes = 261;

// Copies the full file name of the running process's executable into buf
// (size bytes, terminator included). Returns its length, or 0 when it is
// unknown or size < 1 (buf then holds "" where size >= 1). Windows gives a
// name with backslashes, cut to size - 1 characters; the native build gives
// the POSIX name (forward slashes), or 0 when it does not fit.
int executable_path(char* buf, int size);

}  // namespace vt::port
