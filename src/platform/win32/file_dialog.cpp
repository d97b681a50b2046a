// The common open and save dialogs, from arguments or from a template of
// the library's string table.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <memory>
#include <new>

#include "frame/no_throw.h"
#include "platform/path_text.h"
#include "port/strings.h"
#include "veltra/paths.h"

namespace {

using vt::platform::kPathSize;

// Strings of the library's table: the defaults for a missing title and
// filter.
constexpr UINT kDefaultTitleId = 16;
constexpr UINT kDefaultFilterId = 17;
// The longest template text read, terminator included.
constexpr int kTemplateSize = 256;
// The highest flag bit asks for the open dialog instead of the save dialog.
constexpr DWORD kOpenDialog = 0x80000000u;
constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOTESTFILECREATE;
constexpr DWORD kSaveFlags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;

#if defined(__i386__)
static_assert(sizeof(OPENFILENAMEA) == 88, "the dialog record of the 32-bit library");
#endif

// A zeroed working buffer of kPathSize bytes plus one, so that a filter of
// full length still ends in the double terminator the dialog reads up to.
std::unique_ptr<char[]> work_buffer() { return std::unique_ptr<char[]>(new (std::nothrow) char[kPathSize + 1]()); }

void copy_text(char* to, const char* from) { strncpy(to, from, kPathSize - 1); }

}  // namespace

extern "C" BOOL ChooseFileName2(HWND owner, char* file, int size, DWORD flags, const char* title,
                                const char* filter, const char* folder, const char* ext) {
  auto title_buf = work_buffer(), filter_buf = work_buffer(), folder_buf = work_buffer();
  if (!title_buf || !filter_buf || !folder_buf || !file || size < 1) return FALSE;

  if (title)
    copy_text(title_buf.get(), title);
  else
    vt::port::load_string(kDefaultTitleId, title_buf.get(), kPathSize);
  if (filter)
    copy_text(filter_buf.get(), filter);
  else
    vt::port::load_string(kDefaultFilterId, filter_buf.get(), kPathSize);
  if (!vt::frame::or_failure(false, [&] {
        copy_text(folder_buf.get(), vt::platform::initial_folder(file, folder).c_str());
        return true;
      }))
    return FALSE;
  PrepareFilter(filter_buf.get());

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter_buf.get();
  ofn.nFilterIndex = 0;
  ofn.lpstrFile = file;
  ofn.nMaxFile = size;
  ofn.lpstrInitialDir = folder_buf.get();
  ofn.lpstrTitle = title_buf.get();
  ofn.lpstrDefExt = ext;
  const bool open = (flags & kOpenDialog) != 0;
  ofn.Flags = open ? (flags & ~kOpenDialog) | kOpenFlags : flags | kSaveFlags;

  BOOL chosen;
  for (;;) {
    chosen = open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    // A proposal the dialog refuses would stop it from opening: offer an
    // empty name instead (once: an empty name is never refused).
    if (chosen || CommDlgExtendedError() != FNERR_INVALIDFILENAME || file[0] == '\0') break;
    file[0] = '\0';
  }
  return chosen;
}

extern "C" BOOL ChooseFileName(HWND owner, char* file, int size, DWORD flags, UINT id, const char* folder) {
  char text[kTemplateSize];
  if (vt::port::load_string(id, text, sizeof text) <= 0) return FALSE;
  vt::platform::FileTemplate t = vt::platform::split_file_template(text);
  return ChooseFileName2(owner, file, size, flags, t.title, t.filter, folder, t.ext);
}
