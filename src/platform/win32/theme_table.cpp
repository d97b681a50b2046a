// Loading and unloading the visual-style services, and the wrappers that
// call them or answer their fixed missing-service value.
#include "platform/win32/theme_table.h"

#include "veltra/theme.h"

namespace vt::platform {

namespace {

ThemeTable g_table = {};

// Application theme property bits (uxtheme's STAP_*): a dialog that
// suspends themed controls clears "allow controls" and "allow web content";
// properties that allow no more than the non-client frame leave nothing to
// suspend.
constexpr DWORD kAllowNonClient = STAP_ALLOW_NONCLIENT;
constexpr DWORD kAllowControls = STAP_ALLOW_CONTROLS;
constexpr DWORD kSuspendedBits = STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT;

// The dialog-theme suspension: the suspending window and the properties
// saved when it began.
HWND g_suspending_window = nullptr;
DWORD g_saved_properties = 0;

template <typename Fn>
void bind(HMODULE m, Fn& slot, const char* name) {
  slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

void set_item_theme(HWND dialog, int id, LPCWSTR classes) {
  if (!IsCtrlAppThemed() || !g_table.set_window_theme) return;
  HWND target = id == 0 ? dialog : GetDlgItem(dialog, id);
  if (!target) return;
  g_table.set_window_theme(target, nullptr, classes);
}

}  // namespace

ThemeTable& theme_table() { return g_table; }

HRESULT draw_theme_edge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge,
                        UINT flags, RECT* content) {
  if (!g_table.draw_edge) return E_FAIL;
  return g_table.draw_edge(theme, dc, part, state, dest, edge, flags, content);
}

}  // namespace vt::platform

using vt::platform::g_table;
using vt::platform::g_saved_properties;
using vt::platform::g_suspending_window;

int InitTheme(void) {
  ExitTheme();
  HMODULE m = LoadLibraryA("uxtheme.dll");
  if (!m) return 0;
  using vt::platform::bind;
  g_table.module = m;
  bind(m, g_table.is_theme_active, "IsThemeActive");
  bind(m, g_table.is_app_themed, "IsAppThemed");
  bind(m, g_table.get_app_properties, "GetThemeAppProperties");
  bind(m, g_table.set_app_properties, "SetThemeAppProperties");
  bind(m, g_table.enable_theming, "EnableTheming");
  bind(m, g_table.enable_dialog_texture, "EnableThemeDialogTexture");
  bind(m, g_table.set_window_theme, "SetWindowTheme");
  bind(m, g_table.draw_background, "DrawThemeBackground");
  bind(m, g_table.draw_text, "DrawThemeText");
  bind(m, g_table.draw_edge, "DrawThemeEdge");
  bind(m, g_table.get_window_theme, "GetWindowTheme");
  bind(m, g_table.open_theme_data, "OpenThemeData");
  bind(m, g_table.close_theme_data, "CloseThemeData");
  bind(m, g_table.get_color, "GetThemeColor");
  return 1;
}

void ExitTheme(void) {
  if (!g_table.module) return;
  HMODULE m = g_table.module;
  g_table = {};
  FreeLibrary(m);
}

HTHEME OpenCtrlThemeData(HWND window, LPCWSTR classes) {
  return g_table.open_theme_data ? g_table.open_theme_data(window, classes) : nullptr;
}

HRESULT CloseCtrlThemeData(HTHEME theme) {
  return g_table.close_theme_data ? g_table.close_theme_data(theme) : E_FAIL;
}

HRESULT DrawCtrlThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                const RECT* clip) {
  if (!g_table.draw_background) return E_FAIL;
  return g_table.draw_background(theme, dc, part, state, rect, clip);
}

HRESULT DrawCtrlThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length,
                          DWORD flags, DWORD flags2, const RECT* rect) {
  if (!g_table.draw_text) return E_FAIL;
  return g_table.draw_text(theme, dc, part, state, text, length, flags, flags2, rect);
}

COLORREF GetCtrlThemeColor(HTHEME theme, int part, int state, int property) {
  COLORREF color = CLR_INVALID;
  if (!g_table.get_color || FAILED(g_table.get_color(theme, part, state, property, &color)))
    return CLR_INVALID;
  return color;
}

HTHEME GetCtrlWindowTheme(HWND window) {
  return g_table.get_window_theme ? g_table.get_window_theme(window) : nullptr;
}

BOOL IsCtrlThemeActive(void) {
  return g_table.is_theme_active && g_table.is_theme_active() ? 1 : 0;
}

BOOL IsCtrlAppThemed(void) { return g_table.is_app_themed && g_table.is_app_themed() ? 1 : 0; }

DWORD GetCtrlAppThemeProperties(void) {
  return g_table.get_app_properties ? g_table.get_app_properties() : 0;
}

void SetCtrlAppThemeProperties(DWORD flags) {
  if (g_table.set_app_properties) g_table.set_app_properties(flags);
}

void EnableCtrlTheming(BOOL enable) {
  if (g_table.enable_theming) g_table.enable_theming(enable);
}

HRESULT EnableCtrlThemeDialogTexture(HWND window, DWORD flags) {
  if (!g_table.enable_dialog_texture) return E_FAIL;
  if (!(GetCtrlAppThemeProperties() & vt::platform::kAllowControls)) return E_FAIL;
  return g_table.enable_dialog_texture(window, flags);
}

void SetDlgItemTheme(HWND dialog, int id) { vt::platform::set_item_theme(dialog, id, L"button"); }

void ResetDlgItemTheme(HWND dialog, int id) { vt::platform::set_item_theme(dialog, id, L""); }

void DisableDialogTheme(HWND window) {
  if (g_suspending_window || !IsCtrlAppThemed()) return;
  g_saved_properties = GetCtrlAppThemeProperties();
  if (g_saved_properties > vt::platform::kAllowNonClient) {
    SetCtrlAppThemeProperties(g_saved_properties & ~vt::platform::kSuspendedBits);
    g_suspending_window = window;
  }
}

void RestoreDialogTheme(HWND window) {
  if (!g_suspending_window || window != g_suspending_window) return;
  g_suspending_window = nullptr;
  if (g_saved_properties > vt::platform::kAllowNonClient)
    SetCtrlAppThemeProperties(g_saved_properties);
  g_saved_properties = 0;
}
