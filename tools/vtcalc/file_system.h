// What the tool asks of the file system, POSIX and Windows alike: whether
// two names are one file, a temporary file beside a target, and replacing
// the target with it in one step.
#pragma once

#include <cstdio>
#include <string>

namespace vtcalc {

enum class FileKind { missing, regular, other };

// A regular file, nothing at that name, or anything else (a device such as
// /dev/full, a pipe, a folder).
FileKind file_kind(const std::string& path);

// True when `path` names the file open as `in` (the same device and file
// number: links and other paths to the file are found too).
bool is_same_file(std::FILE* in, const std::string& path);

// Creates a new, empty temporary file in the folder of `target` and opens
// it for writing; null when that fails. Its name goes to `temp`. A new file
// gets the permissions of `target` when that exists.
std::FILE* create_temp_beside(const std::string& target, std::string& temp);

// Moves `temp` to `target`, replacing a file there; false when that fails.
bool replace_file(const std::string& temp, const std::string& target);

// Standard input as bytes: Windows would otherwise end it at the first
// Ctrl-Z byte and drop carriage returns.
void set_binary_stdin();

// True when `f` writes to a terminal (a user is watching).
bool is_terminal(std::FILE* f);

}  // namespace vtcalc
