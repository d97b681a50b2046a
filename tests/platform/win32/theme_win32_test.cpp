// The visual-style table: the suspension and item theming over stand-in
// services.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/theme_table.h"
#include "veltra/theme.h"

namespace {

using vt::platform::theme_table;

// Puts the live table back after each test.
class Theme : public ::testing::Test {
 protected:
  void TearDown() override { ASSERT_EQ(1, InitTheme()); }
};

// Stand-in services that record what they were asked.
BOOL g_themed;
DWORD g_properties;
std::vector<DWORD> g_set;
std::vector<std::wstring> g_classes;

BOOL WINAPI fake_themed() { return g_themed; }
DWORD WINAPI fake_get() { return g_properties; }
void WINAPI fake_set(DWORD p) { g_set.push_back(g_properties = p); }
HRESULT WINAPI fake_texture(HWND, DWORD) { return S_OK; }
HRESULT WINAPI fake_window_theme(HWND w, LPCWSTR, LPCWSTR classes) {
  g_classes.push_back(std::to_wstring(reinterpret_cast<UINT_PTR>(w)) + L":" + classes);
  return S_OK;
}
HRESULT WINAPI failing_color(HTHEME, int, int, int, COLORREF*) { return E_INVALIDARG; }

void install_fakes(BOOL themed, DWORD properties) {
  ExitTheme();
  auto& t = theme_table();
  t.is_app_themed = fake_themed;
  t.get_app_properties = fake_get;
  t.set_app_properties = fake_set;
  t.enable_dialog_texture = fake_texture;
  t.set_window_theme = fake_window_theme;
  t.get_color = failing_color;
  g_themed = themed;
  g_properties = properties;
  g_set.clear();
  g_classes.clear();
}

TEST_F(Theme, TextureNeedsAllowControlsAndColourFailureIsMinusOne) {
  install_fakes(TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_WEBCONTENT);
  EXPECT_EQ(E_FAIL, EnableCtrlThemeDialogTexture(nullptr, 0));
  g_properties = STAP_ALLOW_CONTROLS;
  EXPECT_EQ(S_OK, EnableCtrlThemeDialogTexture(nullptr, 0));
  EXPECT_EQ(CLR_INVALID, GetCtrlThemeColor(nullptr, 1, 1, 1));
}

TEST_F(Theme, SuspensionBelongsToOneWindow) {
  HWND a = reinterpret_cast<HWND>(0x10), b = reinterpret_cast<HWND>(0x20);
  install_fakes(TRUE, STAP_VALIDBITS);
  DisableDialogTheme(a);  // clears the controls and web content bits
  DisableDialogTheme(b);  // already suspended: nothing
  RestoreDialogTheme(b);  // not the suspending window: nothing
  RestoreDialogTheme(a);
  RestoreDialogTheme(a);  // over: nothing
  EXPECT_EQ((std::vector<DWORD>{STAP_ALLOW_NONCLIENT, STAP_VALIDBITS}), g_set);
  for (auto [themed, properties] :
       {std::pair<BOOL, DWORD>{TRUE, STAP_ALLOW_NONCLIENT}, {FALSE, STAP_VALIDBITS}}) {
    install_fakes(themed, properties);
    DisableDialogTheme(a);
    RestoreDialogTheme(a);
    EXPECT_TRUE(g_set.empty());
  }
}

TEST_F(Theme, ItemThemeTargetsTheDialogForIdZero) {
  HWND dialog = reinterpret_cast<HWND>(0x30);
  install_fakes(TRUE, 3);
  SetDlgItemTheme(dialog, 0);
  ResetDlgItemTheme(dialog, 0);
  SetDlgItemTheme(dialog, 1234);  // no such item
  EXPECT_EQ((std::vector<std::wstring>{L"48:button", L"48:"}), g_classes);
  install_fakes(FALSE, 3);
  SetDlgItemTheme(dialog, 0);
  EXPECT_TRUE(g_classes.empty());
}

}  // namespace
