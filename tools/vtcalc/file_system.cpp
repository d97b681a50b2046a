#include "file_system.h"

#include <sys/stat.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vtcalc {

namespace {

std::string folder_of(const std::string& path) {
#ifdef _WIN32
  std::size_t slash = path.find_last_of("/\\:");
#else
  std::size_t slash = path.find_last_of('/');
#endif
  if (slash == std::string::npos) return ".";
  return path.substr(0, slash + 1);
}

}  // namespace

FileKind file_kind(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return FileKind::missing;
  return S_ISREG(st.st_mode) ? FileKind::regular : FileKind::other;
}

#ifdef _WIN32

namespace {

// The volume and file index identify a file whatever path leads to it.
bool identity(HANDLE h, BY_HANDLE_FILE_INFORMATION& info) {
  return h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, &info);
}

}  // namespace

bool is_same_file(std::FILE* in, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION a, b;
  if (!identity(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(in))), a)) return false;
  HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  bool known = identity(h, b);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return known && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

std::FILE* create_temp_beside(const std::string& target, std::string& temp) {
  char name[MAX_PATH];
  if (!GetTempFileNameA(folder_of(target).c_str(), "vtc", 0, name)) return nullptr;
  temp = name;
  std::FILE* f = std::fopen(name, "wb");
  if (!f) DeleteFileA(name);
  return f;
}

bool replace_file(const std::string& temp, const std::string& target) {
  return MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void set_binary_stdin() { _setmode(_fileno(stdin), _O_BINARY); }

bool is_terminal(std::FILE* f) { return _isatty(_fileno(f)) != 0; }

#else

bool is_same_file(std::FILE* in, const std::string& path) {
  struct stat a, b;
  return fstat(fileno(in), &a) == 0 && stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

std::FILE* create_temp_beside(const std::string& target, std::string& temp) {
  std::string name = folder_of(target) + ".vtcalc-XXXXXX";
  int fd = mkstemp(&name[0]);
  if (fd < 0) return nullptr;
  struct stat st;
  mode_t mode;
  if (stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  std::FILE* f = fdopen(fd, "wb");
  if (!f) {
    close(fd);
    unlink(name.c_str());
    return nullptr;
  }
  temp = name;
  return f;
}

bool replace_file(const std::string& temp, const std::string& target) {
  return std::rename(temp.c_str(), target.c_str()) == 0;
}

void set_binary_stdin() {}

bool is_terminal(std::FILE* f) { return isatty(fileno(f)) != 0; }

#endif

}  // namespace vtcalc
