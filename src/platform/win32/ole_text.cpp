// Text conversions between the ANSI code page and OLE's wide strings.
#include <windows.h>

#include <memory>
#include <new>

#include "veltra/ole.h"

LPWSTR ToOleStr(LPWSTR wide, LPCSTR narrow) {
  if (!wide) return wide;
  wide[0] = L'\0';
  if (!narrow) return wide;
  if (!MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide, VELTRA_OLE_TEXT_SIZE) &&
      GetLastError() == ERROR_INSUFFICIENT_BUFFER)
    wide[VELTRA_OLE_TEXT_SIZE - 1] = L'\0';  // the buffer holds the cut text
  return wide;
}

LPSTR FromOleStr(LPSTR narrow, LPCWSTR wide) {
  if (!narrow) return narrow;
  narrow[0] = '\0';
  if (!wide) return narrow;
  if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, VELTRA_OLE_TEXT_SIZE, nullptr, nullptr) &&
      GetLastError() == ERROR_INSUFFICIENT_BUFFER)
    narrow[VELTRA_OLE_TEXT_SIZE - 1] = '\0';
  return narrow;
}

// Short texts are converted on the stack; longer ones need a heap buffer
// of their exact size.
BSTR MakeSysStr(LPCSTR text) {
  if (!text) return nullptr;
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 0) return nullptr;
  WCHAR fixed[VELTRA_OLE_TEXT_SIZE];
  std::unique_ptr<WCHAR[]> heap;
  WCHAR* buf = fixed;
  if (n > VELTRA_OLE_TEXT_SIZE) {
    heap.reset(new (std::nothrow) WCHAR[n]);
    if (!heap) return nullptr;
    buf = heap.get();
  }
  MultiByteToWideChar(CP_ACP, 0, text, -1, buf, n);
  return SysAllocString(buf);
}

LPSTR FromSysStr(LPSTR narrow, BSTR bstr) {
  if (narrow) narrow[0] = '\0';
  if (!bstr) return narrow;
  FromOleStr(narrow, bstr);
  SysFreeString(bstr);
  return narrow;
}

VARIANT_BOOL MakeBool(int value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }
