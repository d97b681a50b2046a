// A window for the list-control tests to put real controls into.
#pragma once

#include <windows.h>

#include <string>

namespace vt::test {

class ControlHost {
 public:
  ControlHost();
  ~ControlHost();
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  HWND window() const { return window_; }
  // Creates a child control of class cls with the id and extra styles
  // (WS_CHILD | WS_VISIBLE are always set).
  HWND add(const char* cls, int id, DWORD style = 0, int width = 300, int height = 200);

 private:
  HWND window_ = nullptr;
};

// The clipboard's CF_TEXT as bytes up to the first NUL ("<none>" without
// text).
std::string clipboard_text();
// Puts a marker text on the clipboard, so that a copy that did not happen
// shows.
void set_clipboard_marker(const char* text);

}  // namespace vt::test
