#include "platform/path_text.h"

#include <cstring>

#include "port/char_class.h"
#include "veltra/paths.h"
#include "veltra/strings.h"

namespace vt::platform {

namespace {

bool starts_with_drive(const char* p) { return port::is_letter(p[0]) && p[1] == ':'; }

// After "\\server\share" of a network path: the position of the backslash
// that ends the share name, or null when the share is the end.
const char* share_end(const char* path) {
  const char* server_end = strchr(path + 2, '\\');
  return server_end ? strchr(server_end + 1, '\\') : nullptr;
}

}  // namespace

FolderChain plan_folder_chain(const char* path) {
  FolderChain plan;
  if (!path) return plan;
  const char* rest;
  if (isuncpath(path)) {
    const char* end = share_end(path);
    if (!end) {
      plan.kind = FolderChain::kShareOnly;
      return plan;
    }
    plan.root.assign(path, end + 1);
    rest = end + 1;
  } else {
    if (!starts_with_drive(path)) return plan;
    if (path[2] != '\\') {
      plan.kind = FolderChain::kDriveRelative;
      return plan;
    }
    plan.root.assign(path, 3);
    rest = path + 3;
  }
  plan.kind = FolderChain::kChain;
  while (*rest) {
    const char* end = strchr(rest, '\\');
    if (!end) end = rest + strlen(rest);
    if (end > rest) plan.names.emplace_back(rest, end);
    rest = *end ? end + 1 : end;
  }
  return plan;
}

FileTemplate split_file_template(char* text) {
  FileTemplate t;
  const char** parts[] = {&t.title, &t.filter, &t.ext};
  char* p = text;
  for (const char** part : parts) {
    while (p && *p == ',') ++p;
    if (!p || !*p) break;
    *part = p;
    p = strchr(p, ',');
    if (p) *p++ = '\0';
  }
  return t;
}

std::string initial_folder(const char* proposal, const char* given) {
  std::string folder;
  if (proposal && (starts_with_drive(proposal) || (proposal[0] == '\\' && proposal[1] == '\\'))) {
    if (const char* last = strrchr(proposal, '\\')) {
      // "X:\name" keeps its backslash: the folder is the drive's root.
      bool root = last == proposal + 2 && proposal[1] == ':';
      folder.assign(proposal, root ? last + 1 : last);
    }
  } else if (given) {
    folder = given;
  }
  bool root = folder.size() == 3 && starts_with_drive(folder.c_str()) && folder[2] == '\\';
  if (!root && !folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace vt::platform

extern "C" int isuncpath(const char* path) {
  if (!path || path[0] != '\\' || path[1] != '\\') return 0;
  const char* next = strchr(path + 2, '\\');
  return next && next[1] != '\0';
}

extern "C" int checkfileextension(const char* path, const char* ext) {
  if (!path || !ext) return 0;
  if (*ext == '.') ++ext;
  size_t n = strlen(path), e = strlen(ext);
  if (n <= e || path[n - e - 1] != '.') return 0;
  return striequal(path + n - e, ext);
}

extern "C" int PrepareFilter(char* filter) {
  if (!filter) return 0;
  int replaced = 0;
  for (char* p = filter; (p = strchr(p, '|')) != nullptr; ++p) {
    *p = '\0';
    ++replaced;
  }
  return replaced;
}
