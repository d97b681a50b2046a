#include "output_file.h"

#include <cerrno>
#include <cstring>

#include "file_system.h"

namespace vtcalc {

OutputFile::~OutputFile() {
  if (!temp_.empty()) {
    if (file_) std::fclose(file_);
    std::remove(temp_.c_str());
  }
}

bool OutputFile::open(const std::string& path, std::FILE* in, std::string& error) {
  path_ = path;
  if (path.empty() || path == "-") {
    file_ = stdout;
    return true;
  }
  FileKind kind = file_kind(path);
  if (kind != FileKind::missing && is_same_file(in, path)) {
    error = path + " is the input file: the output must go elsewhere";
    return false;
  }
  if (kind == FileKind::other) {
    // A device or pipe cannot be replaced: write to it directly.
    file_ = std::fopen(path.c_str(), "wb");
  } else {
    file_ = create_temp_beside(path, temp_);
  }
  if (!file_) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool OutputFile::commit(std::string& error) {
  bool to_stdout = file_ == stdout;
  bool written = std::fflush(file_) == 0 && !std::ferror(file_);
  int saved = errno;
  if (!to_stdout) {
    written = std::fclose(file_) == 0 && written;
    if (!written) saved = errno;
    file_ = nullptr;
  }
  if (!written) {
    error = "writing " + (to_stdout ? std::string("the output") : path_) +
            " failed: " + std::strerror(saved);
    return false;
  }
  if (!temp_.empty()) {
    if (!replace_file(temp_, path_)) {
      error = "cannot put the output in place as " + path_ + ": " + std::strerror(errno);
      return false;
    }
    temp_.clear();
  }
  return true;
}

}  // namespace vtcalc
