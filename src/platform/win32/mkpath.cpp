// Creating a chain of folders.
#include <windows.h>

#include "frame/no_throw.h"
#include "platform/path_text.h"
#include "veltra/paths.h"

namespace {

bool exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

// Walks down the chain through the process's current folder, so that each
// CreateDirectoryA gets a short relative name.
extern "C" int mkpath(const char* path) {
  using vt::platform::FolderChain;
  FolderChain plan;
  // The plan holds the folder names; nothing has been created before it is made.
  if (!vt::frame::or_failure(false, [&] {
        plan = vt::platform::plan_folder_chain(path);
        return true;
      }))
    return -1;
  switch (plan.kind) {
    case FolderChain::kInvalid:
      return -1;
    case FolderChain::kDriveRelative:
      return exists(path) ? 1 : 0;
    case FolderChain::kShareOnly:
      return exists(path) ? 0 : -1;
    case FolderChain::kChain:
      break;
  }
  if (!SetCurrentDirectoryA(plan.root.c_str())) return -1;
  for (const std::string& name : plan.names) {
    CreateDirectoryA(name.c_str(), nullptr);  // an existing folder is fine
    if (!SetCurrentDirectoryA(name.c_str())) return -1;
  }
  return 0;
}
