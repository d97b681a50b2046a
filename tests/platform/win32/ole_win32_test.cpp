// OLE Automation binding, text conversions, GUID text and the version
// queries on the running system.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <string>

#include "platform/win32/ole_binding.h"
#include "veltra/ole.h"

namespace {

TEST(Ole, TimeServicesAreBoundAndConvert) {
  auto to_system = vt::platform::variant_time_to_system_time();
  auto to_variant = vt::platform::system_time_to_variant_time();
  ASSERT_NE(nullptr, to_system);
  ASSERT_NE(nullptr, to_variant);
  SYSTEMTIME st = {};
  ASSERT_TRUE(to_system(2.5, &st));  // day 2 after 1899-12-30, noon
  EXPECT_EQ(1900, st.wYear);
  EXPECT_EQ(1, st.wMonth);
  EXPECT_EQ(1, st.wDay);
  EXPECT_EQ(12, st.wHour);
  double back = 0;
  ASSERT_TRUE(to_variant(&st, &back));
  EXPECT_EQ(2.5, back);

  OleReinit();
  EXPECT_EQ(nullptr, vt::platform::variant_time_to_system_time());
  OleReinit();
  EXPECT_TRUE(OleInit());
  EXPECT_NE(nullptr, vt::platform::system_time_to_variant_time());
}

TEST(Ole, TextConversionsRoundTripAndStopAtTheBufferSize) {
  WCHAR wide[VELTRA_OLE_TEXT_SIZE + 1];
  char narrow[VELTRA_OLE_TEXT_SIZE + 1];
  EXPECT_EQ(wide, ToOleStr(wide, "Gr\xfc\xdf" "e"));
  EXPECT_EQ(std::wstring(L"Gr\u00fc\u00dfe"), wide);
  EXPECT_EQ(narrow, FromOleStr(narrow, wide));
  EXPECT_STREQ("Gr\xfc\xdf" "e", narrow);

  const std::string long_text(400, 'x');
  wide[VELTRA_OLE_TEXT_SIZE] = 0x7f7f;
  ToOleStr(wide, long_text.c_str());
  EXPECT_EQ(0x7f7f, wide[VELTRA_OLE_TEXT_SIZE]);
  EXPECT_EQ(static_cast<size_t>(VELTRA_OLE_TEXT_SIZE - 1), std::wstring(wide).size());
  const std::wstring long_wide(400, L'y');
  narrow[VELTRA_OLE_TEXT_SIZE] = 0x7f;
  FromOleStr(narrow, long_wide.c_str());
  EXPECT_EQ(0x7f, narrow[VELTRA_OLE_TEXT_SIZE]);
  EXPECT_EQ(static_cast<size_t>(VELTRA_OLE_TEXT_SIZE - 1), std::strlen(narrow));
}

TEST(Ole, SystemStrings) {
  for (size_t len : {0, 5, 260, 261, 300}) {
    const std::string text(len, 'q');
    BSTR b = MakeSysStr(text.c_str());
    ASSERT_NE(nullptr, b) << len;
    EXPECT_EQ(len, SysStringLen(b));
    char back[VELTRA_OLE_TEXT_SIZE];
    if (len < VELTRA_OLE_TEXT_SIZE)
      EXPECT_EQ(text, FromSysStr(back, b));  // frees b
    else
      SysFreeString(b);
  }
  EXPECT_EQ(nullptr, MakeSysStr(nullptr));
  char out[8] = "junk";
  EXPECT_STREQ("", FromSysStr(out, nullptr));
}

TEST(Ole, GuidTextAndBool) {
  EXPECT_STREQ("{00000000-0000-0000-C000-000000000046}", StrFromGUID(IID_IUnknown));
  const GUID g = {0x12345678, 0x9abc, 0xdef0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef}};
  EXPECT_STREQ("{12345678-9ABC-DEF0-0123-456789ABCDEF}", StrFromGUID(g));
  EXPECT_EQ(StrFromGUID(g), StrFromGUID(IID_IUnknown));  // one shared buffer
  EXPECT_EQ(VARIANT_TRUE, MakeBool(-5));
  EXPECT_EQ(VARIANT_TRUE, MakeBool(1));
  EXPECT_EQ(VARIANT_FALSE, MakeBool(0));
}

// A minimal object to register.
struct Object : IUnknown {
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown) return *out = nullptr, E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(Ole, RegisterFileMonikerInTheRunningObjectTable) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Object object;
  DWORD cookie = 0;
  IMoniker* moniker = nullptr;
  ASSERT_EQ(S_OK, RegisterFileMoniker("C:\\veltra\\document.txt", &object, &cookie, &moniker));
  ASSERT_NE(nullptr, moniker);
  IRunningObjectTable* rot = nullptr;
  ASSERT_EQ(S_OK, GetRunningObjectTable(0, &rot));
  EXPECT_EQ(S_OK, rot->IsRunning(moniker));
  EXPECT_EQ(S_OK, rot->Revoke(cookie));
  rot->Release();
  moniker->Release();
  moniker->Release();
  EXPECT_EQ(E_FAIL, RegisterFileMoniker(nullptr, &object, &cookie, &moniker));
  CoUninitialize();
}

TEST(Ole, VersionQueriesOnTheRunningSystem) {
  const int code = QueryWin32Type();
  EXPECT_GE(code, 7);  // wine reports an NT 6 or later system
  EXPECT_STREQ(QueryWin32Name(0), QueryWin32Name(99));
  EXPECT_EQ(0, std::strncmp("Windows ", QueryWin32Name(0), 8));
  EXPECT_EQ(0, QueryWin32Param(25));
  EXPECT_EQ(48, QueryWin32Param(34));
  EXPECT_EQ(1, QueryWin32Param(11));
  EXPECT_GE(reinterpret_cast<UINT_PTR>(QueryWin32Name(3)), 6u);
  EXPECT_NE(nullptr, QueryWin32Name(1));
  EXPECT_EQ(1, Is64BitWindows());
  EXPECT_EQ(1, QueryWin32Param(19));
}

}  // namespace
