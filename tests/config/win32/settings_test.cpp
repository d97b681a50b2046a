// The settings store on wine's real registry, checked value by value with
// the registry's own calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/guarded_buffer.h"
#include "veltra/settings.h"

namespace {

using vt::test::GuardedBuffer;

const std::string kRoot = "Software\\Quillbern\\Veltra\\Controls\\";

// Each run uses its own control names and removes them afterwards.
class Settings : public testing::Test {
 protected:
  void SetUp() override { control_ = "VtSettingsTest" + std::to_string(GetCurrentProcessId()); }
  void TearDown() override {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeA(root, (kRoot + control_).c_str());
  }
  // The stored value's type and byte length, read directly.
  static bool stored(HKEY root, const std::string& control, const char* name, DWORD* type, DWORD* bytes) {
    HKEY key;
    if (RegOpenKeyExA(root, (kRoot + control).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    LONG rc = RegQueryValueExA(key, name, nullptr, type, nullptr, bytes);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
  }
  std::string control_;
};

struct Scope {
  HKEY root;
  int (*write_string)(const char*, const char*, const char*);
  int (*get_string)(const char*, const char*, const char*, char*, int);
  int (*write_int)(const char*, const char*, LONG);
  LONG (*get_int)(const char*, const char*, LONG);
};
const Scope kScopes[] = {
    {HKEY_LOCAL_MACHINE, WriteCtrlIniString, GetCtrlIniString, WriteCtrlIniInt, GetCtrlIniInt},
    {HKEY_CURRENT_USER, WriteUsrIniString, GetUsrIniString, WriteUsrIniInt, GetUsrIniInt},
};

TEST_F(Settings, ValuesComeBackAsStoredWithTheirExactTypeAndLength) {
  const std::string texts[] = {"", "Trend", "Gr\xF6\xDF" "e \xE4\xF6\xFC", std::string(300, 'x')};
  const LONG numbers[] = {0, 1, -1, 0x7FFFFFFF, LONG(0x80000000)};
  for (const Scope& s : kScopes) {
    for (const std::string& t : texts) {
      ASSERT_EQ(s.write_string(control_.c_str(), "Text", t.c_str()), 1);
      DWORD type = 0, bytes = 0;
      ASSERT_TRUE(stored(s.root, control_, "Text", &type, &bytes));
      EXPECT_EQ(type, DWORD(REG_SZ));
      EXPECT_EQ(bytes, t.size() + 1);
      char buf[400];
      EXPECT_EQ(s.get_string(control_.c_str(), "Text", "def", buf, sizeof buf), int(t.size()));
      EXPECT_EQ(buf, t);
    }
    for (LONG n : numbers) {
      ASSERT_EQ(s.write_int(control_.c_str(), "Zahl", n), 1);
      DWORD type = 0, bytes = 0;
      ASSERT_TRUE(stored(s.root, control_, "Zahl", &type, &bytes));
      EXPECT_EQ(type, DWORD(REG_DWORD));
      EXPECT_EQ(bytes, 4u);
      EXPECT_EQ(s.get_int(control_.c_str(), "Zahl", 12345), n);
    }
  }
}

TEST_F(Settings, MachineAndUserDoNotSeeEachOther) {
  ASSERT_EQ(WriteCtrlIniString(control_.c_str(), "NurMaschine", "m"), 1);
  ASSERT_EQ(WriteUsrIniInt(control_.c_str(), "NurBenutzer", 5), 1);
  char buf[16];
  EXPECT_EQ(GetUsrIniString(control_.c_str(), "NurMaschine", "keiner", buf, sizeof buf), 6);
  EXPECT_STREQ(buf, "keiner");
  EXPECT_EQ(GetCtrlIniInt(control_.c_str(), "NurBenutzer", -7), -7);
  EXPECT_EQ(GetCtrlIniString(control_.c_str(), "NurMaschine", "keiner", buf, sizeof buf), 1);
  EXPECT_EQ(GetUsrIniInt(control_.c_str(), "NurBenutzer", -7), 5);
}

TEST_F(Settings, TheDefaultStandsInCutToTheBuffer) {
  ASSERT_EQ(WriteUsrIniString(control_.c_str(), "Zehn", "0123456789"), 1);
  ASSERT_EQ(WriteUsrIniString(control_.c_str(), "Sieben", "0123456"), 1);
  struct Case {
    const char* name;
    const char* def;
    int size;
    int want;
    const char* text;
  };
  const Case cases[] = {
      {"Zehn", "Vorgabewert", 8, 7, "Vorgabe"},  // too long: the default, not 7 stored characters
      {"Zehn", "Vorgabewert", 11, 10, "0123456789"},
      {"Sieben", "Vorgabe", 8, 7, "0123456"},      // exactly fits
      {"Fehlt", nullptr, 8, 0, ""},
      {"Fehlt", "abc", 8, 3, "abc"},
      {"Fehlt", "abc", 1, 0, ""},
      {"Zehn", nullptr, 4, 0, ""},
  };
  for (const Case& c : cases) {
    GuardedBuffer buf(c.size);
    EXPECT_EQ(GetUsrIniString(control_.c_str(), c.name, c.def, buf.data(), c.size), c.want) << c.name << c.size;
    EXPECT_STREQ(buf.data(), c.text) << c.name << c.size;
    EXPECT_TRUE(buf.guard_intact()) << c.name << c.size;
  }
  EXPECT_EQ(GetUsrIniString(control_.c_str(), "Zehn", "x", nullptr, 10), 0);
  GuardedBuffer none(0);
  EXPECT_EQ(GetUsrIniString(control_.c_str(), "Zehn", "x", none.data(), 0), 0);
  EXPECT_TRUE(none.guard_intact());
}

TEST_F(Settings, ValuesOfAnotherTypeReadAsTheDefault) {
  const DWORD four = 4;
  const unsigned long long eight = 8;
  struct Raw {
    const char* name;
    DWORD type;
    const void* data;
    DWORD bytes;
  };
  const Raw raws[] = {
      {"Expand", REG_EXPAND_SZ, "%TEMP%", 7}, {"Dword", REG_DWORD, &four, 4},
      {"Text", REG_SZ, "4", 2},               {"Qword", REG_QWORD, &eight, 8},
  };
  for (const Raw& r : raws)
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, (kRoot + control_).c_str(), r.name, r.type, r.data, r.bytes),
              ERROR_SUCCESS);
  for (const Raw& r : raws) {
    char buf[16];
    GetCtrlIniString(control_.c_str(), r.name, "def", buf, sizeof buf);
    EXPECT_STREQ(buf, r.type == REG_SZ ? "4" : "def") << r.name;
    EXPECT_EQ(GetCtrlIniInt(control_.c_str(), r.name, -1), r.type == REG_DWORD ? 4 : -1) << r.name;
  }
}

TEST_F(Settings, ControlNamesReachDeeperKeysAndTheirLimit) {
  const std::string deeper = control_ + "\\Unter\\Ebene";
  ASSERT_EQ(WriteUsrIniInt(deeper.c_str(), "Tief", 3), 1);
  DWORD type, bytes;
  EXPECT_TRUE(stored(HKEY_CURRENT_USER, deeper, "Tief", &type, &bytes));
  // The longest control name: 224 characters, the key path 259.
  const std::string longest = control_ + "\\" + std::string(224 - control_.size() - 1, 'L');
  ASSERT_EQ(longest.size(), 224u);
  ASSERT_EQ(WriteUsrIniString(longest.c_str(), "Lang", "ja"), 1);
  EXPECT_TRUE(stored(HKEY_CURRENT_USER, longest, "Lang", &type, &bytes));
  EXPECT_EQ(WriteUsrIniString(nullptr, "x", "y"), 0);
  EXPECT_EQ(WriteUsrIniString(control_.c_str(), "x", nullptr), 0);
  EXPECT_EQ(GetUsrIniInt(nullptr, "x", 9), 9);
}

}  // namespace
