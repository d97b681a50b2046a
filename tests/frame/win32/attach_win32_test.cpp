// The state a process sees once the library is attached, read back through
// the system: under a German and under a US user locale (the test program
// is registered once per locale, VELTRA_EXPECT_LOCALE names which).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "frame/attach.h"
#include "frame/locale_state.h"
#include "port/win32/ole_services.h"
#include "platform/win32/theme_table.h"
#include "veltra/frame.h"

namespace {

TEST(Attach, SetsModuleHandleAndBindsServicesDetachClearsThem) {
  EXPECT_EQ(GetModuleHandleA(nullptr), vt::frame::module_handle());
  EXPECT_NE(nullptr, vt::port::variant_time_to_system_time());
  EXPECT_NE(nullptr, vt::port::system_time_to_variant_time());
  EXPECT_NE(nullptr, vt::platform::theme_table().module);

  vt::frame::detach_for_tests();
  EXPECT_EQ(nullptr, vt::frame::module_handle());
  EXPECT_EQ(nullptr, vt::port::variant_time_to_system_time());
  EXPECT_EQ(nullptr, vt::platform::theme_table().module);
  EXPECT_EQ(nullptr, vt::platform::theme_table().open_theme_data);

  vt::frame::attach_for_tests();
  EXPECT_EQ(GetModuleHandleA(nullptr), vt::frame::module_handle());
  EXPECT_NE(nullptr, vt::platform::theme_table().open_theme_data);
}

struct Expected { const char *name, *date, *time, *decimal, *order; };

// Wine's German locale writes dates as d.M.yyyy and its US locale as
// M/d/yyyy; both use ":" between the time fields.
const Expected kLocales[] = {
    {"de", ".", ":", ",", "DMY"}, {"us", "/", ":", ".", "MDY"},
};

TEST(UnderLocaleAttach, LocaleStateFollowsTheUserLocale) {
  const char* which = std::getenv("VELTRA_EXPECT_LOCALE");
  ASSERT_NE(nullptr, which) << "run by the per-locale registrations only";
  for (const Expected& e : kLocales) {
    if (std::string(which) != e.name) continue;
    EXPECT_EQ(std::string(e.date) + e.time + e.decimal + e.order,
              std::string(GetSep(0)) + GetSep(1) + GetSep(2) + vt::frame::date_order());
    char number[] = "2.5";
    EXPECT_EQ(std::string("2") + e.decimal + "5", lcFloatConv(number));
    return;
  }
  FAIL() << "unknown locale " << which;
}

// The built DLL, loaded by its wine path (Z: is the Unix root).
TEST(Attach, TheDllAttachesWithItsOwnResourcesAndLocale) {
  std::string path = std::string("Z:") + VELTRA_DLL_PATH;
  for (char& c : path) c = c == '/' ? '\\' : c;
  HMODULE dll = LoadLibraryA(path.c_str());
  ASSERT_NE(nullptr, dll) << path;
  auto get_sep = reinterpret_cast<const char* (*)(int)>(reinterpret_cast<void*>(GetProcAddress(dll, "GetSep")));
  ASSERT_NE(nullptr, get_sep);
  for (int which : {0, 1, 2, 3}) EXPECT_STREQ(GetSep(which), get_sep(which));  // the same locale, read again
  char text[64];
  EXPECT_EQ(7, LoadStringA(dll, 1, text, sizeof text));
  EXPECT_STREQ("Meldung", text);
  EXPECT_STREQ("Anf\xfchrungszeichen (\") vermisst", (LoadStringA(dll, 7229, text, sizeof text), text));
  EXPECT_TRUE(FreeLibrary(dll));
}

}  // namespace
