// The process-wide table of visual-style services, filled by InitTheme and
// emptied by ExitTheme. Each pointer is null while its service is missing.
#pragma once

#include <windows.h>
#include <uxtheme.h>

namespace vt::platform {

struct ThemeTable {
  HMODULE module;
  BOOL(WINAPI* is_theme_active)();
  BOOL(WINAPI* is_app_themed)();
  DWORD(WINAPI* get_app_properties)();
  void(WINAPI* set_app_properties)(DWORD);
  HRESULT(WINAPI* enable_theming)(BOOL);
  HRESULT(WINAPI* enable_dialog_texture)(HWND, DWORD);
  HRESULT(WINAPI* set_window_theme)(HWND, LPCWSTR, LPCWSTR);
  HRESULT(WINAPI* draw_background)(HTHEME, HDC, int, int, const RECT*, const RECT*);
  HRESULT(WINAPI* draw_text)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*);
  HRESULT(WINAPI* draw_edge)(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*);
  HTHEME(WINAPI* get_window_theme)(HWND);
  HTHEME(WINAPI* open_theme_data)(HWND, LPCWSTR);
  HRESULT(WINAPI* close_theme_data)(HTHEME);
  HRESULT(WINAPI* get_color)(HTHEME, int, int, int, COLORREF*);
};

// The live table. Tests may replace entries with stand-ins and must restore
// the table (InitTheme) afterwards.
ThemeTable& theme_table();

// DrawThemeEdge; E_FAIL when missing.
HRESULT draw_theme_edge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge,
                        UINT flags, RECT* content);

}  // namespace vt::platform
