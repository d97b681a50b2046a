/* Veltra support library: special folders, paths and file dialogs. */
#ifndef VELTRA_PATHS_H
#define VELTRA_PATHS_H

#include "veltra/export.h"

/* Nonzero when `path` is a network path: two backslashes, a server name and
 * a further backslash followed by at least one character. 0 for null. */
VELTRA_FN int isuncpath(const char* path);

/* 1 when `path` ends in "." + `ext` (ext given with or without its leading
 * point, compared ignoring the case of A to Z) and is longer than the
 * extension; 0 otherwise and for null arguments. */
VELTRA_FN int checkfileextension(const char* path, const char* ext);

/* Replaces every "|" of `filter` by a terminator, in place; returns how many
 * it replaced (0 for null). */
VELTRA_FN int PrepareFilter(char* filter);

#if defined(_WIN32)
#include <windows.h>

/* Stores the path of shell folder `csidl` (created if missing) into `path`
 * (at least 260 bytes). Nonzero when stored; 0 with `path` empty otherwise. */
VELTRA_FN BOOL GetSpecialWindowsDir(int csidl, char* path);

/* Creates every missing folder of the absolute path `path` ("X:\..." or
 * "\\server\share\..."), leaving the process's current folder at its last
 * folder. Returns 0 when the chain exists afterwards, -1 when a folder cannot
 * be entered or the path is not absolute. A drive-relative path ("X:name")
 * creates nothing and returns 1 when it exists, else 0; a network path
 * without a folder after the share returns 0 when it exists, else -1. */
VELTRA_FN int mkpath(const char* path);

/* Shows the common open (highest bit of `flags` set) or save dialog; the
 * other bits are its option flags. `file` (size bytes) holds the proposal
 * and receives the choice. A null title or filter ("desc|pattern|...")
 * takes the library's defaults; `folder` and `ext` may be null. A drive's
 * root as initial folder stays a root. Nonzero when a file was chosen; 0 for
 * a null `file`. */
VELTRA_FN BOOL ChooseFileName2(HWND owner, char* file, int size, DWORD flags, const char* title,
                               const char* filter, const char* folder, const char* ext);

/* ChooseFileName2 with title, filter and default extension from the
 * library's file-dialog template `id` ("title,filter,ext"); 0 when the
 * template does not exist. */
VELTRA_FN BOOL ChooseFileName(HWND owner, char* file, int size, DWORD flags, UINT id,
                              const char* folder);
#endif

#endif
