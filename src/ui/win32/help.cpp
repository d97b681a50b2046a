// Context help: the help file beside the program or the library, opened by
// the classic help engine or by HTML Help.
#include <windows.h>
#include <htmlhelp.h>

#include <string>

#include "frame/attach.h"
#include "frame/no_throw.h"
#include "ui/help_places.h"
#include "veltra/message.h"

namespace {

// The message that reports a help file or topic that could not be opened.
constexpr UINT kHelpMissingId = 323;
// Room for a module path, and for a help keyword from a string table.
constexpr DWORD kModulePathSize = 261;
constexpr int kKeywordSize = 60;
constexpr UINT kHelpKey = 0x101;
constexpr UINT kHelpContext = 1;

#if defined(__i386__)
static_assert(sizeof(HH_AKLINK) == 32, "the keyword record of the 32-bit library");
#endif

std::string module_path(HMODULE module) {
  char buf[kModulePathSize] = "";
  GetModuleFileNameA(module, buf, sizeof buf);
  return buf;
}

bool readable(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

std::string find_help_file(const char* name) {
  HMODULE library = static_cast<HMODULE>(vt::frame::module_handle());
  for (const std::string& place : vt::ui::help_places(module_path(nullptr), module_path(library), name))
    if (readable(place)) return place;
  return name;
}

// HTML Help lives in hhctrl.ocx, which is loaded on first use only.
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
HtmlHelpFn html_help() {
  static HtmlHelpFn fn = [] {
    HMODULE m = LoadLibraryA("hhctrl.ocx");
    return m ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(m, "HtmlHelpA"))) : nullptr;
  }();
  return fn;
}

int open_help(HWND window, const char* file, UINT command, ULONG_PTR data) {
  const char* name = file && *file ? file : vt::ui::kDefaultHelpFile;
  const std::string path = find_help_file(name);
  if (vt::ui::is_classic_help(name)) return WinHelpA(window, path.c_str(), command, data);

  const char* keyword = command == kHelpKey ? reinterpret_cast<const char*>(data) : nullptr;
  vt::ui::HtmlRequest r = vt::ui::plan_html_help(command, static_cast<unsigned long>(data), keyword);
  if (r.outcome == vt::ui::HtmlRequest::kDone) return 1;
  if (r.outcome == vt::ui::HtmlRequest::kRefused) return 0;

  HH_AKLINK link = {};
  DWORD_PTR hh_data = r.data;
  if (r.keyword) {
    link.cbStruct = sizeof link;
    link.pszKeywords = keyword;
    link.fIndexOnFail = TRUE;
    hh_data = reinterpret_cast<DWORD_PTR>(&link);
  }
  HtmlHelpFn fn = html_help();
  if (fn && fn(nullptr, path.c_str(), r.command, hh_data)) return 1;

  ResourceMessageBox(static_cast<HINSTANCE>(vt::frame::module_handle()), kHelpMissingId, MB_ICONEXCLAMATION,
                     vt::ui::help_file_for_message(path).c_str(), r.topic.c_str());
  return 0;
}

}  // namespace

// The search and the texts of the message allocate.
extern "C" int DllHelp(HWND window, const char* file, UINT command, ULONG_PTR data) {
  return vt::frame::or_failure(0, [&] { return open_help(window, file, command, data); });
}

extern "C" int DllHelpKey(HWND window, const char* keyword) {
  if (!keyword) return 0;
  return DllHelp(window, nullptr, kHelpKey, reinterpret_cast<ULONG_PTR>(keyword));
}

extern "C" int DllHelpRcTopic(HWND window, UINT id) {
  char keyword[kKeywordSize];
  HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  if (LoadStringA(module, id, keyword, sizeof keyword) <= 0) return 0;
  return DllHelpKey(window, keyword);
}

extern "C" int DllHelpContext(HWND window, DWORD context) { return DllHelp(window, nullptr, kHelpContext, context); }
