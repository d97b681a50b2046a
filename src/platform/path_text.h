// Text work behind the path and file-dialog functions.
#pragma once

#include <string>
#include <vector>

namespace vt::platform {

// The longest path the file and folder functions handle, terminator
// included.
constexpr int kPathSize = 261;

// What mkpath has to do for a path.
struct FolderChain {
  enum Kind {
    kInvalid,        // neither a drive path nor a network path
    kDriveRelative,  // "X:name": only asked whether it exists
    kShareOnly,      // "\\server\share": only asked whether it exists
    kChain,          // enter `root`, then create and enter each name
  };
  Kind kind = kInvalid;
  std::string root;  // "X:\" or "\\server\share\"
  std::vector<std::string> names;
};
FolderChain plan_folder_chain(const char* path);

// A file-dialog template "title,filter,ext" split in place at its commas;
// runs of commas count as one, missing parts are null.
struct FileTemplate {
  const char* title = nullptr;
  const char* filter = nullptr;
  const char* ext = nullptr;
};
FileTemplate split_file_template(char* text);

// The folder a file dialog opens in: the folder part of a proposal that
// starts with a drive or a network path, else `given` (null: none); one
// trailing backslash removed unless the folder is a drive's root.
std::string initial_folder(const char* proposal, const char* given);

}  // namespace vt::platform
