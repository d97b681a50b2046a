#include "support/win32/window_capture.h"

#include <cstdint>
#include <vector>

#include "support/png_file.h"

namespace vt::test {

std::string artefact_folder() {
  char path[MAX_PATH] = "";
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path, n);
  dir = dir.substr(0, dir.find_last_of("\\/") + 1) + "artefacts\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

bool capture_window_png(HWND window, const std::string& path) {
  RECT rc;
  if (!IsWindowVisible(window) || !GetWindowRect(window, &rc)) return false;
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return false;

  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bmp) {
    HGDIOBJ old = SelectObject(mem, bmp);
    ok = BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    const auto* px = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(w) * h; ++i) {
      rgb[3 * i] = px[4 * i + 2];
      rgb[3 * i + 1] = px[4 * i + 1];
      rgb[3 * i + 2] = px[4 * i];
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    ok = ok && write_png(path, w, h, rgb);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace vt::test
