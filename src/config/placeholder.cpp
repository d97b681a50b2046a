// "$PROJECT" and "$INSTALL" at the start of a file name stand for the
// current project's folder and the folder of the running executable, so
// stored names survive moving a project or installing the suite elsewhere.
// The substitution is purely textual: a folder matches any name that begins
// with its characters (letter case ignored), and whatever follows the folder
// follows the placeholder unchanged.
#include "config/placeholder.h"

#include <cstring>

#include "port/paths.h"
#include "veltra/placeholder.h"
#include "veltra/strings.h"

namespace vt::config {

namespace {

constexpr char kProject[] = "$PROJECT";
constexpr char kInstall[] = "$INSTALL";
constexpr size_t kPlaceholderChars = sizeof kProject - 1;
static_assert(sizeof kInstall == sizeof kProject, "both placeholders are 8 characters");
constexpr size_t kWorkBytes = VELTRA_EXPANDED_NAME_BYTES;

// The executable's folder: its file name up to the last backslash, copied
// into folder (kModulePathBytes). Returns false when there is none (no
// backslash, or an empty folder, which would match every name).
bool install_folder(const char* executable, char* folder) {
  const char* cut = executable ? std::strrchr(executable, '\\') : nullptr;
  size_t len = cut ? static_cast<size_t>(cut - executable) : 0;
  if (len == 0 || len >= static_cast<size_t>(vt::port::kModulePathBytes)) return false;
  std::memcpy(folder, executable, len);
  folder[len] = '\0';
  return true;
}

void replace_front(char* name, size_t folder_len, const char* placeholder) {
  size_t rest = std::strlen(name + folder_len);
  std::memmove(name + kPlaceholderChars, name + folder_len, rest + 1);
  std::memcpy(name, placeholder, kPlaceholderChars);
}

int fail(char* out) {
  out[0] = '\0';
  return 0;
}

}  // namespace

int reduce_file_name(char* name, const char* project, const char* executable) {
  if (!name) return 1;
  if (project && *project && strniequal(name, project)) {
    replace_front(name, std::strlen(project), kProject);
    return 1;
  }
  char folder[vt::port::kModulePathBytes];
  if (install_folder(executable, folder) && strniequal(name, folder))
    replace_front(name, std::strlen(folder), kInstall);
  return 1;
}

int expand_file_name(char* out, const char* name, const char* project,
                     const char* executable) {
  if (!out) return 0;
  if (!name) return fail(out);
  char install[vt::port::kModulePathBytes];
  const char* folder = "";
  const char* rest = name;
  if (strniequal(name, kProject)) {
    if (!project || !*project) return fail(out);
    folder = project;
    rest = name + kPlaceholderChars;
  } else if (strniequal(name, kInstall)) {
    if (!install_folder(executable, install)) return fail(out);
    folder = install;
    rest = name + kPlaceholderChars;
  }
  // Built apart and copied at the end, so that out may be name.
  size_t folder_len = std::strlen(folder), rest_len = std::strlen(rest);
  if (folder_len + rest_len + 1 > kWorkBytes) return fail(out);
  char work[kWorkBytes];
  std::memcpy(work, folder, folder_len);
  std::memcpy(work + folder_len, rest, rest_len + 1);
  std::memcpy(out, work, folder_len + rest_len + 1);
  return 1;
}

}  // namespace vt::config

namespace {

// The executable's file name, worked out afresh on every call; "" when the
// system does not give it.
struct ExecutableName {
  char text[vt::port::kModulePathBytes];
  ExecutableName() { vt::port::executable_path(text, sizeof text); }
};

}  // namespace

int ReduceFileName(char* name, const char* project) {
  return vt::config::reduce_file_name(name, project, ExecutableName().text);
}

int ExpandFileName(char* out, const char* name, const char* project) {
  return vt::config::expand_file_name(out, name, project, ExecutableName().text);
}
