// OLE Automation binding, text conversions, GUID text, moniker
// registration and the version queries on the running system.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "port/win32/ole_services.h"
#include "veltra/ole.h"

namespace {

TEST(Ole, TimeServicesAreBoundAndReleased) {
  SYSTEMTIME st = {};
  double back = 0;
  ASSERT_TRUE(vt::port::variant_time_to_system_time()(2.5, &st));  // 1900-01-01 noon
  EXPECT_EQ((std::vector<int>{1900, 1, 1, 12}), (std::vector<int>{st.wYear, st.wMonth, st.wDay, st.wHour}));
  ASSERT_TRUE(vt::port::system_time_to_variant_time()(&st, &back));
  EXPECT_EQ(2.5, back);
  OleReinit();
  EXPECT_EQ(nullptr, vt::port::variant_time_to_system_time());
  EXPECT_TRUE(OleInit());
}

TEST(Ole, TextConversionsStopAtTheBufferSize) {
  WCHAR wide[VELTRA_OLE_TEXT_SIZE + 1];
  char narrow[VELTRA_OLE_TEXT_SIZE + 1];
  EXPECT_EQ(std::wstring(L"Gr\u00fc\u00dfe"), ToOleStr(wide, "Gr\xfc\xdf" "e"));
  EXPECT_STREQ("Gr\xfc\xdf" "e", FromOleStr(narrow, wide));
  wide[VELTRA_OLE_TEXT_SIZE] = 0x7f7f;
  narrow[VELTRA_OLE_TEXT_SIZE] = 0x7f;
  EXPECT_EQ(260u, std::wstring(ToOleStr(wide, std::string(400, 'x').c_str())).size());
  EXPECT_EQ(260u, std::strlen(FromOleStr(narrow, std::wstring(400, L'y').c_str())));
  EXPECT_EQ(0x7f7f, wide[VELTRA_OLE_TEXT_SIZE]);
  EXPECT_EQ(0x7f, narrow[VELTRA_OLE_TEXT_SIZE]);
}

TEST(Ole, SystemStringsBoolAndGuidText) {
  for (size_t len : {0, 260, 261, 300}) {  // 261 and more: the heap path
    BSTR b = MakeSysStr(std::string(len, 'q').c_str());
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(len, SysStringLen(b));
    char back[VELTRA_OLE_TEXT_SIZE];
    EXPECT_EQ(std::string(std::min<size_t>(len, 260), 'q'), FromSysStr(back, b));
  }
  char out[8] = "junk";
  EXPECT_STREQ("", FromSysStr(out, nullptr));
  EXPECT_EQ(nullptr, MakeSysStr(nullptr));
  EXPECT_EQ((std::vector<int>{-1, -1, 0}), (std::vector<int>{MakeBool(-5), MakeBool(1), MakeBool(0)}));
  const GUID g = {0x12345678, 0x9abc, 0xdef0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef}};
  EXPECT_STREQ("{12345678-9ABC-DEF0-0123-456789ABCDEF}", StrFromGUID(g));
  EXPECT_STREQ("{00000000-0000-0000-C000-000000000046}", StrFromGUID(IID_IUnknown));
}

struct Object : IUnknown {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

TEST(Ole, RegisterFileMonikerInTheRunningObjectTable) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Object object;
  DWORD cookie = 0;
  IMoniker* moniker = nullptr;
  ASSERT_EQ(S_OK, RegisterFileMoniker("C:\\veltra\\document.txt", &object, &cookie, &moniker));
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

// The tables are checked natively; here only that the system's record
// reaches them (wine reports an NT 6 or later system).
TEST(Ole, VersionQueriesOnTheRunningSystem) {
  EXPECT_GE(QueryWin32Type(), 7);
  EXPECT_EQ(0, std::strncmp("Windows ", QueryWin32Name(0), 8));
  EXPECT_GE(reinterpret_cast<UINT_PTR>(QueryWin32Name(3)), 6u);
  EXPECT_EQ((std::vector<int>{0, 48, 1, 1, 1}),
            (std::vector<int>{QueryWin32Param(25), QueryWin32Param(34), QueryWin32Param(11),
                              QueryWin32Param(19), Is64BitWindows()}));
}

}  // namespace
