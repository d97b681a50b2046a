// The visual-style table: bound after load, every wrapper's fixed answer
// when it is empty, and the dialog-theme suspension over stand-in
// services.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/theme_table.h"
#include "veltra/theme.h"

namespace {

using vt::platform::theme_table;
using vt::platform::ThemeTable;

// Puts the live table back after each test.
class Theme : public ::testing::Test {
 protected:
  void TearDown() override { ASSERT_EQ(1, InitTheme()); }
};

TEST_F(Theme, ServicesAreBoundAtLoad) {
  const ThemeTable& t = theme_table();
  ASSERT_NE(nullptr, t.module);
  const void* services[] = {
      reinterpret_cast<void*>(t.is_theme_active),    reinterpret_cast<void*>(t.is_app_themed),
      reinterpret_cast<void*>(t.get_app_properties), reinterpret_cast<void*>(t.set_app_properties),
      reinterpret_cast<void*>(t.enable_theming),     reinterpret_cast<void*>(t.enable_dialog_texture),
      reinterpret_cast<void*>(t.set_window_theme),   reinterpret_cast<void*>(t.draw_background),
      reinterpret_cast<void*>(t.draw_text),          reinterpret_cast<void*>(t.draw_edge),
      reinterpret_cast<void*>(t.get_window_theme),   reinterpret_cast<void*>(t.open_theme_data),
      reinterpret_cast<void*>(t.close_theme_data),   reinterpret_cast<void*>(t.get_color)};
  for (size_t i = 0; i < sizeof services / sizeof *services; ++i) EXPECT_NE(nullptr, services[i]) << i;
}

TEST_F(Theme, EveryWrapperAnswersItsMissingValueWhenUnloaded) {
  ExitTheme();
  ExitTheme();  // a second unload does nothing
  EXPECT_EQ(nullptr, theme_table().module);
  RECT r = {0, 0, 10, 10};
  EXPECT_EQ(nullptr, OpenCtrlThemeData(nullptr, L"BUTTON"));
  EXPECT_EQ(E_FAIL, CloseCtrlThemeData(nullptr));
  EXPECT_EQ(E_FAIL, DrawCtrlThemeBackground(nullptr, nullptr, 1, 1, &r, nullptr));
  EXPECT_EQ(E_FAIL, DrawCtrlThemeText(nullptr, nullptr, 1, 1, L"x", 1, 0, 0, &r));
  EXPECT_EQ(E_FAIL, vt::platform::draw_theme_edge(nullptr, nullptr, 1, 1, &r, 0, 0, nullptr));
  EXPECT_EQ(static_cast<COLORREF>(-1), GetCtrlThemeColor(nullptr, 1, 1, 1));
  EXPECT_EQ(nullptr, GetCtrlWindowTheme(nullptr));
  EXPECT_EQ(0, IsCtrlThemeActive());
  EXPECT_EQ(0, IsCtrlAppThemed());
  EXPECT_EQ(0u, GetCtrlAppThemeProperties());
  EXPECT_EQ(E_FAIL, EnableCtrlThemeDialogTexture(nullptr, 0));
  SetCtrlAppThemeProperties(3);
  EnableCtrlTheming(TRUE);
  SetDlgItemTheme(nullptr, 0);
  ResetDlgItemTheme(nullptr, 0);
  DisableDialogTheme(reinterpret_cast<HWND>(1));
  RestoreDialogTheme(reinterpret_cast<HWND>(1));
}

// Stand-in services that record what they were asked.
DWORD g_properties;
std::vector<DWORD> g_set_calls;
std::vector<std::pair<HWND, std::wstring>> g_window_themes;
BOOL g_app_themed;

BOOL WINAPI fake_is_app_themed() { return g_app_themed; }
DWORD WINAPI fake_get_properties() { return g_properties; }
void WINAPI fake_set_properties(DWORD p) {
  g_properties = p;
  g_set_calls.push_back(p);
}
HRESULT WINAPI fake_texture(HWND, DWORD) { return S_OK; }
HRESULT WINAPI fake_set_window_theme(HWND w, LPCWSTR, LPCWSTR classes) {
  g_window_themes.emplace_back(w, classes ? classes : L"(null)");
  return S_OK;
}
HRESULT WINAPI fake_get_color(HTHEME, int, int, int, COLORREF* c) {
  *c = RGB(1, 2, 3);
  return S_OK;
}
HRESULT WINAPI failing_get_color(HTHEME, int, int, int, COLORREF*) { return E_INVALIDARG; }

void install_fakes(BOOL themed, DWORD properties) {
  ExitTheme();
  ThemeTable& t = theme_table();
  t.is_app_themed = fake_is_app_themed;
  t.get_app_properties = fake_get_properties;
  t.set_app_properties = fake_set_properties;
  t.enable_dialog_texture = fake_texture;
  t.set_window_theme = fake_set_window_theme;
  g_app_themed = themed;
  g_properties = properties;
  g_set_calls.clear();
  g_window_themes.clear();
}

TEST_F(Theme, DialogTextureNeedsTheAllowControlsBit) {
  install_fakes(TRUE, 1 | 4);
  EXPECT_EQ(E_FAIL, EnableCtrlThemeDialogTexture(nullptr, 0));
  g_properties = 2;
  EXPECT_EQ(S_OK, EnableCtrlThemeDialogTexture(nullptr, 0));
}

TEST_F(Theme, ColourIsMinusOneWhenTheCallFails) {
  install_fakes(TRUE, 0);
  theme_table().get_color = fake_get_color;
  EXPECT_EQ(RGB(1, 2, 3), GetCtrlThemeColor(nullptr, 1, 1, 1));
  theme_table().get_color = failing_get_color;
  EXPECT_EQ(static_cast<COLORREF>(-1), GetCtrlThemeColor(nullptr, 1, 1, 1));
}

TEST_F(Theme, SuspensionBelongsToOneWindow) {
  HWND a = reinterpret_cast<HWND>(0x10), b = reinterpret_cast<HWND>(0x20);
  install_fakes(TRUE, 7);
  DisableDialogTheme(a);
  EXPECT_EQ(std::vector<DWORD>{1}, g_set_calls);  // bits 2 and 4 cleared
  DisableDialogTheme(b);                          // already suspended
  RestoreDialogTheme(b);                          // not the suspending window
  EXPECT_EQ(std::vector<DWORD>{1}, g_set_calls);
  RestoreDialogTheme(a);
  EXPECT_EQ((std::vector<DWORD>{1, 7}), g_set_calls);
  RestoreDialogTheme(a);  // over
  EXPECT_EQ(2u, g_set_calls.size());

  install_fakes(TRUE, 1);  // 0 or 1: nothing to suspend, no window recorded
  DisableDialogTheme(a);
  RestoreDialogTheme(a);
  EXPECT_TRUE(g_set_calls.empty());

  install_fakes(FALSE, 7);  // not themed
  DisableDialogTheme(a);
  EXPECT_TRUE(g_set_calls.empty());
}

TEST_F(Theme, DialogItemThemeTargetsTheDialogForIdZero) {
  HWND dialog = reinterpret_cast<HWND>(0x30);
  install_fakes(TRUE, 3);
  SetDlgItemTheme(dialog, 0);
  ResetDlgItemTheme(dialog, 0);
  SetDlgItemTheme(dialog, 1234);  // no such item
  ASSERT_EQ(2u, g_window_themes.size());
  EXPECT_EQ(dialog, g_window_themes[0].first);
  EXPECT_EQ(L"button", g_window_themes[0].second);
  EXPECT_EQ(L"", g_window_themes[1].second);
  install_fakes(FALSE, 3);
  SetDlgItemTheme(dialog, 0);
  EXPECT_TRUE(g_window_themes.empty());
}

}  // namespace
