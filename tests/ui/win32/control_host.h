// A window for the list-control tests to put real controls into.
#pragma once

#include <windows.h>
#include <commctrl.h>

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

// A report-view list view (or another `view`) with the columns "A" and
// "Wert" and the rows (1, x) and (22, yy).
HWND example_list_view(ControlHost& host, int id, DWORD view = LVS_REPORT);

// A 32-bit memory bitmap of a fixed size to draw items into.
struct Canvas {
  static constexpr int kWidth = 200, kHeight = 20;
  HDC dc;
  HBITMAP bmp;
  HGDIOBJ old;
  Canvas() {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB};
    void* bits;
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bmp);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
};

// The clipboard's CF_TEXT as bytes up to the first NUL ("<none>" without
// text).
std::string clipboard_text();
// Puts a marker text on the clipboard, so that a copy that did not happen
// shows.
void set_clipboard_marker(const char* text);

}  // namespace vt::test
