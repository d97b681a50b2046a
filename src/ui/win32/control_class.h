// Telling controls apart by their window class name.
#pragma once

#include <windows.h>

namespace vt::ui {

// Characters of a class name read for comparisons.
constexpr int kClassNameChars = 32;

// True when the window's class name equals name, ignoring case.
bool has_class(HWND window, const char* name);

}  // namespace vt::ui
