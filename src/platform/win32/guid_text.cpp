// GUID text and registration in the running object table.
#include <windows.h>
#include <objbase.h>

#include "veltra/ole.h"

namespace {
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", 38 characters, terminator, and
// one spare: the size of the shared text buffer.
constexpr int kGuidTextSize = 40;
char g_guid_text[kGuidTextSize];
}  // namespace

// The registry form is plain ASCII, so the low byte of each wide
// character is the narrow character.
LPSTR StrFromGUID(REFGUID guid) {
  WCHAR wide[kGuidTextSize] = {};
  g_guid_text[0] = '\0';
  if (!StringFromGUID2(guid, wide, kGuidTextSize)) return g_guid_text;
  for (int i = 0; i < kGuidTextSize; ++i) g_guid_text[i] = static_cast<char>(wide[i] & 0xFF);
  g_guid_text[kGuidTextSize - 1] = '\0';
  return g_guid_text;
}

HRESULT RegisterFileMoniker(LPCSTR path, IUnknown* object, DWORD* cookie, IMoniker** moniker) {
  if (!path || !object || !cookie || !moniker) return E_FAIL;
  IRunningObjectTable* rot = nullptr;
  if (FAILED(GetRunningObjectTable(0, &rot)) || !rot) return E_FAIL;
  WCHAR wide[VELTRA_OLE_TEXT_SIZE];
  if (FAILED(CreateFileMoniker(ToOleStr(wide, path), moniker)) || !*moniker) {
    rot->Release();
    return E_FAIL;
  }
  // One reference stays with the caller, the other with the registration.
  (*moniker)->AddRef();
  HRESULT hr = rot->Register(0, object, *moniker, cookie);
  rot->Release();
  return hr;
}
