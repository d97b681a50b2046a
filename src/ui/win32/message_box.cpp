// Message boxes filled from a module's string table.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "frame/attach.h"
#include "veltra/message.h"

namespace vt::ui {

namespace {

// A format string of up to 511 characters, a caption of up to 127, and a
// formatted text of up to 599 (longer texts are cut there).
constexpr int kFormatSize = 512;
constexpr int kCaptionSize = 128;
constexpr int kTextSize = 600;
// The caption of a message box without an owner window.
constexpr UINT kCaptionId = 1;

int show(HWND owner, HINSTANCE module, UINT id, UINT type, const char* caption, va_list args) {
  char format[kFormatSize];
  if (LoadStringA(module, id, format, kFormatSize) <= 0) return 0;
  char text[kTextSize];
  // vsnprintf cuts at kTextSize - 1 characters and always terminates.
  if (vsnprintf(text, kTextSize, format, args) < 0) text[0] = '\0';
  return MessageBoxA(owner, text, caption, type);
}

HINSTANCE library() { return static_cast<HINSTANCE>(vt::frame::module_handle()); }

}  // namespace

int message_box(HWND owner, UINT id, UINT type, va_list args) {
  char caption[kCaptionSize] = "";
  HINSTANCE module;
  if (owner) {
    module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    GetWindowTextA(owner, caption, kCaptionSize);
  } else {
    module = library();
    LoadStringA(module, kCaptionId, caption, kCaptionSize);
  }
  return show(owner, module, id, type, caption, args);
}

int resource_message_box(HINSTANCE module, UINT id, UINT type, va_list args) {
  HWND owner = GetActiveWindow();
  char caption[kCaptionSize] = "";
  if (owner)
    GetWindowTextA(owner, caption, kCaptionSize);
  else
    LoadStringA(module, kCaptionId, caption, kCaptionSize);
  return show(owner, module, id, type, caption, args);
}

}  // namespace vt::ui

extern "C" int MessageFMTBox(HWND owner, UINT id, UINT type, ...) {
  va_list args;
  va_start(args, type);
  int r = vt::ui::message_box(owner, id, type, args);
  va_end(args);
  return r;
}

extern "C" int ResourceMessageBox(HINSTANCE module, UINT id, UINT type, ...) {
  va_list args;
  va_start(args, type);
  int r = vt::ui::resource_message_box(module, id, type, args);
  va_end(args);
  return r;
}
