// The ini file's place beside its module.
#include <gtest/gtest.h>

#include <string>

#include "config/ini_location.h"

namespace {

TEST(IniBeside, ReplacesTheExtensionAndKeepsTheBaseName) {
  struct Case {
    std::string module;
    bool ok;
    std::string path, base;
  };
  const std::string long_base(140, 'n');
  const std::string deep = "C:\\" + std::string(252, 'd') + "\\m.d";  // 259 characters
  const Case cases[] = {
      {"C:\\Apps\\Tool\\mod.dll", true, "C:\\Apps\\Tool\\mod.ini", "mod"},
      {"C:\\Apps\\Tool\\mod.x.exe", true, "C:\\Apps\\Tool\\mod.x.ini", "mod.x"},
      {"\\\\srv\\share\\m.ocx", true, "\\\\srv\\share\\m.ini", "m"},
      {"C:\\.dll", true, "C:\\.ini", ""},
      {"C:\\" + long_base + ".dll", true, "C:\\" + long_base + ".ini", long_base.substr(0, 127)},
      {"mod.dll", false, "", ""},
      {"C:\\Apps\\mod", false, "", ""},
      {"C:\\a.b\\mod", false, "", ""},
      {deep, false, "", ""},  // ".ini" would not fit 260 characters
      {"", false, "", ""},
  };
  for (const Case& c : cases) {
    auto r = vt::config::ini_beside_module(c.module);
    EXPECT_EQ(r.ok, c.ok) << c.module;
    EXPECT_EQ(r.path, c.path) << c.module;
    EXPECT_EQ(r.base, c.base) << c.module;
  }
}

}  // namespace
