// Pictures of windows for test artefacts.
#pragma once

#include <windows.h>

#include <string>

namespace vt::test {

// The folder "artefacts" beside the running test program (created when
// missing), with a trailing backslash.
std::string artefact_folder();

// Redraws the window and copies what the screen shows of it into a PNG
// file. False when the window is not shown or the file cannot be written.
bool capture_window_png(HWND window, const std::string& path);

}  // namespace vt::test
